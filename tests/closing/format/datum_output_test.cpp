// Placing one value on the page: numbers right-aligned in number format, texts cut by the datum's start
// and length, element fonts with the format's defaults, and the grid factors.
#include "closing/format/datum_output.h"
#include "closing/format/element_font.h"
#include "closing/format/format_grid.h"
#include "data/types/errors.h"
#include "tests/closing/format/page_reading.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

namespace quelmaro {
namespace {

struct NumberCase {
    const char* value;
    const char* decimals;
    const char* printed;
};

void PrintTo(const NumberCase& c, std::ostream* out) {
    *out << "value " << c.value << " decimals " << c.decimals;
}

class NumberFormat : public testing::TestWithParam<NumberCase> {};

TEST_P(NumberFormat, RoundsHalfToEvenAndGroupsThousands) {
    const NumberCase& c = GetParam();
    EXPECT_EQ(datumNumber(QString::fromUtf8(c.value), QString::fromUtf8(c.decimals)),
              QString::fromUtf8(c.printed));
}

INSTANTIATE_TEST_SUITE_P(
    Values, NumberFormat,
    testing::Values(NumberCase{"1234567.5", "2", "1,234,567.50"}, NumberCase{"1234567.5", "0", "1,234,568"},
                    NumberCase{"1234567.5", "", "1,234,567.50"},
                    NumberCase{"1234567.5", "dos", "1,234,567.50"},
                    NumberCase{"1234567.5", "1.5", "1,234,567.50"}, NumberCase{"2.5", "0", "2"},
                    NumberCase{"3.5", "0", "4"}, NumberCase{"0.25", "1", "0.2"},
                    NumberCase{"0.35", "1", "0.4"}, NumberCase{"-1234.5", "2", "-1,234.50"},
                    NumberCase{"999999.995", "2", "1,000,000.00"}, NumberCase{"-0.004", "2", "0.00"},
                    NumberCase{"", "2", "0.00"}, NumberCase{"", "0", "0"},
                    NumberCase{"12.3456", "4", "12.3456"}, NumberCase{"7", "6", "7.000000"},
                    NumberCase{"1234.5", "-1", "1,234"}, NumberCase{"100", "3", "100.000"}));

TEST(NumberFormat, AValueThatIsNoNumberIsAnError) {
    for (const char* value : {"1;drop", "abc", "1.23456", "1,234"})
        EXPECT_THROW(datumNumber(QString::fromUtf8(value), QStringLiteral("2")), ConversionError) << value;
}

struct TextCase {
    Value first;
    Value length;
    const char* printed;
};

void PrintTo(const TextCase& c, std::ostream* out) {
    const auto shown = [](const Value& value) {
        return value.isNull() ? std::string("null") : value.toString().toStdString();
    };
    *out << "from " << shown(c.first) << " length " << shown(c.length);
}

class TextCut : public testing::TestWithParam<TextCase> {};

TEST_P(TextCut, TakesLengthCharactersFromTheStart) {
    const TextCase& c = GetParam();
    EXPECT_EQ(datumText(QStringLiteral("PUNTO CENTRAL"), c.first, c.length), QString::fromUtf8(c.printed));
}

INSTANTIATE_TEST_SUITE_P(Values, TextCut,
                         testing::Values(TextCase{1, 5, "PUNTO"}, TextCase{7, 50, "CENTRAL"},
                                         TextCase{0, 5, "PUNTO"}, TextCase{-3, 5, "PUNTO"},
                                         TextCase{Value(), 5, "PUNTO"}, TextCase{1, 13, "PUNTO CENTRAL"},
                                         TextCase{13, 1, "L"}, TextCase{14, 5, ""}, TextCase{1, Value(), ""},
                                         TextCase{1, 0, ""}, TextCase{1, -5, ""}, TextCase{3, 4, "NTO "}));

TEST(TextCut, CountsCharactersNotBytes) {
    EXPECT_EQ(datumText(QStringLiteral("Año señal"), 2, 6), QStringLiteral("ño señ"));
}

class OnePage : public testing::Test {
protected:
    test::PageCanvas page;
    TPageStoreWriter& canvas = page.canvas();
};

TEST_F(OnePage, ANumberEndsAtXOnTheBaselineY) {
    imprima_numero(canvas, QStringLiteral("-1234.5"), 5.0, 3.25, QStringLiteral("2"));
    imprima_numero(canvas, QString(), 6.0, 4.5, QStringLiteral("2"));
    EXPECT_DOUBLE_EQ(canvas.YPos(), 4.5) << "the text position moves to the datum";
    const auto texts = test::printedTexts(page.finish());
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(test::place(texts[0]), (test::TextPlace{"-1,234.50", TextAlign::Right, 5.0f, 3.25f}));
    EXPECT_EQ(test::place(texts[1]), (test::TextPlace{"0.00", TextAlign::Right, 6.0f, 4.5f}))
        << "an empty value prints as zero";
}

TEST_F(OnePage, ATextStartsAtXAndATextWithoutLengthShowsNothing) {
    imprima_cadena(canvas, QStringLiteral("PUNTO CENTRAL"), 1.5, 2.0, 7, 50);
    imprima_cadena(canvas, QStringLiteral("PUNTO CENTRAL"), 1.5, 2.5, 1, Value());
    const auto texts = test::printedTexts(page.finish());
    ASSERT_GE(texts.size(), 1u);
    EXPECT_EQ(test::place(texts[0]), (test::TextPlace{"CENTRAL", TextAlign::Left, 1.5f, 2.0f}));
    for (std::size_t i = 1; i < texts.size(); ++i)
        EXPECT_TRUE(texts[i].text.isEmpty()) << "nothing visible for a datum without a length";
}

struct FontCase {
    const char* what;
    Value ownName, ownSize, formatName, formatSize;
    const char* font;
    double size;
};

void PrintTo(const FontCase& c, std::ostream* out) {
    *out << c.what;
}

class ElementFont : public testing::TestWithParam<FontCase> {};

TEST_P(ElementFont, TakesTheElementsOwnNameAndSizeElseTheFormats) {
    const FontCase& c = GetParam();
    test::PageCanvas page;
    page.canvas().SelectFont(QStringLiteral("Courier New"), 12);
    selectElementFont(page.canvas(), c.ownName, c.ownSize, c.formatName, c.formatSize);
    EXPECT_EQ(page.canvas().FontName(), QString::fromUtf8(c.font)) << c.what;
    EXPECT_EQ(page.canvas().FontSize(), c.size) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ElementFont,
    testing::Values(FontCase{"own name and size", "Times", 14, "Arial", 7, "Times", 14},
                    FontCase{"no own name", "", 14, "Arial", 7, "Arial", 14},
                    FontCase{"null own name", Value(), 14, "Arial", 7, "Arial", 14},
                    FontCase{"no own size", "Times", Value(), "Arial", 7, "Times", 7},
                    FontCase{"own size 0 keeps the previous font", "Times", 0, "Arial", 7, "Courier New", 12},
                    FontCase{"no size anywhere keeps the previous font", "Times", Value(), "Arial", Value(),
                             "Courier New", 12},
                    FontCase{"nothing anywhere", Value(), Value(), Value(), Value(), "Courier New", 12}));

TEST(FormatGrid, FactorsAreThePaperOverTheGridToFourDecimals) {
    const FormatGrid letter = FormatGrid::forPaper(8.5, 11.0);
    EXPECT_EQ(letter.factor_x, Fixed::parse("0.0057"));
    EXPECT_EQ(letter.factor_y, Fixed::parse("0.0055"));
    EXPECT_DOUBLE_EQ(letter.x(1500), 8.55) << "the rounding shows at the right edge";
    EXPECT_DOUBLE_EQ(letter.y(2000), 11.0);
    EXPECT_DOUBLE_EQ(letter.x(-200), -1.14);

    const FormatGrid a4 = FormatGrid::forPaper(8.27, 11.69);
    EXPECT_EQ(a4.factor_x, Fixed::parse("0.0055"));
    EXPECT_EQ(a4.factor_y, Fixed::parse("0.0058"));
    const FormatGrid legal = FormatGrid::forPaper(8.5, 14.0);
    EXPECT_EQ(legal.factor_y, Fixed::parse("0.007"));
    const FormatGrid millimetres = FormatGrid::forPaper(215.9, 279.4);
    EXPECT_EQ(millimetres.factor_x, Fixed::parse("0.1439"));
    EXPECT_EQ(millimetres.factor_y, Fixed::parse("0.1397"));
}

} // namespace
} // namespace quelmaro
