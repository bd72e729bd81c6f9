#include "mainwin/clock_face_loader.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "foundation/command_line.h"
#include "foundation/debug_log.h"
#include "foundation/file_io.h"
#include "mainwin/analog_clock.h"
#include "mainwin/clock_face_form.h"
#include "resources/clock_face.h"
#include "resources/clock_face_packs.h"
#include "support/fake_ui.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"
#include "support/zip_archive.h"

namespace vek {
namespace {

namespace fs = std::filesystem;
using testing::ExpectFileBytes;
using testing::FakeUi;
using testing::TempDir;

constexpr int kRoman = 303;   // ROM140, marks in the picture, long hands
constexpr int kSilver = 304;  // SILVR140

std::set<std::string> FilesIn(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.insert(entry.path().filename().string());
  return names;
}

void Write(const fs::path& file, const std::string& data) {
  ASSERT_EQ(0, WriteFileReplacing(file, data));
}

// The data with a byte in the middle changed.
std::string Damaged(std::string data) {
  data[data.size() / 2] ^= 0x55;
  return data;
}

// The archive with its entry name announcing a gibibyte of data (its own data stay small).
std::string AnnouncingAGibibyte(const std::string& archive, const std::string& name) {
  TempDir dir;
  const fs::path file = dir.path() / "huge.zip";
  Write(file, archive);
  testing::AnnounceEntrySize(file, name, 1u << 30);
  return ExpectFileBytes(file);
}

// A picture of one colour, saved as a bitmap.
std::string SolidBitmap(const QColor& color) {
  QImage image(kFacePicturePixels, kFacePicturePixels, QImage::Format_RGB32);
  image.fill(color);
  TempDir dir;
  const fs::path file = dir.path() / "solid.bmp";
  EXPECT_TRUE(image.save(QString::fromStdString(file.string()), "BMP"));
  return ExpectFileBytes(file);
}

class ClockFaceLoader : public ::testing::Test {
 protected:
  void TearDown() override {
    SetDebugLogging(false, false);
    SetLogFileName({});
  }

  const fs::path& folder() const { return dir.path(); }
  int Load(int code, const ResourceModule& module = ClockFacePacks()) {
    return LoadClockFace(code, folder(), module, clock, ui, Language::English, switches);
  }
  // The face's archive and bitmap as the packs give them.
  void Unpacked(const std::string& name, std::string& archive, std::string& bitmap) {
    TempDir other;
    ASSERT_FALSE(
        UnpackFacePicture(name, other.path(), ClockFacePacks(), switches).picture.isNull());
    archive = ExpectFileBytes(other.path() / (name + ".ZIP"));
    bitmap = ExpectFileBytes(other.path() / (name + ".BMP"));
  }

