#include "data/types/fixed.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quelmaro {

namespace {

// Intermediates are wide enough that no product or scaled value of two 64-bit operands can wrap.
using Wide = __int128;

constexpr Wide kLowest = std::numeric_limits<std::int64_t>::min();
constexpr Wide kHighest = std::numeric_limits<std::int64_t>::max();
// 10^38 is the largest power of ten a Wide holds; every 64-bit value divided by it rounds to zero.
constexpr int kLargestExponent = 38;

Wide powerOfTen(int exponent) {
    Wide result = 1;
    for (int i = 0; i < std::min(exponent, kLargestExponent); ++i)
        result *= 10;
    return result;
}

// The quotient rounded to the nearest integer, halves to the even neighbour.
Wide divideHalfToEven(Wide numerator, Wide divisor) {
    if (divisor < 0) {
        numerator = -numerator;
        divisor = -divisor;
    }
    Wide quotient = numerator / divisor;
    const Wide remainder = numerator % divisor;
    const Wide twiceRemainder = 2 * (remainder < 0 ? -remainder : remainder);
    if (twiceRemainder > divisor || (twiceRemainder == divisor && quotient % 2 != 0))
        quotient += numerator < 0 ? -1 : 1;
    return quotient;
}

// value × 10^exponent; any non-zero value times more than 10^19 leaves the 64-bit range, so the
// exponent is capped there to keep the product inside a Wide.
Wide multiplyByPowerOfTen(Wide value, int exponent) {
    return value * powerOfTen(std::min(exponent, 20));
}

template <typename Describe> std::int64_t checkedRange(Wide value, Describe describe) {
    if (value < kLowest || value > kHighest)
        throw ConversionError(
            QStringLiteral("El resultado de %1 está fuera del rango de los números").arg(describe()));
    return std::int64_t(value);
}

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Digits of an unsigned value with "," between groups of three.
QString groupThousands(quint64 units) {
    QString digits = QString::number(units);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, u',');
    return digits;
}

} // namespace

Fixed Fixed::fromInt(std::int64_t units) {
    return fromScaled(units, 0);
}

Fixed Fixed::fromScaled(std::int64_t value, int scale) {
    const int exponent = kScale + scale;
    if (exponent < 0)
        return fromRaw(std::int64_t(divideHalfToEven(value, powerOfTen(-exponent))));
    return fromRaw(checkedRange(multiplyByPowerOfTen(value, exponent),
                                [&] { return QStringLiteral("%1 × 10^%2").arg(value).arg(scale); }));
}

Fixed Fixed::fromDouble(double value) {
    const double scaled = value * kOne;
    // 2^63 is exactly representable, so the comparison is exact at the edge of the range.
    constexpr double kLimit = 9223372036854775808.0;
    if (!std::isfinite(scaled) || scaled >= kLimit || scaled < -kLimit)
        throw ConversionError(QStringLiteral("'%1' no es un número válido").arg(value));
    return fromRaw(std::int64_t(std::nearbyint(scaled))); // the default rounding mode is half to even
}

Fixed Fixed::parse(const QString& text) {
    const auto invalid = [&] {
        return ConversionError(QStringLiteral("'%1' no es un número válido").arg(text));
    };
    const auto outOfRange = [&] {
        return ConversionError(QStringLiteral("'%1' está fuera del rango de los números").arg(text));
    };
    const qsizetype length = text.size();
    qsizetype at = 0;
    bool negative = false;
    if (at < length && (text[at] == u'-' || text[at] == u'+'))
        negative = text[at++] == u'-';

    Wide units = 0;
    const qsizetype unitsStart = at;
    for (; at < length && isAsciiDigit(text[at]); ++at) {
        units = units * 10 + (text[at].unicode() - u'0');
        if (units > kHighest)
            throw outOfRange();
    }
    if (at == unitsStart)
        throw invalid();

    Wide fraction = 0;
    int decimals = 0;
    if (at < length && text[at] == u'.') {
        for (++at; at < length && isAsciiDigit(text[at]); ++at) {
            if (++decimals > kScale)
                throw invalid();
            fraction = fraction * 10 + (text[at].unicode() - u'0');
        }
        if (decimals == 0)
            throw invalid();
    }
    if (at != length)
        throw invalid();

    Wide raw = units * kOne + multiplyByPowerOfTen(fraction, kScale - decimals);
    if (negative)
        raw = -raw;
    if (raw < kLowest || raw > kHighest)
        throw outOfRange();
    return fromRaw(std::int64_t(raw));
}

