#include "platform/caption_fit.h"

#include <QLabel>

#include <algorithm>

namespace quelmaro::platform {

void setWrappedCaption(QLabel& label, const QString& text) {
    const QFontMetrics metrics = label.fontMetrics();
    const int width = label.contentsRect().width() - 2 * label.margin() - 2 * std::max(0, label.indent());
    QStringList words = text.split(u' ');
    for (QString& word : words)
        if (metrics.horizontalAdvance(word) > width)
            word = metrics.elidedText(word, Qt::ElideMiddle, width);
    label.setWordWrap(true);
    label.setText(words.join(u' '));
}

} // namespace quelmaro::platform
