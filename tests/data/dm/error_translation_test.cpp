#include "data/dm/error_translation.h"
#include "data/dm/long_text.h"

#include <gtest/gtest.h>

using namespace quelmaro::dm;

namespace {

FieldNames names(const QStringList& list) {
    return [list] { return list; };
}

struct Case {
    const char* name;
    QString raw;
    QString shown;
};

// The case by its name, in test lists too.
void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

class ErrorFromAnywhere : public testing::TestWithParam<Case> {};

TEST_P(ErrorFromAnywhere, IsShownInSpanish) {
    EXPECT_EQ(translateError(GetParam().raw), GetParam().shown);
}

const QString kMissingFile = QStringLiteral(
    "Database error: I/O error during \"open\" operation for file \"/srv/datos/07/norvane.fdb\"\n"
    "-Error while trying to open file\n-No such file or directory");

INSTANTIATE_TEST_SUITE_P(
    Translation, ErrorFromAnywhere,
    testing::Values(
        Case{"NotFromDatabase", "List index out of bounds (3)",
             "Se presento el siguiente error: List index out of bounds (3)"},
        Case{"WrongPassword",
             "Database error: Your user name and password are not defined. Ask your database administrator "
             "to set up a Firebird login.",
             "El nombre de Usuario o la clave son incorrectas."},
        Case{"OldMissingFileText", "Database error: I/O error for file \"c:\\norvane/datos/01/norvane.fdb\"",
             "No se encontró el archivo o la ruta c:\\norvane/datos/01/norvane.fdb"},
        Case{"MissingFileNamesThePathNotTheOperation", kMissingFile,
             "No se encontró el archivo o la ruta /srv/datos/07/norvane.fdb"},
        Case{"FileThatIsNoDatabase",
             "Database error: file /srv/datos/07/norvane.fdb is not a valid "
             "database\n-IProvider::attachDatabase "
             "failed when loading mapping cache",
             "El archivo /srv/datos/07/norvane.fdb no es una base de datos de Firebird."},
        Case{"FileTooShortForADatabase",
             "Database error: I/O error during \"read\" operation for file "
             "\"/srv/datos/07/norvane.fdb\"\n-File "
             "size is less than expected",
             "El archivo /srv/datos/07/norvane.fdb no es una base de datos de Firebird."},
        Case{"ServerThatDoesNotAnswer",
             "Database error: Unable to complete network request to host \"localhost\".\n-Failed to "
             "establish a "
             "connection.",
             "El servidor de base de datos del equipo localhost no responde: verifique que el servicio "
             "Firebird "
             "esté en marcha y que acepte conexiones en su puerto (3050 si no se indica otro)."},
        Case{"HeldRowPastTheLockTimeout",
             "Database error: deadlock\n-update conflicts with concurrent update\n-concurrent transaction "
             "number is 7",
             "Otra sesión de la base de datos tiene bloqueado un registro que se necesita; se esperó y se "
             "intentó "
             "de nuevo sin éxito. Intente más tarde."},
        Case{"ConnectionLost", "Database error: connection shutdown\n-Killed by database administrator.",
             "Se perdió la conexión con el servidor de la base de datos; lo que no se alcanzó a guardar no "
             "quedó "
             "escrito."},
        Case{
            "ServerSilentPastTheLimit",
            "Database error: connection lost to database: no answer from the server in 300 s",
            "El servidor de la base de datos no respondió en 300 segundos y se dejó de esperar; lo que no se "
            "alcanzó a guardar no quedó escrito."},
        Case{"ConnectionDatumTooLong",
             "Database error: Login name too long (32767 characters, maximum allowed 31)",
             "Un dato de la conexión (servidor, usuario, clave o compañía) es más largo de lo que acepta "
             "Firebird."},
        Case{"UnknownHost",
             "Database error: Unable to complete network request to host \"srv1\".\n-Failed to locate host "
             "machine.",
             "No se encontró el equipo servidor con nombre srv1"},
        Case{"NetworkWithoutQuotes", "Database error: Unable to complete network request",
             "No se encontró el equipo servidor con nombre "},
        Case{"ConnectionFailed", "Database error: Connection failed",
             "No se encontró el servidor Interbase/Firebird. Verifique Servidor en panel de control y puerto "
             "TCP 3050."},
        Case{"PasswordWinsOverNetwork",
             "Database error: Unable to complete network request; Your user name and password are not "
             "defined",
             "El nombre de Usuario o la clave son incorrectas."},
        Case{"UnknownDatabaseError", "Database error: arithmetic exception, numeric overflow",
             "Se presento el siguiente error: Database error: arithmetic exception, numeric overflow"},
        Case{"PrefixMustLeadTheText", "Error: Database error Your user name and password are not defined",
             "Se presento el siguiente error: Error: Database error Your user name and password are not "
             "defined"}),
    [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

TEST(LongText, KeepsTheStartOfEveryLongStretchAndOfTheWhole) {
    const QString path = "/srv/" + QString(300, 'x');
    EXPECT_EQ(cutLongText("No se encontró " + path + " hoy"),
              "No se encontró " + path.left(200) + QStringLiteral("… hoy"));
    EXPECT_EQ(cutLongText(QString(2100, 'a').replace(100, 1, ' ').replace(1000, 1, ' ')).size(),
              100 + 1 + 201 + 1 + 201);
    const QString words = QStringLiteral("palabra ").repeated(300);
    EXPECT_EQ(cutLongText(words), words.left(2000) + QStringLiteral("…"));
    EXPECT_EQ(cutLongText("corto"), "corto");
}

TEST(RecordSetErrorTranslation, MasterWithDetails) {
    EXPECT_EQ(translateRecordSetError("Cannot delete master record with details", names({}), names({})),
              "Error. Borre antes los detalles dependientes del registro.");
}

TEST(RecordSetErrorTranslation, RequiredFieldsEndWithCommaBeforeSon) {
    EXPECT_EQ(translateRecordSetError("Field 'A' must have a value", names({"A", "B"}), names({"ID"})),
              "Los campos A, B,  son obligatorios.");
    EXPECT_EQ(translateRecordSetError("Field 'A' must have a value", names({}), names({})),
              "Los campos  son obligatorios.");
}

TEST(RecordSetErrorTranslation, KeyViolationListsIndexFields) {
    EXPECT_EQ(translateRecordSetError("key violation.", names({"A"}), names({"TIDO_COD", "PREF_PRE"})),
              "Ya existe un registro con el mismo TIDO_COD PREF_PRE ");
    EXPECT_EQ(translateRecordSetError("Key violation.", names({}), names({"TIDO_COD"})), "Key violation.");
}

TEST(RecordSetErrorTranslation, OtherTextsStayRaw) {
    EXPECT_EQ(translateRecordSetError("Database error: lock conflict", names({"A"}), names({"B"})),
              "Database error: lock conflict");
}

TEST(ProviderErrorTranslation, ConstraintWordsNameTheTable) {
    const QString primary =
        "Database error: violation of PRIMARY or UNIQUE KEY constraint \"PK_FACTURAS\" on "
        "table \"FACTURAS\"";
    EXPECT_EQ(translateProviderError(primary, "TFactura"), "Ya existe el registro en la tabla Factura");
    const QString foreignAt19 = "Database error: \r\nviolation of FOREIGN KEY constraint \"FK_X\"";
    EXPECT_EQ(
        translateProviderError(foreignAt19, "TFactura"),
        "Está borrando o insertando un registro en la tabla Factura que tiene una relación con otra tabla.");
    const QString foreign = "Database error: violation of FOREIGN KEY constraint \"FK_X\" on table \"Y\"";
    EXPECT_EQ(
        translateProviderError(foreign, "TRecibo"),
        "Está borrando o insertando un registro en la tabla Recibo que tiene una relación con otra tabla.");
}

TEST(ProviderErrorTranslation, WordsElsewhereLeaveTheRawText) {
    const QString elsewhere = "Database error: update failed, violation of FOREIGN KEY constraint";
    EXPECT_EQ(translateProviderError(elsewhere, "TFactura"), elsewhere);
    EXPECT_EQ(translateProviderError("short", "TFactura"), "short");
}

} // namespace
