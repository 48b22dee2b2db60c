#include "transmission/steps/copied_documents.h"

#include "transmission/steps/document_copy.h"
#include "transmission/steps/lookup.h"

namespace quelmaro {

QString numberToFind(fb::Connection& destination, int documentType, const Value& prefijo,
                     const Value& originNumber) {
    const fb::QueryResult prefix = destination.query(
        QStringLiteral("select pref_auto, pref_actual from prefijos where tido_cod = ? and pref_pre = ?"),
        {documentType, prefijo});
    if (!prefix.rows.isEmpty() && prefix.rows.first().value(0).toString() == QLatin1String("S"))
        return prefix.rows.first().value(1).toString();
    return originNumber.toString();
}

CopiedDocument::CopiedDocument(fb::Connection& destination, const CopiedDocumentLayout& layout,
                               QObject* parent)
    : QObject(parent), layout_(layout), headerQuery_(layout.queryName, destination),
      provider_(QStringLiteral("P") + layout.recordSetName.mid(1), headerQuery_, this),
      header_(layout.recordSetName, this), destination_(destination) {
    headerQuery_.setStatement(QStringLiteral("SELECT * FROM %1 WHERE PREF_PRE = :PREF_PRE AND %2 = :NUMERO")
                                  .arg(layout.table, layout.numberField));
    for (const CopiedDocumentLayout::Rows& rows : layout.rows) {
        auto query = std::make_unique<Query>(rows.queryName, destination);
        query->setStatement(
            QStringLiteral("SELECT * FROM %1 WHERE %2 = :%2").arg(rows.table, layout.keyField));
        query->setMaster(headerQuery_);
        rowQueries_.push_back(std::move(query));
    }
    header_.setProvider(&provider_);
}

CopiedDocument::~CopiedDocument() = default;

bool CopiedDocument::find(const Value& prefijo, const QString& numero) {
    header_.close();
    header_.setParameter(QStringLiteral("PREF_PRE"), prefijo);
    header_.setParameter(QStringLiteral("NUMERO"), numero);
    header_.open();
    return !header_.isEmpty();
}

void CopiedDocument::copyHeader(const fb::Row& originRow, bool found) {
    if (found) {
        const Value kept = key();
        header_.edit();
        copyByPosition(originRow, header_);
        header_.setValue(layout_.keyField, kept);
    } else {
        header_.append();
        copyByPosition(originRow, header_);
        header_.setValue(layout_.keyField, newKey(destination_, layout_.keyProcedure));
        header_.setValue(QStringLiteral("NUMOK"), QStringLiteral("N"));
    }
    header_.post();
}

void CopiedDocument::copyRows(fb::Connection& origin, int index, const Value& originKey,
                              const std::function<bool(RecordSet&)>& keep) {
    const CopiedDocumentLayout::Rows& layout = layout_.rows.at(index);
    const fb::QueryResult rows = origin.query(layout.originStatement, {originKey});
    RecordSet& nested = header_.detail(index);
    NestedRowsReplacement replacement(nested, layout.itemField, layout_.keyField);
    for (const fb::Row& row : rows.rows) {
        replacement.copy(row, key());
        if (!keep || keep(nested))
            replacement.store();
        else
            replacement.drop();
    }
    replacement.finish();
}

} // namespace quelmaro
