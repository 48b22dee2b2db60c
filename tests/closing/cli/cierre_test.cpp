#include "report/render_text.h"
#include "report/snapshot.h"
#include "tests/closing/support/closing_page.h"
#include "tests/closing/support/print_queues.h"
#include "tests/closing/support/summary_fixture.h"

#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <map>

// The command cierre, run as its own process on a copy of a company whose daily summary holds the known day.
namespace quelmaro {
namespace {

struct Outcome {
    int exitCode = -1;
    QString errors; // standard error
};

class Cierre : public testing::Test {
protected:
    void SetUp() override { database = test::copyKnownDayCompany(companies); }

    // The registry entry names `directory` as the suite's, where the error log goes.
    void setApplicationDirectory(const QString& directory) {
        QDir().mkpath(settings.filePath(QStringLiteral("Qor")));
        QFile entry(settings.filePath(QStringLiteral("Qor/Norvaneerp2019.ini")));
        ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
        entry.write("[General]\nDirectorio=" + directory.toUtf8() + "\n");
    }

    // With the C locale, as a scheduler runs it: its texts are Spanish all the same.
    Outcome cierre(const QStringList& arguments, QString* standardOutput = nullptr) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
            environment.remove(QLatin1String(variable));
        environment.insert(QStringLiteral("LANG"), QStringLiteral("C"));
        // Nothing is shown: the command needs no screen and finds its way without one.
        for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR"})
            environment.remove(QLatin1String(variable));
        environment.insert(QStringLiteral("XDG_CONFIG_DIRS"), settings.path());
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(workingDirectory.path());
        process.start(QStringLiteral(CIERRE_PROGRAM), arguments);
        EXPECT_TRUE(process.waitForFinished(120000)) << "cierre did not end";
        // Nothing of Qt's own reaches standard error, whatever the environment lacks.
        const QStringList lines =
            QString::fromUtf8(process.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts);
        if (standardOutput)
            *standardOutput = QString::fromUtf8(process.readAllStandardOutput());
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, lines.join(u'\n')};
    }
    QStringList knownDay(const QString& output, const QStringList& options = {}) {
        return QStringList{companies.root(),     QStringLiteral("SYSDBA"),     QStringLiteral("masterkey"),
                           QStringLiteral("01"), QStringLiteral("2024/03/15"), output} +
               options;
    }
    // The page printed for `request`, read back, checked in full; how many data it holds.
    std::size_t checkPage(const QString& pdf, const test::ClosingReportRequest& request) {
        const std::vector<test::PdfPage> pages = test::readPdfWords(pdf);
        EXPECT_EQ(pages.size(), 1u);
        if (pages.empty())
            return 0;
        const auto connection = test::openDatabase(database);
        return test::expectClosingPage(pages[0], *connection, request);
    }

    test::CompanyRoot companies;
    test::TempDir settings;
    test::TempDir workingDirectory;
    test::TempDir output;
    QString database;
};

// Every text of the page stands whole in its plain text, with a blank or a line's end on both sides, at
// least as many times as the page draws it: no two texts run together or overwrite each other.
void expectEveryTextApart(const PageStore& store) {
    test::TempDir folder;
    TRenderText renderer;
    renderer.OutputFile = folder.filePath(QStringLiteral("cierre.txt"));
    renderer.RenderStream(store);
    QFile read(renderer.OutputFile);
    ASSERT_TRUE(read.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(read.readAll());
    std::map<QString, int> drawn;
    for (const DrawCommand& command : store.pages.at(0).commands)
        if (const auto* printed = std::get_if<TextCommand>(&command);
            printed && !printed->text.trimmed().isEmpty())
            ++drawn[printed->text.trimmed()];
    for (const auto& [printed, times] : drawn) {
        const QRegularExpression alone(QStringLiteral("(?<![^ \\n])") + QRegularExpression::escape(printed) +
                                       QStringLiteral("(?![^ \\n])"));
        int found = 0;
        for (auto match = alone.globalMatch(text); match.hasNext(); match.next())
            ++found;
        EXPECT_GE(found, times) << printed.toStdString() << " in\n" << text.toStdString();
    }
}

const test::ClosingReportRequest kAllPoints{test::kKnownDay, 0, 99999, 0, QStringLiteral("SYSDBA"), {}};

TEST_F(Cierre, PdfOfTheDayHoldsEveryFigureWhereTheFormatPutsIt) {
    const QString pdf = output.filePath(QStringLiteral("cierre.pdf"));
    const Outcome outcome = cierre(knownDay(pdf));
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(outcome.errors, QString());
    EXPECT_EQ(checkPage(pdf, kAllPoints), 54u + 3 * 45);
}

TEST_F(Cierre, BranchAndPointsOfSale) {
    const QString pdf = output.filePath(QStringLiteral("cierre.PDF"));
    const Outcome outcome =
        cierre(knownDay(pdf, {QStringLiteral("--sucursal"), QStringLiteral("1"), QStringLiteral("--desde"),
                              QStringLiteral("1"), QStringLiteral("--hasta"), QStringLiteral("3")}));
    EXPECT_EQ(outcome.exitCode, 0) << outcome.errors.toStdString();
    EXPECT_EQ(checkPage(pdf, {test::kKnownDay, 1, 3, 1, QStringLiteral("SYSDBA"), {}}), 54u + 2 * 45);
}

// The extension picks the format: a snapshot the preview opens again, rich text and plain text, where every
// text of the page stands apart.
TEST_F(Cierre, FileFormatsByExtension) {
    const QString snapshot = output.filePath(QStringLiteral("cierre.ndr"));
    ASSERT_EQ(cierre(knownDay(snapshot)).exitCode, 0);
    const PageStore store = loadSnapshot(snapshot);
    EXPECT_EQ(store.title, QStringLiteral("RESUMEN DIARIO."));
    EXPECT_EQ(store.pageCount(), 1);
    for (const char* name : {"cierre.rtf", "cierre.txt"}) {
        const QString file = output.filePath(QLatin1String(name));
        ASSERT_EQ(cierre(knownDay(file)).exitCode, 0) << name;
        QFile written(file);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly)) << name;
        const QByteArray text = written.readAll();
        for (const char* figure : {"CAJA UNO", "CAJA TRES", "2024/03/15", "-101.25"})
            EXPECT_TRUE(text.contains(figure)) << name << ": " << figure;
    }
    expectEveryTextApart(store);
}

