#pragma once

#include <QList>
#include <QString>

#include <optional>

class QPrinter;

namespace quelmaro::platform {

// One entry of a file dialog's type list: "Report Snapshot File (NDR)" with the pattern "*.NDR".
struct FileFilter {
    QString description;
    QString pattern;
    bool operator==(const FileFilter&) const = default;
};

struct SaveFileRequest {
    QString title;             // empty: the system's own caption
    QList<FileFilter> filters; // in the order the operator sees them
    int selectedFilter = 0;    // index into filters, the type the dialog starts with
    QString defaultSuffix; // added to a name typed without one when the chosen type gives none, e.g. "ndr"
    QString fileName;      // the name the dialog starts with, may be empty
    bool operator==(const SaveFileRequest&) const = default;
};

struct SaveFileChoice {
    QString fileName;       // absolute path of the chosen file
    int selectedFilter = 0; // index into the request's filters, the type chosen last
    bool operator==(const SaveFileChoice&) const = default;
};

struct OpenFileRequest {
    QString title;
    FileFilter filter;
    QString defaultSuffix;
    bool operator==(const OpenFileRequest&) const = default;
};

// What the program shows the operator and asks of them: messages, the beep and the system's file and print
// dialogs. Every message and dialog is modal: the call returns when the operator has answered. Each dialog
// returns what the operator chose, or nullopt / false when they cancelled.
class Messages {
public:
    virtual ~Messages() = default;

    virtual void information(const QString& text) = 0; // plain box, no symbol, OK button
    virtual void error(const QString& text) = 0;       // error symbol, OK button
    virtual void beep() = 0;

    // Refuses a folder that does not exist and a read-only file; asks before overwriting.
    virtual std::optional<SaveFileChoice> saveFileName(const SaveFileRequest& request) = 0;
    // Only an existing file can be chosen.
    virtual std::optional<QString> openFileName(const OpenFileRequest& request) = 0;
    // The system's print setup (printer, paper, orientation); on true the choices are in printer.
    virtual bool printerSetup(QPrinter& printer) = 0;
    // The system's print dialog with pages minPage to maxPage; on true the choices are in printer.
    virtual bool print(QPrinter& printer, int minPage, int maxPage) = 0;
};

// The layer in use. Chosen at first use: the unattended layer when QUELMARO_NO_DIALOGS=1, otherwise Qt's
// modal boxes. A MessagesOverride replaces it for a while.
Messages& messages();

// Makes `layer` the one messages() returns for the lifetime of this object, then restores the previous one.
// Overrides nest; destroy them in reverse order of creation.
class MessagesOverride {
public:
    explicit MessagesOverride(Messages& layer);
    ~MessagesOverride();
    MessagesOverride(const MessagesOverride&) = delete;
    MessagesOverride& operator=(const MessagesOverride&) = delete;

private:
    Messages* previous_;
};

} // namespace quelmaro::platform
