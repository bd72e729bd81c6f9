// A page canvas that records what the page painter draws, in logical units, with simple metrics:
// a line is twice the font's size high and every character is as wide as the size.
#pragma once

#include <string>
#include <vector>

#include "report/page_layout.h"

namespace vek::testing {

class RecordingCanvas : public PageCanvas {
 public:
  struct Text {
    int X = 0;  // the anchor: left edge, right edge or middle
    int Y = 0;
    TextAnchor Anchor = TextAnchor::Left;
    std::string Value;
    bool InCell = false;  // a cell's text, clipped
    PageRect Clip;
    FontSpec Font;
  };
  struct Rule {
    int X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  };

  void SetFont(const FontSpec& font) override { font_ = font; }
  int LineHeight() override { return 2 * font_.Size; }
  int TextWidth(const std::string& text) override {
    int chars = 0;
    for (unsigned char c : text)
      chars += (c & 0xC0) != 0x80;
    return chars * font_.Size;
  }
  void TextOut(int x, int y, const std::string& text) override {
    texts.push_back({x, y, TextAnchor::Left, text, false, {}, font_});
  }
  void ClippedText(int x, int y, TextAnchor anchor, const std::string& text,
                   const PageRect& clip) override {
    texts.push_back({x, y, anchor, text, true, clip, font_});
  }
  void Line(int x1, int y1, int x2, int y2) override { lines.push_back({x1, y1, x2, y2}); }

  // The recorded texts equal to value.
  std::vector<Text> Find(const std::string& value) const {
    std::vector<Text> found;
    for (const Text& t : texts)
      if (t.Value == value)
        found.push_back(t);
    return found;
  }

  std::vector<Text> texts;
  std::vector<Rule> lines;

 private:
  FontSpec font_;
};

}  // namespace vek::testing
