#pragma once

#include "data/fb/connection.h"
#include "data/recordset/provider.h"
#include "data/recordset/query.h"
#include "data/recordset/recordset.h"

#include <QObject>

#include <functional>
#include <memory>
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
    const char* keyProcedure; // gives the key of a new document
    QList<Rows> rows;
};

// The number a copied document is looked for under in the destination: the prefix's current number when
// the prefix of that document type numbers automatically, otherwise the number the origin gave it.
QString numberToFind(fb::Connection& destination, int documentType, const Value& prefijo,
                     const Value& originNumber);

// One copied document in the destination: found by prefix and number, or new, with its nested rows. Each
// document is handled with the record sets opened afresh and closed after its apply.
class CopiedDocument : public QObject {
    Q_OBJECT
public:
    CopiedDocument(fb::Connection& destination, const CopiedDocumentLayout& layout,
                   QObject* parent = nullptr);
    ~CopiedDocument() override;

    // Opens the destination document with this prefix and number; true when there is one.
    bool find(const Value& prefijo, const QString& numero);
    // Copies the origin header over the found document, which keeps its key, or into a new one with a new
    // key and NUMOK "N" (the destination numbers it), and stores it.
    void copyHeader(const fb::Row& originRow, bool found);
    Value key() { return header_.value(layout_.keyField); }

    RecordSet& header() { return header_; }

    // Makes the nested rows `index` of the document the origin's rows of the origin document `originKey`,
    // under this document's key; `keep`, when given, decides for each copied row whether it is written.
    // Rows the document already had are overwritten by item, so a document copied again is not doubled.
    void copyRows(fb::Connection& origin, int index, const Value& originKey,
                  const std::function<bool(RecordSet&)>& keep = {});

    // Writes the document in one transaction; the number of rows that failed (reported by the data module).
    int apply() { return header_.applyUpdates(); }
    // Drops whatever was not written.
    void close() { header_.close(); }

private:
    CopiedDocumentLayout layout_;
    Query headerQuery_;
    std::vector<std::unique_ptr<Query>> rowQueries_;
    Provider provider_;
    RecordSet header_;
    fb::Connection& destination_;
};

} // namespace quelmaro
