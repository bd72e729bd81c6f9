#include "report/page_layout.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "engine/calendar.h"
#include "foundation/text.h"
#include "report/cell_texts.h"

namespace vek {

int RoundHalfEven(double value) {
  const double whole = std::floor(value);
  const double fraction = value - whole;
  double rounded = whole;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
    rounded = whole + 1;
  return static_cast<int>(rounded);
}

PageSize LogicalPageSize(int deviceWidth, int deviceHeight, double dpiX, double dpiY,
                         double screenPpi) {
  if (dpiX <= 0 || dpiY <= 0)
    return {};
  return {RoundHalfEven(deviceWidth * screenPpi / dpiX),
          RoundHalfEven(deviceHeight * screenPpi / dpiY) - 2};
}

std::string PageNumberText(std::string_view pattern, int page) {
  const std::string number = std::to_string(page);
  std::string text;
  for (char c : pattern) {
    if (c == '#')
      text += number;
    else
      text += c;
  }
  return TruncateCodePoints(text, kPageNumberChars);
}

std::string LocationLine(const TLocationRec& loc, Language lang) {
  std::string text;
  if (lang == Language::Arabic) {
    text = loc.Country;
    if (!loc.State.empty())
      text.append(" ،").append(loc.State);
    text.append(" ،").append(loc.City);
  } else {
    text = loc.City;
    if (!loc.State.empty())
      text.append(", ").append(loc.State);
    text.append(", ").append(loc.Country);
  }
  return text;
}

std::string LocationDetailsLine(const TLocationRec& loc, Language lang) {
  const auto angle = [](int degrees, int minutes) {
    return std::to_string(degrees).append("°").append(std::to_string(minutes)).append("'");
  };
  const std::string lat = angle(loc.LatDeg, loc.LatMin);
  const std::string lon = angle(loc.LongDeg, loc.LongMin);
  std::string text;
  if (lang == Language::Arabic) {
    text.append("خط العرض=").append(lat).append(loc.North ? "شمالي" : "جنوبي");
    text.append(" خط الطول=").append(lon).append(loc.West ? "غربي" : "شرقي");
  } else {
    text.append("LAT=").append(lat).append("(").append(loc.North ? "Northern" : "Southern");
    text.append("), LONG=").append(lon).append(" (").append(loc.West ? "Western" : "Eastern");
    text.append(")");
  }
  return text;
}

std::string CalcMethodName(std::uint8_t method, Language lang) {
  static constexpr std::array<const char*, 5> kEnglish = {"Eastern", "Middle-Eastern", "Fixed",
                                                          "Yours", "Saudi"};
  static constexpr std::array<const char*, 5> kArabic = {"شرقية", "شرق أوسطية", "ثابتة", "خاصة",
                                                         "سعودية"};
  if (method >= kEnglish.size())
    return {};
  return ByLanguage(lang, kEnglish[method], kArabic[method]);
}

std::string CalcMethodLine(const TLocationRec& loc, Language lang) {
  const std::string method = CalcMethodName(static_cast<std::uint8_t>(loc.Method), lang);
  std::string text;
  if (lang == Language::Arabic) {
    text.append(" الفجر والعشاء ").append(method);
    text.append(" ، الظهر ").append(loc.ZuhrDelayOn ? "افريقي" : "عادي");
    text.append(" ، العصر ").append(loc.Hanafi ? "حنفي" : "عادي");
  } else {
    text.append("Fajr & Isha: ").append(method);
    text.append(", Zuhr: ").append(loc.ZuhrDelayOn ? "African" : "Normal");
    text.append(", Asr: ").append(loc.Hanafi ? "Hanafi" : "Normal");
  }
  return text;
}

std::string MonthTitle(const std::string& monthName, int year, bool arabicDesign) {
  return std::string(monthName).append(arabicDesign ? "، " : ", ").append(std::to_string(year));
}

std::vector<LegendPiece> LegendPieces(const Trackers& track, Language lang) {
  std::vector<LegendPiece> pieces;
  const auto add = [&](const Tracker& tracker, const char* sign, const char* english,
                       const char* arabic) {
    if (tracker.Flag != 0)
      pieces.push_back({sign, ByLanguage(lang, english, arabic)});
  };
  add(track.IshaFajrConflict, "#", "Conflict between Isha and Fajr", "تضارب بين الفجر والعشاء");
  add(track.FajrSaturation, "^", "Saturation in Fajr Calculation", "إشباع في حساب الفجر");
  add(track.IshaSaturation, "^", "Saturation in Isha Calculation", "إشباع في حساب العشاء");
  return pieces;
}

std::string LegendLine(const Trackers& track) {
  std::string text;
  for (const LegendPiece& piece : LegendPieces(track, Language::English))
    text.append(piece.Sign).append(": ").append(piece.Description).append(", ");
  return text;
}

std::vector<std::string> HeaderLines(const Timetable& report) {
  const TPrintOptions& d = report.Design();
  const TLocationRec& loc = report.Source().Location;
  const Language lang = report.Source().Lang;
  std::vector<std::string> lines;
  if (!d.POHOtherInfo.empty())
    lines.push_back(d.POHOtherInfo);
  if (d.POHShowLocation)
    lines.push_back(LocationLine(loc, lang));
  if (d.POHLocationDetails)
    lines.push_back(LocationDetailsLine(loc, lang));
  if (d.POHShowCalcMethod)
    lines.push_back(CalcMethodLine(loc, lang));
  return lines;
}

namespace {

// The grid of a page's months: columns and rows, and whether the months fill it row by row.
struct BlockGrid {
  int Columns = 1;
  int Rows = 1;
  bool RowByRow = true;
};

bool GridOf(int monthsPerPage, bool sideBySide, BlockGrid& grid) {
  switch (monthsPerPage) {
    case 1:
      grid = {1, 1, true};
      return true;
    case 2:
      grid = sideBySide ? BlockGrid{2, 1, true} : BlockGrid{1, 2, false};
      return true;
    case 3:
      grid = sideBySide ? BlockGrid{3, 1, true} : BlockGrid{1, 3, false};
      return true;
    case 4:
      grid = {2, 2, sideBySide};
      return true;
    case 6:
      grid = sideBySide ? BlockGrid{3, 2, true} : BlockGrid{2, 3, false};
      return true;
    default:
      return false;
  }
}

// The width of a block in a row of columns blocks, 25 units apart within the margins.
int BlockWidth(int pageWidth, int columns) {
  return (pageWidth - 2 * kPageMargin - (columns - 1) * kPageMargin) / columns;
}

std::string MonthName(const NameLists& names, Language lang, bool hijri, int month) {
  if (month < 1 || month > 12)
    return {};
  const auto& list = lang == Language::Arabic ? (hijri ? names.AHMonths : names.AMonths)
                                              : (hijri ? names.EHMonths : names.EMonths);
  return list[static_cast<std::size_t>(month - 1)];
}

TextAnchor AnchorOf(std::uint8_t alignment) {
  switch (alignment) {
    case AlignRight:
      return TextAnchor::Right;
    case AlignCenter:
      return TextAnchor::Center;
    default:
      return TextAnchor::Left;
  }
}

// A month block's texts drawn in one font, for fitting the font to the block's columns.
struct TextGroup {
  FontSpec Font;
  std::vector<std::string> Texts;
};

// The part of a cell's text that shows: blanks at the end away from its anchor would be cut off
// unseen (the blank after a time in a left-aligned cell), so they need no room.
std::string ShownPart(const std::string& text, TextAnchor anchor) {
  switch (anchor) {
    case TextAnchor::Left:
      return text.substr(0, text.find_last_not_of(' ') + 1);
    case TextAnchor::Right:
      return text.find_first_not_of(' ') == std::string::npos
                 ? std::string()
                 : text.substr(text.find_first_not_of(' '));
    case TextAnchor::Center:
      break;
  }
  return text;
}

// Sizes are tried in tenths of a point.
int Tenths(double points) {
  return static_cast<int>(std::floor(points * 10 + 1e-9));
}

// The painting state of one page.
class PagePainter {
 public:
  PagePainter(const Timetable& report, PageCanvas& canvas, PageSize size)
      : report_(report),
        design_(report.Design()),
        canvas_(canvas),
        size_(size),
        arabic_(report.Source().Lang == Language::Arabic) {}

