#pragma once

#include <QCoreApplication>
#include <QMap>
#include <QStringList>
#include <QWidget>

class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace quelmaro {

class Provider;
class RecordSet;

// "Resumen diario": the operator chooses the origin company (leaving Cia connects to it), the period, the
// branch and the points of sale, then prints the closing report (F2) or transmits the day's business (F5).
// With a run mode in its command line it fills itself, connects and transmits without an operator.
// The data module `fdm` must exist before it is created. The closing and transmission windows read its
// controls and fields through `fquelmaro`.
class Tfquelmaro : public QWidget {
    Q_OBJECT
public:
    // `arguments` are the positional command-line arguments, the first one being argument 1.
    explicit Tfquelmaro(const QStringList& arguments = QCoreApplication::arguments().mid(1),
                        QWidget* parent = nullptr);
    ~Tfquelmaro() override;

    QStringList servidores;  // the entries of SERVIDORES.cfg
    QString agencia;         // the chosen branch: its SUCU_ID as text, "0" for all
    QString servidorDestino; // destination of a command-line start (arguments 5 to 8) ...
    QString usuarioDestino;
    QString claveDestino;
    QString ciaDestino;
    QString modoEnvio; // ... and its run mode (argument 10)

    // Group "Origen:"
    QGroupBox* GroupBox1;
    QComboBox* Servidor;
    QLineEdit* Tusua;
    QLineEdit* TClave;
    QLineEdit* Cia;
    // Group "Parámetros "
    QGroupBox* GroupBox2;
    QDateEdit* EFecIni;
    QDateEdit* EFecfin;
    QComboBox* CboAgencia;
    QLineEdit* Ptoini;
    QLineEdit* Ptofin;
    QLabel* Revision;
    // Bottom panel
    QToolButton* SpeedButton3; // "F2: Imprimir"
    QToolButton* SpeedButton1; // "F5: Transmitir"
    QToolButton* SpeedButton2; // "Esc: Cancelar"
    QLabel* Panel5;            // the busy panel

    // The branches of the connected company (SUCURSALES), and the window's configuration lookup.
    Provider* PSubemp;
    RecordSet* CSubemp;
    Provider* PConfiguracion;
    RecordSet* CConfiguracion;

    // The suite's installation directory; a missing registry entry is reported and gives "".
    QString diraplicacion();
    // The value of a configuration row of the database the data module is connected to; a missing row
    // shows "No se encontró la configuración <propiedad>" and gives "".
    QString configuracion(const QString& modulo, const QString& categoria, const QString& propiedad);

    // Handlers. They raise errors freely: whatever triggers them runs them inside the data module's guard.
    void FormActivate();      // the command-line start, once per run
    void CiaExit();           // the connection to the origin company
    void CboAgenciaChange();  // the branch picked in CboAgencia becomes `agencia`
    void SpeedButton3Click(); // F2: the closing report, then the program ends
    void SpeedButton1Click(); // F5: the transmission
    void SpeedButton2Click(); // Esc: closes the window and ends the program

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void FormCreate();
    void FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
    // Argument `number` of the command line, counted from 1; "" when absent.
    QString argument(int number) const;
    void showBusy(const QString& caption);
    // Opens the data module's connection. When it fails, nothing of the attempt stays: the busy panel goes,
    // F2 and F5 wait for a connection that succeeds, and the focus goes to the field to correct; the error
    // goes on to the caller.
    void openConnection();
    void connectionFailed(const QString& error);
    // Points the data module's connection at the database of `parameters` again.
    void reconnect(const QMap<QString, QString>& parameters);
    void fillBranches();
    void prefillFromEnvironment();

    QStringList arguments_;
    bool activated_ = false;
    // After a failed connection F2 and F5 do nothing, by button or by key, until a connection succeeds.
    bool connectionFailed_ = false;
    QList<QWidget*> enterFields_; // the fields where Enter moves on like Tab
};

// The main window of the running program; null before it is created and after it is gone.
extern Tfquelmaro* fquelmaro;

} // namespace quelmaro
