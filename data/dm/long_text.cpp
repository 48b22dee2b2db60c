#include "data/dm/long_text.h"

#include <QRegularExpression>

namespace quelmaro::dm {

namespace {

constexpr qsizetype kLongestWord = 200;
constexpr qsizetype kLongestText = 2000;
const QString kCut = QStringLiteral("…");

} // namespace

QString cutLongText(const QString& text) {
    static const QRegularExpression longWord(QStringLiteral("\\S{%1,}").arg(kLongestWord + 1));
    QString cut;
    qsizetype from = 0;
    for (QRegularExpressionMatchIterator words = longWord.globalMatch(text); words.hasNext();) {
        const QRegularExpressionMatch word = words.next();
        cut += text.mid(from, word.capturedStart() - from) + word.captured().left(kLongestWord) + kCut;
        from = word.capturedEnd();
    }
    cut += text.mid(from);
    return cut.size() > kLongestText ? cut.left(kLongestText) + kCut : cut;
}

} // namespace quelmaro::dm