  void Paint(int page) {
    y_ = kPageMargin;
    bodyTop_ = kPageMargin;
    if (report_.ShowsPeaksOnly()) {
      if (design_.POHeader)
        Header();
      PeaksList();
      if (design_.POFooter)
        Footer(page);
      return;
    }
    bodyBottom_ = size_.Height - kPageMargin;
    if (design_.POHeader)
      Header();
    y_ = size_.Height - kPageMargin;
    if (design_.POFooter)
      Footer(page);
    Body(page);
  }

 private:
  // The font's own size, kept inside what a page is painted with.
  static FontSpec PageFont(FontSpec font) {
    font.Size = std::clamp(font.Size, 1, kMaxPageFontPoints);
    return font;
  }

  void SetFont(const FontSpec& font, double points) {
    canvas_.SetFont(PageFont(font), points);
    lineHeight_ = canvas_.LineHeight();
    textDrop_ = 0;
  }
  void SetFont(const FontSpec& font) { SetFont(font, PageFont(font).Size); }

  // The font of a block's cells, drawn at points: the cells keep the line of the font's own size
  // (the rules and the clip), and a text drawn smaller stands in the middle of it, out of reach
  // of the clip's edges.
  void SetCellFont(const FontSpec& font, double points) {
    SetFont(font);
    if (points == PageFont(font).Size)
      return;
    const int line = lineHeight_;
    SetFont(font, points);
    textDrop_ = std::max(0, (line - lineHeight_) / 2);
    lineHeight_ = line;
  }