struct FailureCase {
    const char* what;
    QStringList arguments;
    const char* message;
};

TEST_F(Cierre, FailuresAreReportedInSpanishAndEndTheCommandWithoutOutput) {
    const QString pdf = output.filePath(QStringLiteral("cierre.pdf"));
    const QString missing = QDir(companies.root()).filePath(QStringLiteral("datos/07/norvane.fdb"));
    const auto withCompany = [&](const char* company) {
        QStringList arguments = knownDay(pdf);
        arguments[3] = QLatin1String(company);
        return arguments;
    };
    QStringList badDate = knownDay(pdf);
    badDate[4] = QStringLiteral("2024/13/15");
    const FailureCase cases[] = {
        {"output", knownDay(output.filePath(QStringLiteral("cierre.doc"))),
         "ERROR: La salida %1 no es una impresora instalada ni un archivo .pdf, .ndr, .rtf o .txt."},
        {"company", withCompany("07"), "ERROR: No se encontró el archivo o la ruta %2"},
        {"date", badDate, "ERROR: Se presento el siguiente error: '2024/13/15' no es una fecha válida"},
        {"point of sale", knownDay(pdf, {QStringLiteral("--desde"), QStringLiteral("1;drop")}),
         "ERROR: Se presento el siguiente error: '1;drop' no es un número entero válido"},
        {"branch", knownDay(pdf, {QStringLiteral("--sucursal"), QStringLiteral("todas")}),
         "ERROR: Se presento el siguiente error: 'todas' no es un número entero válido"},
        {"folder", knownDay(output.filePath(QStringLiteral("no-existe/cierre.pdf"))),
         "ERROR: Se presento el siguiente error: No se pudo crear el archivo %1/no-existe/cierre.pdf: No hay "
         "ningún fichero o directorio con ese nombre"},
    };
    for (const FailureCase& c : cases) {
        const Outcome outcome = cierre(c.arguments);
        EXPECT_EQ(outcome.exitCode, 1) << c.what;
        const QString message =
            QString::fromUtf8(c.message)
                .replace(QStringLiteral("%1/"), output.path() + u'/')
                .replace(QStringLiteral("%1"), output.filePath(QStringLiteral("cierre.doc")))
                .replace(QStringLiteral("%2"), missing);
        EXPECT_EQ(outcome.errors, message) << c.what;
        EXPECT_FALSE(QFile::exists(pdf)) << c.what;
    }
}

// Help and a command line it cannot use, in Spanish: the usage on standard output and 0 for the help, the
// reason and the usage on standard error and 2 otherwise.
TEST_F(Cierre, HelpAndUnusableCommandLines) {
    for (const char* option : {"--help", "-h"}) {
        QString usage;
        const Outcome outcome = cierre({QLatin1String(option)}, &usage);
        EXPECT_EQ(outcome.exitCode, 0) << option;
        EXPECT_TRUE(usage.startsWith(QStringLiteral("Uso: cierre [opciones] SERVIDOR USUARIO CLAVE COMPAÑÍA "
                                                    "AAAA/MM/DD SALIDA\n")))
            << usage.toStdString();
        EXPECT_TRUE(usage.contains(QStringLiteral("  -h, --help        Muestra esta ayuda.\n")));
        EXPECT_EQ(outcome.errors, QString()) << option;
    }
    const Outcome unknown = cierre(knownDay(QStringLiteral("x.pdf"), {QStringLiteral("--zona=1")}));
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.errors.startsWith(QStringLiteral("Opción desconocida: --zona.\nUso: cierre")))
        << unknown.errors.toStdString();
    // After "--" a password may start with "-" (the embedded engine takes any); options before it count.
    const QString pdf = output.filePath(QStringLiteral("guion.pdf"));
    QStringList dashed = knownDay(pdf);
    dashed[2] = QStringLiteral("-clave");
    EXPECT_EQ(cierre(QStringList{QStringLiteral("--sucursal=0"), QStringLiteral("--")} + dashed).exitCode, 0);
    EXPECT_TRUE(QFile::exists(pdf));
}

