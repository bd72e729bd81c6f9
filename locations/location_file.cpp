#include "locations/location_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <span>
#include <system_error>

#include "foundation/debug_log.h"
#include "foundation/dos_error.h"
#include "foundation/file_io.h"
#include "foundation/program_folder.h"
#include "foundation/save_lock.h"
#include "locations/location_fields.h"

namespace vek {

namespace fs = std::filesystem;

namespace {

constexpr const char* kCrLf = "\r\n";

fs::path LocationFile(const LocationFileContext& ctx) {
  return ctx.File.empty() ? LocationFilePath(ctx.Folder) : ctx.File;
}

// The trace of the location file goes to the debug log only with DEBUGVEKLOC.
void LocLog(const std::string& text) {
  if (DebugLogTracesLocationFile())
    DebugLog(text);
}

std::string ErrorCodeLine(int errnoValue) {
  return "error code= " + std::to_string(DosCodeFromErrno(errnoValue));
}

LocationFileResult Fatal(const std::string& english, const std::string& arabic) {
  LocationFileResult result;
  result.ok = false;
  result.fatal = true;
  result.english = english;
  result.arabic = arabic;
  return result;
}

// A file that is empty or no whole number of records is damaged (cut short by a failed copy,
// say): it is refused rather than read into a half-filled list.
LocationFileResult DamagedFile(const fs::path& path, std::size_t size, std::size_t recordSize) {
  const std::string bytes = std::to_string(size), record = std::to_string(recordSize);
  const std::string english = size == 0
                                  ? "is empty"
                                  : "is damaged: its " + bytes + " bytes are no whole number of " +
                                        record + "-byte records";
  const std::string arabic =
      size == 0
          ? "فارغ"
          : "تالف: حجمه " + bytes + " بايت لا يساوي عدداً كاملاً من السجلات ذات " + record + " بايت";
  return Fatal("Error: Locations file\r\n" + path.string() + "\r\n" + english +
                   "\r\n\r\nReplace it with a good copy, then restart program",
               "خطأ: ملف المواقع\r\n" + path.string() + "\r\n" + arabic +
                   "\r\n\r\nاستبدل به نسخة سليمة ثم أعد تشغيل البرنامج");
}

// The message of a file that is no regular file (a FIFO would hold the start-up forever, a device
// would never end) or is larger than any list of locations, refused before it is read.
std::string RefusedFileText(const fs::path& path, const FileRead& read, Language lang) {
  const std::string reason = ReadRefusalText(read, lang == Language::Arabic);
  return ByLanguage(lang,
                    "Error: Locations file\r\n" + path.string() + "\r\n" + reason +
                        "\r\n\r\nReplace it with a good copy, then restart program",
                    "خطأ: ملف المواقع\r\n" + path.string() + "\r\n" + reason +
                        "\r\n\r\nاستبدل به نسخة سليمة ثم أعد تشغيل البرنامج");
}

LocationFileResult RefusedFile(const fs::path& path, const FileRead& read) {
  return Fatal(RefusedFileText(path, read, Language::English),
               RefusedFileText(path, read, Language::Arabic));
}

// A file that cannot be opened; the Arabic text carries the DOS code in its cause.
LocationFileResult OpenError(const fs::path& path, int e, const char* advice,
                             const char* arabicAdvice) {
  const std::string english = "Error trying to open file\r\n" + path.string() + kCrLf +
                              IoErrorText(e) + kCrLf + ErrorCodeLine(e);
  LocLog(english);
  return Fatal(english + advice, "تعذر فتح الملف\r\n" + path.string() + kCrLf +
                                     IoErrorText(e, Language::Arabic) + arabicAdvice);
}

// Reads the whole file; not ok for a file that cannot be read or is refused.
LocationFileResult ReadLocationFile(const fs::path& path, std::string& data) {
  const FileRead read = ReadRegularFile(path, kMaxLocationFileBytes, data);
  if (read.refusal == ReadRefusal::Unreadable)
    return OpenError(path, read.errnoValue,
                     "\r\n\r\nMake sure you are using the proper file then restart program",
                     "\r\n\r\nتأكد من أنك تستخدم الملف الصحيح ثم أعد تشغيل البرنامج");
  if (!read.ok())
    return RefusedFile(path, read);
  return {};
}

// Replaces the file as a whole: a new temporary file of a unique name beside it (created
// exclusively, never through a link), flushed, then renamed over it, while the folder's save
// lock keeps a second copy of the program from saving at the same time. A reader sees the old
// file or the new one, never an empty or partial one.
int WriteLocationFile(const LocationFileContext& ctx, const fs::path& path,
                      std::string_view image) {
  const FolderSaveLock lock(ctx.Folder);
  return WriteFileReplacing(path, image);
}

// A file that could not be written does not stop the program: the list stays in memory.
LocationFileResult WriteError(const fs::path& path, int e) {
  LocationFileResult result;
  result.ok = false;
  result.english = "Error trying to write to file: " + path.string() + kCrLf + IoErrorText(e);
  result.arabic =
      "تعذرت الكتابة في الملف: " + path.string() + kCrLf + IoErrorText(e, Language::Arabic);
  return result;
}

void AppendRecord(std::string& image, const LocationRecBytes& bytes) {
  image.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::string VersionRecordImage() {
  std::string image;
  AppendRecord(image, EncodeLocationRec(LocationsVersionRecord()));
  return image;
}

template <std::size_t N>
std::span<const std::uint8_t, N> RecordAt(const std::string& data, std::size_t index) {
  return std::span<const std::uint8_t, N>(
      reinterpret_cast<const std::uint8_t*>(data.data()) + index * N, N);
}

}  // namespace

fs::path LocationFilePath(const fs::path& folder) {
  return FindFileIgnoringCase(folder, kLocationFileName);
}

bool LocationFilePresent(const fs::path& folder) {
  std::error_code ec;
  return fs::is_regular_file(LocationFilePath(folder), ec);
}

std::string LocationFileUnusableText(const fs::path& file, Language lang) {
  struct stat st {};
  if (::stat(file.c_str(), &st) == 0) {
    if (!S_ISREG(st.st_mode))
      return RefusedFileText(file, FileRead{ReadRefusal::NotRegularFile}, lang);
  } else if (const int e = errno; e != ENOENT && e != ENOTDIR) {
    return RefusedFileText(file, FileRead{ReadRefusal::Unreadable, e}, lang);
  }
  return file.string() + ByLanguage(lang,
                                    "\r\nFile Not Found\r\n\r\nProgram will not run without this "
                                    "file",
                                    "\r\nالملف غير موجود\r\n\r\nلا يعمل البرنامج بدون هذا الملف");
}

std::string DumpLocationRec(const std::string& prefix, const TLocationRec& r) {
  return prefix + "\r\nCity: " + r.City + ", State: " + r.State + ", Country: " + r.Country +
         "\r\nLongDeg: " + std::to_string(r.LongDeg) + " LongMin: " + std::to_string(r.LongMin) +
         "\r\nLatDeg: " + std::to_string(r.LatDeg) + " LatMin: " + std::to_string(r.LatMin) +
         "\r\nSt_Longitude: " + std::to_string(r.St_Longitude);
}

LocationFileResult CheckLocationsFileVersion(const LocationFileContext& ctx) {
  const fs::path path = LocationFile(ctx);
  std::error_code ec;
  if (!fs::exists(path, ec))
    return Fatal(LocationFileUnusableText(path, Language::English),
                 LocationFileUnusableText(path, Language::Arabic));
  MakeOwnerWritable(path);  // the reading below reports what still fails
  std::string data;
  if (const FileRead read = ReadRegularFile(path, kMaxLocationFileBytes, data, kLocationRecSize);
      !read.ok()) {
    if (read.refusal != ReadRefusal::Unreadable)
      return RefusedFile(path, read);
    return OpenError(path, read.errnoValue, "", "");
  }
  // City and State lie in the first 22 bytes in both layouts.
  constexpr std::size_t kNamesEnd = 22;
  if (data.size() < kNamesEnd)
    return DamagedFile(path, data.size(), kLocationRecSize);
  const std::span<const std::uint8_t> head(reinterpret_cast<const std::uint8_t*>(data.data()),
                                           kNamesEnd);
  const std::string city = StoredCity(head);
  const std::string state = StoredState(head);
  if (state == "00" && city == "2222")
    return {};
  if (state == "00") {
    return Fatal(
        "Error: Locations file\r\n" + path.string() + "Not compatible with program's version",
        "خطأ: ملف المواقع\r\n" + path.string() + kCrLf + "غير متوافق مع إصدار البرنامج");
  }
  LocationFileResult converted = ConvertOldLocations(ctx);
  converted.noticeEnglish =
      "You have an older version of Locations fileProgram will now transform it to the current "
      "version";
  converted.noticeArabic =
      "لديك نسخة قديمة من ملف المواقع سيقوم البرنامج الآن بتحويله إلى الإصدار الحالي";
  return converted;
}

LocationFileResult ConvertOldLocations(const LocationFileContext& ctx) {
  const fs::path path = LocationFile(ctx);
  std::string data;
  if (LocationFileResult read = ReadLocationFile(path, data); !read.ok)
    return read;
  if (data.empty() || data.size() % kOldLocationRecSize != 0)
    return DamagedFile(path, data.size(), kOldLocationRecSize);
  std::string image = VersionRecordImage();
  for (std::size_t i = 0; i < data.size() / kOldLocationRecSize; ++i) {
    AppendRecord(image,
                 EncodeLocationRec(DecodeOldLocationRec(RecordAt<kOldLocationRecSize>(data, i))));
  }
  if (const int e = WriteLocationFile(ctx, path, image); e != 0)
    return WriteError(path, e);
  return {};
}

namespace {

// The reading proper; fnReadLocations marks a failed list.
LocationFileResult ReadLocationsInto(TLocations& list, const LocationFileContext& ctx) {
  LocLog("Loctns: entering fnReadLocations");
  LocationFileResult result = CheckLocationsFileVersion(ctx);
  if (!result.ok)
    return result;
  // A failure below keeps the notice of a conversion done before it.
  const auto failed = [&result](LocationFileResult failure) {
    failure.noticeEnglish = std::move(result.noticeEnglish);
    failure.noticeArabic = std::move(result.noticeArabic);
    return failure;
  };

  const fs::path path = LocationFile(ctx);
  std::error_code ec;
  if (!fs::exists(path, ec))
    return failed(Fatal(path.string() + "\r\nFile not found\r\n\r\nProgram will not run without it",
                        path.string() + "\r\nالملف غير موجود\r\n\r\nلا يعمل البرنامج بدونه"));
  LocLog("found file: " + path.string() + "\r\n\r\nNow will examine file attributes");

  if (!IsOwnerWritable(path)) {
    if (const int e = MakeOwnerWritable(path); e != 0) {
      LocLog("Error trying to make file \"read-write\"\r\n" + path.string() + kCrLf +
             IoErrorText(e) + kCrLf + ErrorCodeLine(e));
      return failed(
          Fatal("Error trying to make file \"read-write\"\r\n" + path.string() + kCrLf +
                    IoErrorText(e) + kCrLf + ErrorCodeLine(e) +
                    "\r\n\r\nMake sure you have the proper rights to access this file\r\n\r\n"
                    "If you have the proper rights, try this:\r\n"
                    "Let this program close down\r\n"
                    "Open windows Explorer\r\n"
                    "click the right mouse button on this file:\r\n" +
                    path.string() +
                    "\r\nclick: Properties / General\r\n"
                    "Make sure the \"READ-ONLY\" box is NOT checked\r\n"
                    "Make sure the \"ARCHIVE\" box IS checked\r\n"
                    "then restart program again",
                "تعذر جعل الملف قابلاً للكتابة\r\n" + path.string() + kCrLf +
                    IoErrorText(e, Language::Arabic) +
                    "\r\n\r\nتأكد من أن لديك صلاحية الوصول إلى هذا الملف\r\n\r\n"
                    "إن كانت لديك الصلاحية فجرّب ما يلي:\r\n"
                    "دع هذا البرنامج يُغلق\r\n"
                    "افتح مستكشف الملفات\r\n"
                    "انقر بزر الفأرة الأيمن على هذا الملف:\r\n" +
                    path.string() +
                    "\r\nانقر: خصائص / عام\r\n"
                    "تأكد من أن خانة \"للقراءة فقط\" غير محددة\r\n"
                    "وأن خانة \"أرشيف\" محددة\r\n"
                    "ثم أعد تشغيل البرنامج"));
    }
  }

  LocLog("Finished Examining file attributes\r\nNow will try to open file\r\n" + path.string());
  std::string data;
  if (LocationFileResult read = ReadLocationFile(path, data); !read.ok)
    return failed(std::move(read));
  if (data.size() % kLocationRecSize != 0)
    return failed(DamagedFile(path, data.size(), kLocationRecSize));

  LocLog("Now will try to read first record\r\nIts information will be shown if we succeed");
  const std::size_t records = data.size() / kLocationRecSize;
  if (records == 0) {
    LocLog("File is empty");
  } else {
    LocLog(DumpLocationRec("\r\nVersion Record:",
                           DecodeLocationRec(RecordAt<kLocationRecSize>(data, 0))));
  }
  LocLog("Finished attempting to read first record");

  const std::size_t count = records == 0 ? 0 : records - 1;
  for (std::size_t i = 1; i <= count; ++i) {
    auto item = std::make_unique<TLocation>(TLocationRec{});
    item->ReadFrom(RecordAt<kLocationRecSize>(data, i));
    if (i <= 3) {
      LocLog(DumpLocationRec("\r\nItem Number:" + std::to_string(i), item->Rec));
    } else if (i == count) {
      LocLog(DumpLocationRec("\r\nLast Item in file:" + std::to_string(i), item->Rec) + kCrLf);
    }
    list.Append(std::move(item));
  }

  list.CurrentIndex = 0;
  list.SortByCountry();
  list.Modified = false;
  LocLog("Total Records read from file= " + std::to_string(count) +
         "\r\n\r\nNow will exit: fnReadLocations\r\n*** END OF DEBUGGING ***");
  return result;
}

}  // namespace

LocationFileResult fnReadLocations(TLocations& list, const LocationFileContext& ctx) {
  list.Clear();
  LocationFileResult result = ReadLocationsInto(list, ctx);
  if (!result.ok) {
    list.Clear();
    list.CurrentIndex = -1;
  }
  return result;
}

LocationFileCheck CheckLocationFileStrictly(const fs::path& file) {
  const auto refused = [](const std::string& english, const std::string& arabic) {
    return LocationFileCheck{false, english, arabic};
  };
  std::string data;
  if (const FileRead read = ReadRegularFile(file, kMaxLocationFileBytes, data); !read.ok())
    return refused(ReadRefusalText(read, false), ReadRefusalText(read, true));
  if (data.empty())
    return refused("It is empty", "الملف فارغ");
  // The layout first: an older file is told as such, whatever its size.
  if (data.size() >= kLocationRecSize) {
    const auto first = RecordAt<kLocationRecSize>(data, 0);
    if (StoredCity(first) != "2222" || StoredState(first) != "00")
      return refused(
          "It does not begin with the version record of the current layout (an older location "
          "file is converted only where it is installed)",
          "لا يبدأ بسجل الإصدار الحالي (يُحوَّل ملف المواقع القديم في مكانه فقط، لا عند تنزيله)");
  }
  if (data.size() < kLocationRecSize || data.size() % kLocationRecSize != 0) {
    const std::string bytes = std::to_string(data.size());
    return refused(
        "Its " + bytes + " bytes are no whole number of 92-byte records of the current layout",
        "حجمه " + bytes + " بايت لا يساوي عدداً كاملاً من السجلات ذات 92 بايت في الإصدار الحالي");
  }
  const std::size_t records = data.size() / kLocationRecSize;
  for (std::size_t i = 1; i < records; ++i) {
    const auto record = RecordAt<kLocationRecSize>(data, i);
    const std::optional<LocationRecProblem> problem = CheckLocationRec(record);
    if (!problem)
      continue;
    std::string number = std::to_string(i) + " of " + std::to_string(records - 1);
    std::string numberAr = std::to_string(i) + " من " + std::to_string(records - 1);
    if (problem->namesFit) {
      const TLocationRec rec = DecodeLocationRec(record);
      number += " (" + rec.City + ", " + rec.Country + ")";
      numberAr += " (" + rec.City + "، " + rec.Country + ")";
    }
    return refused(
        "Location " + number + " holds what a location may not hold: " + problem->english,
        "الموقع " + numberAr + " يحوي ما لا يجوز في موقع: " + problem->arabic);
  }
  return {};
}

std::string LocationsFileImage(const TLocations& list) {
  std::string image = VersionRecordImage();
  image.reserve(static_cast<std::size_t>(list.Count() + 1) * kLocationRecSize);
  for (int i = 0; i < list.Count(); ++i)
    AppendRecord(image, list.GetItem(i).WriteTo());
  return image;
}

LocationFileResult SaveLocations(const TLocations& list, const LocationFileContext& ctx) {
  if (!list.Modified)
    return {};
  const fs::path path = LocationFile(ctx);
  if (const int e = WriteLocationFile(ctx, path, LocationsFileImage(list)); e != 0)
    return WriteError(path, e);
  return {};
}

}  // namespace vek