  // English lines start at the left margin, Arabic lines end at the right margin.
  int LineStart(const std::string& text) {
    return arabic_ ? size_.Width - kPageMargin - canvas_.TextWidth(text) : kPageMargin;
  }

  void Header() {
    SetFont(design_.POHFont);
    const std::vector<std::string> lines = HeaderLines(report_);
    for (const std::string& line : lines) {
      // Over the page: the taller Arabic face of a Latin font reaches into the next line.
      canvas_.TextOut(LineStart(line), y_, line, TextBackground::Transparent,
                      LineDirection::AsBuilt);
      y_ += lineHeight_;
    }
    if (design_.POHDrawLine) {
      // Below the descent of the last line, which an Arabic face may draw deeper than the line.
      if (!lines.empty())
        y_ = std::max(y_, y_ - lineHeight_ + canvas_.TextBottom(lines.back()));
      canvas_.Line(kPageMargin, y_, size_.Width - kPageMargin, y_);
      y_ += lineHeight_;
    }
    bodyTop_ = y_;
  }

  // Painted upwards from the current position: the page number, the legend of the high-latitude
  // markers, the free text.
  void Footer(int page) {
    SetFont(design_.POFFont);
    if (design_.POFPageNumber)
      FooterLine(PageNumberText(design_.POFPageNumberText, page));
    if (const Trackers& track = report_.Source().Track; track.AnySet()) {
      if (arabic_) {
        y_ -= lineHeight_;
        ArabicLegend(track);
      } else {
        FooterLine(LegendLine(track));
      }
    }
    if (!design_.POFOtherInfo.empty())
      FooterLine(design_.POFOtherInfo);
    if (design_.POFDrawLine)
      canvas_.Line(kPageMargin, y_, size_.Width - kPageMargin, y_);
    bodyBottom_ = y_ - lineHeight_;
  }

  void FooterLine(const std::string& line) {
    y_ -= lineHeight_;
    canvas_.TextOut(LineStart(line), y_, line, TextBackground::Transparent, LineDirection::AsBuilt);
  }

  // The legend read right to left from the right margin: each sign at the right of its own
  // description, which ends with the Arabic comma and leaves two blanks before the next sign.
  void ArabicLegend(const Trackers& track) {
    const int blank = canvas_.TextWidth(" ");
    int right = size_.Width - kPageMargin;
    for (const LegendPiece& piece : LegendPieces(track, Language::Arabic)) {
      right -= canvas_.TextWidth(piece.Sign);
      canvas_.TextOut(right, y_, piece.Sign, TextBackground::Transparent, LineDirection::AsBuilt);
      const std::string description = piece.Description + "،";
      right -= blank + canvas_.TextWidth(description);
      canvas_.TextOut(right, y_, description, TextBackground::Transparent,
                      LineDirection::RightToLeft);
      right -= 2 * blank;
    }
  }

