#include "report/report_errors.h"
#include "report/snapshot.h"
#include "tests/report/report_test_support.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace quelmaro {
namespace {

TEST(Snapshot, RoundTripKeepsEveryCommand) {
    const PageStore original = test::samplePageStore(3);
    const PageStore copy = decodeSnapshot(encodeSnapshot(original));

    EXPECT_EQ(copy.title, original.title);
    ASSERT_EQ(copy.pageCount(), 3);
    EXPECT_EQ(encodeSnapshot(copy), encodeSnapshot(original));
    const Page& page = copy.pages[1];
    EXPECT_EQ(page.paperWidth, 8.5f);
    EXPECT_EQ(std::get<TextCommand>(page.commands[1]).text, QStringLiteral("Página 2 ñandú"));
    const auto& right = std::get<TextCommand>(page.commands[2]);
    EXPECT_EQ(right.align, TextAlign::Right);
    EXPECT_EQ(right.x, 7.5f);
    EXPECT_EQ(std::get<PenCommand>(page.commands[3]).style, TPenStyle::psDash);
    EXPECT_EQ(std::get<BitmapCommand>(page.commands[6]).image, test::sampleBitmap());
    EXPECT_EQ(std::get<FontCommand>(page.commands[0]).size, 12.0f);
}

TEST(Snapshot, FileRoundTrip) {
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("cierre.ndr"));
    saveSnapshot(test::samplePageStore(2), name);
    EXPECT_EQ(encodeSnapshot(loadSnapshot(name)), encodeSnapshot(test::samplePageStore(2)));
}

TEST(Snapshot, MissingFileAndUnwritableFolderAreReportErrors) {
    QTemporaryDir dir;
    EXPECT_THROW(loadSnapshot(dir.filePath(QStringLiteral("none.ndr"))), ReportError);
    EXPECT_THROW(saveSnapshot(test::samplePageStore(1), dir.filePath(QStringLiteral("no/such/folder.ndr"))),
                 ReportError);
}

// Builds snapshot bytes field by field, so a test can write what the program never would.
class Bytes {
public:
    Bytes& raw(QByteArrayView bytes) {
        data.append(bytes);
        return *this;
    }
    Bytes& u8(quint8 v) { return raw(QByteArrayView(reinterpret_cast<const char*>(&v), 1)); }
    Bytes& u16(quint16 v) {
        v = qToLittleEndian(v);
        return raw(QByteArrayView(reinterpret_cast<const char*>(&v), 2));
    }
    Bytes& u32(quint32 v) {
        v = qToLittleEndian(v);
        return raw(QByteArrayView(reinterpret_cast<const char*>(&v), 4));
    }
    Bytes& f32(float f) {
        quint32 v;
        std::memcpy(&v, &f, 4);
        return u32(v);
    }
    Bytes& text(const QByteArray& s) { return u32(quint32(s.size())).raw(s); }
    // Magic, version 1, a title and the page count.
    Bytes& header(quint32 pages) { return raw("QMNDR\r\n\x1a").u16(1).text("T").u32(pages); }
    Bytes& page(quint32 commands) { return f32(8.5f).f32(11.0f).u32(commands); }
    Bytes& line() { return u8(2).f32(0).f32(0).f32(1).f32(1); }

    QByteArray data;
};

TEST(Snapshot, HandBuiltSnapshotIsRead) {
    const PageStore store = decodeSnapshot(Bytes().header(1).page(1).line().data);
    ASSERT_EQ(store.pageCount(), 1);
    EXPECT_EQ(store.title, QStringLiteral("T"));
    EXPECT_EQ(std::get<LineCommand>(store.pages[0].commands[0]).x2, 1.0f);
}

struct BadSnapshot {
    const char* name;
    QByteArray bytes;
};

void PrintTo(const BadSnapshot& bad, std::ostream* os) {
    *os << bad.name;
}

class BadSnapshotTest : public testing::TestWithParam<BadSnapshot> {};

TEST_P(BadSnapshotTest, StopsWithUnexpectedCode) {
    try {
        decodeSnapshot(GetParam().bytes);
        FAIL() << "accepted";
    } catch (const ReportFileError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Unexpected code found in report file."));
    }
}

