#include "probe_run.h"

#include <gtest/gtest.h>

namespace quelmaro::platform::test {
namespace {

struct LocaleCase {
    const char* locale;
    const char* names;        // days Monday to Sunday, months, currency symbol, one a line
    const char* translations; // whether Qt's texts load, then the text of a standard Cancel button
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

INSTANTIATE_TEST_SUITE_P(
    Cases, SystemLocale,
    ::testing::Values(LocaleCase{"es_ES.UTF-8",
                                 "lunes\nmartes\nmiércoles\njueves\nviernes\nsábado\ndomingo\n"
                                 "enero\nfebrero\nmarzo\nabril\nmayo\njunio\njulio\nagosto\n"
                                 "septiembre\noctubre\nnoviembre\ndiciembre\n€\n",
                                 "loaded\nCancelar\n"},
                      LocaleCase{"en_US.UTF-8",
                                 "Monday\nTuesday\nWednesday\nThursday\nFriday\nSaturday\nSunday\n"
                                 "January\nFebruary\nMarch\nApril\nMay\nJune\nJuly\nAugust\n"
                                 "September\nOctober\nNovember\nDecember\n$\n",
                                 "not loaded\nCancel\n"}),
    [](const ::testing::TestParamInfo<LocaleCase>& info) {
        return std::string(info.param.locale).substr(0, 5);
    });

} // namespace
} // namespace quelmaro::platform::test
