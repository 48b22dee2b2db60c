#pragma once

#include <QString>

namespace quelmaro {

// What the headless closing report is asked for: the origin company as the main window names it (server
// entry, user, password, company code), the report date as "yyyy/mm/dd", the branch ("0" for all), the
// points of sale as an operator would type them, and where the page goes: a file whose extension (.pdf,
// .ndr, .rtf or .txt) picks its format, or else the name of an installed printer.
struct CierreArguments {
    QString servidor;
    QString usuario;
    QString clave;
    QString compania;
    QString fecha;
    QString salida;
    QString sucursal = QStringLiteral("0");
    QString desde;
    QString hasta;
};

// Produces the page the closing window would print, through the same rows, format, rendering and report
// job, without any dialog. Every message, errors included, goes to standard error in Spanish; errors are
// also logged in ERRORES.TXT. Returns the process's exit code: 0 when the page went out and nothing had to
// be reported, 1 otherwise. Needs the application object; makes its own data module, so none may exist yet.
int runCierre(const CierreArguments& arguments);

} // namespace quelmaro
