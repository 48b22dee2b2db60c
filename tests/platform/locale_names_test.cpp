#include "probe_run.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quelmaro::platform::test {
namespace {

struct LocaleCase {
    const char* locale;
    const char* names; // days Monday to Sunday, months, currency symbol, one a line
    const char*
        translations; // whether Qt's texts load, a standard Cancel button's text, a calendar's December
};

void PrintTo(const LocaleCase& c, std::ostream* out) {
    *out << c.locale;
}

class SystemLocale : public ::testing::TestWithParam<LocaleCase> {
protected:
    std::string probe(const char* mode) {
        QProcessEnvironment environment = cleanEnvironment();
        environment.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(GetParam().locale));
        const ProbeRun run = runProbe(QString::fromLatin1(mode), environment);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return run.out.toStdString();
    }
};

TEST_P(SystemLocale, GivesTheDayMonthAndCurrencyNames) {
    EXPECT_EQ(probe("names"), GetParam().names);
}

TEST_P(SystemLocale, GivesTheLanguageOfQtsOwnDialogs) {
    EXPECT_EQ(probe("translations"), GetParam().translations);
}

const char* const kSpanishNames = "lunes\nmartes\nmiércoles\njueves\nviernes\nsábado\ndomingo\n"
                                  "enero\nfebrero\nmarzo\nabril\nmayo\njunio\njulio\nagosto\n"
                                  "septiembre\noctubre\nnoviembre\ndiciembre\n$\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, SystemLocale,
    ::testing::Values(LocaleCase{"es_ES.UTF-8",
                                 "lunes\nmartes\nmiércoles\njueves\nviernes\nsábado\ndomingo\n"
                                 "enero\nfebrero\nmarzo\nabril\nmayo\njunio\njulio\nagosto\n"
                                 "septiembre\noctubre\nnoviembre\ndiciembre\n€\n",
                                 "loaded\nCancelar\ndiciembre\n"},
                      // No regional settings, as on a bare system or under a scheduler: the suite's Spanish.
                      LocaleCase{"C", kSpanishNames, "loaded\nCancelar\ndiciembre\n"},
                      LocaleCase{"POSIX", kSpanishNames, "loaded\nCancelar\ndiciembre\n"},
                      LocaleCase{"C.UTF-8", kSpanishNames, "loaded\nCancelar\ndiciembre\n"},
                      LocaleCase{"en_US.UTF-8",
                                 "Monday\nTuesday\nWednesday\nThursday\nFriday\nSaturday\nSunday\n"
                                 "January\nFebruary\nMarch\nApril\nMay\nJune\nJuly\nAugust\n"
                                 "September\nOctober\nNovember\nDecember\n$\n",
                                 "not loaded\nCancel\nDecember\n"}),
    [](const ::testing::TestParamInfo<LocaleCase>& info) {
        std::string name = std::string(info.param.locale).substr(0, 5);
        std::replace(name.begin(), name.end(), '.', '_');
        return name;
    });

} // namespace
} // namespace quelmaro::platform::test
