#include "tests/closing/format/page_reading.h"

namespace quelmaro::test {

TextPlace place(const PrintedText& printed) {
    return {printed.text, printed.align, printed.x, printed.y};
}

void PrintTo(const TextPlace& place, std::ostream* out) {
    *out << '"' << place.text.toStdString()
         << (place.align == TextAlign::Right ? "\" ending at (" : "\" from (") << place.x << ", " << place.y
         << ')';
}

std::vector<PrintedText> printedTexts(const Page& page) {
    std::vector<PrintedText> texts;
    FontCommand font; // what a page starts with
    font.name = QStringLiteral("Arial");
    for (const DrawCommand& command : page.commands) {
        if (const auto* change = std::get_if<FontCommand>(&command))
            font = *change;
        else if (const auto* text = std::get_if<TextCommand>(&command))
            texts.push_back({text->text, text->x, text->y, text->align, font.name, font.size});
    }
    return texts;
}

const PrintedText* findText(const std::vector<PrintedText>& texts, const QString& text) {
    for (const PrintedText& printed : texts)
        if (printed.text == text)
            return &printed;
    return nullptr;
}

PageCanvas::PageCanvas() : writer_(std::make_unique<TPageStoreWriter>(store_, printer_, PrinterSettings{})) {
    writer_->open();
}

const Page& PageCanvas::finish() {
    writer_->close();
    return store_.pages.at(0);
}

} // namespace quelmaro::test