TEST_F(Cierre, NoFormatOfTheClosingReport) {
    {
        const auto connection = test::openDatabase(database);
        for (const char* table : {"formato_datos", "formato_lineas", "formatos"})
            connection->execute(
                QStringLiteral("delete from %1 where tido_cod = 131").arg(QLatin1String(table)));
    }
    const QString pdf = output.filePath(QStringLiteral("cierre.pdf"));
    const Outcome outcome = cierre(knownDay(pdf));
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.errors, QStringLiteral("INFO: No se encontró el formato de impresión."));
    EXPECT_FALSE(QFile::exists(pdf));
}

// Errors are logged where the suite keeps its log, or in the current folder when no registry entry says.
TEST_F(Cierre, ErrorLogInTheSuitesDirectory) {
    const QString badDate = QStringLiteral("2024/02/30");
    QStringList arguments = knownDay(output.filePath(QStringLiteral("cierre.pdf")));
    arguments[4] = badDate;
    ASSERT_EQ(cierre(arguments).exitCode, 1);
    QFile here(workingDirectory.filePath(QStringLiteral("ERRORES.TXT")));
    ASSERT_TRUE(here.open(QIODevice::ReadOnly));
    EXPECT_TRUE(here.readAll().contains("'2024/02/30' no es una fecha válida"));

    test::TempDir suite;
    setApplicationDirectory(suite.path());
    ASSERT_EQ(cierre(arguments).exitCode, 1);
    EXPECT_TRUE(QFile::exists(suite.filePath(QStringLiteral("ERRORES.TXT"))));
}

// The demo company's real daily summary, on a day just after a month end, for all branches and for one.
TEST_F(Cierre, DemoCompanyOnItsLastDay) {
    test::CompanyRoot demo;
    test::demo::copyInto(demo);
    const QString day = test::demo::kLastDay.toString(QStringLiteral("yyyy/MM/dd"));
    const auto connection = [&] { return test::openDatabase(demo.database(QStringLiteral("01"))); };
    for (const int branch : {0, 1, 2}) {
        const QString pdf = output.filePath(QStringLiteral("demo-%1.pdf").arg(branch));
        const Outcome outcome =
            cierre({demo.root(), QStringLiteral("SYSDBA"), QStringLiteral("masterkey"), QStringLiteral("01"),
                    day, pdf, QStringLiteral("--sucursal"), QString::number(branch)});
        ASSERT_EQ(outcome.exitCode, 0) << outcome.errors.toStdString();
        const std::vector<test::PdfPage> pages = test::readPdfWords(pdf);
        ASSERT_EQ(pages.size(), 1u);
        const std::size_t points = branch == 0 ? 3 : branch == 1 ? 2 : 1;
        EXPECT_EQ(
            test::expectClosingPage(pages[0], *connection(),
                                    {test::demo::kLastDay, 0, 99999, branch, QStringLiteral("SYSDBA"), {}}),
            54 + points * 45)
            << "branch " << branch;
    }
    // Three points of sale with the demo's large figures, as plain text.
    const QStringList allBranches = {demo.root(), QStringLiteral("SYSDBA"), QStringLiteral("masterkey"),
                                     QStringLiteral("01"), day};
    const QString snapshot = output.filePath(QStringLiteral("demo.ndr"));
    ASSERT_EQ(cierre(allBranches + QStringList{snapshot}).exitCode, 0);
    expectEveryTextApart(loadSnapshot(snapshot));
}

TEST_F(Cierre, PrinterByItsName) {
    const test::PrintQueue queue = test::PrintQueue::shared();
    if (queue.name.isEmpty() || !QPrinterInfo::availablePrinterNames().contains(queue.name))
        GTEST_SKIP() << "no test print queue; scripts/services.sh starts one";
    queue.clear();
    const Outcome outcome = cierre(knownDay(queue.name.toUpper()));
    EXPECT_EQ(outcome.exitCode, 0) << outcome.errors.toStdString();
    const std::vector<test::PdfPage> pages = queue.printedPages();
    ASSERT_EQ(pages.size(), 1u);
    const auto connection = test::openDatabase(database);
    EXPECT_EQ(test::expectClosingPage(pages[0], *connection, kAllPoints), 54u + 3 * 45);
}

} // namespace
} // namespace quelmaro
