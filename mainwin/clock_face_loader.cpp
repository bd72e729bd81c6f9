#include "mainwin/clock_face_loader.h"

#include <QByteArray>

#include <cstdint>
#include <system_error>
#include <utility>

#include "foundation/bitmap_file.h"
#include "foundation/command_line.h"
#include "foundation/debug_log.h"
#include "foundation/file_io.h"
#include "foundation/program_folder.h"
#include "foundation/zip_entry.h"
#include "mainwin/analog_clock.h"
#include "resources/clock_face.h"

namespace vek {

namespace {

namespace fs = std::filesystem;

bool IsFile(const fs::path& file) {
  std::error_code ec;
  return fs::is_regular_file(file, ec);
}

// The picture in the bitmap file, or a null image when it is missing, too large, incomplete or
// unreadable.
QImage ReadBitmap(const fs::path& file) {
  std::error_code ec;
  const std::uintmax_t size = fs::file_size(file, ec);
  if (ec || size > kMaxPictureBytes)
    return {};
  std::string data;
  if (ReadWholeFile(file, data) != 0 || !BitmapIsComplete(data))
    return {};
  QImage image;
  image.loadFromData(QByteArray::fromRawData(data.data(), static_cast<qsizetype>(data.size())),
                     "BMP");
  return image.copy();  // detached from data
}

enum class Failure { None, NoArchive, NotInArchive, TooLarge, Unreadable };

}  // namespace

std::string ApplyFaceCode(int code, AnalogClock& clock) {
  const ClockFaceRow* face = FaceOfCode(code);
  if (face == nullptr)
    return {};
  clock.SetMarksDrawn(face->marksDrawn);
  clock.SetHandLengths(HandLengthsOf(*face));
  if (code == kNoFaceCode)
    clock.SetFacePicture(QImage());
  return std::string(face->baseName);
}

FacePicture UnpackFacePicture(const std::string& baseName, const fs::path& programFolder,
                              const ResourceModule& module, const CommandLineSwitches& switches) {
  const auto log = [&switches](const std::string& text) {
    if (switches.debugVek)
      DebugLog(text);
  };
  const std::string archiveName = baseName + ".ZIP";
  const std::string bitmapName = baseName + ".BMP";
  const fs::path archive = FindFileIgnoringCase(programFolder, archiveName);
  const fs::path bitmap = FindFileIgnoringCase(programFolder, bitmapName);
  const auto writePack = [&] {
    return ExtractResourceToFile(module, ResourceNameOf(archiveName), kCarriedFileType, archive);
  };

  // The pack is written out at most once a call: first when neither file is there, else when a
  // file already there proves unusable.
  bool packWritten = false;
  if (!IsFile(archive) && !IsFile(bitmap)) {
    writePack();
    packWritten = true;
  }
  bool unzip = !IsFile(bitmap);
  Failure failure = Failure::None;
  ZipEntryResult unpacked;
  for (;;) {
    if (unzip) {
      log("ABUnzipper1.BaseDirectory:\r\n" + programFolder.string());
      log("Note: ABUnzipper1.BaseDirectory is = ThisPath and also = OurPath");
      log("ABUnzipper1.fileName: " + archive.string());
      if (!IsFile(archive)) {
        log("File not found (ABUnzipper1.FileName): " + archive.string());
        failure = Failure::NoArchive;
      } else if (unpacked = ExtractZipEntry(archive, bitmapName, bitmap, kMaxPictureBytes);
                 !unpacked.ok()) {
        failure =
            unpacked.status == ZipEntryStatus::TooLarge ? Failure::TooLarge : Failure::NotInArchive;
      }
    }
    if (IsFile(bitmap)) {
      QImage picture = ReadBitmap(bitmap);
      if (!picture.isNull())
        return {.picture = std::move(picture), .english = {}, .arabic = {}};
      failure = Failure::Unreadable;
    }
    if (packWritten)
      break;
    packWritten = true;
    if (!writePack())
      break;
    unzip = true;  // the fresh archive's bitmap replaces the one there
  }

  // The program's words in English, whatever the language, but for a picture too large.
  const auto failed = [](const std::string& english, const std::string& arabic) {
    return FacePicture{.picture = {}, .english = english, .arabic = arabic};
  };
  switch (failure) {
    case Failure::NoArchive: {
      const std::string text = "File not Found: ThisPath+ShortFnm+.BMP: " + bitmap.string();
      return failed(text, text);
    }
    case Failure::NotInArchive: {
      const std::string text = "File not Found: ShortFnm+.BMP: " + bitmapName;
      return failed(text, text);
    }
    case Failure::TooLarge:
      return failed(archive.string() + "\r\n" + ZipEntryTooLargeText(unpacked, Language::English),
                    archive.string() + "\r\n" + ZipEntryTooLargeText(unpacked, Language::Arabic));
    case Failure::Unreadable:
    case Failure::None:
      break;
  }
  const std::string text = "File not found: \r\n" + bitmap.string();
  return failed(text, text);
}

void ShowFacePictureFailure(const FacePicture& face, UiServices& ui, Language lang,
                            const CommandLineSwitches& switches) {
  if (!switches.ignoreBmp)
    ShowProgramMessage(face.Text(lang), ui);
}

int LoadClockFace(int code, const fs::path& programFolder, const ResourceModule& module,
                  AnalogClock& clock, UiServices& ui, Language lang,
                  const CommandLineSwitches& switches) {
  const int index = FaceIndexOfCode(code);
  const std::string baseName = ApplyFaceCode(code, clock);
  if (baseName.empty())
    return index;
  const FacePicture face = UnpackFacePicture(baseName, programFolder, module, switches);
  if (face.picture.isNull())
    ShowFacePictureFailure(face, ui, lang, switches);
  else
    clock.SetFacePicture(face.picture);
  return index;
}

}  // namespace vek
