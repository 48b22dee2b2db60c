#pragma once

#include "report/report_types.h"

#include <QImage>
#include <QString>

#include <variant>
#include <vector>

namespace quelmaro {

// Drawing commands as the canvas stores them: every coordinate and length in inches from the paper's
// top-left corner, already scaled, held as 32-bit floats.

// Bounds of what a page store holds, far beyond any report: the canvas keeps to them and the snapshot
// reader refuses anything past them, so every snapshot the program writes opens again.
inline constexpr float kMaxCoordinate = 1.0e5f; // inches either way from the sheet's corner
inline constexpr float kMaxPaperSide = 100.0f;  // inches
inline constexpr float kMaxFontSize = 2000.0f;  // points
inline constexpr int kMaxBitmapSide = 32767;    // pixels

enum class TextAlign : quint8 { Left = 0, Right = 1 };

// Text on its baseline y: starting at x (Left) or ending at x (Right).
struct TextCommand {
    float x = 0;
    float y = 0;
    TextAlign align = TextAlign::Left;
    QString text;
};

struct LineCommand {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// Outline with the current pen, inside filled white.
struct RectangleCommand {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// The image's top-left corner at (x, y), drawn width × height inches.
struct BitmapCommand {
    float x = 0, y = 0, width = 0, height = 0;
    QImage image;
};

// The font of the texts that follow; the style is always regular.
struct FontCommand {
    QString name;
    float size = 10; // points
};

// The pen of the lines and rectangles that follow; its width in inches.
struct PenCommand {
    TPenStyle style = TPenStyle::psSolid;
    float width = 0;
};

using DrawCommand =
    std::variant<TextCommand, LineCommand, RectangleCommand, BitmapCommand, FontCommand, PenCommand>;

struct Page {
    float paperWidth = 8.5f; // inches, as the sheet lies on the page
    float paperHeight = 11.0f;
    std::vector<DrawCommand> commands;
};

// The pages of one generation, in order, with the job title. Each page starts with the font "Arial"
// 10 points and a solid pen of the thinnest width the output draws, until a command changes them.
struct PageStore {
    QString title;
    std::vector<Page> pages;

    int pageCount() const { return int(pages.size()); }
};

} // namespace quelmaro
