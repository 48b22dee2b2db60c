#pragma once

#include "data/dm/dm.h"
#include "platform/recording_messages.h"
#include "shell/rngquelmaro.h"
#include "tests/schema/companies.h"
#include "tests/support/temp_dir.h"

#include <functional>
#include <memory>

namespace quelmaro::test {

// The demo companies, read only: the branch company "01" and the central company "00", each with the
// branches ALMACEN CENTRO (1) and ALMACEN NORTE (2), under the root that SERVIDORES.cfg names by default.
const CompanyRoot& sharedCompanies();

// What the program has around its main window: the recording message layer, an application directory with
// SERVIDORES.cfg naming the shared companies, the registry entry pointing at it, and the data module.
class ShellEnvironment {
public:
    ShellEnvironment();

    platform::ScopedRecording messages; // first, so that it outlives whatever shows a message
    TempDir applicationDirectory;
    Tfdm dataModule;

    void writeServerList(const QByteArray& bytes);
    void writeRegistryEntry(const QByteArray& iniText);
    void removeRegistryEntry();
    QString registryFile() const; // the file that stands for the registry key
    QString errorLog() const;     // ERRORES.TXT of the application directory, "" when missing

    // The main window as the program makes it: created with `arguments`, shown and active.
    std::unique_ptr<Tfquelmaro> showMainWindow(const QStringList& arguments = {});

private:
    TempDir settings_;
};

// Runs the event loop until `condition` holds; false when it still does not after `timeoutMs`.
bool waitFor(const std::function<bool()>& condition, int timeoutMs = 10000);

// The texts of the error boxes recorded so far.
QStringList errorsShown(const platform::RecordingMessages& messages);

} // namespace quelmaro::test
