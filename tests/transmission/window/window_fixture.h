#pragma once

#include "data/dm/dm.h"
#include "platform/recording_messages.h"
#include "shell/rngquelmaro.h"
#include "tests/transmission/support/company_pair.h"
#include "tests/transmission/support/installation.h"
#include "transmission/window/transmitir.h"

#include <gtest/gtest.h>

#include <QPointer>

namespace quelmaro::test {

// The program as the operator meets it: the installation, the data module, the main window connected to
// the demo branch company for its days of business, and the transmission window opened from it.
class WindowFixture : public testing::Test {
protected:
    WindowFixture();
    ~WindowFixture() override;

    // The main window's connection step on the demo branch company, with the demo days as the period.
    void connectOrigin();
    // The main window's command-line destination, as a command-line start leaves it.
    void setCommandLineDestination(const QString& modoEnvio);
    // Creates the window as F5 of the main window does; a run made on creation happens here.
    Tftransmitir& openWindow();
    // Shows it and waits until it is the active window, so keys reach it.
    void showActive();
    void fillDestination(const QString& user, const QString& password, const QString& company);

    platform::ScopedRecording messages;
    CompanyPair companies;
    Installation installation{{QStringLiteral("localhost:/nowhere"), companies.server()}};
    Tfdm dm;
    Tfquelmaro main{QStringList{}};
    QPointer<Tftransmitir> window;
};

} // namespace quelmaro::test
