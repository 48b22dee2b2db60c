#include "report/preview/toolbar_icons.h"

#include <QPainter>
#include <QPixmap>

namespace quelmaro {

namespace {

constexpr int kSize = 16;

QPixmap blank() {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace

QIcon printIcon() {
    QPixmap pixmap = blank();
    QPainter painter(&pixmap);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(4, 1, 8, 5); // paper going in
    painter.setBrush(Qt::lightGray);
    painter.drawRect(1, 6, 14, 6); // the printer
    painter.setBrush(Qt::white);
    painter.drawRect(4, 10, 8, 5); // paper coming out
    return QIcon(pixmap);
}

QIcon zoomIcon(bool zoomIn) {
    QPixmap pixmap = blank();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    painter.setPen(QPen(Qt::black, 2.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(10, 10), QPointF(14.5, 14.5));
    painter.setPen(QPen(Qt::black, 1.2));
    painter.drawLine(QPointF(3.5, 6), QPointF(8.5, 6));
    if (zoomIn)
        painter.drawLine(QPointF(6, 3.5), QPointF(6, 8.5));
    return QIcon(pixmap);
}

} // namespace quelmaro
