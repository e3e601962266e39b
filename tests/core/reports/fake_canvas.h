#pragma once
// A canvas with fixed metrics that records what is drawn on it. By default
// 100 logical pixels per inch both ways on an 8.5 by 11 inch sheet, every
// character 10 units wide and every line 20 high, whatever the font; a test
// may give a font height metrics of its own.

#include <algorithm>
#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/reports/canvas.h"

namespace vimbo::testing {

class FakeCanvas : public Canvas {
 public:
  enum class Kind { Text, Line, Block, Fill };
  struct Drawn {
    Kind kind = Kind::Text;
    int x = 0, y = 0, x2 = 0, y2 = 0;  // text: (x, y); line: both ends
    CanvasRect rect;                   // block
    std::string text;
    CanvasFont font;
    Wrap wrap = Wrap::kLineFeedsOnly;
    int grey = 0;  // fill
  };

  int logPixelsX = 100;
  int logPixelsY = 100;
  int physicalWidth = 850;
  int physicalHeight = 1100;
  int offsetX = 0;
  int offsetY = 0;
  FontMetrics defaultMetrics{20, 0, 10};
  std::map<int, FontMetrics> metricsByHeight;  // by CanvasFont::height
  CanvasFont font;
  std::vector<CanvasFont> selected;  // every font selected, in order
  std::vector<Drawn> drawn;

  int LogPixelsX() const override { return logPixelsX; }
  int LogPixelsY() const override { return logPixelsY; }
  int PhysicalWidth() const override { return physicalWidth; }
  int PhysicalHeight() const override { return physicalHeight; }
  int PhysicalOffsetX() const override { return offsetX; }
  int PhysicalOffsetY() const override { return offsetY; }

  CanvasFont SelectFont(const CanvasFont& next) override {
    selected.push_back(next);
    CanvasFont previous = font;
    font = next;
    return previous;
  }

  FontMetrics Metrics() const override {
    const auto found = metricsByHeight.find(font.height);
    return found == metricsByHeight.end() ? defaultMetrics : found->second;
  }

  int TextWidth(std::string_view text) const override {
    return Metrics().averageCharWidth * static_cast<int>(text.size());
  }

  void DrawText(int x, int y, std::string_view text) override {
    drawn.push_back({Kind::Text, x, y, 0, 0, {}, std::string(text), font});
  }
  void DrawLine(int x1, int y1, int x2, int y2) override {
    drawn.push_back({Kind::Line, x1, y1, x2, y2, {}, {}, font});
  }

  void FillRect(const CanvasRect& rect, int grey) override {
    Drawn fill{Kind::Fill, rect.left, rect.top, 0, 0, rect, {}, font};
    fill.grey = grey;
    drawn.push_back(fill);
  }

  // LineFeedsOnly: one line per '\n'-separated piece, as wide as the
  // longest. Words: each piece also wraps at blanks to fit the width.
  CanvasRect MeasureBlock(std::string_view text, const CanvasRect& rect, Wrap wrap) const override {
    const int charWidth = Metrics().averageCharWidth;
    const std::size_t perLine = std::max(1, rect.Width() / charWidth);
    int lines = 0;
    std::size_t longest = 0;
    for (std::string_view piece : Split(text, '\n')) {
      longest = std::max(longest, piece.size());
      lines += wrap == Wrap::kWords ? WrappedLines(piece, perLine) : 1;
    }
    CanvasRect result = rect;
    result.bottom = rect.top + lines * Metrics().height;
    if (wrap == Wrap::kLineFeedsOnly) result.right = rect.left + charWidth * static_cast<int>(longest);
    return result;
  }

  void DrawBlock(std::string_view text, const CanvasRect& rect, Wrap wrap) override {
    Drawn block{Kind::Block, rect.left, rect.top, 0, 0, rect, std::string(text), font};
    block.wrap = wrap;
    drawn.push_back(block);
  }

  void Save() override {}
  void Restore() override {}

  // What was drawn of one kind, in order.
  std::vector<Drawn> Of(Kind kind) const {
    std::vector<Drawn> result;
    for (const Drawn& d : drawn)
      if (d.kind == kind) result.push_back(d);
    return result;
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> result;
    for (const Drawn& d : Of(Kind::Text)) result.push_back(d.text);
    return result;
  }
  // The first text drawn that equals `text`, or null.
  const Drawn* Find(std::string_view text) const {
    for (const Drawn& d : drawn)
      if (d.kind == Kind::Text && d.text == text) return &d;
    return nullptr;
  }

 private:
  static std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::string_view::npos; start = end + 1)
      pieces.push_back(text.substr(start, end - start));
    pieces.push_back(text.substr(start));
    return pieces;
  }

  // Greedy filling: a word that does not fit starts a new line; a word
  // longer than a line takes a line of its own.
  static int WrappedLines(std::string_view piece, std::size_t perLine) {
    int lines = 1;
    std::size_t used = 0;
    for (std::string_view word : Split(piece, ' ')) {
      const std::size_t needed = used == 0 ? word.size() : used + 1 + word.size();
      if (used != 0 && needed > perLine) {
        ++lines;
        used = word.size();
      } else {
        used = needed;
      }
    }
    return lines;
  }
};

}  // namespace vimbo::testing
