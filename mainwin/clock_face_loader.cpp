#include "mainwin/clock_face_loader.h"

#include <QByteArray>

#include <cstdint>
#include <string_view>
#include <system_error>

#include "foundation/command_line.h"
#include "foundation/debug_log.h"
#include "foundation/file_io.h"
#include "foundation/program_folder.h"
#include "foundation/zip_entry.h"
#include "mainwin/analog_clock.h"
#include "mainwin/clock_face.h"

namespace vek {

namespace {

namespace fs = std::filesystem;

// Far above any face picture (a 140 x 140 bitmap is under 80 KB); a larger entry or file is not
// a face and is not unpacked or read.
constexpr std::uint64_t kMaxPictureBytes = 16u << 20;

bool IsFile(const fs::path& file) {
  std::error_code ec;
  return fs::is_regular_file(file, ec);
}

void Log(const std::string& text) {
  if (Switches().DebugVek)
    DebugLog(text);
}

std::uint32_t Le16(std::string_view d, std::size_t at) {
  return static_cast<unsigned char>(d[at]) | static_cast<unsigned char>(d[at + 1]) << 8;
}
std::uint32_t Le32(std::string_view d, std::size_t at) {
  return Le16(d, at) | Le16(d, at + 2) << 16;
}

// True when the bitmap file holds all the pixel data its header announces. The image reader
// itself accepts a truncated file and shows it partly black.
bool BitmapIsComplete(std::string_view d) {
  if (d.size() < 26 || d[0] != 'B' || d[1] != 'M')
    return false;
  const std::uint64_t offset = Le32(d, 10);
  const std::uint32_t header = Le32(d, 14);
  std::int64_t width = 0;
  std::int64_t height = 0;
  std::uint32_t bits = 0;
  std::uint32_t compression = 0;
  std::uint64_t imageSize = 0;
  if (header == 12) {
    width = Le16(d, 18);
    height = Le16(d, 20);
    bits = Le16(d, 24);
  } else if (header >= 40 && d.size() >= 54) {
    width = static_cast<std::int32_t>(Le32(d, 18));
    height = static_cast<std::int32_t>(Le32(d, 22));
    bits = Le16(d, 28);
    compression = Le32(d, 30);
    imageSize = Le32(d, 34);
  } else {
    return false;
  }
  if (height < 0)
    height = -height;
  if (width <= 0 || height == 0 || width > 16384 || height > 16384 || bits == 0 || bits > 32)
    return false;
  std::uint64_t pixels;
  if (compression == 0 || compression == 3 || compression == 6) {  // plain or bit fields
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
    pixels = stride * static_cast<std::uint64_t>(height);
  } else {
    pixels = imageSize == 0 ? 1 : imageSize;  // run-length data: as long as announced
  }
  return d.size() >= offset + pixels;
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

QImage UnpackFacePicture(const std::string& baseName, const fs::path& programFolder,
                         const ResourceModule& module, UiServices& ui, Language lang) {
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
      Log("ABUnzipper1.BaseDirectory:\r\n" + programFolder.string());
      Log("Note: ABUnzipper1.BaseDirectory is = ThisPath and also = OurPath");
      Log("ABUnzipper1.fileName: " + archive.string());
      if (!IsFile(archive)) {
        Log("File not found (ABUnzipper1.FileName): " + archive.string());
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
        return picture;
      failure = Failure::Unreadable;
    }
    if (packWritten)
      break;
    packWritten = true;
    if (!writePack())
      break;
    unzip = true;  // the fresh archive's bitmap replaces the one there
  }

  if (!Switches().IgnoreBmp) {
    switch (failure) {
      case Failure::NoArchive:
        ShowProgramMessage("File not Found: ThisPath+ShortFnm+.BMP: " + bitmap.string(), ui);
        break;
      case Failure::NotInArchive:
        ShowProgramMessage("File not Found: ShortFnm+.BMP: " + bitmapName, ui);
        break;
      case Failure::TooLarge:
        ShowProgramMessage(archive.string() + "\r\n" + ZipEntryTooLargeText(unpacked, lang), ui);
        break;
      case Failure::Unreadable:
      case Failure::None:
        ShowProgramMessage("File not found: \r\n" + bitmap.string(), ui);
        break;
    }
  }
  return {};
}

int LoadClockFace(int code, const fs::path& programFolder, const ResourceModule& module,
                  AnalogClock& clock, UiServices& ui, Language lang) {
  const int index = FaceIndexOfCode(code);
  const std::string baseName = ApplyFaceCode(code, clock);
  if (baseName.empty())
    return index;
  const QImage picture = UnpackFacePicture(baseName, programFolder, module, ui, lang);
  if (!picture.isNull())
    clock.SetFacePicture(picture);
  return index;
}

}  // namespace vek
