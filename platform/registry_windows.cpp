#include "platform/registry.h"

#include "platform/error.h"

#include <windows.h>

#include <vector>

namespace quelmaro::platform {

namespace {

const wchar_t* const keyPath = L"Software\\Qor\\Norvaneerp2019";
const wchar_t* const valueName = L"Directorio";

class OpenKey {
public:
    OpenKey() = default;
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    ~OpenKey() {
        if (handle)
            RegCloseKey(handle);
    }
    HKEY handle = nullptr;
};

PlatformError valueError(const char* problem) {
    return PlatformError(
        QStringLiteral("El valor \"Directorio\" de HKEY_LOCAL_MACHINE\\Software\\Qor\\Norvaneerp2019 %1.")
            .arg(QString::fromUtf8(problem)));
}

} // namespace

// Read with the Win32 calls rather than QSettings: QSettings opens a path key for writing and creates it when
// the process may, and the key must never be created. The suite is a 32-bit program, so its entry lives in
// the 32-bit view of the registry.
std::optional<QString> readApplicationDirectory() {
    OpenKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_READ | KEY_WOW64_32KEY, &key.handle) !=
        ERROR_SUCCESS)
        return std::nullopt;

    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.handle, valueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return QString();
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        throw valueError("no es un texto");

    // One character more than the data so that the text is terminated even when the data is not.
    std::vector<wchar_t> text(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key.handle, valueName, nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                         &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        throw valueError("cambió mientras se leía");
    return QString::fromWCharArray(text.data());
}

QString applicationDirectoryFile() {
    return QString();
}

} // namespace quelmaro::platform
