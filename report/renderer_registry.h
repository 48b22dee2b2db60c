#pragma once

#include <QString>

#include <vector>

namespace quelmaro {

class TRenderer;
class TFileRenderer;

// The one list of renderers of the process, in the order they entered it.
class RendererRegistry {
public:
    static RendererRegistry& instance();

    const std::vector<TRenderer*>& renderers() const { return renderers_; }
    // The active file renderers in list order: the file formats a user may choose.
    std::vector<TFileRenderer*> fileFormats() const;
    // "DisplayName|FileExtension" of every file format, joined by "|"; empty when there is none.
    QString fileTypeFilter() const;

private:
    friend class TRenderer;
    // Puts the renderer at the end, leaving any earlier place it had.
    void enter(TRenderer* renderer);
    void leave(TRenderer* renderer);

    std::vector<TRenderer*> renderers_;
};

} // namespace quelmaro
