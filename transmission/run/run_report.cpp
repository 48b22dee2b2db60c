#include "transmission/run/run_report.h"

#include <algorithm>
#include <cstdio>

namespace quelmaro {

void RunReport::failed(const QString& work) {
    if (!failed_.contains(work))
        failed_.append(work);
}

void RunReport::interrupted(const QString& work) {
    interruptedAt_ = work;
}

QString RunReport::summary() const {
    QString line = QStringLiteral("RESUMEN: enviados %1 facturas, %2 recibos, %3 traslados, %4 egresos, "
                                  "%5 clientes; %6 contabilizaciones pendientes terminadas")
                       .arg(count(Sent::Factura))
                       .arg(count(Sent::Recibo))
                       .arg(count(Sent::Traslado))
                       .arg(count(Sent::Egreso))
                       .arg(count(Sent::Cliente))
                       .arg(count(Sent::PendingPosting));
    if (!failed_.isEmpty())
        line += QStringLiteral("; fallaron: ") + failed_.join(QStringLiteral(", "));
    if (!interruptedAt_.isEmpty()) {
        const bool sentNothing = std::all_of(counts_.begin(), counts_.end(), [](int n) { return n == 0; });
        line += QStringLiteral("; interrumpido en ") + interruptedAt_ +
                (sentNothing && failed_.isEmpty() ? QStringLiteral(": no se envió nada")
                                                  : QStringLiteral(": lo que seguía no se envió"));
    }
    if (succeeded())
        line += QStringLiteral("; sin fallas");
    else if (failed_.isEmpty() && interruptedAt_.isEmpty())
        line += QStringLiteral("; con %1 errores").arg(problems_);
    return line;
}

void RunReport::writeSummaryLine() const {
    const QByteArray line = summary().toUtf8() + '\n';
    std::fwrite(line.constData(), 1, std::size_t(line.size()), stderr);
    std::fflush(stderr);
}

class RunReport::ErrorWatch::Counting : public platform::Messages {
public:
    Counting(RunReport& report, platform::Messages& shown) : report_(report), shown_(shown) {}

    void information(const QString& text) override { shown_.information(text); }
    void error(const QString& text) override {
        report_.problem();
        shown_.error(text);
    }
    void beep() override { shown_.beep(); }
    std::optional<platform::SaveFileChoice> saveFileName(const platform::SaveFileRequest& request) override {
        return shown_.saveFileName(request);
    }
    std::optional<QString> openFileName(const platform::OpenFileRequest& request) override {
        return shown_.openFileName(request);
    }
    bool printerSetup(QPrinter& printer) override { return shown_.printerSetup(printer); }
    bool print(QPrinter& printer, int minPage, int maxPage) override {
        return shown_.print(printer, minPage, maxPage);
    }

private:
    RunReport& report_;
    platform::Messages& shown_;
};

RunReport::ErrorWatch::ErrorWatch(RunReport& report)
    : counting_(std::make_unique<Counting>(report, platform::messages())),
      override_(std::make_unique<platform::MessagesOverride>(*counting_)) {}

RunReport::ErrorWatch::~ErrorWatch() = default;

} // namespace quelmaro
