#pragma once

#include "transmission/run/connection_setup.h"
#include "transmission/run/driver.h"

#include <QDate>
#include <QStringList>

namespace quelmaro {

// What the transmission window takes from the main window: the origin company, the period, the servers
// and the command line's destination and run mode.
struct MainWindowInputs {
    CompanyLogin origin; // Servidor, Cia, Tusua, TClave
    QDate from;          // EFecIni
    QDate to;            // EFecfin
    QStringList servidores;
    CompanyLogin destino; // servidorDestino, ciaDestino, usuarioDestino, claveDestino
    QString modoEnvio;
};

MainWindowInputs readMainWindow();

// The main window's Ptoini and Ptofin, which a run fills in when they are empty.
class MainWindowPointRange : public PointRange {
public:
    QString first() const override;
    QString last() const override;
    void setFirst(const QString& text) override;
    void setLast(const QString& text) override;
};

} // namespace quelmaro
