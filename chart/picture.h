#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "chart/chart_frame.h"

// The drawing surface of the chart as a display list, in picture millimetres (origin top left,
// Y downward). The chart drawing and the dialogs append to it; the screen view and the printer
// replay the same list, so what is printed is exactly what is shown, at any resolution.
namespace chart {

// Size of the picture surface, mm.
inline constexpr double kPictureWidth = 267.0;
inline constexpr double kPictureHeight = 189.0;

// Colours are numbers of the classic 16-colour palette.
inline constexpr int kBlack = 0;
inline constexpr int kGrey = 8;
inline constexpr int kLightBlue = 9;
inline constexpr int kLightGreen = 10;
inline constexpr int kLightRed = 12;

struct Rgb {
    int r;
    int g;
    int b;
};
// RGB of palette colour `number` (0 … 15); any other number gives black.
[[nodiscard]] Rgb paletteColour(int number);

struct LineItem {
    PointMm from;
    PointMm to;
    int colour;
    int widthPx;          // line width in screen pixels (96 per inch)
    bool dashed = false;  // drawn in dashes (a line's extension beyond the process itself)
};

struct CircleItem {
    PointMm centre;
    double radius;  // mm
    int colour;
    int widthPx;
};

// A text whose top-left corner stands at `position`, in the foreground colour (black).
// heightPx == 0 means the picture's own font ("ＭＳ ゴシック" 9 pt, unrotated); otherwise a font
// of that cell height in screen pixels, turned counter-clockwise by angleDeg.
struct TextItem {
    PointMm position;
    std::string text;  // UTF-8
    double heightPx;
    int angleDeg;
};

using PictureItem = std::variant<LineItem, CircleItem, TextItem>;

// How far a picture is drawn: its number of items, and the line width and text position the
// drawing left there. Cutting a picture back to a mark leaves it as it was when the mark was
// taken.
struct PictureMark {
    std::size_t items;
    int lineWidth;
    PointMm textPosition;
};

class Picture {
  public:
    // Erases everything; the line width returns to 1 and the text position to (0, 0).
    void clear();

    // Erases the items from `count` on, and sets the line width and text position to what they
    // were there; like clear, it changes the revision. A larger count changes nothing.
    void truncate(std::size_t count, int lineWidth, PointMm textPosition);
    void truncate(const PictureMark& mark) {
        truncate(mark.items, mark.lineWidth, mark.textPosition);
    }
    [[nodiscard]] PictureMark mark() const { return {items_.size(), lineWidth_, textPosition_}; }

    void setLineWidth(int px) { lineWidth_ = px; }
    [[nodiscard]] int lineWidth() const { return lineWidth_; }

    void line(PointMm from, PointMm to, int colour);
    // The same line drawn in dashes.
    void dashedLine(PointMm from, PointMm to, int colour);
    void circle(PointMm centre, double radius, int colour);

    // The current text position: the top-left corner of the next text printed.
    void setTextPosition(PointMm position) { textPosition_ = position; }
    [[nodiscard]] PointMm textPosition() const { return textPosition_; }

    // Prints text at the current text position in the picture's font.
    void print(std::string text);
    // Prints text at the current text position in a font of the given cell height (pixels),
    // turned counter-clockwise by angleDeg.
    void printRotated(std::string text, double heightPx, int angleDeg);

    [[nodiscard]] const std::vector<PictureItem>& items() const { return items_; }

    // Changes at every clear and at no other time. Between two clears the list only grows, so
    // (revision, number of items) names what a viewer has already shown of the picture.
    [[nodiscard]] std::uint64_t revision() const { return revision_; }

  private:
    std::vector<PictureItem> items_;
    std::uint64_t revision_ = 0;
    int lineWidth_ = 1;
    PointMm textPosition_{0.0, 0.0};
};

}  // namespace chart
