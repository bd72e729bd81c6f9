// The work of the codec installer dravolen, without Qt: it puts the carried MP3 codec driver
// into the platform's system folder, registers it in System.ini in the platform's Windows
// folder, and checks that the sound system decodes the program's compressed sounds (MP3 inside
// WAV files). It tells the user what happened and answers the program's exit code.
#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

#include "foundation/resource_pack.h"
#include "foundation/ui_services.h"
#include "platform/file_system.h"

namespace vek {

// The carried driver file, its registration, and the package that brings the decoders.
inline constexpr std::string_view kCodecDriverFile = "L3codecp.acm";
inline constexpr std::string_view kSystemIniFile = "System.ini";
inline constexpr std::string_view kDriversSection = "drivers32";
inline constexpr std::string_view kCodecDriverKey = "msacm.l3codec";
inline constexpr std::string_view kCodecDriverValue = "l3codecp.acm";
inline constexpr std::string_view kDecoderPackage = "gstreamer1.0-plugins-good";

// The exit codes of dravolen: 0 only when every step succeeded.
inline constexpr int kCodecInstalled = 0;
inline constexpr int kDriverNotWritten = 1;    // the driver file is not in the system folder
inline constexpr int kSettingsNotWritten = 2;  // System.ini was not written
inline constexpr int kDecoderMissing = 3;      // the sound system cannot decode the sounds

// What the sound system can decode, each asked on its own.
struct DecoderSupport {
  bool mp3 = false;   // MP3 audio
  bool wave = false;  // the WAV file format
};

struct CodecInstallerContext {
  std::filesystem::path systemFolder;         // receives the driver file; made when missing
  std::filesystem::path windowsFolder;        // holds System.ini; made when missing
  const ResourceModule* resources = nullptr;  // carries the driver file
  std::function<DecoderSupport()> checkDecoder;
  UiServices* ui = nullptr;
  FileSystem* fs = &RealFileSystem();
};

// The installer's run, in order: the driver file (through a temporary file beside it that
// replaces it, a read-only one too), then System.ini (only once the driver is in place; its
// other sections and keys are kept), then the decoder check. The first step that fails is told
// with its reason in Arabic and English and ends the run with its code; when all succeed, the
// completion message is shown and the answer is kCodecInstalled.
int DravolenMain(const CodecInstallerContext& context);

}  // namespace vek