  void DrawCellText(const std::string& text, std::uint8_t alignment, int x, int y, int width,
                    LineDirection direction = LineDirection::AsBuilt) {
    const PageRect clip{x, y + 1, x + width, y + lineHeight_ - 1};
    const TextAnchor anchor = AnchorOf(alignment);
    const int at = anchor == TextAnchor::Left    ? x + kCellMargin
                   : anchor == TextAnchor::Right ? x + width - kCellMargin
                                                 : x + width / 2;
    canvas_.ClippedText(at, y + textDrop_, anchor, direction, text, clip);
  }

  std::uint8_t Alignment(int k) const {
    return design_.AlignmentField[static_cast<std::size_t>(k)];
  }

  // The largest size up to points, in tenths of a point and not below kMinBodyPoints, at which
  // every text of the groups fits room. Each text is measured once, at points. Widths grow in
  // proportion to the size, so the first size tried scales the widest text to the room, and
  // only the widest text of each group is measured again at the sizes tried; any other text
  // stays as narrow as it, give or take the rounding of a unit, which the cell's margins take.
  double FitPoints(const std::vector<TextGroup>& groups, double points, int room) {
    int widest = 0;
    std::vector<const std::string*> widestOf(groups.size(), nullptr);
    for (std::size_t g = 0; g < groups.size(); ++g) {
      canvas_.SetFont(groups[g].Font, points);
      int groupWidest = -1;
      for (const std::string& text : groups[g].Texts)
        if (const int width = canvas_.TextWidth(text); width > groupWidest) {
          groupWidest = width;
          widestOf[g] = &text;
        }
      widest = std::max(widest, groupWidest);
    }
    if (widest <= room || points <= kMinBodyPoints)
      return points;
    const auto fits = [&](int tenths) {
      for (std::size_t g = 0; g < groups.size(); ++g) {
        if (widestOf[g] == nullptr)
          continue;
        canvas_.SetFont(groups[g].Font, tenths / 10.0);
        if (canvas_.TextWidth(*widestOf[g]) > room)
          return false;
      }
      return true;
    };
    const int floor = Tenths(kMinBodyPoints);
    int tenths = std::clamp(Tenths(points * std::max(room, 0) / widest), floor, Tenths(points) - 1);
    while (tenths > floor && !fits(tenths))
      --tenths;
    return tenths / 10.0;
  }

  void Body(int page) {
    SetFont(design_.POBFont);
    for (const MonthBlock& block : PageBlocks(report_, page, size_.Width, bodyTop_, bodyBottom_))
      Month(block);
  }

