#include "platform/recording_messages.h"

#include <QPrinter>

#include <ostream>

namespace quelmaro::platform {

namespace {

const char* name(MessageKind kind) {
    switch (kind) {
    case MessageKind::Information:
        return "Information";
    case MessageKind::Error:
        return "Error";
    case MessageKind::Beep:
        return "Beep";
    }
    return "?";
}

const char* name(DialogKind kind) {
    switch (kind) {
    case DialogKind::SaveFile:
        return "save-file";
    case DialogKind::OpenFile:
        return "open-file";
    case DialogKind::PrinterSetup:
        return "print setup";
    case DialogKind::Print:
        return "print";
    }
    return "?";
}

DialogKind kindOf(const DialogRequest& request) {
    return static_cast<DialogKind>(request.index());
}

} // namespace

std::ostream& operator<<(std::ostream& out, const RecordedMessage& message) {
    return out << name(message.kind) << " \"" << message.text.toStdString() << '"';
}

void RecordingMessages::answerSaveFile(const QString& fileName, int selectedFilter) {
    answers_.enqueue({DialogKind::SaveFile, true, {fileName, selectedFilter}, {}, {}});
}

void RecordingMessages::answerOpenFile(const QString& fileName) {
    answers_.enqueue({DialogKind::OpenFile, true, {}, fileName, {}});
}

void RecordingMessages::answerPrinterSetup(PrinterChange change) {
    answers_.enqueue({DialogKind::PrinterSetup, true, {}, {}, std::move(change)});
}

void RecordingMessages::answerPrint(PrinterChange change) {
    answers_.enqueue({DialogKind::Print, true, {}, {}, std::move(change)});
}

void RecordingMessages::answerCancel(DialogKind kind) {
    answers_.enqueue({kind, false, {}, {}, {}});
}

void RecordingMessages::information(const QString& text) {
    recorded_.append({MessageKind::Information, text});
}

void RecordingMessages::error(const QString& text) {
    recorded_.append({MessageKind::Error, text});
}

void RecordingMessages::beep() {
    recorded_.append({MessageKind::Beep, QString()});
}

RecordingMessages::Answer RecordingMessages::takeAnswer(const DialogRequest& request) {
    dialogs_.append(request);
    const DialogKind asked = kindOf(request);
    if (answers_.isEmpty())
        qFatal("The program opened the %s dialog, but the test scripted no answer", name(asked));
    if (answers_.head().kind != asked)
        qFatal("The program opened the %s dialog, but the next scripted answer is for the %s dialog",
               name(asked), name(answers_.head().kind));
    return answers_.dequeue();
}

std::optional<SaveFileChoice> RecordingMessages::saveFileName(const SaveFileRequest& request) {
    const Answer answer = takeAnswer(request);
    return answer.confirmed ? std::optional(answer.saveFile) : std::nullopt;
}

std::optional<QString> RecordingMessages::openFileName(const OpenFileRequest& request) {
    const Answer answer = takeAnswer(request);
    return answer.confirmed ? std::optional(answer.openFile) : std::nullopt;
}

bool RecordingMessages::answerPrinterDialog(const DialogRequest& request, QPrinter& printer) {
    const Answer answer = takeAnswer(request);
    if (answer.confirmed && answer.change)
        answer.change(printer);
    return answer.confirmed;
}

bool RecordingMessages::printerSetup(QPrinter& printer) {
    return answerPrinterDialog(PrinterSetupRequest{printer.printerName()}, printer);
}

bool RecordingMessages::print(QPrinter& printer, int minPage, int maxPage) {
    return answerPrinterDialog(PrintRequest{printer.printerName(), minPage, maxPage}, printer);
}

} // namespace quelmaro::platform
