#include "report/renderer_registry.h"

#include "report/renderer.h"

#include <QStringList>

#include <algorithm>

namespace quelmaro {

RendererRegistry& RendererRegistry::instance() {
    static RendererRegistry registry;
    return registry;
}

void RendererRegistry::enter(TRenderer* renderer) {
    leave(renderer);
    renderers_.push_back(renderer);
}

void RendererRegistry::leave(TRenderer* renderer) {
    std::erase(renderers_, renderer);
}

std::vector<TFileRenderer*> RendererRegistry::fileFormats() const {
    std::vector<TFileRenderer*> formats;
    for (TRenderer* renderer : renderers_) {
        auto* fileRenderer = qobject_cast<TFileRenderer*>(renderer);
        if (fileRenderer && fileRenderer->Active())
            formats.push_back(fileRenderer);
    }
    return formats;
}

QString RendererRegistry::fileTypeFilter() const {
    QStringList parts;
    for (const TFileRenderer* renderer : fileFormats())
        parts << renderer->DisplayName() + QLatin1Char('|') + renderer->FileExtension();
    return parts.join(QLatin1Char('|'));
}

} // namespace quelmaro
