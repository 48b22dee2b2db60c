#pragma once

#include "data/types/value.h"

#include <QString>

namespace quelmaro {

class TReportCanvas;

// The part of `text` a text datum prints: from character `first` (counted from 1; empty, 0 or negative
// count as 1), at most `length` characters. Empty when `length` is empty, 0 or negative, or when `first`
// lies beyond the end.
QString datumText(const QString& text, const Value& first, const Value& length);

// A number datum as printed: optional minus sign, the thousand separator in force ("," ) between groups of
// three digits, and when `decimals` is above 0, the decimal separator (".") with exactly that many places,
// rounded half to even. `value` is plain decimal text with up to four
// places, empty for zero; `decimals` is integer text, 2 when empty or not an integer. Throws
// ConversionError for a value that is not a number.
QString datumNumber(const QString& value, const QString& decimals);

// Prints a text datum left-aligned from x on the baseline y, cut as datumText says.
void imprima_cadena(TReportCanvas& canvas, const QString& text, double x, double y, const Value& first,
                    const Value& length);

// Prints a number datum right-aligned so that it ends at x, on the baseline y, formatted as datumNumber
// says. A number is never cut.
void imprima_numero(TReportCanvas& canvas, const QString& value, double x, double y, const QString& decimals);

} // namespace quelmaro
