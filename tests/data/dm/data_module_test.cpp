#include "data/dm/dm.h"
#include "data/fb/error.h"
#include "data/recordset/provider.h"
#include "data/recordset/query.h"
#include "data/recordset/recordset.h"
#include "data/types/errors.h"
#include "platform/clock.h"
#include "platform/recording_messages.h"
#include "tests/schema/companies.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace quelmaro;
using platform::MessageKind;
using platform::RecordedMessage;

namespace {

const QDateTime kNow(QDate(2024, 3, 1), QTime(18, 30, 5));

// A window's data as ConfigurarProviders finds it: providers and record sets owned by the window, some of
// them through a part of the window that owns them in turn.
struct Window {
    QObject window;
    QObject* part = new QObject(&window);
    Provider* PSubemp;
    RecordSet* CSubemp;
    Provider* PFormato;
    RecordSet* CFormato;

    explicit Window(Tfdm& dm)
        : PSubemp(new Provider("PSubemp", dm.TSubEmpresa, &window)),
          CSubemp(new RecordSet("CSubemp", &window)), PFormato(new Provider("PFormato", dm.Tformatos, part)),
          CFormato(new RecordSet("CFormato", part)) {
        CSubemp->setProvider(PSubemp);
        CSubemp->declareField({"SUCU_ID", fb::ColumnType::Integer, 0, 0, true});
        CSubemp->declareField({"SUCU_NOMBRE", fb::ColumnType::Text, 60});
        CSubemp->declareField({"SUCU_DIRECCION", fb::ColumnType::Text, 60, 4, true});
        CFormato->setProvider(PFormato);
    }
};

class DataModule : public testing::Test {
protected:
    platform::FixedClock clock{kNow};
    platform::ScopedRecording messages;
    test::TempDir directory;
    Tfdm dm;

    DataModule() {
        dm.directorio = directory.path();
        // The demo branch company, with two branches and the closing-report format; no test leaves a change.
        dm.Norvane.setParameter("Database", test::demo::origin());
        dm.Norvane.setParameter("User_Name", "SYSDBA");
        dm.Norvane.setParameter("password", "masterkey");
        dm.Norvane.open();
    }

    QStringList logLines() const {
        QFile file(directory.filePath("ERRORES.TXT"));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = QString::fromLocal8Bit(file.readAll()).split("\r\n");
        EXPECT_EQ(lines.takeLast(), ""); // every line ends with CR LF
        return lines;
    }

