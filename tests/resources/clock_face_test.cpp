#include "resources/clock_face.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace vek {
namespace {

TEST(ClockFace, IndexCodeAndNameAgreeForEveryFace) {
  std::set<int> codes;
  std::set<std::string> names;
  for (int index = 0; index < kClockFaceCount; ++index) {
    const int code = FaceCodeOfIndex(index);
    EXPECT_EQ(index, FaceIndexOfCode(code)) << code;
    codes.insert(code);
    names.insert(FaceBaseName(code));
  }
  EXPECT_EQ(17u, codes.size());
  EXPECT_EQ(17u, names.size());  // sixteen pictures and the bare clock's empty name

  const struct {
    int index, code;
    const char* name;
    bool marksDrawn;
    HandLengths hands;
  } rows[] = {
      {0, 301, "WENQ140A", true, kLongHands},  {2, 300, "", true, kLongHands},
      {3, 303, "ROM140", false, kLongHands},   {6, 204, "ENRM140", true, kLongHands},
      {7, 102, "ABRS140", false, kShortHands}, {16, 203, "ECOL140", false, kLongHands},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(row.code, FaceCodeOfIndex(row.index));
    EXPECT_EQ(row.name, FaceBaseName(row.code));
    const ClockFaceRow* face = FaceOfCode(row.code);
    ASSERT_NE(nullptr, face);
    EXPECT_EQ(row.marksDrawn, face->marksDrawn) << row.code;
    EXPECT_EQ(row.hands, HandLengthsOf(*face)) << row.code;
  }
  EXPECT_EQ((HandLengths{50, 65, 75}), kShortHands);
  EXPECT_EQ((HandLengths{60, 80, 90}), kLongHands);
}

TEST(ClockFace, UnknownIndexAndCodeGiveNothing) {
  for (int index : {-1, 17, 255})
    EXPECT_EQ(0, FaceCodeOfIndex(index)) << index;
  for (int code : {0, 100, 107, 299, 305}) {
    EXPECT_EQ("", FaceBaseName(code)) << code;
    EXPECT_EQ(-1, FaceIndexOfCode(code)) << code;
    EXPECT_EQ(nullptr, FaceOfCode(code)) << code;
  }
}

TEST(ClockFace, FacesAndColoursStepWithWrapAround) {
  EXPECT_EQ(16, PreviousFace(0));
  EXPECT_EQ(0, NextFace(16));
  EXPECT_EQ(6, NextFace(5));
  EXPECT_EQ(4, PreviousFace(5));
  EXPECT_EQ(10, PreviousHandColor(0));
  EXPECT_EQ(0, NextHandColor(10));
  EXPECT_EQ(3, NextHandColor(2));
  // An index out of range (a damaged setting) steps from the nearest end.
  EXPECT_EQ(0, NextFace(40));
  EXPECT_EQ(1, NextFace(-3));
}

TEST(ClockFace, HandColourSetsGiveTheMinuteHandTheHourHandsColour) {
  for (int index = 0; index < kHandColorCount; ++index)
    EXPECT_EQ(HandColorsOf(index).hour, HandColorsOf(index).minute) << index;
  EXPECT_EQ((HandColors{0xC0C0C0, 0xC0C0C0, 0x0000FF}), HandColorsOf(0));
  EXPECT_EQ((HandColors{0x000080, 0x000080, 0x00FFFF}), HandColorsOf(4));
  EXPECT_EQ((HandColors{0xFF0000, 0xFF0000, 0x0000FF}), HandColorsOf(6));
  EXPECT_EQ((HandColors{0x00FF00, 0x00FF00, 0xFFFF00}), HandColorsOf(10));
  EXPECT_EQ(HandColorsOf(2), HandColorsOf(11));  // out of range: black and red
}

TEST(ClockFace, ClockSizes) {
  EXPECT_EQ(100, ClockPixels(0));
  EXPECT_EQ(124, ClockPixels(1));
  EXPECT_EQ(140, ClockPixels(2));
  EXPECT_EQ(100, ClockPixels(3));
}

}  // namespace
}  // namespace vek
