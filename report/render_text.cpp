#include "report/render_text.h"

#include "report/atomic_file.h"
#include "report/text_layout.h"

namespace quelmaro {

TRenderText::TRenderText(QObject* parent) : TFileRenderer(parent) {
    setFileExtension(QStringLiteral("*.txt"));
    setDisplayName(QStringLiteral("Plain Text (TXT)"));
}

void TRenderText::RenderStream(const PageStore& store) {
    QString out;
    for (size_t i = 0; i < store.pages.size(); ++i) {
        if (i > 0)
            out += QLatin1Char('\f');
        out += pageAsText(store.pages[i], {CPI, LPI});
    }
    AtomicFile file(OutputFile);
    file.write(out.toUtf8());
    file.commit();
}

} // namespace quelmaro
