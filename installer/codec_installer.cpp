#include "installer/codec_installer.h"

#include <cerrno>
#include <string>
#include <system_error>
#include <utility>

#include "foundation/dos_error.h"
#include "foundation/ini_file.h"
#include "foundation/program_folder.h"

namespace vek {

namespace {

namespace fs = std::filesystem;

constexpr const char* kCompleteText =
    "انتهى تثبيت الدعم لضغط الصوت\n\nInstallation for sound Compression is complete";

// The failure message of a file step: what could not be done, in Arabic, then in English with
// the path and the system's reason.
std::string FileFailureText(const char* arabic, const char* english, const fs::path& path,
                            int error) {
  std::string text = "لم يكتمل تثبيت الدعم لضغط الصوت\n";
  text += arabic;
  text += "\n\nInstallation for sound Compression is not complete\n";
  text += english;
  text += "\n";
  text += path.string();
  text += "\n";
  text += IoErrorText(error);
  return text;
}

int MakeFolder(const fs::path& folder) {
  if (folder.empty())
    return ENOENT;  // no home folder to place it in
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (!ec && !fs::is_directory(folder, ec))
    return ENOTDIR;
  return ec ? ec.value() : 0;
}

// Each step answers the message of its failure, or nothing when it was done.
std::string InstallDriver(const CodecInstallerContext& c) {
  if (const int e = MakeFolder(c.systemFolder); e != 0)
    return FileFailureText("تعذر إنشاء مجلد النظام",
                           "The system folder could not be made:", c.systemFolder, e);
  // A driver file already there under another letter case is the one replaced.
  const fs::path target = FindFileIgnoringCase(c.systemFolder, std::string(kCodecDriverFile));
  const int e = c.resources == nullptr
                    ? ENOENT
                    : ExtractFileFromResourceErrno(target.filename().string(), c.systemFolder,
                                                   *c.resources, *c.fs);
  if (e != 0)
    return FileFailureText("تعذرت كتابة ملف برنامج التشغيل",
                           "The driver file could not be written:", target, e);
  return {};
}

std::string RegisterDriver(const CodecInstallerContext& c) {
  const fs::path file = FindFileIgnoringCase(c.windowsFolder, std::string(kSystemIniFile));
  int e = MakeFolder(c.windowsFolder);
  if (e == 0) {
    IniFile ini;
    // A file that cannot be read is never replaced: UpdateFile answers the reading's error.
    ini.Load(file);
    ini.WriteString(kDriversSection, kCodecDriverKey, kCodecDriverValue);
    e = ini.UpdateFile();
  }
  if (e != 0)
    return FileFailureText("تعذرت كتابة ملف الإعدادات",
                           "The settings file could not be written:", file, e);
  return {};
}

std::string CheckDecoder(const CodecInstallerContext& c) {
  const DecoderSupport support = c.checkDecoder ? c.checkDecoder() : DecoderSupport{};
  if (support.mp3 && support.wave)
    return {};
  std::string missingArabic;
  std::string missingEnglish;
  if (!support.mp3) {
    missingArabic = "فك ضغط الصوت MP3";
    missingEnglish = "MP3 sound";
  }
  if (!support.wave) {
    missingArabic += missingArabic.empty() ? "" : "، ";
    missingArabic += "قراءة ملفات WAV";
    missingEnglish += missingEnglish.empty() ? "" : ", ";
    missingEnglish += "WAV files";
  }
  const std::string package(kDecoderPackage);
  std::string text = "لم يكتمل تثبيت الدعم لضغط الصوت\nلا يستطيع نظام الصوت: ";
  text += missingArabic;
  text += "\nثبّت الحزمة ";
  text += package;
  text += " ثم أعد المحاولة\n\nInstallation for sound Compression is not complete\n";
  text += "The sound system has no decoder for: ";
  text += missingEnglish;
  text += "\nInstall the package ";
  text += package;
  text += ", then try again";
  return text;
}

}  // namespace

int DravolenMain(const CodecInstallerContext& context) {
  using Step = std::string (*)(const CodecInstallerContext&);
  const std::pair<Step, int> steps[] = {{InstallDriver, kDriverNotWritten},
                                        {RegisterDriver, kSettingsNotWritten},
                                        {CheckDecoder, kDecoderMissing}};
  for (const auto& [step, code] : steps) {
    if (const std::string failure = step(context); !failure.empty()) {
      context.ui->ShowMessage(failure);
      return code;
    }
  }
  context.ui->ShowMessage(kCompleteText);
  return kCodecInstalled;
}

}  // namespace vek
