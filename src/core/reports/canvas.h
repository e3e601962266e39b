#pragma once
// The drawing surface the reports lay their pages out on: a printer page, a
// PDF page, a preview page, or a fake with fixed metrics in tests. All
// lengths are device units; (0, 0) is the top-left corner of the printable
// area. Texts are the records' bytes; the surface decides how to show them.

#include <string>
#include <string_view>

namespace vimbo {

struct CanvasRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  friend bool operator==(const CanvasRect&, const CanvasRect&) = default;
};

struct CanvasFont {
  std::string face;
  // Negative: the character height (without internal leading) in device
  // units; positive: the cell height.
  int height = 0;
  int weight = 400;  // 400 regular, 700 bold
  friend bool operator==(const CanvasFont&, const CanvasFont&) = default;
};

struct FontMetrics {
  int height = 0;  // ascent plus descent
  int externalLeading = 0;
  int averageCharWidth = 0;
};

class Canvas {
 public:
  // How a text block breaks into lines: only at line feeds (a long line is
  // not wrapped), or also between words to fit the rectangle's width.
  enum class Wrap { kLineFeedsOnly, kWords };

  virtual ~Canvas() = default;

  // Logical pixels per inch, across and down.
  virtual int LogPixelsX() const = 0;
  virtual int LogPixelsY() const = 0;
  // The whole sheet, and where the printable area starts on it.
  virtual int PhysicalWidth() const = 0;
  virtual int PhysicalHeight() const = 0;
  virtual int PhysicalOffsetX() const = 0;
  virtual int PhysicalOffsetY() const = 0;

  // Makes `font` current and returns the font it replaces.
  virtual CanvasFont SelectFont(const CanvasFont& font) = 0;
  virtual FontMetrics Metrics() const = 0;
  virtual int TextWidth(std::string_view text) const = 0;

  // One line of text whose cell's top-left corner is (x, y).
  virtual void DrawText(int x, int y, std::string_view text) = 0;
  virtual void DrawLine(int x1, int y1, int x2, int y2) = 0;
  // Paints `rect` in a grey from 0 (black) to 255 (white), without an
  // outline: the charts' bars.
  virtual void FillRect(const CanvasRect& rect, int grey) = 0;

  // The rectangle a block of text needs: `rect` with its bottom moved to
  // fit every line and, for LineFeedsOnly, its right edge set to the width
  // of the longest line. Words wraps within rect's width.
  virtual CanvasRect MeasureBlock(std::string_view text, const CanvasRect& rect, Wrap wrap) const = 0;
  virtual void DrawBlock(std::string_view text, const CanvasRect& rect, Wrap wrap) = 0;

  // Saves and restores the drawing state (font, pen) around a page.
  virtual void Save() = 0;
  virtual void Restore() = 0;
};

}  // namespace vimbo
