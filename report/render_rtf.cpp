#include "report/render_rtf.h"

#include "report/atomic_file.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <map>

namespace quelmaro {

TRenderRTF::TRenderRTF(QObject* parent) : TFileRenderer(parent) {
    setFileExtension(QStringLiteral("*.rtf"));
    setDisplayName(QStringLiteral("Rich Text Format (RTF)"));
}

namespace {

constexpr double kTwipsPerInch = 1440.0;

long twips(double inches) {
    return std::lround(inches * kTwipsPerInch);
}

// RTF text: the three special characters escaped, everything beyond ASCII as \uN with a "?" fallback.
QByteArray rtfText(const QString& text) {
    QByteArray out;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += char(u);
        } else if (u >= 0x20 && u < 0x80) {
            out += char(u);
        } else if (u >= 0x20) {
            out += "\\u" + QByteArray::number(qint16(u)) + '?';
        }
    }
    return out;
}

struct PlacedText {
    long x;
    TextAlign align;
    int font;
    float size;
    QString text;
};

// The texts of one page by baseline (in twips), each line's texts from left to right.
using PageLines = std::map<long, std::vector<PlacedText>>;

class RtfWriter {
public:
    QByteArray document(const PageStore& store) {
        QByteArray body;
        for (size_t i = 0; i < store.pages.size(); ++i)
            body += page(store.pages[i], i == 0);
        QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl";
        for (int i = 0; i < fonts_.size(); ++i)
            out += "{\\f" + QByteArray::number(i) + "\\fnil " + rtfText(fonts_[i]) + ";}";
        out += "}\n{\\info{\\title " + rtfText(store.title) + "}}\n" + body + "}\n";
        return out;
    }

private:
    int fontIndex(const QString& name) {
        qsizetype at = fonts_.indexOf(name);
        if (at < 0) {
            fonts_ << name;
            at = fonts_.size() - 1;
        }
        return int(at);
    }

    QByteArray page(const Page& page, bool first) {
        QByteArray out = first ? "\\sectd" : "\\sect\\sectd\\sbkpage";
        out += "\\pgwsxn" + QByteArray::number(twips(page.paperWidth)) + "\\pghsxn" +
               QByteArray::number(twips(page.paperHeight)) + "\\marglsxn0\\margrsxn0\\margtsxn0\\margbsxn0\n";
        PageLines lines;
        int font = fontIndex(QStringLiteral("Arial"));
        float size = 10;
        for (const DrawCommand& command : page.commands) {
            if (const auto* f = std::get_if<FontCommand>(&command)) {
                font = fontIndex(f->name);
                size = f->size;
            } else if (const auto* t = std::get_if<TextCommand>(&command)) {
                lines[twips(t->y)].push_back({twips(t->x), t->align, font, size, t->text});
            }
        }
        long previousBaseline = 0;
        for (auto& [baseline, texts] : lines) {
            std::stable_sort(texts.begin(), texts.end(),
                             [](const auto& a, const auto& b) { return a.x < b.x; });
            // Exact line height from the previous baseline puts each line at its own height.
            out += "\\pard\\plain\\sl-" + QByteArray::number(qMax(1L, baseline - previousBaseline)) +
                   "\\slmult0";
            for (const PlacedText& t : texts) {
                if (t.align == TextAlign::Right)
                    out += "\\tqr";
                if (t.x > 0)
                    out += "\\tx" + QByteArray::number(t.x);
            }
            for (const PlacedText& t : texts) {
                out += t.x > 0 ? "\\tab{" : "{";
                out += "\\f" + QByteArray::number(t.font) + "\\fs" +
                       QByteArray::number(std::lround(t.size * 2)) + ' ' + rtfText(t.text) + '}';
            }
            out += "\\par\n";
            previousBaseline = baseline;
        }
        return out;
    }

    QStringList fonts_;
};

} // namespace

void TRenderRTF::RenderStream(const PageStore& store) {
    AtomicFile file(OutputFile);
    file.write(RtfWriter().document(store));
    file.commit();
}

} // namespace quelmaro
