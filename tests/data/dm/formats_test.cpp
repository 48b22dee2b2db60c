#include "data/dm/formats.h"
#include "data/types/errors.h"
#include "platform/locale_names.h"

#include <gtest/gtest.h>

namespace formats = quelmaro::formats;
using quelmaro::ConversionError;
using quelmaro::Fixed;

namespace {

const QDateTime kWhen(QDate(2020, 1, 24), QTime(9, 5, 7));

// Restores the program's formats after a test changed them.
struct SettingsChange {
    explicit SettingsChange(const formats::Settings& settings) { formats::setSettings(settings); }
    ~SettingsChange() { formats::setSettings(formats::programSettings()); }
};

struct PatternCase {
    const char* name;
    QString pattern;
    QString expected;
};

// The case by its name, in test lists too.
void PrintTo(const PatternCase& c, std::ostream* out) {
    *out << c.name;
}

class Pattern : public testing::TestWithParam<PatternCase> {};

TEST_P(Pattern, FormatsTheDateAndTime) {
    EXPECT_EQ(formats::formatDateTime(GetParam().pattern, kWhen), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Letters, Pattern,
                         testing::Values(PatternCase{"ShortDate", "yyyy/mm/dd", "2020/01/24"},
                                         PatternCase{"LongTime", "HH:mm:ss", "09:05:07"},
                                         PatternCase{"MinutesAfterHourAcrossSeparator", "h:m", "9:5"},
                                         PatternCase{"NForMinutes", "hh:nn", "09:05"},
                                         PatternCase{"NoLeadingZero", "d/m/yy", "24/1/20"},
                                         PatternCase{"QuotedTextIsCopied", "'dia' d \"de\" mm",
                                                     "dia 24 de 01"},
                                         PatternCase{"OtherCharactersStay", "yyyy-mm-dd", "2020-01-24"}),
                         [](const testing::TestParamInfo<PatternCase>& info) { return info.param.name; });

TEST(Formats, NamesComeFromTheSystemLocale) {
    const QString day = quelmaro::platform::dayName(kWhen.date().dayOfWeek());
    const QString month = quelmaro::platform::monthName(1);
    EXPECT_EQ(formats::formatDateTime(formats::settings().longDateFormat, kWhen),
              day + ", " + month + " 24, 2020");
    EXPECT_EQ(formats::formatDateTime("dddd, mmmm d, yyyy", kWhen), day + ", " + month + " 24, 2020");
}

TEST(Formats, ShortDateAndLongTime) {
    EXPECT_EQ(formats::shortDate(QDate(2007, 12, 1)), "2007/12/01");
    EXPECT_EQ(formats::longTime(QTime(23, 0, 59)), "23:00:59");
    EXPECT_EQ(formats::shortDate(QDate()), "");
    EXPECT_EQ(formats::longTime(QTime()), "");
    EXPECT_EQ(formats::qtShortDateFormat(), "yyyy'/'MM'/'dd");
}

TEST(Formats, SeparatorsInForceAreUsed) {
    formats::Settings dotted = formats::programSettings();
    dotted.dateSeparator = u'.';
    dotted.shortDateFormat = "dd/mm/yyyy";
    dotted.thousandSeparator = u'.';
    dotted.decimalSeparator = u',';
    const SettingsChange change(dotted);
    EXPECT_EQ(formats::shortDate(QDate(2020, 1, 24)), "24.01.2020");
    EXPECT_EQ(formats::parseShortDate("24.1.2020"), QDate(2020, 1, 24));
    EXPECT_EQ(formats::number(Fixed::parse("-1234567.125"), 2), "-1.234.567,12");
    EXPECT_EQ(formats::qtShortDateFormat(), "dd'.'MM'.'yyyy");
}

TEST(Formats, Numbers) {
    EXPECT_EQ(formats::number(Fixed::parse("1234567.125"), 2), "1,234,567.12");
    EXPECT_EQ(formats::number(Fixed::parse("0.5"), 0), "0");
    EXPECT_EQ(formats::number(Fixed::parse("-12"), 3), "-12.000");
}

TEST(Formats, ParseShortDate) {
    EXPECT_EQ(formats::parseShortDate("2020/01/24"), QDate(2020, 1, 24));
    EXPECT_EQ(formats::parseShortDate("2020/1/4"), QDate(2020, 1, 4));
    for (const QString text : {"", "CLI", "2020/02/30", "24/01/2020", "2020-01-24", "2020/01/24 10:00"}) {
        try {
            formats::parseShortDate(text);
            ADD_FAILURE() << text.toStdString() << " was read as a date";
        } catch (const ConversionError& error) {
            EXPECT_EQ(error.message(), "'" + text + "' no es una fecha válida");
        }
    }
}

} // namespace