std::int64_t Fixed::toScaled(int scale) const {
    const int exponent = kScale + scale;
    if (exponent >= 0)
        return std::int64_t(divideHalfToEven(raw_, powerOfTen(exponent)));
    return checkedRange(multiplyByPowerOfTen(raw_, -exponent),
                        [&] { return QStringLiteral("%1 con %2 decimales").arg(toString()).arg(-scale); });
}

Fixed Fixed::operator+(Fixed other) const {
    return fromRaw(checkedRange(Wide(raw_) + other.raw_,
                                [&] { return QStringLiteral("%1 + %2").arg(toString(), other.toString()); }));
}

Fixed Fixed::operator-(Fixed other) const {
    return fromRaw(checkedRange(Wide(raw_) - other.raw_,
                                [&] { return QStringLiteral("%1 - %2").arg(toString(), other.toString()); }));
}

Fixed Fixed::operator*(Fixed other) const {
    return fromRaw(checkedRange(divideHalfToEven(Wide(raw_) * other.raw_, kOne),
                                [&] { return QStringLiteral("%1 * %2").arg(toString(), other.toString()); }));
}

Fixed Fixed::operator/(Fixed other) const {
    if (other.raw_ == 0)
        throw ConversionError(QStringLiteral("División por cero: %1 / 0").arg(toString()));
    return fromRaw(checkedRange(divideHalfToEven(Wide(raw_) * kOne, other.raw_),
                                [&] { return QStringLiteral("%1 / %2").arg(toString(), other.toString()); }));
}

Fixed Fixed::operator-() const {
    return fromRaw(checkedRange(-Wide(raw_), [&] { return QStringLiteral("-(%1)").arg(toString()); }));
}

Fixed Fixed::rounded(int decimals) const {
    return roundedToPowerOfTen(-decimals);
}

Fixed Fixed::roundedToPowerOfTen(int exponent) const {
    const int places = kScale + exponent; // how many of the raw digits become zero
    if (places <= 0)
        return *this;
    const Wide step = powerOfTen(places);
    return fromRaw(checkedRange(multiplyByPowerOfTen(divideHalfToEven(raw_, step), places), [&] {
        return QStringLiteral("redondear %1 a 10^%2").arg(toString()).arg(exponent);
    }));
}

QString Fixed::toString() const {
    const quint64 magnitude = raw_ < 0 ? 0 - quint64(raw_) : quint64(raw_);
    QString text = QString::number(magnitude / kOne);
    if (const quint64 fraction = magnitude % kOne) {
        QString digits = QStringLiteral("%1").arg(fraction, kScale, 10, QChar(u'0'));
        while (digits.endsWith(u'0'))
            digits.chop(1);
        text += u'.' + digits;
    }
    return raw_ < 0 ? u'-' + text : text;
}

QString Fixed::format(int decimals) const {
    decimals = std::clamp(decimals, 0, 18);
    const Wide scaled = decimals <= kScale ? divideHalfToEven(raw_, powerOfTen(kScale - decimals))
                                           : multiplyByPowerOfTen(raw_, decimals - kScale);
    const Wide magnitude = scaled < 0 ? -scaled : scaled;
    const Wide unit = powerOfTen(decimals);
    QString text = groupThousands(quint64(magnitude / unit));
    if (decimals > 0)
        text += u'.' + QStringLiteral("%1").arg(quint64(magnitude % unit), decimals, 10, QChar(u'0'));
    return scaled < 0 ? u'-' + text : text;
}

} // namespace quelmaro
