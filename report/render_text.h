#pragma once

#include "report/renderer.h"

namespace quelmaro {

// "Plain Text (TXT)": each text at its column and line of a grid of CPI characters and LPI lines per inch,
// refined where a page's texts would otherwise run together; pages are parted by a form feed.
class TRenderText : public TFileRenderer {
    Q_OBJECT
public:
    explicit TRenderText(QObject* parent = nullptr);
    void RenderStream(const PageStore& store) override;

    // The coarsest grid.
    double CPI = 10.0;
    double LPI = 6.0;
};

} // namespace quelmaro
