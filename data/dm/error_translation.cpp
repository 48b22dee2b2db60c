#include "data/dm/error_translation.h"

#include "data/fb/error.h"

#include <QRegularExpression>

#include <optional>

namespace quelmaro::dm {

namespace {

const QString kGenericPrefix = QStringLiteral("Se presento el siguiente error: ");

// The text between the first double quote at or after `from` and the next one; empty without quotes.
QString quotedAfter(const QString& text, qsizetype from) {
    const qsizetype open = text.indexOf(QLatin1Char('"'), from);
    if (open < 0)
        return {};
    const qsizetype close = text.indexOf(QLatin1Char('"'), open + 1);
    if (close < 0)
        return {};
    return text.mid(open + 1, close - open - 1);
}

// Firebird 3 words a missing file as: I/O error during "open" operation for file "<path>". The first quoted
// text is the operation, so the path is the one quoted after "for file".
bool missingFilePath(const QString& raw, QString& path) {
    if (raw.contains(QLatin1String("I/O error for file"))) {
        path = quotedAfter(raw, 0);
        return true;
    }
    static const QString during = QStringLiteral("I/O error during \"");
    static const QString forFile = QStringLiteral("\" operation for file ");
    const qsizetype at = raw.indexOf(during);
    if (at < 0)
        return false;
    const qsizetype fileAt = raw.indexOf(forFile, at + during.size());
    if (fileAt < 0)
        return false;
    path = quotedAfter(raw, fileAt + forFile.size());
    return true;
}

// The constraint words stand at the 19th character in the texts of older clients; ours puts them right after
// "Database error: ", at the 17th. Both are the same error.
bool constraintWordsAt(const QString& raw, QLatin1String words) {
    return raw.mid(18, 20) == words ||
           (raw.startsWith(QLatin1String("Database error: ")) && raw.mid(16, 20) == words);
}

// A file that is there but holds no database: Firebird either finds no valid header in it or finds it too
// short for one.
bool notADatabase(const QString& raw, QString& path) {
    static const QString notValid = QStringLiteral(" is not a valid database");
    if (const qsizetype at = raw.indexOf(notValid); at >= 0) {
        static const QString file = QStringLiteral("file ");
        const qsizetype start = raw.lastIndexOf(file, at);
        path = start < 0 ? QString() : raw.mid(start + file.size(), at - start - file.size());
        return true;
    }
    if (raw.contains(QLatin1String("I/O error during \"read\"")) &&
        raw.contains(QLatin1String("File size is less than expected"))) {
        path = quotedAfter(raw, raw.indexOf(QLatin1String("for file")));
        return true;
    }
    return false;
}

// Texts of the database layer that tell of the state of the server or of a lock rather than of the data.
std::optional<QString> conditionMessage(const QString& raw) {
    if (fb::isLockConflict(raw))
        return QStringLiteral(
            "Otra sesión de la base de datos tiene bloqueado un registro que se necesita; se "
            "esperó y se intentó de nuevo sin éxito. Intente más tarde.");
    static const QRegularExpression silence(QStringLiteral("no answer from the server in (\\d+) s"));
    if (const QRegularExpressionMatch quiet = silence.match(raw); quiet.hasMatch())
        return QStringLiteral(
                   "El servidor de la base de datos no respondió en %1 segundos y se dejó de esperar; "
                   "lo que no se alcanzó a guardar no quedó escrito.")
            .arg(quiet.captured(1));
    if (fb::isConnectionLost(raw))
        return QStringLiteral("Se perdió la conexión con el servidor de la base de datos; lo que no se "
                              "alcanzó a guardar no quedó escrito.");
    return std::nullopt;
}

} // namespace

QString translateError(const QString& raw) {
    if (!raw.startsWith(QLatin1String("Database error")))
        return kGenericPrefix + raw;
    if (raw.contains(QLatin1String("Your user name and password are not defined")))
        return QStringLiteral("El nombre de Usuario o la clave son incorrectas.");
    QString path;
    if (notADatabase(raw, path))
        return QStringLiteral("El archivo ") + path + QStringLiteral(" no es una base de datos de Firebird.");
    if (missingFilePath(raw, path))
        return QStringLiteral("No se encontró el archivo o la ruta ") + path;
    // The client's own words for a connection datum longer than it takes.
    if (raw.contains(QLatin1String("clumplet")) ||
        raw.contains(QLatin1String("length exceeds predefined limit")) ||
        raw.contains(QLatin1String("name too long")))
        return QStringLiteral(
            "Un dato de la conexión (servidor, usuario, clave o compañía) es más largo de lo que "
            "acepta Firebird.");
    if (raw.contains(QLatin1String("Failed to establish a connection")))
        return QStringLiteral("El servidor de base de datos del equipo ") + quotedAfter(raw, 0) +
               QStringLiteral(" no responde: verifique que el servicio Firebird esté en marcha y que acepte "
                              "conexiones en su puerto (3050 si no se indica otro).");
    if (raw.contains(QLatin1String("Unable to complete network request")))
        return QStringLiteral("No se encontró el equipo servidor con nombre ") + quotedAfter(raw, 0);
    if (const std::optional<QString> condition = conditionMessage(raw))
        return *condition;
    if (raw.contains(QLatin1String("Connection failed")))
        return QStringLiteral("No se encontró el servidor Interbase/Firebird. Verifique Servidor en panel de "
                              "control y puerto TCP 3050.");
    return kGenericPrefix + raw;
}

QString translateRecordSetError(const QString& raw, const FieldNames& emptyRequiredFields,
                                const FieldNames& keyFields) {
    const QString head = raw.left(30);
    if (head == QLatin1String("Cannot delete master record wi"))
        return QStringLiteral("Error. Borre antes los detalles dependientes del registro.");
    if (head.startsWith(QLatin1String("Fie"))) {
        QString message = QStringLiteral("Los campos ");
        for (const QString& field : emptyRequiredFields())
            message += field + QStringLiteral(", ");
        return message + QStringLiteral(" son obligatorios.");
    }
    if (head.startsWith(QLatin1String("key"))) {
        QString message = QStringLiteral("Ya existe un registro con el mismo ");
        for (const QString& field : keyFields())
            message += field + QLatin1Char(' ');
        return message;
    }
    return raw;
}

QString translateProviderError(const QString& raw, const QString& dataSetName) {
    const QString table = dataSetName.mid(1);
    if (constraintWordsAt(raw, QLatin1String("violation of PRIMARY")))
        return QStringLiteral("Ya existe el registro en la tabla ") + table;
    if (constraintWordsAt(raw, QLatin1String("violation of FOREIGN")))
        return QStringLiteral("Está borrando o insertando un registro en la tabla ") + table +
               QStringLiteral(" que tiene una relación con otra tabla.");
    return conditionMessage(raw).value_or(raw);
}

} // namespace quelmaro::dm
