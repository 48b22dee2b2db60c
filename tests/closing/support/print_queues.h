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
    // Removes the output file, so that what is read afterwards is the next job's.
    void clear() const;
    // The pages of the last job, once the queue holds no job and its file has stopped growing.
    std::vector<PdfPage> printedPages() const;
    // Waits until the queue holds no job.
    void drain() const;
};

// A second file queue for as long as the object lives, named to sort after the shared one so that the first
// printer of the list, the default one here, stays the same. Adding a queue needs root.
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
