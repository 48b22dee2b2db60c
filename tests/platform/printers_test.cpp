#include "platform/printers.h"

#include <gtest/gtest.h>

namespace quelmaro::platform::test {
namespace {

TEST(Printers, ListsTheInstalledQueuesAndADefaultAmongThem) {
    const QString testPrinter = qEnvironmentVariable("QUELMARO_TEST_PRINTER", QStringLiteral("quelmaro_pdf"));
    const QStringList printers = installedPrinterNames();
    ASSERT_FALSE(printers.isEmpty()) << "no printer installed: start CUPS with scripts/services.sh";
    EXPECT_TRUE(printers.contains(testPrinter)) << printers.join(QLatin1Char(',')).toStdString();
    EXPECT_EQ(QStringList(printers).removeDuplicates(), 0);
    const QString defaultPrinter = defaultPrinterName();
    EXPECT_TRUE(defaultPrinter.isEmpty() || printers.contains(defaultPrinter))
        << defaultPrinter.toStdString();
}

} // namespace
} // namespace quelmaro::platform::test