const float kNaN = std::numeric_limits<float>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Reader, BadSnapshotTest,
    testing::Values(
        BadSnapshot{"empty", {}}, BadSnapshot{"text file", "Resumen de ventas\r\n"},
        BadSnapshot{"wrong magic", Bytes().raw("QMNDX\r\n\x1a").u16(1).text("T").u32(1).page(1).line().data},
        BadSnapshot{"unknown version",
                    Bytes().raw("QMNDR\r\n\x1a").u16(2).text("T").u32(1).page(1).line().data},
        BadSnapshot{"no pages", Bytes().header(0).data},
        BadSnapshot{"page count beyond the file", Bytes().header(0xffffffffu).page(1).line().data},
        BadSnapshot{"command count beyond the file", Bytes().header(1).page(0x40000000u).line().data},
        BadSnapshot{"title longer than the file", Bytes().raw("QMNDR\r\n\x1a").u16(1).u32(0x7fffffffu).data},
        BadSnapshot{"text longer than the file",
                    Bytes().header(1).page(1).u8(1).f32(1).f32(1).u8(0).u32(0xfffffff0u).raw("abc").data},
        BadSnapshot{"bitmap larger than the file",
                    Bytes().header(1).page(1).u8(4).f32(0).f32(0).f32(1).f32(1).u32(30000).u32(30000).data},
        BadSnapshot{"bitmap without pixels",
                    Bytes().header(1).page(1).u8(4).f32(0).f32(0).f32(1).f32(1).u32(0).u32(0).data},
        BadSnapshot{"command code 0", Bytes().header(1).page(1).u8(0).f32(0).f32(0).f32(1).f32(1).data},
        BadSnapshot{"command code 7", Bytes().header(1).page(1).u8(7).f32(0).f32(0).f32(1).f32(1).data},
        BadSnapshot{"command code 255", Bytes().header(1).page(1).u8(255).f32(0).f32(0).f32(1).f32(1).data},
        BadSnapshot{"text not in UTF-8",
                    Bytes().header(1).page(1).u8(1).f32(1).f32(1).u8(0).text("\xff\xfe").data},
        BadSnapshot{"unknown alignment", Bytes().header(1).page(1).u8(1).f32(1).f32(1).u8(2).text("x").data},
        BadSnapshot{"unknown pen style", Bytes().header(1).page(1).u8(6).u8(9).f32(0).data},
        BadSnapshot{"negative pen width", Bytes().header(1).page(1).u8(6).u8(0).f32(-1).data},
        BadSnapshot{"font size 0", Bytes().header(1).page(1).u8(5).text("Arial").f32(0).data},
        BadSnapshot{"not a number", Bytes().header(1).page(1).u8(2).f32(kNaN).f32(0).f32(1).f32(1).data},
        BadSnapshot{"coordinate far off the sheet",
                    Bytes().header(1).page(1).u8(2).f32(1e30f).f32(0).f32(1).f32(1).data},
        BadSnapshot{"paper of width 0", Bytes().header(1).f32(0).f32(11).u32(1).line().data},
        BadSnapshot{"paper a mile long", Bytes().header(1).f32(8.5f).f32(63360).u32(1).line().data},
        BadSnapshot{"bytes after the last page", Bytes().header(1).page(1).line().u8(0).data}));

TEST(Snapshot, EveryTruncationIsRefused) {
    const QByteArray whole = encodeSnapshot(test::samplePageStore(2));
    for (qsizetype size = 0; size < whole.size(); ++size)
        EXPECT_THROW(decodeSnapshot(QByteArrayView(whole).first(size)), ReportFileError) << size;
}

// Thousands of damaged copies of a real snapshot: each is read or refused, never more.
TEST(Snapshot, DamagedCopiesAreReadOrRefused) {
    const QByteArray whole = encodeSnapshot(test::samplePageStore(2));
    QRandomGenerator random(20071201);
    int refused = 0;
    for (int i = 0; i < 3000; ++i) {
        QByteArray damaged = whole;
        for (int flips = 1 + random.bounded(4); flips > 0; --flips)
            damaged[random.bounded(int(damaged.size()))] = char(random.bounded(256));
        try {
            decodeSnapshot(damaged);
        } catch (const ReportFileError&) {
            ++refused;
        }
    }
    EXPECT_GT(refused, 0);
}

} // namespace
} // namespace quelmaro
