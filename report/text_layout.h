#pragma once

#include "report/page_store.h"

#include <QString>

namespace quelmaro {

// The character grid a page is laid out on: never coarser than asked, finer where the page's texts need it.
struct TextGrid {
    double charactersPerInch;
    double linesPerInch;
};

// The texts of one page as plain lines of characters, each line ending with "\n". Every text keeps a
// blank between it and its neighbours: the grid is refined until the texts of a printed line fit apart and
// printed lines fall on different lines of text, and a text that still meets another moves to a line of
// its own just below. What lies off the sheet is left out, as on paper.
QString pageAsText(const Page& page, TextGrid coarsest);

} // namespace quelmaro
