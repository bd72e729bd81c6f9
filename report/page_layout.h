// The printed timetable page without a device: the page header (free text, location, its
// coordinates, the calculation methods), the footer (page number, the legend of the
// high-latitude markers, free text) and the body, which is either one to six month blocks of
// the report's year or the one page of the peaks-only list. Everything is laid out in logical
// units (screen pixels) on a PageCanvas, which measures texts as the printer does and draws;
// the print job and the preview give it the printer's page or the preview's picture.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/trackers.h"
#include "foundation/language.h"
#include "locations/location_record.h"
#include "program/settings_converters.h"
#include "report/timetable.h"

namespace vek {

inline constexpr int kPageMargin = 25;  // on all four sides
// The largest font a page is painted with, in points: a bigger size from a hand-edited VEK.INI
// is drawn at this one (a single letter would not fit on the page anyway).
inline constexpr int kMaxPageFontPoints = 200;
// The longest page-number text a footer prints.
inline constexpr std::size_t kPageNumberChars = 287;
// The smallest size a month block's body font is shrunk to, in points, so that its widest
// heading or cell fits its column: small enough for ten columns of six months on a portrait
// page, still printed whole.
inline constexpr double kMinBodyPoints = 2;
// A cell's text keeps this many units from each side of its column.
inline constexpr int kCellMargin = 2;

// A rectangle of the page in logical units.
struct PageRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool operator==(const PageRect&) const = default;
};

// Where a cell's text stands against its x: its left edge, its right edge or its middle.
enum class TextAnchor : std::uint8_t { Left, Right, Center };

// What a line of text is drawn on: over whatever is there, or on a patch of the page's own
// background that hides a rule under it.
enum class TextBackground : std::uint8_t { Transparent, Page };

// How a text is ordered on its line: in the order it was built (markers and numbers already in
// place, Arabic words read right to left inside it), or as a right-to-left line.
enum class LineDirection : std::uint8_t { AsBuilt, RightToLeft };

// What the page painter draws on. Texts are UTF-8; positions and sizes are logical units.
class PageCanvas {
 public:
  virtual ~PageCanvas() = default;
  // The font of the texts and measures that follow: the face, style and colour of font at
  // points (font.Size is not read).
  virtual void SetFont(const FontSpec& font, double points) = 0;
  // The height of a line of the current font, and the width of a text in it.
  virtual int LineHeight() = 0;
  virtual int TextWidth(const std::string& text) = 0;
  // How far below its top a line of text reaches when drawn: the height of the faces its
  // letters are drawn with, which is more than LineHeight where a Latin face leaves Arabic
  // letters to a taller Arabic one.
  virtual int TextBottom(const std::string& text) = 0;
  // A line of text whose left edge is at x and top at y.
  virtual void TextOut(int x, int y, const std::string& text, TextBackground background,
                       LineDirection direction) = 0;
  // A cell's text standing at x by anchor, its top at y, cut off outside clip.
  virtual void ClippedText(int x, int y, TextAnchor anchor, LineDirection direction,
                           const std::string& text, const PageRect& clip) = 0;
  virtual void Line(int x1, int y1, int x2, int y2) = 0;
};

// The page in logical units: the printer's page width, and its height less 2.
struct PageSize {
  int Width = 0;
  int Height = 0;
  bool operator==(const PageSize&) const = default;
};

// Rounds halves to the even neighbour.
int RoundHalfEven(double value);

// The logical page of a printer page of deviceWidth x deviceHeight dots at dpiX x dpiY, for a
// screen of screenPpi pixels per inch.
PageSize LogicalPageSize(int deviceWidth, int deviceHeight, double dpiX, double dpiY,
                         double screenPpi);

// The footer's page-number text: every "#" of pattern replaced by the page number, at most
// kPageNumberChars characters.
std::string PageNumberText(std::string_view pattern, int page);

// Header lines. English: city, state, country; Arabic: country, state, city.
std::string LocationLine(const TLocationRec& loc, Language lang);
// "LAT=33°30'(Northern), LONG=36°18' (Eastern)" and its Arabic twin.
std::string LocationDetailsLine(const TLocationRec& loc, Language lang);
// The name of a Fajr/Isha method 0..4; empty for any other byte.
std::string CalcMethodName(std::uint8_t method, Language lang);
// "Fajr & Isha: Eastern, Zuhr: Normal, Asr: Normal" and its Arabic twin, a blank between each
// name and its value.
std::string CalcMethodLine(const TLocationRec& loc, Language lang);
// A month block's title: "January, 2026"; in an Arabic design the month name, the Arabic comma
// and the year ("كانون الثاني، 2026"), drawn as a right-to-left line.
std::string MonthTitle(const std::string& monthName, int year, bool arabicDesign);
// One sign of the legend of the high-latitude markers and what it stands for.
struct LegendPiece {
  std::string Sign;
  std::string Description;
  bool operator==(const LegendPiece&) const = default;
};
// The legend's pieces of the set trackers in reading order (the conflict between Isha and Fajr,
// the saturation of Fajr, of Isha), in the language; none when no tracker is set.
std::vector<LegendPiece> LegendPieces(const Trackers& track, Language lang);
// The English legend as one line: "#: Conflict between Isha and Fajr, ^: ..."; empty when no
// tracker is set.
std::string LegendLine(const Trackers& track);

// The header's text lines of the report's design, in order (the rule under them is not one).
std::vector<std::string> HeaderLines(const Timetable& report);

// One month of the body: its block on the page and the month of the report's year it shows.
struct MonthBlock {
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  int Month = 1;
  bool operator==(const MonthBlock&) const = default;
};

// The month blocks of a page of a month or year report between bodyTop and bodyBottom: one for
// a month report; for a year the design's months per page (1, 2, 3, 4 or 6) in a grid, above
// each other or side by side, in reading order or mirrored right to left. None for another
// months-per-page value or a page outside the report.
std::vector<MonthBlock> PageBlocks(const Timetable& report, int page, int pageWidth, int bodyTop,
                                   int bodyBottom);

// Paints page 1..PageCount of the report; any other page paints nothing and gives false.
bool PaintReportPage(const Timetable& report, PageCanvas& canvas, int page, PageSize size);

// Pages From..To of a print job's choice.
struct PageRange {
  int From = 1;
  int To = 1;
  bool operator==(const PageRange&) const = default;
};
// The pages a print job prints, in order: every page of the chosen ranges that lies in
// 1..pageCount, each once; every page when none was chosen. Empty when the choice holds no
// page of the report.
std::vector<int> PagesToPrint(int pageCount, const std::vector<PageRange>& chosen);

// The name of a print job and of its PDF: the kind, the place and the period of the timetable,
// in its language ("Prayer times DAMASCUS 2026", "Prayer times DAMASCUS March 2026").
std::string PrintJobTitle(const Timetable& report);

// The size of a page picture of bitmapWidth x bitmapHeight shrunk to fit a room of roomWidth x
// roomHeight, keeping its proportions; 0 x 0 when there is no room or no picture.
struct FitSize {
  int Width = 0;
  int Height = 0;
  bool operator==(const FitSize&) const = default;
};
FitSize FitPageSize(int bitmapWidth, int bitmapHeight, int roomWidth, int roomHeight);

}  // namespace vek
