#pragma once

#include "report/page_store.h"

#include <QObject>
#include <QString>

namespace quelmaro {

// Reproduces the pages of a page store somewhere. Every renderer is in the process-wide registry from
// its creation to its destruction.
class TRenderer : public QObject {
    Q_OBJECT
public:
    explicit TRenderer(QObject* parent = nullptr);
    ~TRenderer() override;

    QString DisplayName() const { return displayName_; }
    // Also moves the renderer to the end of the registry.
    void setDisplayName(const QString& name);
    // A file pattern such as "*.rtf".
    QString FileExtension() const { return fileExtension_; }
    void setFileExtension(const QString& pattern) { fileExtension_ = pattern; }
    // Only active renderers are offered as file formats.
    bool Active() const { return active_; }
    void setActive(bool active) { active_ = active; }

    // Every page of the store, first to last.
    virtual void RenderStream(const PageStore& store) = 0;
    // Reads the snapshot file, then renders it as RenderStream does.
    virtual void RenderFile(const QString& fileName);

private:
    QString displayName_;
    QString fileExtension_;
    bool active_ = false;
};

// A renderer that converts a page store into a file.
class TFileRenderer : public TRenderer {
    Q_OBJECT
public:
    explicit TFileRenderer(QObject* parent = nullptr);

    // The file RenderStream writes; throws ReportError when it cannot be written.
    QString OutputFile;
};

} // namespace quelmaro
