// The codec installer's work over temporary folders, and the real decoder check of this
// machine's sound system.
#include "installer/codec_installer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <cstdlib>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "foundation/file_io.h"
#include "foundation/ini_file.h"
#include "installer/decoder_check.h"
#include "resources/codec_driver_pack.h"
#include "resources/program_sounds.h"
#include "sounds/qt_sound_player.h"
#include "support/fake_ui.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

// Qt Multimedia's sound system keeps what PulseAudio, GLib and GStreamer allocate when no sound
// server answers until the process ends; the leak checker of the sanitizer build is told so.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:pa_xmalloc\nleak:g_malloc\nleak:g_realloc\nleak:libgstreamer\nleak:libgst\n";
}

namespace vek {
namespace {

namespace fs = std::filesystem;
using testing::ExpectFileBytes;
using testing::FakeUi;
using testing::NamesIn;
using testing::TempDir;

constexpr const char* kComplete =
    "انتهى تثبيت الدعم لضغط الصوت\n\nInstallation for sound Compression is complete";

class CodecInstaller : public ::testing::Test {
 protected:
  CodecInstallerContext Context() {
    CodecInstallerContext c;
    c.systemFolder = windows / "system";
    c.windowsFolder = windows;
    c.resources = &CodecDriverPack();
    c.checkDecoder = [this] { return decoders; };
    c.ui = &ui;
    return c;
  }
  std::string Driver() const {
    const std::span<const unsigned char> data = CodecDriverPack().Find("L3CODECPACM", "APPL");
    return std::string(reinterpret_cast<const char*>(data.data()), data.size());
  }

