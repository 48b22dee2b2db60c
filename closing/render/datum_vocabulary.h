#pragma once

#include <QString>

#include <span>

namespace quelmaro {

// Where a datum's value comes from.
enum class DatumSource {
    Field,             // a field of the report row, printed as a number
    TextField,         // a field of the report row, printed as text
    Aggregate,         // a total over all report rows, printed as a number
    ReportDate,        // the report date as "yyyy/mm/dd"
    ReportDateInWords, // the report date as weekday, month name, day and year
    UserName,          // the user typed on the main window
    PrintTime,         // the time of day when the datum is printed, "HH:mm:ss"
};

// One name a format's DAFO_DATO may hold, and what it prints.
struct Datum {
    const char* name;
    DatumSource source;
    const char* field = nullptr; // the field or aggregate of the report rows, for those sources
};

// The data printed once per report, from the last report row (54 names).
std::span<const Datum> headerVocabulary();
// The data printed once per point of sale, from each report row in turn (45 names).
std::span<const Datum> pointOfSaleVocabulary();

// The datum of that name in a vocabulary, or null. Names compare exactly: case and blanks count.
const Datum* findDatum(std::span<const Datum> vocabulary, const QString& name);

} // namespace quelmaro
