#include "report/timetable_export.h"

#include "foundation/cp1256.h"
#include "foundation/dos_error.h"
#include "foundation/file_io.h"
#include "foundation/text.h"

namespace vek {

namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr std::size_t kLocationChars = 28;  // "Location: " and the city

}  // namespace

std::string TimetableExportText(const Timetable& report) {
  const TimetableSource& source = report.Source();
  const TLocationRec& loc = source.Location;
  std::string text = TruncateCodePoints("Location: " + loc.City, kLocationChars);
  if (!loc.State.empty())
    text += ", " + loc.State;
  text += ", " + loc.Country + kLineEnd;

  for (int k = 0; k < kReportColumns; ++k) {
    const std::string title = report.ColumnTitle(k);
    if (!title.empty())
      text += "\t" + title;
  }
  text += kLineEnd;

  for (int row = 0; row < report.DisplayedCount(); ++row) {
    for (int k = 0; k < kReportColumns; ++k) {
      const std::string cell = report.CellText(k, row);
      if (!cell.empty())
        text += "\t" + cell;
    }
    text += kLineEnd;
  }

  const Language lang = source.Lang;
  if (source.Track.IshaFajrConflict.Flag)
    text += std::string(ByLanguage(lang, "#: Conflict between Isha and Fajr",
                                   "# تضارب بين الفجر والعشاء")) +
            kLineEnd;
  if (source.Track.IshaSaturation.Flag)
    text += std::string(
                ByLanguage(lang, "^: Saturation in Isha calculation", "^إشباع في حساب العشاء")) +
            kLineEnd;
  if (source.Track.FajrSaturation.Flag)
    text +=
        std::string(ByLanguage(lang, "^: Saturation in Fajr calculation", "^إشباع في حساب الفجر")) +
        kLineEnd;
  return text;
}

std::filesystem::path ExportFileName(const std::string& chosen) {
  std::string name = chosen;
  if (!name.empty() && (name.back() == ')' || name.back() == '('))
    name.pop_back();
  std::filesystem::path file(name);
  if (file.has_filename() && !file.has_extension())
    file += ".TXT";
  return file;
}

int SaveTimetableText(const Timetable& report, const std::filesystem::path& file, FileSystem& fs) {
  return WriteUserFileReplacing(file, Utf8ToCp1256Lossy(TimetableExportText(report)), fs);
}

std::string FileFailureReason(const std::filesystem::path& file, int error, Language lang) {
  return file.string() + "\r\n" + FileErrorText(error, file, lang);
}

std::string ExportFailureText(const std::filesystem::path& file, int error, Language lang) {
  std::string text = ByLanguage(lang, "The timetable could not be saved to the file:\r\n",
                                "تعذر حفظ جدول الأوقات في الملف:\r\n");
  text += FileFailureReason(file, error, lang);
  return text;
}

}  // namespace vek
