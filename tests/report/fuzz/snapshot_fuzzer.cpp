#include "report/report_errors.h"
#include "report/snapshot.h"

#include <QDir>
#include <QFile>

#include <cstddef>
#include <cstdint>

using namespace quelmaro;

namespace {

// Small snapshots with every kind of command, to start the search from files the program writes.
void writeSeeds(const QString& folder) {
    QDir().mkpath(folder);
    QImage bitmap(3, 2, QImage::Format_ARGB32);
    bitmap.fill(qRgba(10, 20, 30, 255));
    Page page{
        8.5f,
        11.0f,
        {FontCommand{QStringLiteral("Arial"), 12}, TextCommand{1, 1, TextAlign::Left, QStringLiteral("Día")},
         TextCommand{5, 2, TextAlign::Right, QStringLiteral("1,234.50")}, PenCommand{TPenStyle::psDot, 0.01f},
         LineCommand{0, 3, 8, 3}, RectangleCommand{1, 4, 3, 5}, BitmapCommand{5, 4, 0.5f, 0.25f, bitmap}}};
    PageStore one{QStringLiteral("RESUMEN DIARIO."), {page}};
    PageStore two{QString(), {page, Page{7.0f, 9.0f, {}}}};
    int n = 0;
    for (const PageStore* store : {&one, &two}) {
        QFile file(QStringLiteral("%1/seed%2.ndr").arg(folder).arg(++n));
        if (file.open(QIODevice::WriteOnly))
            file.write(encodeSnapshot(*store));
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (const QString seeds = qEnvironmentVariable("QUELMARO_FUZZ_SEEDS"); !seeds.isEmpty())
        writeSeeds(seeds);
    return 0;
}

// Any input is read or refused with the report file error; anything else is a fault.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const PageStore store = decodeSnapshot(QByteArrayView(data, qsizetype(size)));
        // What was read writes back to the same bytes.
        if (encodeSnapshot(store) != QByteArrayView(data, qsizetype(size)))
            __builtin_trap();
    } catch (const ReportFileError&) {
    }
    return 0;
}
