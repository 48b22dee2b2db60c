#pragma once

#include <QLatin1String>
#include <QWidget>

namespace quelmaro {

// Names a control and puts it at a fixed place of its window, as the report windows lay out theirs.
template <typename Widget>
Widget* place(Widget* widget, const char* name, int left, int top, int width, int height) {
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(left, top, width, height);
    return widget;
}

} // namespace quelmaro
