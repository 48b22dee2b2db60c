#include "tests/transmission/window/window_fixture.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QTest>

namespace quelmaro::test {

WindowFixture::WindowFixture() = default;

WindowFixture::~WindowFixture() {
    delete window.data();
}

void WindowFixture::connectOrigin() {
    main.Servidor->setCurrentIndex(1);
    main.Tusua->setText(companies.user());
    main.TClave->setText(companies.password());
    main.Cia->setText(CompanyPair::kOrigin);
    main.CiaExit();
    main.EFecIni->setDate(CompanyPair::kFirstDay);
    main.EFecfin->setDate(CompanyPair::kLastDay);
}

void WindowFixture::setCommandLineDestination(const QString& modoEnvio) {
    main.servidorDestino = companies.server();
    main.usuarioDestino = companies.user();
    main.claveDestino = companies.password();
    main.ciaDestino = CompanyPair::kCentral;
    main.modoEnvio = modoEnvio;
}

Tftransmitir& WindowFixture::openWindow() {
    fdm->agencia = main.agencia;
    window = new Tftransmitir(&main);
    ftransmitir = window;
    return *window;
}

void WindowFixture::showActive() {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

void WindowFixture::fillDestination(const QString& user, const QString& password, const QString& company) {
    window->Server->setCurrentIndex(1);
    window->Tuser->setText(user);
    window->TClaveD->setText(password);
    window->CiaD->setText(company);
}

} // namespace quelmaro::test
