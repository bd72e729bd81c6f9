#include "program/settings_converters.h"

#include <array>
#include <charconv>

#include "foundation/conversions.h"
#include "foundation/text.h"

namespace vek {

namespace {

constexpr std::array<std::string_view, 3> kAlignmentNames = {"Left", "Right", "Center"};
constexpr std::array<std::string_view, 3> kDateStyleNames = {"CompleteDate", "DayAndMonth",
                                                             "DayOnly"};
constexpr std::array<std::string_view, 3> kSizeNames = {"SMALL", "MEDIUM", "LARGE"};
constexpr std::array<std::string_view, 17> kClockFaceNames = {
    "TOVARELIN LIGHT", "TOVARELIN DARK", "NONE",          "ROMAN",         "SILVER",
    "NORMAL ARABIC",   "NORMAL ENGLISH", "BRASS ARABIC",  "BRASS ENGLISH", "OLD ARABIC",
    "OLD ENGLISH",     "WHITE ARABIC",   "WHITE ENGLISH", "BLACK ARABIC",  "BLACK ENGLISH",
    "COLORED ARABIC",  "COLORED ENGLISH"};
constexpr std::array<std::string_view, 11> kHandColorNames = {"SILVER",  "WHITE", "BLACK", "YELLOW",
                                                              "MAROON",  "RED",   "BLUE",  "GREEN",
                                                              "FUCHSIA", "AQUA",  "LIME"};
constexpr std::string_view kAllSounds = "ALL";
constexpr int kAllSoundsIndex = 8;

constexpr std::array<std::string_view, 4> kStyleNames = {"fsBold", "fsItalic", "fsUnderLine",
                                                         "fsStrikeOut"};
constexpr int kDefaultFontSize = 12;

// The index of the trimmed, upper-cased text among names (compared upper-cased), or fallback.
template <std::size_t N>
int IndexOfName(std::string_view text, const std::array<std::string_view, N>& names, int fallback) {
  const std::string key = AsciiUpper(Trim(text));
  for (std::size_t i = 0; i < N; ++i) {
    if (key == AsciiUpper(names[i]))
      return static_cast<int>(i);
  }
  return fallback;
}

template <std::size_t N>
std::optional<std::string> NameOfIndex(int index, const std::array<std::string_view, N>& names) {
  if (index < 0 || static_cast<std::size_t>(index) >= N)
    return std::nullopt;
  return std::string(names[index]);
}

std::string_view SoundName(std::string_view fileName) {
  return fileName.substr(0, fileName.rfind('.'));
}

// Cuts the next field, up to ";" (or to the end when there is none), from the front of rest.
std::string_view NextField(std::string_view& rest) {
  const std::size_t end = rest.find(';');
  const std::string_view field = rest.substr(0, end);
  rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  return field;
}

int ReadFontSize(std::string_view field) {
  field = Trim(field);
  int size = 0;
  const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), size);
  if (ec != std::errc() || end != field.data() + field.size() || size <= 0)
    return kDefaultFontSize;
  return size;
}

void ReadFontStyles(std::string_view field, FontSpec& font) {
  const std::size_t open = field.find('[');
  if (open == std::string_view::npos)
    return;
  std::string_view list = field.substr(open + 1);
  list = list.substr(0, list.find(']'));
  while (true) {
    const std::size_t comma = list.find(',');
    const std::string_view name = Trim(list.substr(0, comma));
    if (CompareAsciiNoCase(name, kStyleNames[0]) == 0)
      font.Bold = true;
    else if (CompareAsciiNoCase(name, kStyleNames[1]) == 0)
      font.Italic = true;
    else if (CompareAsciiNoCase(name, kStyleNames[2]) == 0)
      font.Underline = true;
    else if (CompareAsciiNoCase(name, kStyleNames[3]) == 0)
      font.StrikeOut = true;
    if (comma == std::string_view::npos)
      break;
    list.remove_prefix(comma + 1);
  }
}

}  // namespace

int StrToAlignment(std::string_view text) {
  return IndexOfName(text, kAlignmentNames, 0);
}

std::optional<std::string> AlignmentToStr(int alignment) {
  return NameOfIndex(alignment, kAlignmentNames);
}

int StrToDateStyle(std::string_view text) {
  return IndexOfName(text, kDateStyleNames, 2);
}

std::optional<std::string> DateStyleToStr(int style) {
  return NameOfIndex(style, kDateStyleNames);
}

int StrToSize(std::string_view text) {
  return IndexOfName(text, kSizeNames, 0);
}

std::optional<std::string> SizeToStr(int size) {
  return NameOfIndex(size, kSizeNames);
}

int StrToClockFace(std::string_view text) {
  return IndexOfName(text, kClockFaceNames, 0);
}

std::optional<std::string> ClockFaceToStr(int face) {
  return NameOfIndex(face, kClockFaceNames);
}

int StrToColorName(std::string_view text) {
  return IndexOfName(text, kHandColorNames, 2);
}

std::optional<std::string> ColorNameToStr(int color) {
  return NameOfIndex(color, kHandColorNames);
}

int SoundNameToIndex(std::string_view text) {
  std::string key;
  for (char c : Trim(text)) {
    if (c != ' ')
      key += c;
  }
  key = AsciiUpper(key);
  if (key.empty())
    return 0;
  for (std::size_t i = 0; i < AzhanFiles.size(); ++i) {
    if (key == SoundName(AzhanFiles[i]))
      return static_cast<int>(i);
  }
  return kAllSoundsIndex;  // "ALL" and every unknown name
}

std::optional<std::string> SoundIndexToName(int index) {
  if (index < 0)
    return std::nullopt;
  return std::string(index < kAllSoundsIndex ? SoundName(AzhanFiles[index]) : kAllSounds);
}

std::string FontToStr(const FontSpec& font) {
  std::string_view color = FontColorNames[0].Name;
  for (const FontColorName& entry : FontColorNames) {
    if (entry.Color == font.Color) {
      color = entry.Name;
      break;
    }
  }
  std::string styles;
  const bool set[] = {font.Bold, font.Italic, font.Underline, font.StrikeOut};
  for (std::size_t i = 0; i < kStyleNames.size(); ++i) {
    if (!set[i])
      continue;
    if (!styles.empty())
      styles += ',';
    styles += kStyleNames[i];
  }
  std::string text(color);
  text += ';';
  text += font.Name;
  text += ';';
  text += std::to_string(font.Size);
  text += ";[";
  text += styles;
  text += "];";
  return text;
}

FontSpec StrToFont(std::string_view text) {
  FontSpec font;
  std::string_view rest = text;

  const std::string_view color = NextField(rest);
  if (color.empty())
    return font;
  for (const FontColorName& entry : FontColorNames) {
    if (entry.Name == color) {
      font.Color = entry.Color;
      break;
    }
  }

  const std::string_view face = NextField(rest);
  if (face.empty())
    return font;
  font.Name = face;

  const std::string_view size = NextField(rest);
  if (size.empty())
    return font;
  font.Size = ReadFontSize(size);

  ReadFontStyles(NextField(rest), font);
  return font;
}

}  // namespace vek
