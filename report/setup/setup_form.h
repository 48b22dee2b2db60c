#pragma once

#include "platform/messages.h"
#include "report/setup/file_formats.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace quelmaro {

class TReportJob;

// The print setup dialog: where a report goes (printer, preview or file), the file format, copies,
// collation and two-sided printing. It starts from the report job it serves and writes the choices back
// into it only when the operator confirms with "OK".
class TdtSetupForm : public QDialog {
    Q_OBJECT
public:
    explicit TdtSetupForm(QWidget* parent = nullptr);
    ~TdtSetupForm() override;

    // The job served; set before the dialog is shown, not owned.
    TReportJob* ReportSystem = nullptr;

    // Showing prepares every control from the job first.
    void setVisible(bool visible) override;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormShow();
    void FormActivate();
    void PrinterRBClick(QRadioButton* sender);
    void FileRBClick();
    void editFileNameChange();
    void FileNameSBClick();
    void cboxFormatChange();
    // "Configurar": the system's print setup for the report printer.
    void BitBtn1Click();
    void bbtnOKClick();

    void ShowSelectedPrinter();
    void FillFormatList();
    bool printerAvailable() const;
    void checkDestination(QRadioButton* button);
    void setTabOrder();

    QGroupBox* GroupBox1;
    QLabel* PrinterLabel;
    QPushButton* SetupBB;
    QGroupBox* DestGB;
    QRadioButton* PrinterRB;
    QRadioButton* PreviewRB;
    QRadioButton* FileRB;
    QLineEdit* editFileName;
    QToolButton* FileNameSB;
    QLabel* Label1;
    QComboBox* cboxFormat;
    QGroupBox* GroupBox2;
    QLabel* CopiesLabel;
    QLineEdit* CopiesED;
    QCheckBox* CollateCK;
    QCheckBox* DuplexCK;
    QPushButton* bbtnOK;
    QPushButton* BitBtn1;

    // The save dialog's settings; its file type follows the chosen format.
    platform::SaveFileRequest dlogSave;
    std::vector<FileFormat> formats_;
    bool activated_ = false;
};

} // namespace quelmaro
