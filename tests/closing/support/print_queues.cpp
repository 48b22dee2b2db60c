#include "tests/closing/support/print_queues.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <gtest/gtest.h>

namespace quelmaro::test {

namespace {

bool queueEmpty(const QString& name) {
    return runTool(QStringLiteral("lpstat"), {QStringLiteral("-o"), name}).trimmed().isEmpty();
}

} // namespace

PrintQueue PrintQueue::shared() {
    return {qEnvironmentVariable("QUELMARO_TEST_PRINTER"),
            qEnvironmentVariable("QUELMARO_TEST_PRINTER_OUTPUT")};
}

PrintQueue PrintQueue::sharedAsDefault() {
    const PrintQueue queue = shared();
    // CUPS takes LPDEST before its own default destination.
    if (!queue.name.isEmpty())
        qputenv("LPDEST", queue.name.toUtf8());
    return queue;
}

void PrintQueue::clear() const {
    QFile::remove(output);
}

void PrintQueue::drain() const {
    QDeadlineTimer deadline(60000);
    while (!deadline.hasExpired() && !queueEmpty(name))
        QThread::msleep(100);
    EXPECT_FALSE(deadline.hasExpired()) << name.toStdString() << " still holds jobs";
}

std::vector<PdfPage> PrintQueue::printedPages() const {
    drain();
    QDeadlineTimer deadline(30000);
    qint64 size = -1;
    while (!deadline.hasExpired() && (QFileInfo(output).size() == 0 || QFileInfo(output).size() != size)) {
        size = QFileInfo(output).size();
        QThread::msleep(200);
    }
    EXPECT_FALSE(deadline.hasExpired()) << name.toStdString() << " wrote nothing to " << output.toStdString();
    return readPdfWords(output);
}

AddedQueue::AddedQueue(const QString& name) {
    // The queue's backend writes as another user.
    QFile::setPermissions(folder_.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                              QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther |
                              QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup);
    queue_ = {name, folder_.filePath(QStringLiteral("out.pdf"))};
    runTool(QStringLiteral("lpadmin"),
            {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
             QStringLiteral("file://") + queue_.output, QStringLiteral("-m"),
             QStringLiteral("lsb/usr/cupsfilters/Generic-PDF_Printer-PDF.ppd")});
}

AddedQueue::~AddedQueue() {
    queue_.drain();
    runTool(QStringLiteral("lpadmin"), {QStringLiteral("-x"), queue_.name});
}

} // namespace quelmaro::test
