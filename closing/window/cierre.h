#pragma once

#include <QDialog>

class QLabel;
class QToolButton;

namespace quelmaro {

class ClosingPrintRun;
class ClosingReportRows;
class FormatRecords;
class RecordSet;
class TReportJob;

// "Imprimir cierre": created by the main window (F2), which it reads for the report date, the points of
// sale, the branch and the user. Its creation reads the day's report rows; F2 or Enter prints them with the
// format of the closing report and closes the window, Esc closes it without printing. Modal; the main window
// destroys it when it has closed.
class Tfcierre : public QDialog {
    Q_OBJECT
public:
    explicit Tfcierre(QWidget* owner);
    ~Tfcierre() override;

    QLabel* Label1;
    QToolButton* SpeedButton1; // "F2: Imprimir"
    QToolButton* SpeedButton2; // "ESC: Salir"

    ClosingReportRows* rows;
    FormatRecords* format;
    ClosingPrintRun* run;
    RecordSet& CImpfactura;
    RecordSet& CFormato;
    TReportJob& ReportJob1;

    // Handlers. They raise errors freely: whatever triggers them runs them inside the data module's guard.
    void FormCreate();        // completes the main window's points of sale and reads the report rows
    void SpeedButton1Click(); // the print command; the window closes when the run has ended
    void SpeedButton2Click(); // closes the window

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void FormKeyDown(int key, Qt::KeyboardModifiers modifiers);

    bool centred_ = false;
};

// The window while it exists; set by the main window when it creates it.
extern Tfcierre* fcierre;

} // namespace quelmaro
