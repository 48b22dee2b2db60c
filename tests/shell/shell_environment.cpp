#include "tests/shell/shell_environment.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTest>

namespace quelmaro::test {

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

} // namespace

const CompanyRoot& sharedCompanies() {
    return demo::shared();
}

ShellEnvironment::ShellEnvironment() {
    // Where the error log goes until the main window has read the registry, instead of the root folder.
    dataModule.directorio = applicationDirectory.path();
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, settings_.path());
    writeRegistryEntry("[General]\nDirectorio=" + applicationDirectory.path().toUtf8() + "\n");
    writeServerList(sharedCompanies().root().toUtf8() + "\r\n");
}

void ShellEnvironment::writeServerList(const QByteArray& bytes) {
    writeFile(applicationDirectory.filePath(QStringLiteral("SERVIDORES.cfg")), bytes);
}

QString ShellEnvironment::registryFile() const {
    return settings_.filePath(QStringLiteral("Qor/Norvaneerp2019.ini"));
}

void ShellEnvironment::writeRegistryEntry(const QByteArray& iniText) {
    writeFile(registryFile(), iniText);
}

void ShellEnvironment::removeRegistryEntry() {
    QFile::remove(registryFile());
}

QString ShellEnvironment::errorLog() const {
    QFile file(applicationDirectory.filePath(QStringLiteral("ERRORES.TXT")));
    return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
}

std::unique_ptr<Tfquelmaro> ShellEnvironment::showMainWindow(const QStringList& arguments) {
    auto window = std::make_unique<Tfquelmaro>(arguments);
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        throw std::runtime_error("the main window did not become active");
    return window;
}

bool waitFor(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QTest::qWait(5);
    }
    return true;
}

QStringList errorsShown(const platform::RecordingMessages& messages) {
    QStringList texts;
    for (const platform::RecordedMessage& message : messages.recorded())
        if (message.kind == platform::MessageKind::Error)
            texts << message.text;
    return texts;
}

} // namespace quelmaro::test
