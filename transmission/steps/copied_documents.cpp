#include "transmission/steps/copied_documents.h"

#include "transmission/steps/document_copy.h"
#include "transmission/steps/lookup.h"

#include <algorithm>

namespace quelmaro {

CopiedDocument::CopiedDocument(fb::Connection& destination, const CopiedDocumentLayout& layout,
                               QObject* parent)
    : QObject(parent), layout_(layout), headerQuery_(layout.queryName, destination),
      provider_(QStringLiteral("P") + layout.recordSetName.mid(1), headerQuery_, this),
      header_(layout.recordSetName, this), destination_(destination) {
    headerQuery_.setStatement(
        QStringLiteral("SELECT * FROM %1 WHERE %2 = :%2").arg(layout.table, layout.keyField));
    for (const CopiedDocumentLayout::Rows& rows : layout.rows) {
        auto query = std::make_unique<Query>(rows.queryName, destination);
        query->setStatement(
            QStringLiteral("SELECT * FROM %1 WHERE %2 = :%2").arg(rows.table, layout.keyField));
        query->setMaster(headerQuery_);
        rowQueries_.push_back(std::move(query));
    }
    if (layout.posted)
        journal_.emplace(headerQuery_, *layout.posted, layout.keyField);
    header_.setProvider(&provider_);
}

CopiedDocument::~CopiedDocument() = default;

void CopiedDocument::open(const Value& key) {
    header_.close();
    header_.setParameter(layout_.keyField, key);
    header_.open();
}

bool CopiedDocument::find(const fb::QueryResult& originRows, const fb::Row& row) {
    const auto column = [&](const QString& name) { return row.value(originRows.columnIndex(name)); };
    const Value prefijo = column(QStringLiteral("PREF_PRE"));
    // Whether the prefix numbers automatically, with the document under its current number, in one lookup.
    const fb::Row prefix =
        destination_
            .read(QStringLiteral(
                      "select p.pref_auto, (select first 1 %1 from %2 where pref_pre = p.pref_pre and "
                      "%3 = p.pref_actual order by %1) from prefijos p where p.tido_cod = ? and "
                      "p.pref_pre = ?")
                      .arg(layout_.keyField, layout_.table, layout_.numberField),
                  {layout_.numberingType, prefijo})
            .rows.value(0);
    const bool automatic = prefix.value(0).toString() == QLatin1String("S");
    Value key;
    foundByContent_ = false;
    if (automatic) {
        key = prefix.value(1);
        if (key.isNull()) {
            key = earlierCopy(originRows, row);
            foundByContent_ = !key.isNull();
        }
    } else {
        key = keyByNumber(prefijo, column(layout_.numberField));
    }
    open(key);
    return !header_.isEmpty();
}

Value CopiedDocument::keyByNumber(const Value& prefijo, const Value& numero) {
    return firstValue(destination_,
                      QStringLiteral("select first 1 %1 from %2 where pref_pre = ? and %3 = ? order by %1")
                          .arg(layout_.keyField, layout_.table, layout_.numberField),
                      {prefijo, numero.toString()});
}

// The copy of an origin document is the destination document with the same values in every column the
// copy writes unchanged (all but the key, the number and NUMOK). When several origin documents of the day
// look the same, the n-th of them in key order is the n-th such destination document.
Value CopiedDocument::earlierCopy(const fb::QueryResult& originRows, const fb::Row& row) {
    if (!header_.isOpen())
        open(Value()); // learns the columns
    QStringList conditions;
    QList<Value> values;
    std::vector<int> compared;
    for (int i = 0; i < header_.fieldCount() && i < row.size(); ++i) {
        const Field& field = header_.field(i);
        if (field.isCalculated() || field.type() == fb::ColumnType::Blob ||
            field.type() == fb::ColumnType::TextBlob ||
            QStringList{layout_.keyField, layout_.numberField, QStringLiteral("NUMOK")}.contains(
                field.name(), Qt::CaseInsensitive))
            continue;
        compared.push_back(i);
        conditions << field.name() + QStringLiteral(" is not distinct from ?");
        values << (field.type() == fb::ColumnType::Fixed ? Value(row.at(i).toFixed())
                                                         : field.stored(row.at(i)));
    }

    const int keyColumn = originRows.columnIndex(layout_.keyField);
    const auto sameContent = [&](const fb::Row& other) {
        return std::all_of(compared.begin(), compared.end(),
                           [&](int i) { return other.value(i) == row.value(i); });
    };
    std::vector<std::int64_t> lookAlikes;
    for (const fb::Row& other : originRows.rows)
        if (sameContent(other))
            lookAlikes.push_back(other.value(keyColumn).toInt());
    std::sort(lookAlikes.begin(), lookAlikes.end());
    lookAlikes.erase(std::unique(lookAlikes.begin(), lookAlikes.end()), lookAlikes.end());
    const auto ordinal =
        std::find(lookAlikes.begin(), lookAlikes.end(), row.value(keyColumn).toInt()) - lookAlikes.begin();

    const fb::QueryResult copies =
        destination_.read(QStringLiteral("select %1 from %2 where %3 order by %1")
                              .arg(layout_.keyField, layout_.table, conditions.join(QStringLiteral(" and "))),
                          values);
    return ordinal < copies.rows.size() ? copies.rows.at(ordinal).value(0) : Value();
}

void CopiedDocument::copyHeader(const fb::Row& originRow, bool found) {
    if (found) {
        QStringList kept{layout_.keyField};
        if (foundByContent_)
            kept << layout_.numberField << QStringLiteral("NUMOK");
        QList<Value> values;
        for (const QString& field : kept)
            values << header_.value(field);
        header_.edit();
        copyByPosition(originRow, header_);
        for (int i = 0; i < kept.size(); ++i)
            header_.setValue(kept.at(i), values.at(i));
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
    const fb::QueryResult rows = origin.read(layout.originStatement, {originKey});
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
