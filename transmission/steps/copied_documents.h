#pragma once

#include "data/fb/connection.h"
#include "data/recordset/provider.h"
#include "data/recordset/query.h"
#include "data/recordset/recordset.h"
#include "transmission/posting/posting_journal.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace quelmaro {

// Where a kind of copied document lives in the destination: its header table, key and number columns, and
// its nested row tables with the column that numbers their rows.
struct CopiedDocumentLayout {
    struct Rows {
        QString queryName; // e.g. "TTrasladodet"
        QString table;
        QString itemField;
        QString originStatement; // the origin's rows of one document, its key bound
    };
    QString queryName;     // e.g. "TTraslados": the data module names the table after it in errors
    QString recordSetName; // e.g. "CTraslades"
    QString table;
    QString keyField;
    QString numberField;
    int numberingType;        // document type whose prefixes say how these documents are numbered
    const char* keyProcedure; // gives the key of a new document
    QList<Rows> rows;
    std::optional<PostedDocument> posted = {}; // the kind the destination posts, for those it posts
};

// One copied document in the destination, new or found, with its nested rows. Each document is handled
// with the record sets opened afresh and closed after its apply.
class CopiedDocument : public QObject {
    Q_OBJECT
public:
    CopiedDocument(fb::Connection& destination, const CopiedDocumentLayout& layout,
                   QObject* parent = nullptr);
    ~CopiedDocument() override;

    // Opens the destination document that the origin row `row` of `originRows` is copied over; true when
    // there is one. It is the document under the row's prefix and the number to look for: the prefix's
    // current number when the prefix numbers automatically, otherwise the row's own number. A prefix that
    // numbers automatically gave the earlier copy a number of the destination's, so that copy is found by
    // its content instead: copying a day again never doubles its documents.
    bool find(const fb::QueryResult& originRows, const fb::Row& row);
    // Copies the origin header over the found document, which keeps its key (and, when found by its
    // content, the number the destination gave it), or into a new one with a new key and NUMOK "N" (the
    // destination numbers it), and stores it.
    void copyHeader(const fb::Row& originRow, bool found);
    Value key() { return header_.value(layout_.keyField); }

    RecordSet& header() { return header_; }

    // Makes the nested rows `index` of the document the origin's rows of the origin document `originKey`,
    // under this document's key; `keep`, when given, decides for each copied row whether it is written.
    // Rows the document already had are overwritten by item, so a document copied again is not doubled.
    void copyRows(fb::Connection& origin, int index, const Value& originKey,
                  const std::function<bool(RecordSet&)>& keep = {});

    // Asks for the postings of a new document of a posted kind, written with it by apply().
    void askForPostings(const Run& run, const PointOfSale& point, const Value& prefijo, const QDate& fecha) {
        PostingJournal::add(header_, *layout_.posted, run, point, prefijo, fecha);
    }

    // Writes the document in one transaction; the number of rows that failed (reported by the data module).
    int apply() { return header_.applyUpdates(); }
    // Drops whatever was not written.
    void close() { header_.close(); }

private:
    void open(const Value& key);
    Value keyByNumber(const Value& prefijo, const Value& numero);
    Value earlierCopy(const fb::QueryResult& originRows, const fb::Row& row);

    CopiedDocumentLayout layout_;
    Query headerQuery_;
    std::vector<std::unique_ptr<Query>> rowQueries_;
    std::optional<PostingJournal> journal_; // nested before the header takes its nested sets, gone after it
    Provider provider_;
    RecordSet header_;
    fb::Connection& destination_;
    bool foundByContent_ = false;
};

} // namespace quelmaro
