// Pending changes in batches: each batch is one EXECUTE BLOCK with the values of its rows as parameters.
#include "data/fb/connection.h"
#include "data/fb/statement.h"
#include "data/recordset/change_writer.h"
#include "data/recordset/recordset.h"

#include <bit>
#include <optional>

using namespace Qt::StringLiterals;

namespace quelmaro {

namespace {

// What one block may hold. The server allows 255 tables referred to in one statement (one for each row
// here), and the time it takes to prepare a block grows faster than its number of parameters: measured on
// the server here, 128 rows of 10 parameters took 0.2 s, of 40 parameters 1.7 s; so large blocks are kept
// for the rows of one document and prepared once, their text repeating from one document to the next.
constexpr int kRunRows = 128;
constexpr int kBatchRows = 200;
constexpr int kBatchParameters = 4000;

} // namespace

// Cuts the changes into runs of one statement, and the runs into batches, in the order they were collected.
// A database opened in this process takes the rows one by one: without round trips to save, a block only
// costs (the transmission of 30 days took 2.9 times as long in blocks).
std::vector<std::vector<ChangeWriter::Run>> ChangeWriter::batches() const {
    const bool oneByOne = !connection_.isRemote();
    std::vector<std::vector<Run>> batches(1);
    int rows = 0;
    int parameters = 0;
    for (auto first = changes_.cbegin(); first != changes_.cend();) {
        auto last = first + 1;
        while (!oneByOne && last != changes_.cend() && last - first < kRunRows && last->key == first->key)
            ++last;
        const int capacity = int(std::bit_ceil(std::size_t(last - first)));
        const int runParameters = 1 + capacity * int(first->fields.size());
        if (!batches.back().empty() &&
            (oneByOne || rows + capacity > kBatchRows || parameters + runParameters > kBatchParameters)) {
            batches.emplace_back();
            rows = parameters = 0;
        }
        batches.back().push_back({first, last, capacity});
        rows += capacity;
        parameters += runParameters;
        first = last;
    }
    if (batches.back().empty())
        batches.pop_back();
    return batches;
}

// A batch that fails is run again row by row, which stops at the row at fault with the database's error.
void ChangeWriter::writeBatch(const std::vector<Run>& runs) {
    std::optional<Changes> notFound;
    try {
        notFound = runBatch(runs);
    } catch (const std::exception& error) {
        // The batch undid all it did.
        rethrowLockConflict(error, runs);
        for (const Run& run : runs)
            for (auto change = run.first; change != run.last; ++change)
                writeOne(*change);
        return;
    }
    if (notFound)
        failAt(**notFound);
}

// The batch's rows, in one block when there are several; the update or delete that found no row, if any,
// after which the block stopped.
std::optional<ChangeWriter::Changes> ChangeWriter::runBatch(const std::vector<Run>& runs) {
    if (runs.size() == 1 && runs.front().last - runs.front().first == 1) {
        writeOne(*runs.front().first);
        return std::nullopt;
    }
    QList<Value> values;
    for (const Run& run : runs) {
        values << int(run.last - run.first);
        for (auto change = run.first; change != run.last; ++change)
            values << change->values;
        values << QList<Value>((run.capacity - (run.last - run.first)) * run.first->fields.size());
    }
    fb::Statement block(*transaction_, blockText(runs));
    const fb::Row notFound = block.execute(values);
    if (const int run = int(notFound.value(0).toInt()); run > 0)
        return runs[run - 1].first + (notFound.value(1).toInt() - 1);
    return std::nullopt;
}

// EXECUTE BLOCK (R1 INTEGER = ?, P1 TYPE OF COLUMN ... = ?, ...) RETURNS (NOT_FOUND_RUN, NOT_FOUND_ROW):
// for each run, its number of rows and then the values of each of its places, the unused ones null; the
// statements of the places in use run in order. An update or delete that finds no row ends the block,
// naming the run and the row.
QString ChangeWriter::blockText(const std::vector<Run>& runs) {
    QStringList parameters;
    QString body;
    int parameter = 0;
    for (std::size_t run = 1; run <= runs.size(); ++run) {
        const Change& model = *runs[run - 1].first;
        const QString table = quoted(targets_.at(model.key.set).table);
        parameters << u"R%1 INTEGER = ?"_s.arg(run);
        for (int row = 1; row <= runs[run - 1].capacity; ++row) {
            int placeholder = parameter;
            for (int field : model.fields)
                parameters << u"P%1 TYPE OF COLUMN %2.%3 = ?"_s.arg(++parameter)
                                  .arg(table, quoted(model.key.set->field(field).column()));
            body += u"IF (R%1 >= %2) THEN BEGIN\n"_s.arg(run).arg(row) +
                    statementText(model.key, [&] { return u":P"_s + QString::number(++placeholder); }) +
                    u";\n"_s;
            if (model.mustFindRow)
                body +=
                    u"IF (ROW_COUNT = 0) THEN BEGIN NOT_FOUND_RUN = %1; NOT_FOUND_ROW = %2; SUSPEND; EXIT; END\n"_s
                        .arg(run)
                        .arg(row);
            body += u"END\n"_s;
        }
    }
    return u"EXECUTE BLOCK ("_s + parameters.join(u", "_s) +
           u") RETURNS (NOT_FOUND_RUN INTEGER, NOT_FOUND_ROW INTEGER) AS BEGIN\nNOT_FOUND_RUN = 0;\n"_s +
           body + u"SUSPEND;\nEND"_s;
}

} // namespace quelmaro
