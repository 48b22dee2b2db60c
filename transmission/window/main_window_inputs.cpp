#include "transmission/window/main_window_inputs.h"

#include "shell/rngquelmaro.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>

namespace quelmaro {

MainWindowInputs readMainWindow() {
    const Tfquelmaro& main = *fquelmaro;
    return MainWindowInputs{
        {main.Servidor->currentText(), main.Cia->text(), main.Tusua->text(), main.TClave->text()},
        main.EFecIni->date(),
        main.EFecfin->date(),
        main.servidores,
        {main.servidorDestino, main.ciaDestino, main.usuarioDestino, main.claveDestino},
        main.modoEnvio};
}

QString MainWindowPointRange::first() const {
    return fquelmaro->Ptoini->text();
}

QString MainWindowPointRange::last() const {
    return fquelmaro->Ptofin->text();
}

void MainWindowPointRange::setFirst(const QString& text) {
    fquelmaro->Ptoini->setText(text);
}

void MainWindowPointRange::setLast(const QString& text) {
    fquelmaro->Ptofin->setText(text);
}

} // namespace quelmaro
