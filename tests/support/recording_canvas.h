// A page canvas that records what the page painter draws, in logical units, with simple metrics:
// a line is twice the font's size high, every character is as wide as the size, and a text
// with Arabic letters reaches three times the size below its top (a taller Arabic face).
#pragma once

#include <algorithm>
#include <cmath>
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
    double Points = 0;  // the size it is drawn at
    LineDirection Direction = LineDirection::AsBuilt;
    int Width = 0;  // of what shows (ShownWidth), at that size
    TextBackground Background = TextBackground::Transparent;

    // Where the drawn text begins and ends, less the blanks at the end away from its anchor.
    int Left() const {
      return Anchor == TextAnchor::Left    ? X
             : Anchor == TextAnchor::Right ? X - Width
                                           : X - Width / 2;
    }
    int Right() const { return Left() + Width; }
  };
  struct Rule {
    int X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  };

  static int Chars(const std::string& text) {
    int chars = 0;
    for (unsigned char c : text)
      chars += (c & 0xC0) != 0x80;
    return chars;
  }
  static bool HasArabic(const std::string& text) {
    for (unsigned char c : text)
      if (c >= 0xD8 && c <= 0xDB)
        return true;
    return false;
  }

  void SetFont(const FontSpec& font, double points) override {
    font_ = font;
    points_ = points;
  }
  int LineHeight() override { return static_cast<int>(std::lround(2 * points_)); }
  int TextWidth(const std::string& text) override {
    ++measures;
    return static_cast<int>(std::lround(Chars(text) * points_));
  }
  int TextBottom(const std::string& text) override {
    return HasArabic(text) ? static_cast<int>(std::lround(3 * points_)) : LineHeight();
  }
  void TextOut(int x, int y, const std::string& text, TextBackground background,
               LineDirection direction) override {
    texts.push_back({x,
                     y,
                     TextAnchor::Left,
                     text,
                     false,
                     {},
                     font_,
                     points_,
                     direction,
                     ShownWidth(text, TextAnchor::Left),
                     background});
  }
  void ClippedText(int x, int y, TextAnchor anchor, LineDirection direction,
                   const std::string& text, const PageRect& clip) override {
    texts.push_back(
        {x, y, anchor, text, true, clip, font_, points_, direction, ShownWidth(text, anchor)});
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
  int measures = 0;  // texts measured

 private:
  // The width of the text without the blanks at its end away from the anchor.
  int ShownWidth(std::string text, TextAnchor anchor) const {
    if (anchor == TextAnchor::Left)
      text.erase(text.find_last_not_of(' ') + 1);
    else if (anchor == TextAnchor::Right)
      text.erase(0, std::min(text.size(), text.find_first_not_of(' ')));
    return static_cast<int>(std::lround(Chars(text) * points_));
  }

  FontSpec font_;
  double points_ = 12;
};

}  // namespace vek::testing