  void Month(const MonthBlock& block) {
    const bool grid = design_.POBDrawGrid;
    const bool hijri = report_.Source().HijriMode;
    const int adjust = report_.Source().HijriAdjust;
    const int year = report_.ReportYear();
    const int x0 = block.X;
    const int width = block.Width;
    const FontSpec font = PageFont(design_.POBFont);
    FontSpec heading = font;
    heading.Bold = true;
    const int columns =
        6 + design_.POImsak + design_.POGregorian + design_.POHijri + design_.PODayName;
    const int columnWidth = width / columns;

    // The block's headings and the texts of its days' shown cells, by display column.
    std::vector<std::string> titles;
    std::vector<int> titled;
    std::vector<int> shown;
    for (int k = 0; k < kReportColumns; ++k) {
      if (std::string text = report_.ColumnTitle(k); !text.empty()) {
        titles.push_back(std::move(text));
        titled.push_back(k);
      }
      if (ColumnShown(design_, LogicalColumn(design_, k)))
        shown.push_back(k);
    }
    int first = 0;
    if (report_.IsYear())
      for (int m = 1; m < block.Month; ++m)
        first += DaysInCalendarMonth(year, m, hijri, adjust);
    const int days = DaysInCalendarMonth(year, block.Month, hijri, adjust);
    std::vector<std::string> cells;
    cells.reserve(static_cast<std::size_t>(days) * shown.size());
    for (int day = 0; day < days; ++day)
      for (int k : shown)
        cells.push_back(report_.CellText(k, first + day));

    // Every heading and cell is drawn whole: one size for the whole block, so that its columns
    // stay aligned, and the design's size wherever that fits.
    std::vector<TextGroup> groups{{heading, {}}, {font, {}}};
    for (std::size_t i = 0; i < titles.size(); ++i)
      groups[0].Texts.push_back(ShownPart(titles[i], AnchorOf(Alignment(titled[i]))));
    for (std::size_t i = 0; i < cells.size(); ++i)
      if (!cells[i].empty())
        groups[1].Texts.push_back(
            ShownPart(cells[i], AnchorOf(Alignment(shown[i % shown.size()]))));
    const double points = FitPoints(groups, font.Size, columnWidth - 2 * kCellMargin);

    SetCellFont(font, points);
    y_ = block.Y + lineHeight_;
    const int yFrame = y_;
    if (grid)
      canvas_.Line(x0, y_, x0 + width, y_);

    // The title, a quarter larger than the design's body font, in bold, across the block.
    FontSpec title = font;
    title.Bold = true;
    title.Size = font.Size + font.Size / 4;
    title = PageFont(title);
    const bool arabicDesign = design_.Language;
    const std::string caption =
        MonthTitle(MonthName(report_.Source().Names, report_.Source().Lang, hijri, block.Month),
                   year, arabicDesign);
    const double titlePoints =
        FitPoints({TextGroup{title, {caption}}}, title.Size, width - 2 * kCellMargin);
    SetCellFont(title, titlePoints);
    DrawCellText(caption, AlignCenter, x0, y_, width,
                 arabicDesign ? LineDirection::RightToLeft : LineDirection::AsBuilt);
    y_ += lineHeight_;
    const int yHead = y_;
    if (grid)
      canvas_.Line(x0, y_, x0 + width, y_);

    SetCellFont(heading, points);
    int x = x0;
    for (std::size_t i = 0; i < titles.size(); ++i) {
      DrawCellText(titles[i], Alignment(titled[i]), x, y_, columnWidth);
      x += columnWidth;
    }
    SetCellFont(font, points);
    if (grid)
      canvas_.Line(x0, y_ + lineHeight_, x0 + width, y_ + lineHeight_);

    const int step = (block.Height - (yHead - block.Y)) / (hijri ? 32 : 31);
    std::size_t cell = 0;
    for (int day = 0; day < days; ++day) {
      x = x0;
      y_ += step;
      for (int k : shown) {
        const std::string& text = cells[cell++];
        if (!text.empty())
          DrawCellText(text, Alignment(k), x, y_, columnWidth);
        x += columnWidth;
      }
      if (grid)
        canvas_.Line(x0, y_ + lineHeight_, x0 + width, y_ + lineHeight_);
    }
    if (!grid)
      return;
    const int yBottom = y_ + lineHeight_;
    canvas_.Line(x0, yFrame, x0, yBottom);
    for (int column = 1; column < columns; ++column)
      canvas_.Line(x0 + column * columnWidth, yHead, x0 + column * columnWidth, yBottom);
    canvas_.Line(x0 + width, yFrame, x0 + width, yBottom);
  }

  void PeaksList() {
    SetFont(design_.POBFont);
    const int rows = report_.DisplayedCount();
    std::array<int, kReportColumns> widths{};
    int total = 0;
    for (int k = 0; k < kReportColumns; ++k) {
      int widest = canvas_.TextWidth(report_.ColumnTitle(k));
      for (int row = 0; row < rows; ++row)
        widest = std::max(widest, canvas_.TextWidth(report_.CellText(k, row)));
      widths[static_cast<std::size_t>(k)] = widest + 2;
      total += widest + 2;
    }
    const bool hijri = report_.Source().HijriMode;
    const int adjust = report_.Source().HijriAdjust;
    const int left = arabic_ ? size_.Width - kPageMargin - total : kPageMargin;
    y_ = bodyTop_;
    std::string previous;
    for (int row = 0; row < rows; ++row) {
      const double date = report_.Displayed()[static_cast<std::size_t>(row)].Date;
      const int month = DecodeCalendarDate(date, hijri, adjust).month;
      const std::string name =
          MonthName(report_.Source().Names, report_.Source().Lang, hijri, month);
      if (name != previous) {
        canvas_.Line(left, y_ + lineHeight_ / 2, left + total, y_ + lineHeight_ / 2);
        // The name hides the rule through its middle.
        canvas_.TextOut(left + (total - canvas_.TextWidth(name)) / 2, y_, name,
                        TextBackground::Page, LineDirection::AsBuilt);
        y_ += lineHeight_;
        if (month == 1 || month == 7) {
          int x = left;
          for (int k = 0; k < kReportColumns; ++k) {
            DrawCellText(report_.ColumnTitle(k), Alignment(k), x, y_,
                         widths[static_cast<std::size_t>(k)]);
            x += widths[static_cast<std::size_t>(k)];
          }
          canvas_.Line(left, y_ + lineHeight_, left + total, y_ + lineHeight_);
          y_ += lineHeight_;
        }
        previous = name;
      }
      int x = left;
      for (int k = 0; k < kReportColumns; ++k) {
        DrawCellText(report_.CellText(k, row), Alignment(k), x, y_,
                     widths[static_cast<std::size_t>(k)]);
        x += widths[static_cast<std::size_t>(k)];
      }
      y_ += lineHeight_;
    }
    y_ += 3 * lineHeight_;
  }

