#include "report/renderer.h"

#include "report/renderer_registry.h"
#include "report/snapshot.h"

namespace quelmaro {

TRenderer::TRenderer(QObject* parent) : QObject(parent) {
    RendererRegistry::instance().enter(this);
}

TRenderer::~TRenderer() {
    RendererRegistry::instance().leave(this);
}

void TRenderer::setDisplayName(const QString& name) {
    displayName_ = name;
    RendererRegistry::instance().enter(this);
}

void TRenderer::RenderFile(const QString& fileName) {
    RenderStream(loadSnapshot(fileName));
}

TFileRenderer::TFileRenderer(QObject* parent) : TRenderer(parent) {
    setActive(true);
}

} // namespace quelmaro
