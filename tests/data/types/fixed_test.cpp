#include "data/types/fixed.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

using quelmaro::ConversionError;
using quelmaro::Fixed;

namespace {

constexpr Fixed kHighest = Fixed::fromRaw(std::numeric_limits<std::int64_t>::max());
constexpr Fixed kLowest = Fixed::fromRaw(std::numeric_limits<std::int64_t>::min());

Fixed f(const char* text) {
    return Fixed::parse(QString::fromUtf8(text));
}

// The message of the ConversionError that `action` throws, or "" when it throws nothing.
template <typename Action> QString errorOf(Action action) {
    try {
        action();
    } catch (const ConversionError& error) {
        return error.message();
    }
    return {};
}

} // namespace

TEST(Fixed, ParsesAndPrintsPlainText) {
    const struct {
        const char* text;
        std::int64_t raw;
        const char* plain;
    } cases[] = {
        {"0", 0, "0"},
        {"1", 10000, "1"},
        {"-1.5", -15000, "-1.5"},
        {"+2.25", 22500, "2.25"},
        {"1.15", 11500, "1.15"},
        {"0.0001", 1, "0.0001"},
        {"-0.0001", -1, "-0.0001"},
        {"007.10", 71000, "7.1"},
        {"-0", 0, "0"},
        {"922337203685477.5807", std::numeric_limits<std::int64_t>::max(), "922337203685477.5807"},
        {"-922337203685477.5808", std::numeric_limits<std::int64_t>::min(), "-922337203685477.5808"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(f(c.text).raw(), c.raw);
        EXPECT_EQ(Fixed::fromRaw(c.raw).toString(), QString::fromUtf8(c.plain));
    }
}

TEST(Fixed, RejectsTextThatIsNotANumber) {
    for (const char* text : {"", "-", "+", "1.", ".5", "1.23456", "1,5", " 1", "1 ", "1e3", "abc", "--1",
                             "1.2.3", "١٢", "0x10"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(errorOf([&] { f(text); }), QStringLiteral("'%1' no es un número válido").arg(text));
    }
}

TEST(Fixed, RejectsTextOutOfRange) {
    for (const char* text : {"922337203685477.5808", "-922337203685477.5809", "1000000000000000",
                             "99999999999999999999999999999999999999999999"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(errorOf([&] { f(text); }),
                  QStringLiteral("'%1' está fuera del rango de los números").arg(text));
    }
}

TEST(Fixed, ArithmeticRoundsToFourPlacesHalfToEven) {
    const struct {
        const char* left;
        char operation;
        const char* right;
        const char* result;
    } cases[] = {
        {"1.15", '+', "2.2", "3.35"},
        {"5", '-', "7.25", "-2.25"},
        {"-1.5", '+', "1.5", "0"},
        {"0.0001", '*', "0.5", "0"},
        {"0.0003", '*', "0.5", "0.0002"},
        {"0.0005", '*', "0.5", "0.0002"},
        {"-0.0003", '*', "0.5", "-0.0002"},
        {"-0.0005", '*', "0.5", "-0.0002"},
        {"1.15", '*', "3", "3.45"},
        {"123456.789", '*', "1000", "123456789"},
        {"10", '/', "3", "3.3333"},
        {"20", '/', "3", "6.6667"},
        {"1", '/', "8", "0.125"},
        {"0.0001", '/', "2", "0"},
        {"0.0003", '/', "2", "0.0002"},
        {"-7", '/', "2", "-3.5"},
        {"7", '/', "-0.0003", "-23333.3333"},
        {"2", '/', "3", "0.6667"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 %2 %3").arg(c.left).arg(c.operation).arg(c.right).toStdString());
        const Fixed left = f(c.left), right = f(c.right);
        const Fixed result = c.operation == '+'   ? left + right
                             : c.operation == '-' ? left - right
                             : c.operation == '*' ? left * right
                                                  : left / right;
        EXPECT_EQ(result, f(c.result));
    }
}

TEST(Fixed, OverflowIsAnErrorNeverAWrapAround) {
    const Fixed tiny = Fixed::fromRaw(1);
    const struct {
        const char* name;
        std::function<Fixed()> operation;
    } cases[] = {
        {"highest + tiny", [&] { return kHighest + tiny; }},
        {"lowest - tiny", [&] { return kLowest - tiny; }},
        {"highest * 2", [&] { return kHighest * Fixed::fromInt(2); }},
        {"lowest * -1", [&] { return kLowest * Fixed::fromInt(-1); }},
        {"highest / 0.5", [&] { return kHighest / f("0.5"); }},
        {"-lowest", [&] { return -kLowest; }},
        {"fromInt", [&] { return Fixed::fromInt(std::int64_t(1) << 60); }},
        {"fromScaled", [&] { return Fixed::fromScaled(std::numeric_limits<std::int64_t>::max(), -2); }},
        {"round up past the highest", [&] { return kHighest.roundedToPowerOfTen(15); }},
        {"fromDouble", [&] { return Fixed::fromDouble(1e15); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THROW(c.operation(), ConversionError);
    }
    EXPECT_EQ(errorOf([] { return kHighest + Fixed::fromInt(1); }),
              "El resultado de 922337203685477.5807 + 1 está fuera del rango de los números");
    EXPECT_EQ(errorOf([] { return Fixed::fromInt(1) / Fixed(); }), "División por cero: 1 / 0");
    EXPECT_THROW(Fixed::fromDouble(std::numeric_limits<double>::quiet_NaN()), ConversionError);
    EXPECT_EQ(kHighest - tiny + tiny, kHighest);
}

TEST(Fixed, RoundsHalfToEven) {
    const struct {
        const char* value;
        int exponent; // rounds to a multiple of 10^exponent
        const char* result;
    } cases[] = {
        {"2.345", -2, "2.34"},
        {"2.355", -2, "2.36"},
        {"-2.345", -2, "-2.34"},
        {"1.005", -2, "1"},
        {"1.0051", -2, "1.01"},
        {"0.5", 0, "0"},
        {"1.5", 0, "2"},
        {"2.5", 0, "2"},
        {"-2.5", 0, "-2"},
        {"-3.5", 0, "-4"},
        {"1.23", -4, "1.23"},
        {"1.2345", -6, "1.2345"},
        {"1234.50", 1, "1230"},
        {"1235", 1, "1240"},
        {"1245", 1, "1240"},
        {"1245.0001", 1, "1250"},
        {"-1235", 1, "-1240"},
        {"150", 2, "200"},
        {"250", 2, "200"},
        {"5", 1, "0"},
        {"15", 1, "20"},
        {"123", 30, "0"},
        {"1234.5678", -2, "1234.57"},
        {"922337203685477.5807", 14, "900000000000000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 to 10^%2").arg(c.value).arg(c.exponent).toStdString());
        EXPECT_EQ(f(c.value).roundedToPowerOfTen(c.exponent), f(c.result));
        if (c.exponent <= 0) {
            EXPECT_EQ(f(c.value).rounded(-c.exponent), f(c.result));
        }
    }
}

TEST(Fixed, FormatsWithThousandsAndExactDecimals) {
    const struct {
        Fixed value;
        int decimals;
        const char* text;
    } cases[] = {
        {f("1234567.891"), 2, "1,234,567.89"},
        {f("-1234.5"), 2, "-1,234.50"},
        {f("0"), 2, "0.00"},
        {f("999.995"), 2, "1,000.00"},
        {f("0.125"), 2, "0.12"},
        {f("0.135"), 2, "0.14"},
        {f("-0.001"), 2, "0.00"},
        {f("-0.005"), 2, "0.00"},
        {f("-0.015"), 2, "-0.02"},
        {f("123"), 0, "123"},
        {f("999"), 0, "999"},
        {f("1234.5"), 0, "1,234"},
        {f("1235.5"), 0, "1,236"},
        {f("100000"), 0, "100,000"},
        {f("1"), 6, "1.000000"},
        {kHighest, 4, "922,337,203,685,477.5807"},
        {kLowest, 4, "-922,337,203,685,477.5808"},
        {kHighest, 0, "922,337,203,685,478"},
        {kLowest, 2, "-922,337,203,685,477.58"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.value.format(c.decimals), QString::fromUtf8(c.text));
    }
}

TEST(Fixed, ConvertsToAndFromOtherScales) {
    const struct {
        std::int64_t scaled;
        int scale;
        const char* value;
    } exact[] = {
        {115, -2, "1.15"},           {-115, -2, "-1.15"}, {5, 0, "5"},
        {12345678, -4, "1234.5678"}, {7, 2, "700"},       {123400000, -8, "1.234"},
    };
    for (const auto& c : exact) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(Fixed::fromScaled(c.scaled, c.scale), f(c.value));
        EXPECT_EQ(f(c.value).toScaled(c.scale), c.scaled);
    }
    EXPECT_EQ(Fixed::fromScaled(123456, -6), f("0.1235"));
    EXPECT_EQ(Fixed::fromScaled(123450, -6), f("0.1234"));
    EXPECT_EQ(Fixed::fromScaled(-123450, -6), f("-0.1234"));
    EXPECT_EQ(f("1.155").toScaled(-2), 116);
    EXPECT_EQ(f("1.165").toScaled(-2), 116);
    EXPECT_EQ(f("-1.165").toScaled(-2), -116);
    EXPECT_EQ(f("1.5").toScaled(-6), 1500000);
    EXPECT_EQ(f("1.5").toScaled(0), 2);
    EXPECT_THROW(kHighest.toScaled(-5), ConversionError);
}

TEST(Fixed, ConvertsFromDoubleToTheNearestValue) {
    EXPECT_EQ(Fixed::fromDouble(1.15), f("1.15"));
    EXPECT_EQ(Fixed::fromDouble(-2.5), f("-2.5"));
    EXPECT_EQ(Fixed::fromDouble(1.0 / 3), f("0.3333"));
    EXPECT_EQ(Fixed::fromDouble(123456789.12345678), f("123456789.1235"));
    EXPECT_DOUBLE_EQ(f("-1234.5678").toDouble(), -1234.5678);
}
