#include "report/text_layout.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace quelmaro {

namespace {

// Baselines closer than this belong to one printed line.
constexpr double kSameLine = 0.03; // inches
// The finest grid tried: finer, a page no longer reads as text.
constexpr TextGrid kFinest{30.0, 12.0};
constexpr double kGridStep = 1.0;

bool blank(QChar c) {
    return c.isSpace() || c.unicode() < 0x20;
}

// A printed line: the texts whose baselines lie close to the first one's.
struct Row {
    double y;
    std::vector<const TextCommand*> texts;
};

std::vector<Row> rowsOf(const Page& page) {
    std::vector<const TextCommand*> texts;
    for (const DrawCommand& command : page.commands) {
        const auto* text = std::get_if<TextCommand>(&command);
        if (text && text->y >= 0 && text->y <= page.paperHeight &&
            !std::all_of(text->text.cbegin(), text->text.cend(), blank))
            texts.push_back(text);
    }
    std::stable_sort(texts.begin(), texts.end(), [](const auto* a, const auto* b) { return a->y < b->y; });
    std::vector<Row> rows;
    for (const TextCommand* text : texts) {
        if (rows.empty() || text->y - rows.back().y > kSameLine)
            rows.push_back({text->y, {}});
        rows.back().texts.push_back(text);
    }
    return rows;
}

// The column of a text's first character.
qsizetype startColumn(const TextCommand& text, double charactersPerInch) {
    const qsizetype at = std::lround(text.x * charactersPerInch);
    return text.align == TextAlign::Right ? at - text.text.size() : at;
}

// The columns of a text's first and last visible characters.
struct Span {
    qsizetype first;
    qsizetype last;

    // Two texts need a blank between them to read as two.
    bool meets(const Span& other) const { return first <= other.last + 1 && other.first <= last + 1; }
};

Span spanOf(const TextCommand& text, double charactersPerInch) {
    const qsizetype start = startColumn(text, charactersPerInch);
    qsizetype first = 0;
    while (blank(text.text[first]))
        ++first;
    qsizetype last = text.text.size() - 1;
    while (blank(text.text[last]))
        --last;
    return {start + first, start + last};
}

bool meet(const TextCommand& a, const TextCommand& b, double charactersPerInch) {
    return spanOf(a, charactersPerInch).meets(spanOf(b, charactersPerInch));
}

// The coarsest characters per inch at which every two texts of a printed line stand apart, leaving out
// those that meet even on the finest grid (drawn over each other): they go to lines of their own.
double charactersPerInch(const std::vector<Row>& rows, double coarsest) {
    std::vector<std::pair<const TextCommand*, const TextCommand*>> separable;
    for (const Row& row : rows)
        for (size_t i = 0; i < row.texts.size(); ++i)
            for (size_t j = i + 1; j < row.texts.size(); ++j)
                if (!meet(*row.texts[i], *row.texts[j], kFinest.charactersPerInch))
                    separable.emplace_back(row.texts[i], row.texts[j]);
    for (double cpi = coarsest; cpi < kFinest.charactersPerInch; cpi += kGridStep) {
        if (std::none_of(separable.cbegin(), separable.cend(),
                         [cpi](const auto& pair) { return meet(*pair.first, *pair.second, cpi); }))
            return cpi;
    }
    return std::max(coarsest, kFinest.charactersPerInch);
}

// The coarsest lines per inch at which consecutive printed lines fall on different lines of text.
double linesPerInch(const std::vector<Row>& rows, double coarsest) {
    double needed = coarsest;
    for (size_t i = 1; i < rows.size(); ++i)
        needed = std::max(needed, 1.0 / (rows[i].y - rows[i - 1].y));
    return std::clamp(needed, coarsest, std::max(coarsest, kFinest.linesPerInch));
}

// Lines of characters; only what lies across the sheet is kept.
class CharacterLines {
public:
    explicit CharacterLines(qsizetype columns) : columns_(columns) {}

    void put(qsizetype line, qsizetype column, const QString& text) {
        QString& row = lines_[line];
        for (qsizetype i = 0; i < text.size(); ++i) {
            const qsizetype at = column + i;
            if (at < 0 || at >= columns_ || blank(text[i]))
                continue;
            if (row.size() <= at)
                row.resize(at + 1, QLatin1Char(' '));
            row[at] = text[i];
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

QString pageAsText(const Page& page, TextGrid coarsest) {
    const std::vector<Row> rows = rowsOf(page);
    const double cpi = charactersPerInch(rows, coarsest.charactersPerInch);
    const double lpi = linesPerInch(rows, coarsest.linesPerInch);
    CharacterLines lines(std::lround(page.paperWidth * cpi));
    qsizetype nextFree = 0;
    for (const Row& row : rows) {
        // The baseline lies at the foot of its line.
        const qsizetype line = std::max(nextFree, qsizetype(std::lround(row.y * lpi)) - 1);
        // Left to right, each text on the first line of the row where it meets no other.
        std::vector<const TextCommand*> texts = row.texts;
        std::stable_sort(texts.begin(), texts.end(), [cpi](const auto* a, const auto* b) {
            return spanOf(*a, cpi).first < spanOf(*b, cpi).first;
        });
        std::vector<std::vector<Span>> taken;
        for (const TextCommand* text : texts) {
            const Span span = spanOf(*text, cpi);
            size_t level = 0;
            while (level < taken.size() && std::any_of(taken[level].cbegin(), taken[level].cend(),
                                                       [&](const Span& other) { return span.meets(other); }))
                ++level;
            if (level == taken.size())
                taken.emplace_back();
            taken[level].push_back(span);
            lines.put(line + qsizetype(level), startColumn(*text, cpi), text->text);
        }
        nextFree = line + qsizetype(taken.size());
    }
    return lines.text();
}

} // namespace quelmaro
