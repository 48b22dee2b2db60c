#pragma once

#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace quelmaro::test {

// Shows a window and waits until it is active, so that keys and shortcuts reach it.
inline void showActive(QWidget& window) {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

// A control of a window by its name; the test fails when there is none.
template <typename Widget> Widget* control(const QWidget& window, const char* name) {
    auto* widget = window.findChild<Widget*>(QLatin1String(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

} // namespace quelmaro::test
