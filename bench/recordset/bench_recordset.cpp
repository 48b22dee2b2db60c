// Speed of the record set against the bare client layer, on one embedded database:
//   fetching 100,000 rows of ten mixed columns (record set walked to the end vs. a cursor),
//   writing a document of one header and 1,000 lines (applyUpdates vs. one prepared insert per table).
// Prints rows per second and the ratio of the two times; the target is a ratio of at most 1.5.
#include "data/fb/connection.h"
#include "data/fb/statement.h"
#include "data/fb/transaction.h"
#include "data/recordset/provider.h"
#include "data/recordset/query.h"
#include "data/recordset/recordset.h"
#include "platform/memory.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

using namespace quelmaro;

namespace {

constexpr int kFetchRows = 100'000;
constexpr int kDocumentLines = 1'000;
constexpr int kRuns = 10;

// Wall-clock and processor time of one piece of work. The machine is shared, so processor time (the
// embedded engine runs inside this process) is the steadier figure; wall time includes waiting for the disk.
struct Timing {
    double wall = 1e9;
    double cpu = 1e9;
};

double processSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// Times the part of each run between start() and stop(); keeps the best of all runs.
class Stopwatch {
public:
    void start() {
        wall_.start();
        cpuStart_ = processSeconds();
    }
    void stop() {
        best_.wall = std::min(best_.wall, double(wall_.nsecsElapsed()) / 1e9);
        best_.cpu = std::min(best_.cpu, processSeconds() - cpuStart_);
    }
    Timing best() const { return best_; }

private:
    QElapsedTimer wall_;
    double cpuStart_ = 0;
    Timing best_;
};

void createSchema(fb::Connection& connection) {
    connection.execute(QStringLiteral(
        "create table ventas (id integer not null primary key, punto smallint, cliente varchar(20),"
        " nombre varchar(60), anulado char(1), fecha date, creado timestamp, cantidad numeric(15,4),"
        " total numeric(15,2), referencia bigint)"));
    connection.execute(
        QStringLiteral(
            "execute block as declare n integer = 0; begin while (n < %1) do begin"
            " insert into ventas values (:n, mod(:n, 50), 'NIT' || :n, 'Cliente número ' || :n, 'N',"
            " dateadd(mod(:n, 365) day to date '2020-01-01'), timestamp '2020-01-01 08:30:00', :n / 7.0,"
            " :n * 1.25, :n * 1000); n = n + 1; end end")
            .arg(kFetchRows));
    connection.execute(
        QStringLiteral("create table documentos (doc_id integer not null primary key, fecha date not null,"
                       " tercero varchar(20) not null, total numeric(15,2))"));
    connection.execute(QStringLiteral(
        "create table documentos_detalle (doc_id integer not null references documentos, item integer not "
        "null,"
        " articulo varchar(15) not null, unidad varchar(8), cantidad numeric(15,4), precio numeric(15,2),"
        " iva numeric(15,2), total numeric(15,2), anulado char(1), primary key (doc_id, item))"));
}

QList<Value> lineValues(int document, int item) {
    return {document,
            item,
            QStringLiteral("ART%1").arg(item),
            "UND",
            Fixed::fromInt(item % 9 + 1),
            Fixed::parse("1250.50"),
            Fixed::parse("200.08"),
            Fixed::parse("1450.58"),
            "N"};
}

void printRatio(const char* what, Timing recordSet, Timing raw, int rows) {
    std::printf("%-6s record set %8.0f rows/s, client layer %8.0f rows/s (wall);"
                " ratio %.2f wall, %.2f processor\n",
                what, rows / recordSet.wall, rows / raw.wall, recordSet.wall / raw.wall,
                recordSet.cpu / raw.cpu);
}

} // namespace

