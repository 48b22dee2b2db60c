#include "probe_run.h"

#include <gtest/gtest.h>

namespace quelmaro::platform::test {
namespace {

struct LocaleCase {
    const char* locale;
    const char* names; // days Monday to Sunday, months, currency symbol, one a line
};

void PrintTo(const LocaleCase& c, std::ostream* out) {
    *out << c.locale;
}

class LocaleNames : public ::testing::TestWithParam<LocaleCase> {};

TEST_P(LocaleNames, ComeFromTheSystemLocale) {
    QProcessEnvironment environment = cleanEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(GetParam().locale));
    const ProbeRun run = runProbe(QStringLiteral("names"), environment);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.toStdString(), GetParam().names);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LocaleNames,
    ::testing::Values(LocaleCase{"es_ES.UTF-8", "lunes\nmartes\nmiércoles\njueves\nviernes\nsábado\ndomingo\n"
                                                "enero\nfebrero\nmarzo\nabril\nmayo\njunio\njulio\nagosto\n"
                                                "septiembre\noctubre\nnoviembre\ndiciembre\n€\n"},
                      LocaleCase{"en_US.UTF-8",
                                 "Monday\nTuesday\nWednesday\nThursday\nFriday\nSaturday\nSunday\n"
                                 "January\nFebruary\nMarch\nApril\nMay\nJune\nJuly\nAugust\n"
                                 "September\nOctober\nNovember\nDecember\n$\n"}),
    [](const ::testing::TestParamInfo<LocaleCase>& info) {
        return std::string(info.param.locale).substr(0, 5);
    });

} // namespace
} // namespace quelmaro::platform::test
