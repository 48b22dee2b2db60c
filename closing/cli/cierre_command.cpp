#include "closing/cli/cierre_command.h"

#include "closing/format/format_records.h"
#include "closing/rows/cimpfactura.h"
#include "closing/run/print_run.h"
#include "data/dm/dm.h"
#include "data/dm/environment_logins.h"
#include "data/dm/formats.h"
#include "platform/guard.h"
#include "platform/messages.h"
#include "platform/printers.h"
#include "platform/registry.h"
#include "platform/unattended_messages.h"

#include <QDir>
#include <QFileInfo>

namespace quelmaro {

namespace {

// Messages go to standard error as in any unattended run; any message means the report did not go out as
// asked.
class CommandMessages : public platform::UnattendedMessages {
public:
    void information(const QString& text) override {
        reported = true;
        UnattendedMessages::information(text);
    }
    void error(const QString& text) override {
        reported = true;
        UnattendedMessages::error(text);
    }
    bool reported = false;
};

// The output named on the command line: a file by its extension (a snapshot file needs no renderer), or else
// an installed printer; nothing for any other text.
std::optional<ClosingOutput> outputFor(const QString& salida, ClosingPrintRun& run) {
    const QString extension = QFileInfo(salida).suffix().toLower();
    if (extension == QLatin1String("pdf"))
        return ClosingOutput{QString(), salida, &run.RenderPdf1};
    if (extension == QLatin1String("ndr"))
        return ClosingOutput{QString(), salida, nullptr};
    if (extension == QLatin1String("rtf"))
        return ClosingOutput{QString(), salida, &run.RenderRTF1};
    if (extension == QLatin1String("txt"))
        return ClosingOutput{QString(), salida, &run.RenderText1};
    if (platform::installedPrinterNames().contains(salida, Qt::CaseInsensitive))
        return ClosingOutput{salida, QString(), nullptr};
    return std::nullopt;
}

// The suite's directory keeps the error log; without a registry entry, the current folder does.
QString logDirectory() {
    const std::optional<QString> directory = platform::readApplicationDirectory();
    return directory && !directory->isEmpty() ? *directory : QDir::currentPath();
}

} // namespace

int runCierre(const CierreArguments& arguments) {
    CommandMessages messages;
    const platform::MessagesOverride installed(messages);
    formats::setSettings(formats::programSettings());
    Tfdm dataModule;
    QDate fecha;
    ClosingReportRows rows(dataModule.QResumen, nullptr);
    FormatRecords format(dataModule.Tformatos, nullptr);
    // No dialog is ever offered, so neither the configuration nor impresoras.cfg is ever read.
    const auto heading = [&] { return ReportHeaderInputs{fecha, arguments.usuario}; };
    ClosingPrintRun run(format, rows, PrintRunContext{{}, {}, heading}, nullptr);
    const std::optional<ClosingOutput> output = outputFor(arguments.salida, run);
    if (!output) {
        platform::messages().error(
            QStringLiteral(
                "La salida %1 no es una impresora instalada ni un archivo .pdf, .ndr, .rtf o .txt.")
                .arg(arguments.salida));
        return 1;
    }

    bool printed = false;
    platform::guarded([&] {
        dataModule.directorio = logDirectory();
        fecha = formats::parseShortDate(arguments.fecha);
        dataModule.Norvane.setParameter(QStringLiteral("Database"),
                                        arguments.servidor + QStringLiteral("/datos/") + arguments.compania +
                                            QStringLiteral("/norvane.fdb"));
        dataModule.Norvane.setParameter(QStringLiteral("User_Name"), arguments.usuario);
        dataModule.Norvane.setParameter(QStringLiteral("password"), dm::originPassword(arguments.clave));
        dataModule.Norvane.open();
        rows.open(ClosingRequest{fecha, completedPointRange({arguments.desde, arguments.hasta}),
                                 arguments.sucursal});
        printed = run.printTo(*output) && !run.ReportJob1.Cancelled;
    });
    return printed && !messages.reported ? 0 : 1;
}

} // namespace quelmaro
