#pragma once

#include "data/fb/connection.h"
#include "transmission/run/driver.h"
#include "transmission/run/run_state.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace quelmaro {

struct TransmissionSteps;

// "Envio resumen diario": asks for the destination company and sends the main window's dates and points
// of sale there. Started from the main window (F5), modal, destroyed when it closes. Filled from the command
// line's destination settings it transmits at once, on creation; in run mode "1" it then ends the program.
class Tftransmitir : public QDialog {
    Q_OBJECT
public:
    explicit Tftransmitir(QWidget* owner);
    ~Tftransmitir() override;

    // Returns at once when the run made on creation has already closed the window.
    int exec() override;

    // Destination
    QGroupBox* GroupBox1;
    QComboBox* Server;
    QLineEdit* Tuser;
    QLineEdit* TClaveD;
    QLineEdit* CiaD;
    // What to send
    QCheckBox* ckvta;
    QCheckBox* ckrdc;
    QCheckBox* ckcliente;
    QCheckBox* cktrans;
    QCheckBox* ckEgre;
    QToolButton* SpeedButton1; // "F5: Transmitir"
    QToolButton* SpeedButton2; // "Esc: Cancelar"
    QLabel* Panel5;            // the progress line

    // The origin company, opened read-only for each run.
    fb::Connection DbOrigen;

    void FormActivate();
    void CiaDExit();
    // The transmission run: both connections, every date and point of sale, then the end of the run.
    void SpeedButton1Click();
    void SpeedButton2Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void buildControls();
    void FormCreate();
    // Runs a transmission inside the error guard; an unattended run that fails ends the program with 1.
    void transmit();
    // Writes the run's summary line and ends the program with the run's exit code.
    void endUnattended();
    void endProgram(int exitCode);
    void closeWithResult(int result);

    class PanelProgress;
    class CheckBoxChoice;
    std::unique_ptr<PanelProgress> progress_;
    std::unique_ptr<CheckBoxChoice> choice_;
    std::unique_ptr<Run> run_;
    std::unique_ptr<TransmissionSteps> steps_;
    bool closedBeforeShown_ = false;
};

// The window while it exists; set by the main window when it creates it.
extern Tftransmitir* ftransmitir;

} // namespace quelmaro
