#include "tests/closing/support/closing_page.h"

#include "closing/render/datum_vocabulary.h"
#include "closing/rows/cimpfactura.h"
#include "platform/locale_names.h"

#include <QHash>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

namespace quelmaro::test {

namespace {

// The rows of resumen_dia: the money columns by name (null as zero) and the names of the points of sale.
struct DayRows {
    std::vector<QHash<QString, Fixed>> figures;
    QStringList names;
    int day = 1;

    Fixed sumUpTo(std::size_t row, const std::function<Fixed(std::size_t)>& figure) const {
        Fixed total;
        for (std::size_t i = 0; i <= row && i < figures.size(); ++i)
            total += figure(i);
        return total;
    }
    Fixed sum(const std::function<Fixed(std::size_t)>& figure) const {
        return sumUpTo(figures.size(), figure);
    }
    std::function<Fixed(std::size_t)> column(const char* name) const {
        return [this, name](std::size_t row) { return figures[row].value(QLatin1String(name)); };
    }
    Fixed projected(Fixed monthToDate) const {
        return monthToDate * Fixed::fromInt(30) / Fixed::fromInt(day);
    }
    Fixed nonCash(std::size_t row, const char* suffix) const {
        Fixed total;
        for (int form = 2; form <= 5; ++form)
            total += figures[row].value(QStringLiteral("FORMAP%1%2").arg(form).arg(QLatin1String(suffix)));
        return total;
    }
};

DayRows readDay(fb::Connection& database, const ClosingReportRequest& request) {
    const fb::QueryResult result =
        database.query(QStringLiteral("select * from resumen_dia(?, ?, ?, ?)"),
                       {request.fecha, request.ptoini, request.ptofin, request.sucursal});
    DayRows day;
    day.day = request.fecha.day();
    for (const fb::Row& values : result.rows) {
        QHash<QString, Fixed> figures;
        for (int i = 0; i < result.columns.size(); ++i)
            if (result.columns[i].type == fb::ColumnType::Fixed)
                figures.insert(result.columns[i].name.toUpper(), values[i].toFixed());
        day.figures.push_back(figures);
        day.names << values[result.columnIndex(QStringLiteral("PTOVTANOM"))].toString();
    }
    return day;
}

// The calculated fields the report prints, for row `i`, worked out from the day's rows. Running values cover
// the rows up to `i`; totals cover all rows.
Fixed calculated(const DayRows& d, const QString& field, std::size_t i) {
    const auto own = [&](const char* column) { return d.figures[i].value(QLatin1String(column)); };
    const auto vtanoefe = [&](std::size_t row) { return d.nonCash(row, ""); };
    const auto vtanoefemes = [&](std::size_t row) { return d.nonCash(row, "MES"); };
    const QHash<QString, std::function<Fixed()>> formulas{
        {"Vtanoefe", [&] { return vtanoefe(i); }},
        {"Vtanoefemes", [&] { return vtanoefemes(i); }},
        {"TotEfectivo", [&] { return own("FINAL") - own("INICIAL") - vtanoefe(i); }},
        {"Iva16Proy", [&] { return d.projected(d.sumUpTo(i, d.column("IVA16MES"))); }},
        {"Iva10Proy", [&] { return d.projected(d.sumUpTo(i, d.column("IVA10MES"))); }},
        {"IvaTotProy",
         [&] {
             return d.projected(d.sumUpTo(i, d.column("IVA16MES")) + d.sumUpTo(i, d.column("IVA10MES")));
         }},
        {"Iva16CProy", [&] { return d.projected(own("IVAC16MES")); }},
        {"Iva10CProy", [&] { return d.projected(own("IVAC10MES")); }},
        {"IvaTCProy", [&] { return d.projected(own("IVAC16MES") + own("IVAC10MES")); }},
        {"ProyVtaCont", [&] { return d.projected(d.sum(d.column("VTACONTMES"))); }},
        {"ProyVtaCred", [&] { return d.projected(d.sum(d.column("VTACREDMES"))); }},
        {"ProyVtanoefe", [&] { return d.projected(d.sum(vtanoefemes)); }},
        {"ProyDev", [&] { return d.projected(d.sum(d.column("DEVOLMES"))); }},
        {"ProyNeto", [&] { return d.projected(d.sum(d.column("VTANETAMES"))); }},
        {"ProyVtaGra16", [&] { return d.projected(own("VTAGRAVA16MES") + own("VTAGRAVA10MES")); }},
        {"ProyVtaGra10", [&] { return d.projected(own("VTAGRAVA10MES")); }},
        {"ProyVtaExe", [&] { return d.projected(own("VTAEXENTAMES")); }},
    };
    const auto formula = formulas.constFind(field);
    if (formula == formulas.cend())
        throw std::runtime_error("no formula for " + field.toStdString());
    return (*formula)();
}

// A field of row `i`: a column of resumen_dia or a calculated field; without rows, every field is empty.
Fixed fieldFigure(const DayRows& d, const QString& field, std::size_t i) {
    if (d.figures.empty())
        return Fixed();
    if (d.figures[i].contains(field.toUpper()))
        return d.figures[i].value(field.toUpper());
    return calculated(d, field, i);
}

Fixed aggregateFigure(const DayRows& d, const QString& aggregate) {
    for (const ClosingReportRows::Aggregate& total : ClosingReportRows::aggregates()) {
        if (aggregate != QLatin1String(total.name))
            continue;
        static const QRegularExpression summed(QStringLiteral("sum\\((\\w+)\\)"));
        const QString field = summed.match(QLatin1String(total.expression)).captured(1);
        return d.sum([&](std::size_t row) { return fieldFigure(d, field, row); });
    }
    throw std::runtime_error("no total " + aggregate.toStdString());
}

// A datum's text: from its first character (1 and below count as 1), as many as its length.
QString cut(const QString& text, const Value& first, const Value& length) {
    const std::int64_t from = std::max<std::int64_t>(first.toInt(), 1);
    return length.toInt() > 0 ? text.mid(from - 1, length.toInt()) : QString();
}

// A number datum's decimals: 2 unless the format gives a whole number.
int decimalsOf(const Value& format) {
    bool whole = false;
    const int decimals = format.toString().toInt(&whole);
    return whole ? decimals : 2;
}

// The report date written out with the system's names: "Friday, March 15, 2024".
QString dateInWords(const QDate& date) {
    return QStringLiteral("%1, %2 %3, %4")
        .arg(platform::dayName(date.dayOfWeek()), platform::monthName(date.month()))
        .arg(date.day())
        .arg(date.year());
}

// The words of the page on the baseline y (points), left to right.
std::vector<PdfWord> lineAt(const PdfPage& page, double y) {
    constexpr double kSlack = 1.5;
    std::vector<PdfWord> line;
    for (const PdfWord& word : page.words)
        if (word.yMin - kSlack <= y && y <= word.yMax + kSlack && word.yMax - y < 4)
            line.push_back(word);
    std::sort(line.begin(), line.end(), [](const PdfWord& a, const PdfWord& b) { return a.xMin < b.xMin; });
    return line;
}

bool sameText(const QString& shown, const QString& expected) {
    if (!expected.contains(u'?'))
        return shown == expected;
    const QString pattern =
        QRegularExpression::escape(expected).replace(QStringLiteral("\\?"), QStringLiteral("\\d"));
    return QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(shown).hasMatch();
}

bool shows(const PdfPage& page, const ExpectedDatum& datum) {
    constexpr double kSlack = 1.5; // points
    const double x = datum.x * 72, y = datum.y * 72;
    const std::vector<PdfWord> line = lineAt(page, y);
    if (datum.rightAligned)
        return std::any_of(line.begin(), line.end(), [&](const PdfWord& word) {
            return sameText(word.text, datum.text) && std::abs(word.xMax - x) < kSlack;
        });
    const auto start = std::find_if(line.begin(), line.end(),
                                    [&](const PdfWord& word) { return std::abs(word.xMin - x) < kSlack; });
    QStringList words;
    for (auto word = start; word != line.end(); ++word)
        words << word->text;
    return start != line.end() && sameText(words.join(u' ').left(datum.text.size()), datum.text);
}

} // namespace

std::vector<ExpectedDatum> expectedClosingData(fb::Connection& database, const ClosingReportRequest& request,
                                               double paperWidth, double paperHeight) {
    const DayRows day = readDay(database, request);
    const double factorX = Fixed::fromDouble(paperWidth / 1500).toDouble();
    const double factorY = Fixed::fromDouble(paperHeight / 2000).toDouble();
    const fb::QueryResult format = database.query(QStringLiteral(
        "select d.dafo_dato, d.dafo_posx, d.dafo_posy, d.dafo_repite, d.dafo_formato, d.dafo_long, "
        "d.dafo_ini, "
        "f.form_entrelinea from formatos f join formato_datos d on d.tido_cod = f.tido_cod "
        "and d.pref_pre = f.pref_pre where f.tido_cod = 131 and d.dafo_imprime = 'S' "
        "and coalesce(d.dafo_liquida, '') <> 'S' and f.pref_pre = (select first 1 pref_pre from formatos "
        "where tido_cod = 131)"));
    const QHash<QString, QString> headerTexts{
        {QStringLiteral("FECHA"), request.fecha.toString(QStringLiteral("yyyy/MM/dd"))},
        {QStringLiteral("FECHA LETRAS"), dateInWords(request.fecha)},
        {QStringLiteral("CODIGO USUARIO"), request.usuario},
        {QStringLiteral("HORA REGISTRO"), request.hora.isNull()
                                              ? QStringLiteral("??:??:??")
                                              : request.hora.toString(QStringLiteral("HH:mm:ss"))}};

    std::vector<ExpectedDatum> expected;
    for (const fb::Row& datum : format.rows) {
        const QString name = datum[0].toString();
        const double x = double(datum[1].toInt()) * factorX, y = double(datum[2].toInt()) * factorY;
        const int decimals = decimalsOf(datum[4]);
        if (datum[3].toString() == QLatin1String("N")) {
            const Datum* known = findDatum(headerVocabulary(), name);
            if (!known)
                continue;
            if (headerTexts.contains(name)) {
                expected.push_back({name, cut(headerTexts[name], datum[6], datum[5]), false, x, y});
                continue;
            }
            const std::size_t last = day.figures.empty() ? 0 : day.figures.size() - 1;
            const Fixed figure = known->source == DatumSource::Aggregate
                                     ? aggregateFigure(day, QLatin1String(known->field))
                                     : fieldFigure(day, QLatin1String(known->field), last);
            expected.push_back({name, figure.format(decimals), true, x, y});
        } else if (datum[3].toString() == QLatin1String("S")) {
            const Datum* known = findDatum(pointOfSaleVocabulary(), name);
            if (!known)
                continue;
            for (std::size_t point = 0; point < day.figures.size(); ++point) {
                const double column = x + double(datum[7].toInt()) * double(point) * factorX;
                const QString what = QStringLiteral("%1 of %2").arg(name, day.names[point]);
                if (known->source == DatumSource::TextField)
                    expected.push_back({what, cut(day.names[point], datum[6], datum[5]), false, column, y});
                else
                    expected.push_back({what,
                                        fieldFigure(day, QLatin1String(known->field), point).format(decimals),
                                        true, column, y});
            }
        }
    }
    return expected;
}

std::size_t expectClosingPage(const PdfPage& page, fb::Connection& database,
                              const ClosingReportRequest& request) {
    const std::vector<ExpectedDatum> expected =
        expectedClosingData(database, request, page.width / 72, page.height / 72);
    for (const ExpectedDatum& datum : expected)
        EXPECT_TRUE(shows(page, datum)) << datum.what.toStdString() << ": \"" << datum.text.toStdString()
                                        << "\" at " << datum.x << ", " << datum.y << " in";
    return expected.size();
}

} // namespace quelmaro::test
