#include "report/report_fonts.h"

#include "platform/fonts.h"

namespace quelmaro {

QFont reportFont(const QString& name, double pointSize) {
    QFont font(platform::fontFamily(name));
    font.setPointSizeF(pointSize);
    // Unhinted outlines scale linearly, so a text measures the same on every device resolution.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace quelmaro
