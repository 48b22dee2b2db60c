#pragma once

#include "tests/report/report_test_support.h"
#include "tests/support/temp_dir.h"

#include <QString>

#include <vector>

namespace quelmaro::test {

// A CUPS file queue that keeps the PDF Qt sends it: the shared test queue (QUELMARO_TEST_PRINTER, writing to
// QUELMARO_TEST_PRINTER_OUTPUT), or one a test adds.
struct PrintQueue {
    QString name;
    QString output;

    // Empty when the environment names no test queue.
    static PrintQueue shared();
    // The shared queue, made this process's default printer for the tests that print on the default one:
    // each checkout has its own queue, and which one the system lists first is anybody's guess.
    static PrintQueue sharedAsDefault();
    // Removes the output file, so that what is read afterwards is the next job's.
    void clear() const;
    // The pages of the last job, once the queue holds no job and its file has stopped growing.
    std::vector<PdfPage> printedPages() const;
    // Waits until the queue holds no job.
    void drain() const;
};

// A second file queue for as long as the object lives. Adding a queue needs root.
class AddedQueue {
public:
    explicit AddedQueue(const QString& name);
    ~AddedQueue();
    AddedQueue(const AddedQueue&) = delete;
    AddedQueue& operator=(const AddedQueue&) = delete;

    const PrintQueue& queue() const { return queue_; }

private:
    TempDir folder_;
    PrintQueue queue_;
};

} // namespace quelmaro::test