  const Timetable& report_;
  const TPrintOptions& design_;
  PageCanvas& canvas_;
  PageSize size_;
  bool arabic_;
  int lineHeight_ = 0;
  int textDrop_ = 0;  // how far below its cell's top a text drawn smaller stands
  int y_ = kPageMargin;
  int bodyTop_ = kPageMargin;
  int bodyBottom_ = 0;
};

}  // namespace

std::vector<MonthBlock> PageBlocks(const Timetable& report, int page, int pageWidth, int bodyTop,
                                   int bodyBottom) {
  const TPrintOptions& d = report.Design();
  const int height = bodyBottom - bodyTop;
  if (page < 1 || page > report.PageCount())
    return {};
  if (!report.IsYear())
    return {{kPageMargin, bodyTop, BlockWidth(pageWidth, 1), height, report.ReportMonth()}};
  BlockGrid grid;
  if (!GridOf(d.POBNOMonths, d.POBSideBySide, grid))
    return {};
  const int count = grid.Columns * grid.Rows;
  const int width = BlockWidth(pageWidth, grid.Columns);
  const int blockHeight = height / grid.Rows;
  std::vector<MonthBlock> blocks;
  for (int i = 0; i < count; ++i) {
    int column = grid.RowByRow ? i % grid.Columns : i / grid.Rows;
    int row = grid.RowByRow ? i / grid.Columns : i % grid.Rows;
    // Right to left mirrors the rows; a single column is read from the bottom up instead.
    if (d.POBRightToLeft) {
      if (grid.Columns > 1)
        column = grid.Columns - 1 - column;
      else
        row = grid.Rows - 1 - row;
    }
    blocks.push_back({kPageMargin + column * (width + kPageMargin), bodyTop + row * blockHeight,
                      width, blockHeight, (page - 1) * count + i + 1});
  }
  return blocks;
}

bool PaintReportPage(const Timetable& report, PageCanvas& canvas, int page, PageSize size) {
  if (page < 1 || page > report.PageCount())
    return false;
  PagePainter(report, canvas, size).Paint(page);
  return true;
}

std::vector<int> PagesToPrint(int pageCount, const std::vector<PageRange>& chosen) {
  const int last = std::max(1, pageCount);
  std::vector<bool> taken(static_cast<std::size_t>(last) + 1, chosen.empty());
  for (const PageRange& range : chosen)
    for (int page = std::max(range.From, 1); page <= std::min(range.To, last); ++page)
      taken[static_cast<std::size_t>(page)] = true;
  std::vector<int> pages;
  for (int page = 1; page <= last; ++page)
    if (taken[static_cast<std::size_t>(page)])
      pages.push_back(page);
  return pages;
}

std::string PrintJobTitle(const Timetable& report) {
  const TimetableSource& source = report.Source();
  std::string title = ByLanguage(source.Lang, "Prayer times ", "أوقات الصلاة ");
  title.append(source.Location.City).append(" ");
  if (!report.IsYear())
    title.append(MonthName(source.Names, source.Lang, source.HijriMode, report.ReportMonth()))
        .append(" ");
  return title.append(std::to_string(report.ReportYear()));
}

FitSize FitPageSize(int bitmapWidth, int bitmapHeight, int roomWidth, int roomHeight) {
  if (bitmapWidth <= 0 || bitmapHeight <= 0 || roomWidth <= 0 || roomHeight <= 0)
    return {};
  const double w = bitmapWidth;
  const double h = bitmapHeight;
  if (h / roomHeight <= w / roomWidth)
    return {roomWidth, std::max(1, RoundHalfEven(h * roomWidth / w))};
  return {std::max(1, RoundHalfEven(w * roomHeight / h)), roomHeight};
}

}  // namespace vek