  TempDir dir;
  fs::path windows = dir.path() / "vek-windows";
  FakeUi ui;
  DecoderSupport decoders{.mp3 = true, .wave = true};
};

TEST_F(CodecInstaller, AFreshRunInstallsRegistersAndSaysSo) {
  ASSERT_FALSE(Driver().empty());
  EXPECT_EQ(kCodecInstalled, DravolenMain(Context()));
  EXPECT_EQ(Driver(), ExpectFileBytes(windows / "system" / "L3codecp.acm"));
  EXPECT_EQ("l3codecp.acm",
            IniFile(windows / "System.ini").ReadString("drivers32", "msacm.l3codec", ""));
  EXPECT_EQ(std::vector<std::string>{kComplete}, ui.messages);
  // No temporary file is left beside the driver.
  EXPECT_EQ(std::vector<std::string>{"L3codecp.acm"}, NamesIn(windows / "system"));
  EXPECT_EQ((std::vector<std::string>{"System.ini", "system"}), NamesIn(windows));
}

TEST_F(CodecInstaller, ASecondRunLeavesTheSameStateAndSaysSoAgain) {
  ASSERT_EQ(kCodecInstalled, DravolenMain(Context()));
  const std::string ini = ExpectFileBytes(windows / "System.ini");
  ASSERT_EQ(kCodecInstalled, DravolenMain(Context()));
  EXPECT_EQ(ini, ExpectFileBytes(windows / "System.ini"));
  EXPECT_EQ(Driver(), ExpectFileBytes(windows / "system" / "L3codecp.acm"));
  EXPECT_EQ((std::vector<std::string>{kComplete, kComplete}), ui.messages);
}

TEST_F(CodecInstaller, AReadOnlyDriverOfAnyLetterCaseIsReplaced) {
  fs::create_directories(windows / "system");
  const fs::path old = windows / "system" / "l3codecp.acm";
  ASSERT_EQ(0, WriteFileReplacing(old, "an older driver"));
  ::chmod(old.c_str(), 0444);
  EXPECT_EQ(kCodecInstalled, DravolenMain(Context()));
  EXPECT_EQ(Driver(), ExpectFileBytes(old));
  EXPECT_EQ(std::vector<std::string>{"l3codecp.acm"}, NamesIn(windows / "system"));
}

TEST_F(CodecInstaller, OtherSectionsAndKeysOfSystemIniAreKept) {
  fs::create_directories(windows);
  ASSERT_EQ(0, WriteFileReplacing(windows / "system.INI",
                                  "; shared drivers\r\n[boot]\r\nshell=explorer.exe\r\n"
                                  "[Drivers32]\r\nmsacm.imaadpcm=imaadp32.acm\r\n"
                                  "MSACM.L3CODEC=old.acm\r\n[mci]\r\ncdaudio=mcicda.drv\r\n"));
  EXPECT_EQ(kCodecInstalled, DravolenMain(Context()));
  EXPECT_EQ(
      "; shared drivers\r\n[boot]\r\nshell=explorer.exe\r\n[Drivers32]\r\n"
      "msacm.imaadpcm=imaadp32.acm\r\nMSACM.L3CODEC=l3codecp.acm\r\n[mci]\r\ncdaudio=mcicda."
      "drv\r\n",
      ExpectFileBytes(windows / "system.INI"));
  EXPECT_FALSE(fs::exists(windows / "System.ini"));
}

// A failed file step is told with its reason and a code of its own; System.ini is written only
// once the driver is in place, and never replaced when it cannot be read.
TEST_F(CodecInstaller, AFailedFileStepIsToldAndLeavesSystemIniAsItIs) {
  struct Case {
    const char* name;
    std::function<void(CodecInstallerContext&)> arrange;
    int code;
    fs::path named;  // the path the message names
  };
  const std::vector<Case> cases = {
      {"a file in place of the system folder",
       [&](CodecInstallerContext&) {
         ASSERT_EQ(0, WriteFileReplacing(windows / "system", "not a folder"));
       },
       kDriverNotWritten, windows / "system"},
      {"a folder in place of the driver file",
       [&](CodecInstallerContext&) {
         fs::create_directories(windows / "system" / "L3codecp.acm" / "x");
       },
       kDriverNotWritten, windows / "system" / "L3codecp.acm"},
      {"nothing carried",
       [&](CodecInstallerContext& c) {
         static const TableResourceModule empty({});
         c.resources = &empty;
       },
       kDriverNotWritten, windows / "system" / "L3codecp.acm"},
      {"System.ini that cannot be read",
       [&](CodecInstallerContext&) { fs::create_directories(windows / "System.ini" / "x"); },
       kSettingsNotWritten, windows / "System.ini"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    fs::remove_all(windows);
    fs::create_directories(windows);
    ui.messages.clear();
    CodecInstallerContext c = Context();
    test.arrange(c);
    if (!fs::exists(windows / "System.ini")) {
      ASSERT_EQ(0, WriteFileReplacing(windows / "System.ini", "[boot]\r\nshell=x\r\n"));
    }
    EXPECT_EQ(test.code, DravolenMain(c));
    ASSERT_EQ(1u, ui.messages.size());
    const std::string& m = ui.messages[0];
    EXPECT_EQ(0u, m.find("لم يكتمل تثبيت الدعم لضغط الصوت\n"));
    EXPECT_NE(std::string::npos, m.find("Installation for sound Compression is not complete"));
    EXPECT_NE(std::string::npos, m.find(test.named.string() + "\n")) << m;
    EXPECT_NE(std::string::npos, m.find("DOS error code")) << m;
    if (fs::is_regular_file(windows / "System.ini")) {
      EXPECT_EQ("[boot]\r\nshell=x\r\n", ExpectFileBytes(windows / "System.ini"));
    }
  }
}

TEST_F(CodecInstaller, AMissingDecoderNamesItAndItsPackage) {
  struct Case {
    DecoderSupport support;
    const char* named;
    const char* notNamed;  // or null
  };
  for (const Case& test : {Case{{.mp3 = false, .wave = true}, "MP3 sound", "WAV files"},
                           Case{{.mp3 = true, .wave = false}, "WAV files", "MP3 sound"},
                           Case{{.mp3 = false, .wave = false}, "MP3 sound, WAV files", nullptr}}) {
    SCOPED_TRACE(test.named);
    decoders = test.support;
    ui.messages.clear();
    EXPECT_EQ(kDecoderMissing, DravolenMain(Context()));
    ASSERT_EQ(1u, ui.messages.size());
    const std::string& m = ui.messages[0];
    EXPECT_NE(std::string::npos, m.find(std::string("no decoder for: ") + test.named + "\n"));
    if (test.notNamed != nullptr) {
      EXPECT_EQ(std::string::npos, m.find(test.notNamed));
    }
    EXPECT_NE(std::string::npos, m.find("gstreamer1.0-plugins-good"));
    EXPECT_EQ(std::string::npos, m.find("is complete"));
    // The driver and its registration are in place all the same.
    EXPECT_EQ(Driver(), ExpectFileBytes(windows / "system" / "L3codecp.acm"));
  }
}

// The check of this machine's sound system, run by two CTest entries that say what to expect:
// with the system's GStreamer plugins, and with all of them but the MP3 decoder.
TEST(RealDecoderCheck, FindsWhatThePluginsDecode) {
  const char* expected = std::getenv("VEK_EXPECT_MP3_DECODER");
  if (expected == nullptr)
    GTEST_SKIP() << "run through its CTest entries";
  const DecoderSupport support = SystemDecoderSupport();
  EXPECT_EQ(std::string(expected) == "1", support.mp3);
  EXPECT_TRUE(support.wave);
}

// The first-run wizard's compressed test sound plays through the program's player only where
// the MP3 decoder is installed; elsewhere the player reports an error, which the wizard shows.
TEST(RealDecoderCheck, TheWizardsTestTonePlaysOnlyWithTheDecoder) {
  const char* expected = std::getenv("VEK_EXPECT_MP3_DECODER");
  if (expected == nullptr)
    GTEST_SKIP() << "run through its CTest entries";
  TempDir dir;
  const std::span<const unsigned char> tone = ProgramSounds().Find("MP3TESTTONE", "APPL");
  ASSERT_FALSE(tone.empty());
  const fs::path file = dir.path() / "TONE.WAV";
  ASSERT_EQ(0, WriteFileReplacing(
                   file, std::string(reinterpret_cast<const char*>(tone.data()), tone.size())));
  QtSoundPlayer player(nullptr);
  bool failed = false;
  bool ended = false;
  player.SetOnError([&](const SoundError&) { failed = true; });
  player.SetOnEnd([&] { ended = true; });
  const bool opened = player.PlayFile(file);
  QElapsedTimer waited;
  waited.start();
  while (opened && !failed && !ended && !player.Started() && waited.elapsed() < 10000) {
    QCoreApplication::processEvents();
    QThread::msleep(10);
  }
  if (std::string(expected) == "1") {
    EXPECT_TRUE(opened);
    EXPECT_FALSE(failed);
    EXPECT_TRUE(player.Started() || ended);
  } else {
    EXPECT_TRUE(failed);
    EXPECT_FALSE(player.Started());
  }
  player.Stop();
}

}  // namespace
}  // namespace vek
