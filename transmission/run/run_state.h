#pragma once

#include "data/types/fixed.h"
#include "data/types/value.h"
#include "transmission/run/run_report.h"

#include <QDate>
#include <QString>

#include <cstdint>
#include <functional>

class QObject;

namespace quelmaro::fb {
class Connection;
}

namespace quelmaro {

class RecordSet;

// The columns of the current `punto_venta` row that the steps read. Values stay as the origin gave them,
// so a missing BODE_COD or CAJA_ID is still null when it reaches a required column.
struct PointOfSale {
    Value id;       // PTVT_ID
    Value nombre;   // PTVT_NOM
    Value bodega;   // BODE_COD
    Value nit;      // TERC_NIT
    Value caja;     // CAJA_ID
    Value prefijo;  // PREF_PRE
    Value sucursal; // SUCU_ID
};

// The day's last invoice of the current point of sale in the destination: the one the receipt pays.
struct LastInvoice {
    Value id;      // fact_id
    Value numero;  // fact_numero
    Value prefijo; // pref_pre
    Fixed total;   // fact_total
    Value nit;     // terc_nit
    Value nombre;  // fact_nomcliente
};

// What the steps of one run share and change.
struct RunState {
    // Time up to which the point's sales of the date were already sent; the receipts step asks for the
    // payments after it. "00:00:00" at the start of every run; only the sales step changes it.
    QString timeMark = QStringLiteral("00:00:00");
    // Invoice totals are rounded to a multiple of 10^roundingExponent (may be negative).
    int roundingExponent = 0;
    int invoiceLineCounter = 0;
    // Price list of the last invoice customer found in the destination's `clientes`; kept between invoices.
    std::int64_t priceList = 0;
    LastInvoice lastInvoice;
};

// What the operator chose for the run, fixed while it lasts.
struct RunSettings {
    QString originUser; // the main window's Tusua: FACT_USUARIO, RECA_USUARIO
    QString runMode;    // modoEnvio: "1" unattended, "2" sales only, "3" receipts only, "" interactive
    bool unattended() const { return runMode == QLatin1String("1"); }
};

// Where the run shows what it is doing: the window's Panel5, or standard output without a window.
class Progress {
public:
    virtual ~Progress() = default;
    virtual void show(const QString& text) = 0; // replaces the line, shows it and repaints at once
    virtual void hide() = 0;
};

// Everything a step gets: both connections, the date being sent, the shared state, the destination record
// sets that stay open for a whole date, the progress line and the data module's services. Statements to the
// origin go through origin(), which only reads; statements to the destination through destination(), each
// committed on its own unless a step writes a document in one transaction. Values go to statements as bound
// parameters, never pasted into the text.
class Run {
public:
    using ConfigurationLookup =
        std::function<QString(const QString& module, const QString& category, const QString& property)>;
    using RecordSetConfigurer = std::function<void(QObject& owner)>;

    Run(fb::Connection& origin, fb::Connection& destination, const RunSettings& settings, Progress& progress,
        ConfigurationLookup configuracion, RecordSetConfigurer configurarProviders);

    fb::Connection& origin() const { return origin_; }
    fb::Connection& destination() const { return destination_; }
    const RunSettings& settings() const { return settings_; }
    RunState& state() { return state_; }

    // What the run has sent and what failed so far.
    RunReport& report() { return report_; }

    const QDate& date() const { return date_; }
    void setDate(const QDate& date) { date_ = date; }
    // The date as statements and messages write it: "2020/01/24".
    QString dateText() const;

    // The invoice (with nested CDetalle) and receipt (with nested Crecidetalle, CRecipago) record sets of
    // the destination. The driver opens CFactura for key 0 at the start of a date and closes both at its
    // end; the sales and receipts steps add their documents to them in between.
    RecordSet& CFactura() const;
    RecordSet& CRecibo() const;
    void setDocumentRecordSets(RecordSet& factura, RecordSet& recibo);

    void showProgress(const QString& text) { progress_.show(text); }
    void hideProgress() { progress_.hide(); }

    // The data module's configuration lookup on the destination: reports a missing row and gives "".
    QString configuracion(const QString& module, const QString& category, const QString& property) const;
    // Gives every provider and record set owned by `owner` the data module's error handlers (packets of
    // 1000 rows, ManejarError on apply, ManejarClientError on post, edit and delete).
    void configurarProviders(QObject& owner) const;

private:
    fb::Connection& origin_;
    fb::Connection& destination_;
    RunSettings settings_;
    Progress& progress_;
    ConfigurationLookup configuracion_;
    RecordSetConfigurer configurarProviders_;
    RunState state_;
    RunReport report_;
    QDate date_;
    RecordSet* factura_ = nullptr;
    RecordSet* recibo_ = nullptr;
};

// The steps the driver runs for each point of sale, in this order when their box is checked: sales,
// receipts, transfers, disbursements. Each step object lives as long as the window and may keep record
// sets of its own between points.
class PointStep {
public:
    virtual ~PointStep() = default;
    virtual void send(Run& run, const PointOfSale& point) = 0;
};

// The step run once per date after its points of sale: the customers.
class DateStep {
public:
    virtual ~DateStep() = default;
    virtual void send(Run& run) = 0;
};

} // namespace quelmaro
