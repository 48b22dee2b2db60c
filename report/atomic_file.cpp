#include "report/atomic_file.h"

#include "report/report_errors.h"

namespace quelmaro {

AtomicFile::AtomicFile(const QString& fileName) : file_(fileName) {
    if (!file_.open(QIODevice::WriteOnly))
        fail("crear");
}

void AtomicFile::write(const QByteArray& bytes) {
    if (file_.write(bytes) != bytes.size())
        fail("escribir");
}

void AtomicFile::commit() {
    if (!file_.commit())
        fail("escribir");
}

void AtomicFile::fail(const char* what) {
    throw ReportError(QStringLiteral("No se pudo %1 el archivo %2: %3")
                          .arg(QLatin1String(what), file_.fileName(), file_.errorString()));
}

} // namespace quelmaro