int main() {
    platform::keepFreedMemoryForReuse(); // as the programs run
    QTemporaryDir dir;
    fb::Connection connection;
    connection.setParameter(QStringLiteral("Database"), dir.filePath(QStringLiteral("bench.fdb")));
    connection.setParameter(QStringLiteral("User_Name"), QStringLiteral("SYSDBA"));
    connection.setParameter(QStringLiteral("Password"), QStringLiteral("masterkey"));
    connection.createDatabase();
    createSchema(connection);

    // The two ways take turns, so both meet the same load on the shared machine.
    const QString select = QStringLiteral("select * from ventas");
    Query ventas(QStringLiteral("TVentas"), connection);
    ventas.setStatement(select);
    Provider pventas(QStringLiteral("PVentas"), ventas);
    Stopwatch rawFetch;
    Stopwatch recordSetFetch;
    for (int run = 0; run < kRuns; ++run) {
        rawFetch.start();
        auto cursor = connection.openCursor(select);
        fb::Row row;
        int rows = 0;
        while (cursor->fetch(row))
            ++rows;
        rawFetch.stop();

        RecordSet set(QStringLiteral("CVentas")); // freed after the clock stops, like the cursor's rows
        set.setProvider(&pventas);
        set.setPacketRecords(1000);
        recordSetFetch.start();
        set.open();
        while (!set.eof())
            set.next();
        recordSetFetch.stop();
        if (rows != kFetchRows || set.fetchedRowCount() != kFetchRows)
            return 1;
    }
    printRatio("fetch", recordSetFetch.best(), rawFetch.best(), kFetchRows);

    Query documentos(QStringLiteral("TDocumento"), connection);
    documentos.setStatement(QStringLiteral("select * from documentos where doc_id = :ID"));
    documentos.setParameterDefault(QStringLiteral("ID"), QStringLiteral("0"));
    Query detalle(QStringLiteral("TDocumentodet"), connection);
    detalle.setStatement(QStringLiteral("select * from documentos_detalle where doc_id = :DOC_ID"));
    detalle.setMaster(documentos);
    Provider pdocumento(QStringLiteral("PDocumento"), documentos);
    int nextDocument = 1;
    Stopwatch rawApply;
    Stopwatch building;
    Stopwatch recordSetApply;
    for (int run = 0; run < kRuns; ++run) {
        int id = nextDocument++;
        rawApply.start();
        fb::Transaction transaction(connection);
        fb::Statement header(transaction,
                             QStringLiteral("insert into documentos (doc_id, fecha, tercero, total)"
                                            " values (?, ?, ?, ?)"));
        header.execute({id, QDate(2020, 1, 24), "800100", Fixed::parse("1450580")});
        fb::Statement line(
            transaction,
            QStringLiteral("insert into documentos_detalle (doc_id, item, articulo, unidad, cantidad,"
                           " precio, iva, total, anulado) values (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        for (int item = 1; item <= kDocumentLines; ++item)
            line.execute(lineValues(id, item));
        transaction.commit();
        rawApply.stop();

        RecordSet document(QStringLiteral("CDocumento"));
        document.setProvider(&pdocumento);
        document.open();
        RecordSet& lines = document.detail(QStringLiteral("TDocumentodet"));
        id = nextDocument++;
        building.start();
        document.append();
        document.setValue(QStringLiteral("DOC_ID"), id);
        document.setValue(QStringLiteral("FECHA"), QDate(2020, 1, 24));
        document.setValue(QStringLiteral("TERCERO"), "800100");
        document.setValue(QStringLiteral("TOTAL"), Fixed::parse("1450580"));
        for (int item = 1; item <= kDocumentLines; ++item) {
            const QList<Value> values = lineValues(id, item);
            lines.append();
            for (int i = 1; i < values.size(); ++i)
                lines.field(i).setValue(values[i]);
            lines.post();
        }
        building.stop();
        recordSetApply.start();
        const int failed = document.applyUpdates();
        recordSetApply.stop();
        if (failed != 0)
            return 1;
    }
    printRatio("apply", recordSetApply.best(), rawApply.best(), kDocumentLines + 1);
    std::printf("building the document in the record set before applying it: %.1f ms\n",
                building.best().wall * 1e3);
    return 0;
}
