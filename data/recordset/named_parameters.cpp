#include "data/recordset/named_parameters.h"

namespace quelmaro {

namespace {

bool startsName(QChar c) {
    return c.isLetter() || c == u'_';
}
bool continuesName(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

// Index just past the literal or comment that starts at `i`, or `i` when none starts there.
qsizetype skipQuotedOrComment(const QString& sql, qsizetype i) {
    const QChar c = sql[i];
    if (c == u'\'' || c == u'"') {
        // A doubled quote inside stays part of the literal; the scan simply reopens it.
        const qsizetype close = sql.indexOf(c, i + 1);
        return close < 0 ? sql.size() : close + 1;
    }
    if (sql.mid(i, 2) == u"--") {
        const qsizetype end = sql.indexOf(u'\n', i);
        return end < 0 ? sql.size() : end + 1;
    }
    if (sql.mid(i, 2) == u"/*") {
        const qsizetype end = sql.indexOf(u"*/", i + 2);
        return end < 0 ? sql.size() : end + 2;
    }
    return i;
}

} // namespace

PositionalStatement toPositional(const QString& sql) {
    PositionalStatement result;
    result.sql.reserve(sql.size());
    qsizetype i = 0;
    while (i < sql.size()) {
        const qsizetype skipped = skipQuotedOrComment(sql, i);
        if (skipped != i) {
            result.sql += QStringView(sql).mid(i, skipped - i);
            i = skipped;
            continue;
        }
        if (sql[i] == u':' && i + 1 < sql.size() && startsName(sql[i + 1])) {
            qsizetype end = i + 1;
            while (end < sql.size() && continuesName(sql[end]))
                ++end;
            result.parameterNames << sql.mid(i + 1, end - i - 1).toUpper();
            result.sql += u'?';
            i = end;
            continue;
        }
        result.sql += sql[i];
        ++i;
    }
    return result;
}

} // namespace quelmaro
