// The settings that VEK.INI stores as names, and the fonts it stores as text. Reading a name
// trims and upper-cases it first and gives a fixed default for a name it does not know; writing
// gives the name's one spelling. A value that has no name gives no text, so that the caller
// keeps the text it had (value_or).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vek {

// A colour value (COLORREF, 0x00BBGGRR) and the name under which fonts store it.
struct FontColorName {
  std::uint32_t Color;
  std::string_view Name;
};

inline constexpr std::array<FontColorName, 16> FontColorNames = {{
    {0x000000, "Black"},
    {0x000080, "Maroon"},
    {0x008000, "Green"},
    {0x008080, "Olive"},
    {0x800000, "Navy"},
    {0x800080, "Purple"},
    {0x808000, "Teal"},
    {0x808080, "Gray"},
    {0xC0C0C0, "Silver"},
    {0x0000FF, "Red"},
    {0x00FF00, "Lime"},
    {0x00FFFF, "Yellow"},
    {0xFF0000, "Blue"},
    {0xFF00FF, "Fuchsia"},
    {0xFFFF00, "Aqua"},
    {0xFFFFFF, "White"},
}};

// The eight adhan recordings, by sound index 0..7.
inline constexpr std::array<std::string_view, 8> AzhanFiles = {
    "AZHAN_M1.WAV", "ALEPPO.WAV",  "EGYPT1.WAV",   "EGYPT2.WAV",
    "MACCAH1.WAV",  "MACCAH2.WAV", "F-MADINA.WAV", "F-EGYPT2.WAV",
};

// Alignment of a report column: 0 "Left", 1 "Right", 2 "Center"; anything else reads as 0.
int StrToAlignment(std::string_view text);
std::optional<std::string> AlignmentToStr(int alignment);

// Date style: 0 "CompleteDate", 1 "DayAndMonth", 2 "DayOnly"; anything else reads as 2.
int StrToDateStyle(std::string_view text);
std::optional<std::string> DateStyleToStr(int style);

// Clock size: 0 "SMALL", 1 "MEDIUM", 2 "LARGE"; anything else reads as 0.
int StrToSize(std::string_view text);
std::optional<std::string> SizeToStr(int size);

// Clock face 0..16 ("TOVARELIN LIGHT" ... "COLORED ENGLISH"); anything else reads as 0.
int StrToClockFace(std::string_view text);
std::optional<std::string> ClockFaceToStr(int face);

// Clock-hand colour 0..10 ("SILVER" ... "LIME"); anything else reads as 2 (black).
int StrToColorName(std::string_view text);
std::optional<std::string> ColorNameToStr(int color);

// Adhan sound: 0..7 the recording's file name without extension ("AZHAN_M1", "ALEPPO" ...),
// 8 "ALL". Reading also removes every space, so that a caption such as "Maccah 1" names its
// recording; an empty text reads as 0, an unknown one as 8. Writing gives "ALL" for 8 and above
// (no text only for a negative index).
int SoundNameToIndex(std::string_view text);
std::optional<std::string> SoundIndexToName(int index);

// A font as the settings store it: "Black;Courier New;8;[fsBold];".
struct FontSpec {
  std::uint32_t Color = 0;  // COLORREF, 0x00BBGGRR
  std::string Name = "Aria";
  int Size = 12;  // points
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  bool operator==(const FontSpec&) const = default;
};

// Colour name (from FontColorNames, "Black" for a colour not there), face, size, each followed
// by ";", then "[" + the set styles among fsBold, fsItalic, fsUnderLine, fsStrikeOut joined by
// "," + "];".
std::string FontToStr(const FontSpec& font);

// Reads the fields up to each ";", from a black "Aria" of 12 points without style. The colour
// name must match a FontColorNames name exactly (else black); an empty colour, face or size
// field ends the reading with what was read so far. A size that is no positive integer reads as
// 12 and the styles are still read. The styles follow "[" up to "]", separated by ",", each
// compared without regard to case. A last field without its ";" is read to the end of the text.
FontSpec StrToFont(std::string_view text);

}  // namespace vek
