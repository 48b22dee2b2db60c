#include "data/recordset/recordset.h"

#include "data/fb/connection.h"
#include "data/fb/statement.h"
#include "data/recordset/error.h"
#include "data/recordset/query.h"

#include <QScopedValueRollback>

namespace quelmaro {

RecordSet::RecordSet(const QString& name, QObject* parent) : QObject(parent) {
    setObjectName(name);
}

RecordSet::RecordSet(const QString& name, RecordSet& master, Query& query)
    : master_(&master), detailQuery_(&query) {
    setObjectName(name);
    createDetails(query);
}

RecordSet::~RecordSet() {
    if (!master_)
        close();
}

RecordSet& RecordSet::root() {
    return master_ ? master_->root() : *this;
}

void RecordSet::setProvider(Provider* provider) {
    close();
    provider_ = provider;
    details_.clear();
    if (provider)
        createDetails(provider->query());
}

void RecordSet::createDetails(const Query& query) {
    for (Query* detail : query.details())
        details_.push_back(std::unique_ptr<RecordSet>(new RecordSet(detail->name(), *this, *detail)));
}

Provider& RecordSet::requireProvider() const {
    if (Provider* provider = this->provider())
        return *provider;
    throw RecordSetError(QStringLiteral("%1: no tiene proveedor de datos").arg(name()));
}

fb::Connection& RecordSet::connection() const {
    return master_ ? detailQuery_->connection() : requireProvider().query().connection();
}

Provider* RecordSet::provider() const {
    return master_ ? master_->provider() : provider_.data();
}

void RecordSet::fetchParameters() {
    parameters_.clear();
    if (!provider_)
        return;
    const Query& query = provider_->query();
    for (const QString& name : query.parameterNames())
        parameters_.insert(name, query.parameterDefault(name));
}

void RecordSet::setParameter(const QString& name, const Value& value) {
    parameters_.insert(name.toUpper(), value);
}

Value RecordSet::parameter(const QString& name) const {
    const QString key = name.toUpper();
    if (parameters_.contains(key))
        return parameters_.value(key);
    return provider_ ? provider_->query().parameterDefault(key) : Value();
}

void RecordSet::setPacketRecords(int count) {
    if (count == 0 || count < -1)
        throw RecordSetError(QStringLiteral("Cantidad de filas por paquete no válida: %1").arg(count));
    packetRecords_ = count;
}

RecordSet& RecordSet::detail(const QString& name) {
    for (const auto& detail : details_)
        if (detail->name().compare(name, Qt::CaseInsensitive) == 0)
            return *detail;
    throw RecordSetError(QStringLiteral("No existe el conjunto anidado '%1'").arg(name));
}

// --- Fields

void RecordSet::declareField(const FieldDef& def) {
    declaredData_.push_back(def);
}

void RecordSet::declareCalculatedField(const FieldDef& def) {
    declaredCalculated_.push_back(def);
}

Field* RecordSet::findField(const QString& name) {
    const auto found = fieldIndex_.constFind(name.toUpper());
    return found == fieldIndex_.cend() ? nullptr : fields_[*found].get();
}

Field& RecordSet::field(const QString& name) {
    if (Field* found = findField(name))
        return *found;
    throw RecordSetError(QStringLiteral("No existe el campo '%1'").arg(name));
}

void RecordSet::addField(const FieldDef& def, bool calculated) {
    const int index = fieldCount();
    fields_.push_back(std::make_unique<Field>(*this, index, def, calculated));
    const QString key = def.name.toUpper();
    if (!fieldIndex_.contains(key)) // a name declared twice finds the first
        fieldIndex_.insert(key, index);
}

void RecordSet::setupFields(const QList<fb::Column>& columns) {
    fields_.clear();
    fieldIndex_.clear();
    columnOfField_.clear();

    // A result may repeat a column name (a join): later ones are told apart as NAME_1, NAME_2 ...
    QStringList names;
    QHash<QString, int> columnByName;
    for (const fb::Column& column : columns) {
        QString name = column.name;
        for (int n = 1; columnByName.contains(name.toUpper()); ++n)
            name = column.name + QLatin1Char('_') + QString::number(n);
        columnByName.insert(name.toUpper(), int(names.size()));
        names << name;
    }

    if (declaredData_.empty()) {
        for (int i = 0; i < columns.size(); ++i) {
            const fb::Column& column = columns[i];
            const int scale = column.type == fb::ColumnType::Fixed ? column.scale : Fixed::kScale;
            addField({names[i], column.type, column.size, scale, !column.nullable}, false);
            columnOfField_.push_back(i);
        }
    } else {
        for (const FieldDef& def : declaredData_) {
            const auto column = columnByName.constFind(def.name.toUpper());
            if (column == columnByName.cend())
                throw RecordSetError(QStringLiteral("No existe el campo '%1'").arg(def.name));
            addField(def, false);
            columnOfField_.push_back(*column);
        }
    }
    fetchedAsStored_ = int(columnOfField_.size()) == columns.size();
    for (int i = 0; i < int(columnOfField_.size()); ++i) {
        const fb::Column& column = columns[columnOfField_[i]];
        fields_[i]->setOrigin(column.relation, column.field);
        if (columnOfField_[i] != i || fields_[i]->type() != column.type)
            fetchedAsStored_ = false;
    }
    dataFieldCount_ = fieldCount();
    for (const FieldDef& def : declaredCalculated_)
        addField(def, true);
    resolveFieldUses();
}

// Aggregates and the filter name fields; they are bound to positions once the fields exist.
void RecordSet::resolveFieldUses() {
    aggregateFields_.clear();
    for (const SumAggregate& aggregate : aggregates_)
        aggregateFields_.push_back(field(aggregate.fieldName()).index());
    aggregateValues_.assign(aggregates_.size(), std::nullopt);
    filterField_ = filterRule_ ? field(filterRule_->column()).index() : -1;
}

QString RecordSet::updateTable() const {
    for (int i = 0; i < dataFieldCount_; ++i)
        if (!fields_[i]->table().isEmpty())
            return fields_[i]->table();
    return {};
}

// --- Opening and fetching

// The statement the provider runs for this set: its own when it has one, else the query's with its
// parameters.
PositionalStatement RecordSet::sourceStatement(QList<Value>& parameters) const {
    if (master_)
        throw RecordSetError(
            QStringLiteral("%1: un conjunto anidado lee a través de su maestro").arg(name()));
    const Provider& provider = requireProvider();
    PositionalStatement statement;
    if (!commandText_.isEmpty()) {
        if (!provider.acceptsStatement())
            throw RecordSetError(
                QStringLiteral("%1: el proveedor no acepta la sentencia del conjunto").arg(name()));
        statement.sql = commandText_;
    } else if (provider.query().hasStatement()) {
        statement = provider.query().positionalStatement();
        for (const QString& name : statement.parameterNames)
            parameters << parameter(name);
    } else {
        throw RecordSetError(QStringLiteral("%1: no hay sentencia que ejecutar").arg(name()));
    }
    return statement;
}

void RecordSet::open() {
    if (master_) {
        if (!master_->isOpen())
            throw RecordSetError(
                QStringLiteral("%1: un conjunto anidado se abre con su maestro").arg(name()));
        return;
    }
    if (isOpen())
        return;
    QList<Value> parameters;
    const PositionalStatement statement = sourceStatement(parameters);
    try {
        cursor_ = connection().openCursor(statement.sql, parameters);
        setupFields(cursor_->columns());
        for (const auto& detail : details_)
            detail->prepareNested();
        state_ = RecordSetState::Browse;
        table_ = &ownRows_;
        fetchRows(packetRecords_);
        moveTo(visible_.empty() ? -1 : 0);
    } catch (...) {
        close();
        throw;
    }
}

void RecordSet::execute() {
    QList<Value> parameters;
    const PositionalStatement statement = sourceStatement(parameters);
    connection().execute(statement.sql, parameters);
}

// Learns the detail statement's columns without running it, and how it links to the master's fields.
void RecordSet::prepareNested() {
    const PositionalStatement statement = detailQuery_->positionalStatement();
    setupFields(detailQuery_->connection().describe(statement.sql));
    linkParameterFields_.clear();
    for (const QString& name : statement.parameterNames)
        linkParameterFields_.push_back(master_->field(name).index());
    linkFields_.clear();
    for (const QString& column : detailQuery_->linkColumns())
        linkFields_.emplace_back(field(column).index(), master_->field(column).index());
    state_ = RecordSetState::Browse;
    table_ = nullptr;
    for (const auto& detail : details_)
        detail->prepareNested();
}

void RecordSet::close() {
    for (const auto& detail : details_)
        detail->close();
    cursor_.reset();
    visible_.clear();
    table_ = nullptr;
    ownRows_.rows.clear();
    current_ = -1;
    bof_ = eof_ = true;
    fetchedRows_ = 0;
    state_ = RecordSetState::Inactive;
    buffer_.clear();
    modified_ = false;
    keyColumns_.clear();
}

std::unique_ptr<RowNode> RecordSet::makeRow(RowValues&& fetched) {
    auto row = std::make_unique<RowNode>();
    if (fetchedAsStored_) {
        row->values = std::move(fetched);
    } else {
        row->values.reserve(fieldCount());
        for (int i = 0; i < dataFieldCount_; ++i)
            row->values << fields_[i]->converted(fetched[columnOfField_[i]]);
    }
    row->values.resize(fieldCount());
    row->details.resize(details_.size());
    calculateRow(row->values);
    return row;
}

void RecordSet::calculateRow(RowValues& values) {
    if (!calculate_ || calculationDeferred_)
        return;
    const QScopedValueRollback calculating(calculating_, &values);
    calculate_(*this);
}

void RecordSet::fetchRows(int count) {
    if (!cursor_)
        return;
    const QScopedValueRollback fetching(fetching_, true);
    RowValues fetched;
    for (int n = 0; count < 0 || n < count; ++n) {
        if (!cursor_->fetch(fetched)) {
            cursor_.reset();
            break;
        }
        ownRows_.rows.push_back(makeRow(std::move(fetched)));
        ++fetchedRows_;
        RowNode* row = ownRows_.rows.back().get();
        if (passesFilter(*row))
            visible_.push_back(row);
        rowsChanged();
    }
}

// Fetches packets until the row shown at `index` exists; false when there are not that many.
bool RecordSet::ensureVisible(int index) {
    while (index >= int(visible_.size()) && cursor_)
        fetchRows(packetRecords_);
    return index >= 0 && index < int(visible_.size());
}

std::unique_ptr<RowTable> RecordSet::fetchDetailRows(const RowNode& masterRow) {
    QList<Value> parameters;
    for (int fieldIndex : linkParameterFields_)
        parameters << masterRow.values[fieldIndex];
    auto rows = std::make_unique<RowTable>();
    auto cursor = detailQuery_->connection().openCursor(detailQuery_->positionalStatement().sql, parameters);
    RowValues fetched;
    while (cursor->fetch(fetched))
        rows->rows.push_back(makeRow(std::move(fetched)));
    return rows;
}

RowTable* RecordSet::detailTable(RowNode& row, int detail) {
    std::unique_ptr<RowTable>& slot = row.details[detail];
    if (!slot)
        slot = details_[detail]->fetchDetailRows(row);
    return slot.get();
}

void RecordSet::recalculate() {
    checkBrowseMode();
    if (!table_)
        return;
    {
        // The rows still to come are calculated below with the others, not twice.
        const QScopedValueRollback deferred(calculationDeferred_, true);
        fetchAll();
    }
    for (const auto& row : table_->rows) {
        if (row->status == RowStatus::Deleted)
            continue;
        calculateRow(row->values);
        rowsChanged();
    }
}

} // namespace quelmaro
