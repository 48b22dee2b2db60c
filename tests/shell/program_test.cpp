// The program itself, run as the operating system runs it: unattended, without a screen, and stopped by a
// signal.
#include "tests/schema/companies.h"
#include "tests/support/temp_dir.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

using namespace quelmaro;

namespace {

class Program : public testing::Test {
protected:
    test::CompanyRoot companies;
    test::TempDir settings;
    QProcess program;

    Program() {
        QDir().mkpath(settings.filePath("Qor"));
        writeFile(settings.filePath("Qor/Norvaneerp2019.ini"),
                  "[General]\nDirectorio=" + companies.root().toUtf8() + "\n");
        writeFile(companies.root() + "/SERVIDORES.cfg", companies.root().toUtf8() + "\r\n");
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("QUELMARO_NO_DIALOGS", "1");
        environment.insert("XDG_CONFIG_DIRS", settings.path());
        program.setProcessEnvironment(environment);
    }
    ~Program() override {
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished();
        }
    }

    static void writeFile(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QString errorLog() const {
        QFile file(companies.root() + "/ERRORES.TXT");
        return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
    }
};

// With an operator (dialogs shown), a start in run mode 2 with a bad day reports it in its box and waits.
TEST_F(Program, CommandLineStartReportsItsErrorAndEndsOnSigterm) {
    test::demo::copyInto(companies);
    QProcessEnvironment environment = program.processEnvironment();
    environment.remove("QUELMARO_NO_DIALOGS");
    program.setProcessEnvironment(environment);
    program.start(QUELMARO_PROGRAM,
                  {companies.root(), "SYSDBA", "masterkey", "01", "", "", "", "", "0", "2", "2024/02/30"});
    ASSERT_TRUE(program.waitForStarted());
    for (int i = 0; i < 100 && errorLog().isEmpty(); ++i)
        program.waitForFinished(100);
    EXPECT_TRUE(errorLog().endsWith(",,'2024/02/30' no es una fecha válida\r\n")) << errorLog().toStdString();

    // Connected to the company, its error box open, and still ended by the signal, as any program is.
    program.terminate();
    EXPECT_TRUE(program.waitForFinished(10000));
}

// Nobody is there to use the window: a nightly transmission that cannot start ends with a failure.
TEST_F(Program, UnattendedTransmissionThatCannotConnectEndsWithOne) {
    program.start(QUELMARO_PROGRAM, {companies.root(), "SYSDBA", "masterkey", "07", companies.root(),
                                     "SYSDBA", "masterkey", "00", "0", "1", "CLI"});
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 1);
    EXPECT_EQ(QString::fromUtf8(program.readAllStandardError()).split('\n').filter("ERROR: "),
              QStringList{"ERROR: No se encontró el archivo o la ruta " + companies.database("07")});
}

// Without dialogs and without arguments nobody could use the window: the start says so after what the
// window's creation had to say, and ends with 2.
TEST_F(Program, MissingRegistryEntryIsReported) {
    QFile::remove(settings.filePath("Qor/Norvaneerp2019.ini"));
    program.start(QUELMARO_PROGRAM, {});
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitCode(), 2);
    const QString output = QString::fromUtf8(program.readAllStandardError());
    EXPECT_TRUE(output.contains("INFO: No se encontró la Clave "
                                "HKEY_LOCAL_MACHINE\\Software\\Qor\\Norvaneerp2019\\Directorio (en este "
                                "sistema, el valor Directorio del archivo " +
                                settings.filePath("Qor/Norvaneerp2019.ini") +
                                ")\nSin argumentos el programa abre su ventana"))
        << output.toStdString();
}

// The usage in Spanish under any locale, on standard output, before anything else happens and without a
// screen.
TEST_F(Program, HelpPrintsTheUsageInSpanish) {
    QProcessEnvironment environment = program.processEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "LANGUAGE", "LC_ALL"})
        environment.remove(name);
    environment.insert("LANG", "C");
    program.setProcessEnvironment(environment);
    for (const char* option : {"--help", "-h"}) {
        program.start(QUELMARO_PROGRAM, {option});
        ASSERT_TRUE(program.waitForFinished(10000));
        EXPECT_EQ(program.exitCode(), 0) << option;
        EXPECT_TRUE(QString::fromUtf8(program.readAllStandardOutput())
                        .startsWith("Uso: quelmaro SERVIDOR USUARIO CLAVE COMPAÑÍA"))
            << option;
        EXPECT_EQ(program.readAllStandardError(), "") << option;
    }
}

TEST_F(Program, WithoutAScreenSaysWhatToDo) {
    QProcessEnvironment environment = program.processEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(name);
    program.setProcessEnvironment(environment);
    program.start(QUELMARO_PROGRAM, {});
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(program.readAllStandardError()).contains("QT_QPA_PLATFORM=offscreen"));
}

} // namespace
