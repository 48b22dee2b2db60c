#pragma once

#include <QString>

#include "data/types/errors.h"

#include <cstdint>

namespace quelmaro {

// Exact decimal with four places: a signed 64-bit count of ten-thousandths.
// Every operation rounds to four places, halves to even, and throws ConversionError on overflow.
class Fixed {
public:
    static constexpr int kScale = 4;
    static constexpr std::int64_t kOne = 10000;

    constexpr Fixed() = default;
    static constexpr Fixed fromRaw(std::int64_t raw) {
        Fixed f;
        f.raw_ = raw;
        return f;
    }
    static Fixed fromInt(std::int64_t units);
    // A value held with `scale` decimals (a database NUMERIC's scale is negative, e.g. -2), rounded half to
    // even.
    static Fixed fromScaled(std::int64_t value, int scale);
    // Nearest four-place value, halves to even; NaN, infinities and values out of range throw.
    static Fixed fromDouble(double value);
    // Optional sign, digits, optional "." with up to four digits. Anything else throws ConversionError.
    static Fixed parse(const QString& text);

    constexpr std::int64_t raw() const { return raw_; }
    // The value with `scale` decimals (negative: -2 gives hundredths), rounded half to even.
    std::int64_t toScaled(int scale) const;
    double toDouble() const { return double(raw_) / kOne; }
    bool isZero() const { return raw_ == 0; }
    // True when there is nothing after the decimal point.
    bool isWhole() const { return raw_ % kOne == 0; }

    Fixed operator+(Fixed other) const;
    Fixed operator-(Fixed other) const;
    Fixed operator*(Fixed other) const;
    Fixed operator/(Fixed other) const;
    Fixed operator-() const;
    Fixed& operator+=(Fixed other) { return *this = *this + other; }
    Fixed& operator-=(Fixed other) { return *this = *this - other; }
    Fixed& operator*=(Fixed other) { return *this = *this * other; }
    Fixed& operator/=(Fixed other) { return *this = *this / other; }
    friend constexpr auto operator<=>(Fixed, Fixed) = default;

    // Rounded to `decimals` places, halves to even (four or more places leave the value as it is).
    Fixed rounded(int decimals) const;
    // Rounded to a multiple of 10^exponent (exponent may be negative), halves to even.
    Fixed roundedToPowerOfTen(int exponent) const;

    // Plain text: "-1234.5" (no thousands, no trailing zeros, "0" for zero).
    QString toString() const;
    // Number format: "," between thousands, "." and exactly `decimals` places (0 to 18), rounded half to
    // even.
    QString format(int decimals) const;

private:
    std::int64_t raw_ = 0;
};

} // namespace quelmaro