  TempDir dir;
  FakeUi ui;
  AnalogClock clock;
  CommandLineSwitches switches;  // the run's
  const TableResourceModule noPacks{{}};
};

TEST_F(ClockFaceLoader, EveryFaceComesFromItsPackAndLeavesItsFiles) {
  std::set<std::string> expected;
  for (int index = 0; index < kClockFaceCount; ++index) {
    const int code = FaceCodeOfIndex(index);
    if (code == kNoFaceCode)
      continue;
    clock.SetFacePicture(QImage());
    ASSERT_EQ(index, Load(code));
    const std::string name = FaceBaseName(code);
    EXPECT_EQ(QSize(140, 140), clock.FacePicture().size()) << name;
    EXPECT_EQ(FaceOfCode(code)->marksDrawn, clock.MarksDrawn()) << name;
    EXPECT_EQ(HandLengthsOf(*FaceOfCode(code)), clock.GetHandLengths()) << name;
    expected.insert(name + ".ZIP");
    expected.insert(name + ".BMP");
  }
  EXPECT_EQ(expected, FilesIn(folder()));  // and no temporary files
  EXPECT_TRUE(ui.messages.empty());
  // The chooser's bare clock has a pack of its own.
  EXPECT_FALSE(
      UnpackFacePicture(std::string(kNoFacePictureName), folder(), ClockFacePacks(), switches)
          .picture.isNull());
}

TEST_F(ClockFaceLoader, TheBareClockNeedsNoFiles) {
  Load(kRoman);
  const std::set<std::string> before = FilesIn(folder());
  EXPECT_EQ(2, Load(kNoFaceCode));
  EXPECT_TRUE(clock.FacePicture().isNull());
  EXPECT_TRUE(clock.MarksDrawn());
  EXPECT_EQ(kLongHands, clock.GetHandLengths());
  EXPECT_EQ(before, FilesIn(folder()));
}

TEST_F(ClockFaceLoader, AnUnknownCodeLeavesTheClockAlone) {
  Load(kRoman);
  const QImage picture = clock.FacePicture();
  EXPECT_EQ(-1, Load(999));
  EXPECT_EQ(picture, clock.FacePicture());
  EXPECT_FALSE(clock.MarksDrawn());
}

TEST_F(ClockFaceLoader, APictureAlreadyThereIsUsedWhateverTheCaseOfItsName) {
  Write(folder() / "rom140.bmp", SolidBitmap(Qt::red));
  Load(kRoman);
  EXPECT_EQ(qRgb(255, 0, 0), clock.FacePicture().pixel(70, 70));
  EXPECT_EQ((std::set<std::string>{"rom140.bmp"}), FilesIn(folder()));
}

TEST_F(ClockFaceLoader, DamagedFilesAreReplacedOnceFromThePack) {
  std::string archive;
  std::string bitmap;
  Unpacked("ROM140", archive, bitmap);
  const std::string truncated = bitmap.substr(0, bitmap.size() / 2);
  const struct {
    const char* what;
    std::string zip;  // empty: no such file
    std::string bmp;
  } cases[] = {
      {"truncated bitmap", "", truncated},
      {"truncated bitmap beside its archive", archive, truncated},
      {"bitmap that is no bitmap", "", "BM not really a bitmap"},
      {"damaged archive", archive.substr(0, archive.size() - 30), ""},
      {"archive with damaged data", Damaged(archive), ""},
      {"archive that is no archive", "PK\x03\x04 nothing", ""},
      {"archive whose picture is too large", AnnouncingAGibibyte(archive, "ROM140.BMP"), ""},
      {"both damaged", "garbage", truncated},
  };
  for (const auto& c : cases) {
    TempDir folder;
    if (!c.zip.empty())
      Write(folder.path() / "ROM140.ZIP", c.zip);
    if (!c.bmp.empty())
      Write(folder.path() / "ROM140.BMP", c.bmp);
    clock.SetFacePicture(QImage());
    LoadClockFace(kRoman, folder.path(), ClockFacePacks(), clock, ui, Language::English, switches);
    EXPECT_EQ(QSize(140, 140), clock.FacePicture().size()) << c.what;
    EXPECT_EQ(bitmap, ExpectFileBytes(folder.path() / "ROM140.BMP")) << c.what;
    EXPECT_EQ(archive, ExpectFileBytes(folder.path() / "ROM140.ZIP")) << c.what;
  }
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ClockFaceLoader, AFaceThatCannotBeHadKeepsThePreviousPictureAndIsReported) {
  std::string archive;
  std::string bitmap;
  Unpacked("SILVR140", archive, bitmap);
  Load(kRoman);
  const QImage roman = clock.FacePicture();
  ASSERT_FALSE(roman.isNull());
  const std::string bmpPath = (folder() / "SILVR140.BMP").string();

  const struct {
    const char* what;
    std::string zip;
    std::string bmp;
    std::string message;
  } cases[] = {
      {"no files, no pack", "", "", "File not Found: ThisPath+ShortFnm+.BMP: " + bmpPath},
      {"archive without the bitmap", "not an archive", "",
       "File not Found: ShortFnm+.BMP: SILVR140.BMP"},
      {"truncated bitmap", archive.substr(0, 100), bitmap.substr(0, 1000),
       "File not found: \r\n" + bmpPath},
  };
  for (bool ignoreBmp : {false, true}) {
    switches.ignoreBmp = ignoreBmp;
    for (const auto& c : cases) {
      fs::remove(folder() / "SILVR140.ZIP");
      fs::remove(folder() / "SILVR140.BMP");
      if (!c.zip.empty())
        Write(folder() / "SILVR140.ZIP", c.zip);
      if (!c.bmp.empty())
        Write(folder() / "SILVR140.BMP", c.bmp);
      ui.messages.clear();
      EXPECT_EQ(4, Load(kSilver, noPacks)) << c.what;
      EXPECT_EQ(roman, clock.FacePicture()) << c.what;
      EXPECT_FALSE(clock.MarksDrawn()) << c.what;  // the face's settings are applied all the same
      if (ignoreBmp)
        EXPECT_TRUE(ui.messages.empty()) << c.what;
      else
        EXPECT_EQ(std::vector<std::string>{c.message}, ui.messages) << c.what;
    }
  }
}

// A picture too large to be a face is refused unread, and said to be too large, with its name and
// size, in the user's language.
TEST_F(ClockFaceLoader, AnArchiveWhosePictureIsTooLargeSaysSo) {
  std::string archive;
  std::string bitmap;
  Unpacked("SILVR140", archive, bitmap);
  const std::string huge = AnnouncingAGibibyte(archive, "SILVR140.BMP");
  const std::string path = (folder() / "SILVR140.ZIP").string();
  const struct {
    Language lang;
    std::string message;
  } cases[] = {
      {Language::English, path + "\r\nThe file SILVR140.BMP in it is too large: 1073741824 bytes "
                                 "(at most 16 MiB)"},
      {Language::Arabic, path + "\r\nالملف SILVR140.BMP فيه أكبر من اللازم: 1073741824 بايت "
                                "(الحد الأقصى 16 ميغابايت)"},
  };
  for (const auto& c : cases) {
    Write(folder() / "SILVR140.ZIP", huge);
    const FacePicture face = UnpackFacePicture("SILVR140", folder(), noPacks, switches);
    EXPECT_TRUE(face.picture.isNull());
    EXPECT_EQ(c.message, face.Text(c.lang));
    EXPECT_EQ((std::set<std::string>{"SILVR140.ZIP"}), FilesIn(folder()));
    EXPECT_EQ(huge, ExpectFileBytes(folder() / "SILVR140.ZIP"));
  }
}

TEST_F(ClockFaceLoader, TheDebugLogFollowsTheUnpacking) {
  const fs::path log = folder() / "debug.log";
  SetLogFileName(log);
  SetDebugLogging(true, false);
  switches.debugVek = true;
  switches.ignoreBmp = true;
  TempDir faces;
  UnpackFacePicture("SILVR140", faces.path(), noPacks, switches);
  const std::string text = ExpectFileBytes(log);
  const std::string archive = (faces.path() / "SILVR140.ZIP").string();
  for (const std::string& line :
       {"ABUnzipper1.BaseDirectory:\r\n" + faces.path().string() + "\r\n",
        std::string("Note: ABUnzipper1.BaseDirectory is = ThisPath and also = OurPath\r\n"),
        "ABUnzipper1.fileName: " + archive + "\r\n",
        "File not found (ABUnzipper1.FileName): " + archive + "\r\n"})
    EXPECT_NE(std::string::npos, text.find(line)) << line;
}

// The chooser loads the packs the same way and puts a clicked face on the main clock at once.
// The chooser unpacks its pictures into the preview folder: the program folder receives only
// the face that is chosen.
TEST_F(ClockFaceLoader, TheChooserShowsEveryFaceAndLoadsTheClickedOne) {
  TempDir previews;
  ClockFaceFormContext context;
  context.currentIndex = 5;
  context.clock = &clock;
  context.programFolder = folder();
  context.previewFolder = previews.path();
  context.module = &ClockFacePacks();
  context.ui = &ui;
  TClockFaceForm form(context);
  form.show();
  EXPECT_EQ("Selecting Clock Face", form.windowTitle());
  for (QLabel* image : form.Images)
    EXPECT_FALSE(image->pixmap().isNull());
  EXPECT_EQ(5, form.MarkedIndex());
  EXPECT_EQ(-1, form.ChosenFace());
  EXPECT_TRUE(FilesIn(folder()).empty());
  EXPECT_EQ(2u * kClockFaceCount, FilesIn(previews.path()).size());
  EXPECT_TRUE(form.Stretched());
  EXPECT_EQ("Complete", form.Size_Button->text());
  EXPECT_EQ("Complete pictures, but approximate", form.Size_Button->toolTip());
  form.Size_ButtonClick();
  EXPECT_EQ("Detailed", form.Size_Button->text());
  EXPECT_EQ("Detailed pictures, but partial", form.Size_Button->toolTip());

  form.ImageClick(4);  // tag 4: the Roman face
  EXPECT_EQ(3, form.MarkedIndex());
  EXPECT_EQ(QColor(0, 0, 255), form.Frames[3]->palette().color(QPalette::Window));
  EXPECT_NE(QColor(0, 0, 255), form.Frames[5]->palette().color(QPalette::Window));
  EXPECT_EQ(3, form.ChosenFace());
  EXPECT_FALSE(clock.FacePicture().isNull());
  EXPECT_FALSE(clock.MarksDrawn());
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ((std::set<std::string>{"ROM140.BMP", "ROM140.ZIP"}), FilesIn(folder()));

  context.lang = Language::Arabic;
  TClockFaceForm arabic(context);
  arabic.show();
  EXPECT_EQ(Qt::RightToLeft, arabic.layoutDirection());
  EXPECT_EQ(QString::fromUtf8("كاملة"), arabic.Size_Button->text());
}

}  // namespace
}  // namespace vek