    // What the operator saw and heard for one reported error.
    QList<RecordedMessage> reported(const QString& shown) const {
        return {{MessageKind::Beep, {}}, {MessageKind::Error, shown}};
    }
};

TEST_F(DataModule, ConfigurarProvidersReachesNestedOwners) {
    Window window(dm);
    RecordSet outside("outside");
    dm.ConfigurarProviders(&window.window);
    EXPECT_TRUE(window.PSubemp->updateErrorHandler());
    EXPECT_TRUE(window.PFormato->updateErrorHandler());
    EXPECT_EQ(window.CSubemp->packetRecords(), 1000);
    EXPECT_EQ(window.CFormato->packetRecords(), 1000);
    EXPECT_EQ(outside.packetRecords(), -1);
    EXPECT_FALSE(dm.PConfiguracion.updateErrorHandler());
}

TEST_F(DataModule, RequiredFieldsListedInFieldOrder) {
    Window window(dm);
    dm.ConfigurarProviders(&window.window);
    window.CSubemp->open();
    window.CSubemp->append();
    window.CSubemp->setValue("SUCU_NOMBRE", "NUEVA");
    // Cancelled silently after the message: the caller only sees the abort.
    EXPECT_THROW(window.CSubemp->post(), OperationAborted);
    EXPECT_EQ(messages.recorded(), reported("Los campos SUCU_ID, SUCU_DIRECCION,  son obligatorios."));
    EXPECT_EQ(logLines(), QStringList{"2024/03/01,18:30:05,,Field 'SUCU_ID' must have a value"});
}

TEST_F(DataModule, MasterWithDetailsCannotBeDeleted) {
    Window window(dm);
    dm.ConfigurarProviders(&window.window);
    window.CFormato->open();
    ASSERT_FALSE(window.CFormato->detail("Tformadatos").isEmpty());
    EXPECT_THROW(window.CFormato->remove(), OperationAborted);
    EXPECT_EQ(messages.recorded(), reported("Error. Borre antes los detalles dependientes del registro."));
    EXPECT_EQ(window.CFormato->changeCount(), 0);
}

TEST_F(DataModule, NestedRecordSetsReportTheirOwnErrors) {
    Window window(dm);
    dm.ConfigurarProviders(&window.window);
    window.CFormato->open();
    RecordSet& lines = window.CFormato->detail("Tformalineas");
    lines.append(); // the link columns come from the format
    EXPECT_THROW(lines.post(), OperationAborted);
    ASSERT_EQ(messages.recorded().size(), 2);
    EXPECT_TRUE(messages.recorded()[1].text.startsWith("Los campos FOLI_ITEM, ")) << messages.recorded()[1];
    EXPECT_TRUE(messages.recorded()[1].text.endsWith(",  son obligatorios.")) << messages.recorded()[1];
}

struct ProviderCase {
    const char* name;
    std::function<void(RecordSet&)> change;
    QString shown;
    QString logged; // the start of the raw text, as logged
};

void PrintTo(const ProviderCase& c, std::ostream* out) {
    *out << c.name;
}

class ProviderErrors : public DataModule, public testing::WithParamInterface<ProviderCase> {};

TEST_P(ProviderErrors, NameTheTableAndStopTheApply) {
    Window window(dm);
    dm.ConfigurarProviders(&window.window);
    dm.usuario = "central";
    window.CSubemp->open();
    GetParam().change(*window.CSubemp);
    EXPECT_EQ(window.CSubemp->applyUpdates(), 1);
    EXPECT_EQ(messages.recorded(), reported(GetParam().shown));
    const QStringList lines = logLines();
    ASSERT_EQ(lines.size(), 1); // Firebird's several lines make one line of the log
    EXPECT_TRUE(lines[0].startsWith("2024/03/01,18:30:05,central," + GetParam().logged))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[0].contains(" -")) << lines[0].toStdString();
    // Nothing was written.
    window.CSubemp->close();
    window.CSubemp->open();
    EXPECT_EQ(window.CSubemp->recordCount(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Apply, ProviderErrors,
    testing::Values(
        ProviderCase{"PrimaryKey",
                     [](RecordSet& branches) {
                         branches.append();
                         branches.setValue("SUCU_ID", 1);
                         branches.setValue("SUCU_DIRECCION", "CALLE 1");
                         branches.post();
                     },
                     "Ya existe el registro en la tabla SubEmpresa",
                     "Database error: violation of PRIMARY or UNIQUE KEY constraint \"PK_SUCURSALES\""},
        ProviderCase{
            "ForeignKey",
            [](RecordSet& branches) {
                branches.first();
                branches.remove();
            },
            "Está borrando o insertando un registro en la tabla SubEmpresa que tiene una relación con "
            "otra tabla.",
            "Database error: violation of FOREIGN KEY constraint"}),
    [](const testing::TestParamInfo<ProviderCase>& info) { return info.param.name; });

TEST_F(DataModule, UnhandledErrorsAreLoggedAndTranslated) {
    platform::guarded([] {
        throw fb::DatabaseError("Unable to complete network request to host \"srv1\".\n"
                                "-Failed to locate host machine.");
    });
    platform::guarded([] { throw fb::DatabaseError("arithmetic exception, numeric overflow"); });
    platform::guarded([] { throw ConversionError("'' no es una fecha válida"); });
    platform::guarded([] { throw OperationAborted(); });
    EXPECT_EQ(
        messages.recorded(),
        reported("No se encontró el equipo servidor con nombre srv1") +
            reported(
                "Se presento el siguiente error: Database error: arithmetic exception, numeric overflow") +
            reported("Se presento el siguiente error: '' no es una fecha válida"));
    EXPECT_EQ(logLines(),
              QStringList({"2024/03/01,18:30:05,,Database error: Unable to complete network request to host "
                           "\"srv1\". -Failed to locate host machine.",
                           "2024/03/01,18:30:05,,Database error: arithmetic exception, numeric overflow",
                           "2024/03/01,18:30:05,,'' no es una fecha válida"}));
}

TEST_F(DataModule, ConfigurationRows) {
    EXPECT_EQ(dm.configuracion("FACTURACION", "GENERAL", "PREVISUALIZAR IMPRESION DE DOCUMENTOS"), "SI");
    EXPECT_EQ(dm.configuracion("CONTABILIDAD", "GENERAL", "ANO BALANCE DE APERTURA NIIF"), "2016");
    EXPECT_TRUE(messages.recorded().isEmpty());

    // Values are bound, never pasted: a quote is only a character of the property.
    const QString injected = "X' or conf_propiedad <> '";
    EXPECT_EQ(dm.configuracion("FACTURACION", "GENERAL", injected), "");
    EXPECT_EQ(dm.configuracion("FACTURACION", "general", "PREVISUALIZAR IMPRESION DE DOCUMENTOS"), "");
    EXPECT_EQ(
        messages.recorded(),
        QList<RecordedMessage>(
            {{MessageKind::Error, "No se encontró la configuración " + injected},
             {MessageKind::Error, "No se encontró la configuración PREVISUALIZAR IMPRESION DE DOCUMENTOS"}}));
    EXPECT_TRUE(logLines().isEmpty());
}

TEST_F(DataModule, KeyProceduresGiveNewKeysAndTakeTheirInputs) {
    dm.SCambieidfact.execute();
    const qint64 first = dm.SCambieidfact.parameter("ID").toInt();
    dm.SCambieidfact.execute();
    EXPECT_GT(first, 0);
    EXPECT_NE(dm.SCambieidfact.parameter("id").toInt(), first);
    for (StoredProcedure* procedure : {&dm.SIdrecibo, &dm.Sidtraslado, &dm.SIdegreso}) {
        procedure->execute();
        EXPECT_GT(procedure->parameter("ID").toInt(), 0) << procedure->procedureName().toStdString();
    }

    dm.SContapend.setParameter("IDCNT", 987654);
    try {
        dm.SContapend.execute();
        ADD_FAILURE() << "posting an unknown entry succeeded";
    } catch (const fb::DatabaseError& error) {
        EXPECT_TRUE(error.message().contains("No existe el comprobante contable 987654")) << error.what();
    }
}

} // namespace
