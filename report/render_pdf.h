#pragma once

#include "report/renderer.h"

namespace quelmaro {

// "Portable Document Format (PDF)": every page as drawn, fonts embedded, texts extractable.
class TRenderPdf : public TFileRenderer {
    Q_OBJECT
public:
    explicit TRenderPdf(QObject* parent = nullptr);
    void RenderStream(const PageStore& store) override;
};

} // namespace quelmaro
