#pragma once

#include "platform/messages.h"

#include <QQueue>

#include <functional>
#include <iosfwd>
#include <variant>

namespace quelmaro::platform {

enum class MessageKind { Information, Error, Beep };

struct RecordedMessage {
    MessageKind kind;
    QString text; // empty for a beep
    bool operator==(const RecordedMessage&) const = default;
};
std::ostream& operator<<(std::ostream& out, const RecordedMessage& message);

// Listed in the order of the DialogRequest alternatives below.
enum class DialogKind { SaveFile, OpenFile, PrinterSetup, Print };

struct PrinterSetupRequest {
    QString printerName; // the printer the dialog opened on
    bool operator==(const PrinterSetupRequest&) const = default;
};

struct PrintRequest {
    QString printerName;
    int minPage = 0;
    int maxPage = 0;
    bool operator==(const PrintRequest&) const = default;
};

using DialogRequest = std::variant<SaveFileRequest, OpenFileRequest, PrinterSetupRequest, PrintRequest>;

// What the operator does in a confirmed printer dialog, e.g. choose another printer.
using PrinterChange = std::function<void(QPrinter&)>;

// For tests: records every message and beep in order, and answers each dialog with the next scripted answer.
// A dialog opened with no answer scripted, or with an answer scripted for another kind of dialog, ends the
// process with a message naming both: a test must never wait on a dialog nobody will close.
class RecordingMessages : public Messages {
public:
    RecordingMessages() = default;
    RecordingMessages(const RecordingMessages&) = delete;
    RecordingMessages& operator=(const RecordingMessages&) = delete;

    void answerSaveFile(const QString& fileName, int selectedFilter);
    void answerOpenFile(const QString& fileName);
    void answerPrinterSetup(PrinterChange change = {});
    void answerPrint(PrinterChange change = {});
    void answerCancel(DialogKind kind);

    const QList<RecordedMessage>& recorded() const { return recorded_; }
    const QList<DialogRequest>& dialogs() const { return dialogs_; } // every dialog opened, in order
    qsizetype unusedAnswers() const { return answers_.size(); }

    void information(const QString& text) override;
    void error(const QString& text) override;
    void beep() override;
    std::optional<SaveFileChoice> saveFileName(const SaveFileRequest& request) override;
    std::optional<QString> openFileName(const OpenFileRequest& request) override;
    bool printerSetup(QPrinter& printer) override;
    bool print(QPrinter& printer, int minPage, int maxPage) override;

private:
    struct Answer {
        DialogKind kind;
        bool confirmed = false;
        SaveFileChoice saveFile;
        QString openFile;
        PrinterChange change;
    };
    Answer takeAnswer(const DialogRequest& request);
    bool answerPrinterDialog(const DialogRequest& request, QPrinter& printer);

    QList<RecordedMessage> recorded_;
    QList<DialogRequest> dialogs_;
    QQueue<Answer> answers_;
};

// A recording layer installed as messages() for its own lifetime: what a test declares first.
class ScopedRecording : public RecordingMessages {
    MessagesOverride installed_{*this};
};

} // namespace quelmaro::platform
