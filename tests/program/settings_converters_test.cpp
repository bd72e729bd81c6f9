#include "program/settings_converters.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vek {
namespace {

// One name setting: its reader, its writer, its names by value and the value of an unknown name.
struct NameSetting {
  const char* label;
  std::function<int(std::string_view)> read;
  std::function<std::optional<std::string>(int)> write;
  std::vector<std::string> names;
  int unknown;
};

std::vector<NameSetting> NameSettings() {
  return {
      {"alignment", StrToAlignment, AlignmentToStr, {"Left", "Right", "Center"}, 0},
      {"date style", StrToDateStyle, DateStyleToStr, {"CompleteDate", "DayAndMonth", "DayOnly"}, 2},
      {"size", StrToSize, SizeToStr, {"SMALL", "MEDIUM", "LARGE"}, 0},
      {"clock face",
       StrToClockFace,
       ClockFaceToStr,
       {"TOVARELIN LIGHT", "TOVARELIN DARK", "NONE", "ROMAN", "SILVER", "NORMAL ARABIC",
        "NORMAL ENGLISH", "BRASS ARABIC", "BRASS ENGLISH", "OLD ARABIC", "OLD ENGLISH",
        "WHITE ARABIC", "WHITE ENGLISH", "BLACK ARABIC", "BLACK ENGLISH", "COLORED ARABIC",
        "COLORED ENGLISH"},
       0},
      {"hand colour",
       StrToColorName,
       ColorNameToStr,
       {"SILVER", "WHITE", "BLACK", "YELLOW", "MAROON", "RED", "BLUE", "GREEN", "FUCHSIA", "AQUA",
        "LIME"},
       2},
  };
}

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

TEST(NameSettings, EveryValueWritesItsNameWhichReadsBackTrimmedInAnyCase) {
  for (const NameSetting& s : NameSettings()) {
    for (int value = 0; value < static_cast<int>(s.names.size()); ++value) {
      const std::string text = s.write(value).value_or("");
      EXPECT_EQ(s.names[value], text) << s.label;
      EXPECT_EQ(value, s.read(text)) << s.label << " " << text;
      EXPECT_EQ(value, s.read(" \t" + Lower(text) + " \r\n")) << s.label << " " << text;
    }
  }
}

TEST(NameSettings, UnknownNamesReadAsTheirDefault) {
  for (const NameSetting& s : NameSettings()) {
    for (const char* text : {"", "???", "BLACK ARABIC ENGLISH", "1"})
      EXPECT_EQ(s.unknown, s.read(text)) << s.label << " '" << text << "'";
  }
  EXPECT_EQ(0, StrToClockFace("NORMAL  ARABIC"));  // blanks inside are not squeezed
}

TEST(NameSettings, AValueWithoutANameGivesNoText) {
  for (const NameSetting& s : NameSettings()) {
    for (int value : {-1, static_cast<int>(s.names.size())})
      EXPECT_EQ(std::nullopt, s.write(value)) << s.label << " " << value;
  }
}

TEST(SoundNames, EveryRecordingRoundTripsAndEightOrMoreIsAll) {
  const char* names[] = {"AZHAN_M1", "ALEPPO",  "EGYPT1",   "EGYPT2",
                         "MACCAH1",  "MACCAH2", "F-MADINA", "F-EGYPT2"};
  for (int index = 0; index < 8; ++index) {
    const std::string text = SoundIndexToName(index).value_or("");
    EXPECT_EQ(names[index], text);
    EXPECT_EQ(index, SoundNameToIndex(text));
  }
  for (int index : {8, 9, 255}) {
    EXPECT_EQ("ALL", SoundIndexToName(index).value_or(""));
    EXPECT_EQ(8, SoundNameToIndex(SoundIndexToName(index).value_or("")));
  }
  EXPECT_EQ(std::nullopt, SoundIndexToName(-1));
}

TEST(SoundNames, ReadingDropsEveryBlankAndIgnoresCase) {
  const std::pair<const char*, int> cases[] = {
      {"  maccah 1 ", 4},   {"Egypt 2", 3},  {"f-egypt2", 7},
      {"ALL", 8},           {"all", 8},      {"", 0},
      {"   ", 0},           {"AZHAN_M1", 0}, {"Madinah", 8},
      {"Fajr, Madinah", 8},  // captions that name no recording
  };
  for (const auto& [text, index] : cases)
    EXPECT_EQ(index, SoundNameToIndex(text)) << "'" << text << "'";
}

FontSpec Font(std::uint32_t color, const char* name, int size, bool bold = false,
              bool italic = false, bool underline = false, bool strikeOut = false) {
  return FontSpec{color, name, size, bold, italic, underline, strikeOut};
}

TEST(FontText, WritesColourFaceSizeAndStylesInOrder) {
  EXPECT_EQ("Black;Courier New;8;[fsBold];", FontToStr(Font(0x000000, "Courier New", 8, true)));
  EXPECT_EQ("Navy;Arial;10;[];", FontToStr(Font(0x800000, "Arial", 10)));
  EXPECT_EQ("White;Tahoma;14;[fsBold,fsItalic,fsUnderLine,fsStrikeOut];",
            FontToStr(Font(0xFFFFFF, "Tahoma", 14, true, true, true, true)));
  EXPECT_EQ("Black;Arial;9;[fsItalic,fsStrikeOut];",
            FontToStr(Font(0x123456, "Arial", 9, false, true, false, true)));  // no named colour
}

TEST(FontText, EveryNamedColourAndStyleRoundTrips) {
  for (const FontColorName& entry : FontColorNames) {
    const FontSpec font = Font(entry.Color, "Courier New", 8, true, false, true, false);
    EXPECT_EQ(font, StrToFont(FontToStr(font))) << entry.Name;
  }
  const FontSpec all = Font(0xFF00FF, "Arial", 11, true, true, true, true);
  EXPECT_EQ(all, StrToFont(FontToStr(all)));
}

TEST(FontText, ReadsFieldsUntilTheFirstEmptyOne) {
  const FontSpec defaults = Font(0x000000, "Aria", 12);
  const std::pair<const char*, FontSpec> cases[] = {
      {"", defaults},
      {";Arial;10;[fsBold];", defaults},  // an empty colour ends the reading
      {"Navy;Arial;10;[fsbold,FSITALIC];", Font(0x800000, "Arial", 10, true, true)},
      {"Red;;10;[fsBold];", Font(0x0000FF, "Aria", 12)},
      {"Red;Arial;;[fsBold];", Font(0x0000FF, "Arial", 12)},
      {"navy;Arial;10;[];", Font(0x000000, "Arial", 10)},  // colour names are exact
      {"Teal;Arial;10", Font(0x808000, "Arial", 10)},      // a last field without ';'
      {"Teal;Arial;10;[ fsUnderline , fsNothing,fsStrikeOut ];",
       Font(0x808000, "Arial", 10, false, false, true, true)},
      {"Teal;Arial;10;[fsBold", Font(0x808000, "Arial", 10, true)},
  };
  for (const auto& [text, font] : cases)
    EXPECT_EQ(font, StrToFont(text)) << "'" << text << "'";
}

TEST(FontText, ASizeThatIsNoPositiveNumberReadsAsTwelveAndStylesStillCount) {
  for (const char* size : {"big", "0", "-8", "10pt", "99999999999"}) {
    const std::string text = std::string("Green;Arial;") + size + ";[fsItalic];";
    EXPECT_EQ(Font(0x008000, "Arial", 12, false, true), StrToFont(text)) << text;
  }
}

}  // namespace
}  // namespace vek
