#pragma once

#include "report/renderer.h"

namespace quelmaro {

// "Rich Text Format (RTF)": each page's texts in their fonts, lines by baseline, columns by tab stops.
class TRenderRTF : public TFileRenderer {
    Q_OBJECT
public:
    explicit TRenderRTF(QObject* parent = nullptr);
    void RenderStream(const PageStore& store) override;
};

} // namespace quelmaro
