#include "resources/clock_face.h"

#include <algorithm>

namespace vek {

namespace {

// Indexed by HandColorIndex: hour, minute (the same) and second hand.
constexpr std::array<HandColors, kHandColorCount> kHandColorSets = {{
    {0xC0C0C0, 0xC0C0C0, 0x0000FF},  // silver, red
    {0xFFFFFF, 0xFFFFFF, 0xC0C0C0},  // white, silver
    {0x000000, 0x000000, 0x0000FF},  // black, red
    {0x00FFFF, 0x00FFFF, 0xFFFF00},  // yellow, aqua
    {0x000080, 0x000080, 0x00FFFF},  // maroon, yellow
    {0x0000FF, 0x0000FF, 0x00FFFF},  // red, yellow
    {0xFF0000, 0xFF0000, 0x0000FF},  // blue, red
    {0x008000, 0x008000, 0x00FF00},  // green, lime
    {0xFF00FF, 0xFF00FF, 0x00FF00},  // fuchsia, lime
    {0xFFFF00, 0xFFFF00, 0xFF00FF},  // aqua, fuchsia
    {0x00FF00, 0x00FF00, 0xFFFF00},  // lime, aqua
}};
constexpr int kDefaultHandColor = 2;

int Step(int index, int count, int delta) {
  index = std::clamp(index, 0, count - 1);
  return (index + delta + count) % count;
}

}  // namespace

int FaceCodeOfIndex(int index) {
  if (index < 0 || index >= kClockFaceCount)
    return 0;
  return kClockFaces[static_cast<std::size_t>(index)].code;
}

int FaceIndexOfCode(int code) {
  for (std::size_t i = 0; i < kClockFaces.size(); ++i) {
    if (kClockFaces[i].code == code)
      return static_cast<int>(i);
  }
  return -1;
}

const ClockFaceRow* FaceOfCode(int code) {
  const int index = FaceIndexOfCode(code);
  return index < 0 ? nullptr : &kClockFaces[static_cast<std::size_t>(index)];
}

std::string FaceBaseName(int code) {
  const ClockFaceRow* face = FaceOfCode(code);
  return face == nullptr ? std::string() : std::string(face->baseName);
}

int ClockPixels(int size) {
  if (size < 0 || size >= static_cast<int>(kClockPixels.size()))
    size = 0;
  return kClockPixels[static_cast<std::size_t>(size)];
}

HandColors HandColorsOf(int index) {
  if (index < 0 || index >= kHandColorCount)
    index = kDefaultHandColor;
  return kHandColorSets[static_cast<std::size_t>(index)];
}

int NextFace(int index) {
  return Step(index, kClockFaceCount, 1);
}
int PreviousFace(int index) {
  return Step(index, kClockFaceCount, -1);
}
int NextHandColor(int index) {
  return Step(index, kHandColorCount, 1);
}
int PreviousHandColor(int index) {
  return Step(index, kHandColorCount, -1);
}

}  // namespace vek
