#pragma once

#include <QSaveFile>
#include <QString>

namespace quelmaro {

// A report file written aside and put in place by commit(), so a failure never leaves half a file
// where the user expects a report. Throws ReportError when the file cannot be created or written.
class AtomicFile {
public:
    explicit AtomicFile(const QString& fileName);

    QIODevice& device() { return file_; }
    void write(const QByteArray& bytes);
    void commit();

private:
    [[noreturn]] void fail(const char* what);

    QSaveFile file_;
};

} // namespace quelmaro
