#include "foundation/cp1256.h"

#include <gtest/gtest.h>
#include <iconv.h>

namespace vek {
namespace {

// The system's own converter, as an independent reference for the table.
std::string IconvToUtf8(const std::string& bytes) {
  iconv_t cd = iconv_open("UTF-8", "CP1256");
  std::string in = bytes, out(bytes.size() * 4, '\0');
  char* inp = in.data();
  char* outp = out.data();
  std::size_t inLeft = in.size(), outLeft = out.size();
  const std::size_t rc = iconv(cd, &inp, &inLeft, &outp, &outLeft);
  iconv_close(cd);
  if (rc == static_cast<std::size_t>(-1))
    return "<iconv failed>";
  out.resize(out.size() - outLeft);
  return out;
}

TEST(Cp1256, EveryByteDecodesAsTheSystemConverterSaysAndRoundTrips) {
  std::string all;
  for (int b = 1; b < 256; ++b)
    all += static_cast<char>(b);
  const std::string utf8 = Cp1256ToUtf8(all);
  EXPECT_EQ(IconvToUtf8(all), utf8);
  EXPECT_EQ(all, Utf8ToCp1256(utf8).value_or("<refused>"));
}

TEST(Cp1256, ArabicNameAndRightToLeftMark) {
  EXPECT_EQ("\xC7\xE1\xDE\xC7\xE5\xD1\xC9", Utf8ToCp1256("القاهرة").value_or(""));
  EXPECT_EQ("\xFE", Utf8ToCp1256("\u200F").value_or(""));
}

TEST(Cp1256, RefusesWhatTheCodePageCannotHold) {
  EXPECT_FALSE(FitsCp1256("Zoë — ✓"));  // U+2713 has no byte
  EXPECT_FALSE(FitsCp1256("\xC3"));     // cut UTF-8 sequence
  EXPECT_EQ("ab?c", Utf8ToCp1256Lossy("ab✓c"));
}

TEST(Cp1256, RefusesOverlongFormsSurrogatesAndValuesBeyondUnicode) {
  for (const char* bad : {
           "\xC0\xAF",          // '/' in two bytes
           "\xC1\xBF",          // DEL in two bytes
           "\xE0\x80\xAF",      // '/' in three bytes
           "\xE0\x9F\xBF",      // U+07FF in three bytes
           "\xF0\x80\x80\xAF",  // '/' in four bytes
           "\xF0\x8F\xBF\xBF",  // U+FFFF in four bytes
           "\xED\xA0\x80",      // surrogate U+D800
           "\xED\xBF\xBF",      // surrogate U+DFFF
           "\xF4\x90\x80\x80",  // U+110000
           "\xF7\xBF\xBF\xBF",  // U+1FFFFF
       }) {
    SCOPED_TRACE(::testing::PrintToString(std::string(bad)));
    EXPECT_FALSE(Utf8ToCp1256(std::string("a") + bad).has_value());
    EXPECT_EQ(std::string::npos, Utf8ToCp1256Lossy(bad).find('/'));
  }
  // The shortest forms at the edges are characters (here without a byte in the code page).
  for (const char* edge : {"\xDF\xBF", "\xE0\xA0\x80", "\xEF\xBF\xBF", "\xF0\x90\x80\x80",
                           "\xF4\x8F\xBF\xBF", "\xED\x9F\xBF", "\xEE\x80\x80"}) {
    EXPECT_EQ("?", Utf8ToCp1256Lossy(edge)) << ::testing::PrintToString(std::string(edge));
  }
}

}  // namespace
}  // namespace vek
