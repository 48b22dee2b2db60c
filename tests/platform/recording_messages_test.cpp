#include "platform/recording_messages.h"

#include <QPrinter>

#include <gtest/gtest.h>

namespace quelmaro::platform::test {
namespace {

const QList<FileFilter> reportFilters{{QStringLiteral("Report Snapshot File (NDR)"), QStringLiteral("*.NDR")},
                                      {QStringLiteral("Plain Text (TXT)"), QStringLiteral("*.txt")}};

TEST(RecordingMessages, RecordsEveryMessageAndBeepInOrderWithItsExactText) {
    ScopedRecording recording;
    messages().beep();
    messages().error(QStringLiteral("El nombre de Usuario o la clave son incorrectas."));
    messages().information(QStringLiteral("Línea uno\nLínea dos "));
    messages().information(QString());

    const QList<RecordedMessage> expected{
        {MessageKind::Beep, QString()},
        {MessageKind::Error, QStringLiteral("El nombre de Usuario o la clave son incorrectas.")},
        {MessageKind::Information, QStringLiteral("Línea uno\nLínea dos ")},
        {MessageKind::Information, QString()}};
    EXPECT_EQ(recording.recorded(), expected);
}

TEST(RecordingMessages, AnswersDialogsInOrderAndRecordsWhatEachWasAsked) {
    ScopedRecording recording;
    recording.answerSaveFile(QStringLiteral("/tmp/cierre.txt"), 1);
    recording.answerCancel(DialogKind::SaveFile);
    recording.answerOpenFile(QStringLiteral("/tmp/cierre.ndr"));
    recording.answerPrinterSetup(
        [](QPrinter& printer) { printer.setPageOrientation(QPageLayout::Landscape); });
    recording.answerCancel(DialogKind::Print);

    const SaveFileRequest save{QString(), reportFilters, 0, QStringLiteral("ndr"), QString()};
    const OpenFileRequest open{QString(), reportFilters.first(), QStringLiteral("ndr")};
    QPrinter printer;
    printer.setPageOrientation(QPageLayout::Portrait);

    EXPECT_EQ(messages().saveFileName(save), SaveFileChoice({QStringLiteral("/tmp/cierre.txt"), 1}));
    EXPECT_EQ(messages().saveFileName(save), std::nullopt);
    EXPECT_EQ(messages().openFileName(open), std::optional<QString>(QStringLiteral("/tmp/cierre.ndr")));
    EXPECT_TRUE(messages().printerSetup(printer));
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_FALSE(messages().print(printer, 1, 4));

    const QList<DialogRequest> expected{save, save, open, PrinterSetupRequest{printer.printerName()},
                                        PrintRequest{printer.printerName(), 1, 4}};
    EXPECT_EQ(recording.dialogs(), expected);
    EXPECT_EQ(recording.unusedAnswers(), 0);
    EXPECT_TRUE(recording.recorded().isEmpty());
}

TEST(RecordingMessagesDeathTest, ADialogWithoutAScriptedAnswerEndsTheTest) {
    EXPECT_DEATH(
        {
            RecordingMessages recording;
            recording.openFileName({});
        },
        "opened the open-file dialog, but the test scripted no answer");
    EXPECT_DEATH(
        {
            RecordingMessages recording;
            recording.answerPrint();
            recording.saveFileName({});
        },
        "opened the save-file dialog, but the next scripted answer is for the print dialog");
}

TEST(MessagesOverride, InstallsForItsScopeAndRestoresThePreviousLayer) {
    Messages& original = messages();
    {
        ScopedRecording outer;
        EXPECT_EQ(&messages(), &outer);
        {
            ScopedRecording inner;
            EXPECT_EQ(&messages(), &inner);
            messages().error(QStringLiteral("interior"));
            EXPECT_EQ(inner.recorded().size(), 1);
        }
        EXPECT_EQ(&messages(), &outer);
        EXPECT_TRUE(outer.recorded().isEmpty());
    }
    EXPECT_EQ(&messages(), &original);
}

} // namespace
} // namespace quelmaro::platform::test
