// The analogue clock's faces and hand colours as plain tables: the 17 faces (index, face code,
// picture base name, whether the clock draws the marks itself, long or short hands), the clock
// sizes and the 11 hand-colour sets, with stepping to the next and previous entry. It lives
// beside the face packs it describes: the picture generator (tools/clock_faces) draws the packs
// from it, and the clock widget, the face chooser and Live Update's listing read it. The
// generator and the clock widget share the dial geometry below.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vek {

inline constexpr int kClockFaceCount = 17;
inline constexpr int kNoFaceCode = 300;  // the bare clock: no face picture
// The picture that stands for the bare clock in the face chooser.
inline constexpr std::string_view kNoFacePictureName = "NONE140";
// Every face picture is square, this many pixels wide.
inline constexpr int kFacePicturePixels = 140;

// Hand lengths in percent of the dial's radius.
struct HandLengths {
  int hour = 60;
  int minute = 80;
  int second = 90;
  bool operator==(const HandLengths&) const = default;
};
inline constexpr HandLengths kLongHands{60, 80, 90};
inline constexpr HandLengths kShortHands{50, 65, 75};

struct ClockFaceRow {
  int code;
  std::string_view baseName;  // empty for the bare clock
  bool marksDrawn;            // the clock draws hour marks and minute ticks over the picture
  bool longHands;
};

// Indexed by ClockFaceIndex.
inline constexpr std::array<ClockFaceRow, kClockFaceCount> kClockFaces = {{
    {301, "WENQ140A", true, true},   // Tovarelin light
    {302, "WENQ140", true, true},    // Tovarelin dark
    {300, "", true, true},           // none
    {303, "ROM140", false, true},    // Roman
    {304, "SILVR140", false, true},  // silver
    {104, "ANRM140", true, true},    // normal, Arabic numerals
    {204, "ENRM140", true, true},    // normal, English numerals
    {102, "ABRS140", false, false},  // brass
    {202, "EBRS140", false, false},
    {105, "AOLD140", false, true},  // old
    {205, "EOLD140", false, true},
    {106, "AWHIT140", false, false},  // white
    {206, "EWHIT140", false, false},
    {101, "ABLK140", false, false},  // black
    {201, "EBLK140", false, false},
    {103, "ACOL140", false, true},  // coloured
    {203, "ECOL140", false, true},
}};

// The code of the face at index; 0 for an index outside 0..16.
int FaceCodeOfIndex(int index);
// The index of the face with that code; -1 for an unknown code.
int FaceIndexOfCode(int code);
// The picture base name of the face with that code; empty for an unknown code and for the bare
// clock (300).
std::string FaceBaseName(int code);
// The row of the face with that code, or null for an unknown code.
const ClockFaceRow* FaceOfCode(int code);
// The hand lengths of a face.
inline constexpr HandLengths HandLengthsOf(const ClockFaceRow& face) {
  return face.longHands ? kLongHands : kShortHands;
}

// ClockSize: 0 small, 1 medium, 2 large; the clock is square, this many pixels wide.
inline constexpr std::array<int, 3> kClockPixels = {100, 124, 140};
// The width of the clock at that size; a size outside 0..2 counts as small.
int ClockPixels(int size);

// A hand-colour set; colours are COLORREF values (0x00BBGGRR).
struct HandColors {
  std::uint32_t hour;
  std::uint32_t minute;  // always the hour hand's colour
  std::uint32_t second;
  bool operator==(const HandColors&) const = default;
};
inline constexpr int kHandColorCount = 11;
// The set at index (HandColorIndex); an index outside 0..10 gives set 2 (black and red).
HandColors HandColorsOf(int index);

// Stepping with wrap-around: the face after 16 is 0, before 0 is 16; likewise colours 0..10.
// An index out of range steps from the nearest end.
int NextFace(int index);
int PreviousFace(int index);
int NextHandColor(int index);
int PreviousHandColor(int index);

// The dial geometry shared by the face pictures and the clock, in fractions of the radius: the
// clock's own hour marks and minute ticks end at kMarkOuter, hour marks start at kHourMarkInner
// and minute ticks at kMinuteTickInner. A picture for a face whose marks the clock draws keeps
// its numerals inside kNumeralLimit and leaves the ring from there to kBezelInner free of detail.
inline constexpr double kMarkOuter = 0.90;
inline constexpr double kHourMarkInner = 0.76;
inline constexpr double kMinuteTickInner = 0.85;
inline constexpr double kNumeralLimit = 0.72;
inline constexpr double kBezelInner = 0.93;

}  // namespace vek
