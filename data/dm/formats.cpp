#include "data/dm/formats.h"

#include "data/types/datetime.h"
#include "data/types/errors.h"
#include "platform/locale_names.h"

namespace quelmaro::formats {

namespace {

Settings inForce = programSettings();

QString digits(int value, int width) {
    return QStringLiteral("%1").arg(value, width, 10, QChar(u'0'));
}

// Length of the run of `letter` (either case) starting at `at`.
qsizetype runLength(const QString& pattern, qsizetype at) {
    const QChar letter = pattern.at(at).toLower();
    qsizetype end = at;
    while (end < pattern.size() && pattern.at(end).toLower() == letter)
        ++end;
    return end - at;
}

// The date fields of a pattern in the order they appear: 'y', 'm' and 'd' once each when it is a date.
QString dateFieldOrder(const QString& pattern) {
    QString order;
    for (const QChar c : pattern) {
        const QChar letter = c.toLower();
        if ((letter == u'y' || letter == u'm' || letter == u'd') && !order.contains(letter))
            order += letter;
    }
    return order;
}

} // namespace

Settings programSettings() {
    return Settings();
}

const Settings& settings() {
    return inForce;
}

void setSettings(const Settings& settings) {
    inForce = settings;
}

QString formatDateTime(const QString& pattern, const QDateTime& when) {
    const QDate date = when.date();
    const QTime time = when.time();
    QString text;
    bool afterHour = false; // an m right after an hour means minutes
    for (qsizetype at = 0; at < pattern.size();) {
        const QChar c = pattern.at(at);
        if (c == u'\'' || c == u'"') {
            const qsizetype close = pattern.indexOf(c, at + 1);
            const qsizetype end = close < 0 ? pattern.size() : close;
            text += pattern.mid(at + 1, end - at - 1);
            at = end + 1;
            continue;
        }
        const qsizetype run = runLength(pattern, at);
        switch (c.toLower().unicode()) {
        case u'd':
            text += run >= 3 ? platform::dayName(date.dayOfWeek()) : digits(date.day(), int(run));
            break;
        case u'm':
            if (afterHour)
                text += digits(time.minute(), int(std::min<qsizetype>(run, 2)));
            else
                text += run >= 3 ? platform::monthName(date.month()) : digits(date.month(), int(run));
            break;
        case u'y':
            text += run >= 3 ? digits(date.year(), 4) : digits(date.year() % 100, 2);
            break;
        case u'h':
            text += digits(time.hour(), int(std::min<qsizetype>(run, 2)));
            break;
        case u'n':
            text += digits(time.minute(), int(std::min<qsizetype>(run, 2)));
            break;
        case u's':
            text += digits(time.second(), int(std::min<qsizetype>(run, 2)));
            break;
        case u'/':
            text += QString(run, inForce.dateSeparator);
            break;
        case u':':
            text += QString(run, inForce.timeSeparator);
            break;
        default:
            text += pattern.mid(at, run);
        }
        if (c.isLetter())
            afterHour = c.toLower() == u'h';
        at += run;
    }
    return text;
}

QString shortDate(const QDate& date) {
    return date.isValid() ? formatDateTime(inForce.shortDateFormat, QDateTime(date, QTime(0, 0))) : QString();
}

QString longTime(const QTime& time) {
    return time.isValid() ? formatDateTime(inForce.longTimeFormat, QDateTime(QDate(2000, 1, 1), time))
                          : QString();
}

QDate parseShortDate(const QString& text) {
    const QString order = dateFieldOrder(inForce.shortDateFormat);
    const QStringList parts = text.split(inForce.dateSeparator);
    if (order.size() == 3 && parts.size() == 3) {
        const QString year = parts.at(order.indexOf(u'y'));
        const QString month = parts.at(order.indexOf(u'm'));
        const QString day = parts.at(order.indexOf(u'd'));
        try {
            return datetime::parseDate(year + u'/' + month + u'/' + day);
        } catch (const ConversionError&) {
            // reported below with the text as the operator wrote it
        }
    }
    throw ConversionError(QStringLiteral("'%1' no es una fecha válida").arg(text));
}

QString number(Fixed value, int decimals) {
    QString text = value.format(decimals);
    for (QChar& c : text) {
        if (c == u',')
            c = inForce.thousandSeparator;
        else if (c == u'.')
            c = inForce.decimalSeparator;
    }
    return text;
}

QString qtShortDateFormat() {
    QString format;
    for (const QChar c : inForce.shortDateFormat) {
        const QChar letter = c.toLower();
        if (letter == u'm')
            format += u'M';
        else if (letter == u'd' || letter == u'y')
            format += letter;
        else
            format += QLatin1Char('\'') + (c == u'/' ? inForce.dateSeparator : c) + QLatin1Char('\'');
    }
    return format;
}

} // namespace quelmaro::formats
