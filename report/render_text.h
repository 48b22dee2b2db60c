#pragma once

#include "report/renderer.h"

namespace quelmaro {

// "Plain Text (TXT)": each text at its column and line of a grid of CPI characters and LPI lines per
// inch; pages end with a form feed.
class TRenderText : public TFileRenderer {
    Q_OBJECT
public:
    explicit TRenderText(QObject* parent = nullptr);
    void RenderStream(const PageStore& store) override;

    double CPI = 10.0;
    double LPI = 6.0;
};

} // namespace quelmaro
