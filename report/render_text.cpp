#include "report/render_text.h"

#include "report/atomic_file.h"

#include <cmath>
#include <map>

namespace quelmaro {

TRenderText::TRenderText(QObject* parent) : TFileRenderer(parent) {
    setFileExtension(QStringLiteral("*.txt"));
    setDisplayName(QStringLiteral("Plain Text (TXT)"));
}

namespace {

// One page as lines of characters; a later text overwrites an earlier one where they meet.
class TextGrid {
public:
    explicit TextGrid(qsizetype columns) : columns_(columns) {}

    void put(qsizetype line, qsizetype column, const QString& text) {
        QString& row = lines_[line];
        for (qsizetype i = 0; i < text.size(); ++i) {
            const qsizetype at = column + i;
            if (at < 0 || at >= columns_)
                continue;
            if (row.size() <= at)
                row.resize(at + 1, QLatin1Char(' '));
            // A control character would break the grid's lines.
            row[at] = text[i].unicode() < 0x20 ? QLatin1Char(' ') : text[i];
        }
    }

    QString text() const {
        QString out;
        qsizetype next = 0;
        for (const auto& [line, row] : lines_) {
            out += QString(line - next, QLatin1Char('\n'));
            out += row;
            out += QLatin1Char('\n');
            next = line + 1;
        }
        return out;
    }

private:
    qsizetype columns_;
    std::map<qsizetype, QString> lines_;
};

} // namespace

void TRenderText::RenderStream(const PageStore& store) {
    QString out;
    for (size_t i = 0; i < store.pages.size(); ++i) {
        if (i > 0)
            out += QLatin1Char('\f');
        const Page& page = store.pages[i];
        // Like the printed sheet, the grid holds only what lies on the paper.
        const qsizetype lines = std::lround(page.paperHeight * LPI);
        const qsizetype columns = std::lround(page.paperWidth * CPI);
        TextGrid grid(columns);
        for (const DrawCommand& command : page.commands) {
            const auto* text = std::get_if<TextCommand>(&command);
            if (!text)
                continue;
            // The baseline lies at the foot of its line.
            const qsizetype line = qMax<qsizetype>(0, std::lround(text->y * LPI) - 1);
            const qsizetype column = std::lround(text->x * CPI);
            if (text->y >= 0 && line < lines)
                grid.put(line, text->align == TextAlign::Right ? column - text->text.size() : column,
                         text->text);
        }
        out += grid.text();
    }
    AtomicFile file(OutputFile);
    file.write(out.toUtf8());
    file.commit();
}

} // namespace quelmaro
