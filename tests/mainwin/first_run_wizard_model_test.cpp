// The first-run wizard's model over a real program folder and session, with a recording user
// interface, sound player and program starter in place of the desktop's.
#include "mainwin/first_run_wizard_model.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/calendar.h"
#include "foundation/command_line.h"
#include "foundation/file_io.h"
#include "support/fake_clock.h"
#include "support/fake_launcher.h"
#include "support/fake_sound_player.h"
#include "support/fake_ui.h"
#include "support/fake_wall_clock.h"
#include "support/program_session_access.h"
#include "support/temp_dir.h"

namespace vek {
namespace {

namespace fs = std::filesystem;
using testing::FakeClock;
using testing::FakeLauncher;
using testing::FakeSoundPlayer;
using testing::FakeUi;
using testing::FakeWallClock;
using testing::TempDir;

constexpr const char* kToneBytes = "RIFF tone";
const std::array<ResourceEntry, 2> kSounds = {{
    {"BASMALAH", "APPL", reinterpret_cast<const unsigned char*>("RIFF chime"), 10},
    {"MP3TESTTONE", "APPL", reinterpret_cast<const unsigned char*>(kToneBytes), 9},
}};

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// What the desktop's own checker says of a desktop entry: nothing when it is valid.
std::string ValidationReport(const fs::path& entry) {
  const std::string command = "desktop-file-validate '" + entry.string() + "' 2>&1";
  FILE* out = ::popen(command.c_str(), "r");
  if (out == nullptr)
    return "desktop-file-validate could not be run";
  std::string report;
  std::array<char, 256> buffer{};
  while (std::fgets(buffer.data(), buffer.size(), out))
    report += buffer.data();
  if (::pclose(out) != 0 && report.empty())
    report = "desktop-file-validate failed";
  return report;
}

class Wizard : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::copy_file(fs::path(VEK_SOURCE_DIR) / "resources" / "VEK.LOC", folder / "VEK.LOC");
    wall.now = EncodeDate(2026, 12, 10) + 16.0 / 24;
    session = std::make_unique<ProgramSession>(folder, ui, wall);
    session->OpenSettings();
    ASSERT_TRUE(session->LoadLocations());
    session->SelectSavedLocation();
    session->SetLanguage(Language::English);
    fs::create_directories(bin);
    ASSERT_EQ(0, WriteFileReplacing(program, "the program"));
    fs::create_directories(temp);
  }

  // A wizard over the fixture's folders, as the main window makes it.
  std::unique_ptr<FirstRunWizardModel> Make() {
    WizardContext c;
    c.Session = session.get();
    c.Sys = &sys;
    c.Player = &player;
    c.Sounds = &sounds;
    c.ProgramFile = program;
    c.ProgramHome = programHome;
    c.AutostartFolder = autostart;
    c.TempFolder = temp;
    c.FirstRunSetUp = firstRunSetUp;
    c.DesktopArabic = desktopArabic;
    c.ArabicSupported = arabicSupported;
    c.TrayAvailable = trayAvailable;
    c.Host.ChangeLanguageClick = [this] {
      ++languageSwitches;
      session->SetLanguage(session->Arabic() ? Language::English : Language::Arabic);
    };
    c.Host.SelLocationBtnClick = [this] {
      ++locationDialogs;
      if (chooseCity)
        chooseCity();
    };
    c.Host.SetMinimizeToTray = [this](bool on) {
      trayChoices.push_back(on);
      session->SetMinimizeToTray(on);
    };
    return std::make_unique<FirstRunWizardModel>(std::move(c));
  }

  // Steps forward to page, answering the sound test with Yes on the way.
  static void ForwardTo(FirstRunWizardModel& w, int page) {
    while (w.Page() < page) {
      w.Continue_BtnClick();
      if (w.Page() == FirstRunWizardModel::kSoundPage && !w.ContinueEnabled())
        w.YesButtonClick();
    }
  }

  std::vector<std::string> Boxes() const {
    std::vector<std::string> texts;
    for (const FakeUi::Dialog& d : ui.dialogs)
      texts.push_back(d.text);
    return texts;
  }
  bool SaidSomething(const std::string& part) const {
    const std::vector<std::string> texts = Boxes();
    return std::any_of(texts.begin(), texts.end(),
                       [&](const std::string& t) { return Contains(t, part); });
  }
  fs::path Link() const { return autostart / "Prayer.desktop"; }

  TempDir dir;
  fs::path folder = dir.path();
  fs::path bin = dir.path() / "bin";
  fs::path program = bin / "vek";
  fs::path programHome;
  fs::path autostart = dir.path() / "config" / "autostart";
  fs::path temp = dir.path() / "tmp";
  FakeUi ui;
  FakeWallClock wall;
  FakeClock clock;
  FakeLauncher launcher;
  FakeSoundPlayer player;
  SystemServices sys{.ui = ui, .clock = clock, .launcher = launcher};
  TableResourceModule sounds{kSounds};
  std::unique_ptr<ProgramSession> session;
  bool firstRunSetUp = false;
  bool desktopArabic = false;
  bool arabicSupported = true;
  bool trayAvailable = true;
  int languageSwitches = 0;
  int locationDialogs = 0;
  std::function<void()> chooseCity;
  std::vector<bool> trayChoices;
};

TEST_F(Wizard, PagesStepBothWaysAndTheLastOneFinishes) {
  auto w = Make();
  EXPECT_EQ(0, w->Page());
  EXPECT_FALSE(w->BackEnabled());
  w->Back_BitBtnClick();  // nothing before the first page
  EXPECT_EQ(0, w->Page());
  EXPECT_EQ("Continue", w->Texts().Continue);
  w->Continue_BtnClick();
  EXPECT_EQ(1, w->Page());
  EXPECT_TRUE(w->BackEnabled());
  EXPECT_EQ(WizardFocus::ChangeCityButton, w->Focus());
  ForwardTo(*w, FirstRunWizardModel::kAutoStartPage);
  EXPECT_EQ("Finish", w->Texts().Continue);
  EXPECT_FALSE(w->CloseRequested());
  w->Continue_BtnClick();
  EXPECT_TRUE(w->CloseRequested());
  EXPECT_EQ(4, w->Page());
  session->SetLanguage(Language::Arabic);
  EXPECT_EQ("إنهاء", w->Texts().Continue);
}

TEST_F(Wizard, GoingBackIntoTheSoundPagePlaysNothing) {
  auto w = Make();
  ForwardTo(*w, FirstRunWizardModel::kTrayPage);
  const std::vector<std::string> events = player.events;
  const std::size_t boxes = ui.dialogs.size();
  w->Back_BitBtnClick();
  EXPECT_EQ(FirstRunWizardModel::kSoundPage, w->Page());
  EXPECT_EQ(events, player.events);
  EXPECT_EQ(boxes, ui.dialogs.size());
  EXPECT_TRUE(w->TestSoundVisible());
  EXPECT_TRUE(w->TestSoundEnabled());
  EXPECT_TRUE(w->ContinueEnabled());
  EXPECT_EQ(WizardFocus::TestSoundBtn, w->Focus());
  // The Test button plays it again.
  w->TestSound_BitBtnClick();
  EXPECT_EQ(2, std::count(player.events.begin(), player.events.end(), "resource BASMALAH"));
}

// The Basmalah, the notice and the compressed sound, whose verdict is awaited: the Fajr adhan of
// the program folder when there is one, else the carried test tone.
TEST_F(Wizard, TheSoundTestPlaysTheBasmalahThenTheCompressedSound) {
  struct Case {
    const char* name;
    const char* file;  // written into the program folder, or null
    const char* played;
  };
  for (const Case& test : {Case{"fresh installation", nullptr, "vek-test-tone-"},
                           Case{"in the program folder", "F-MADINA.WAV", "F-MADINA.WAV"},
                           Case{"in SOUNDS, any case", "Sounds/f-madina.wav", "f-madina.wav"}}) {
    SCOPED_TRACE(test.name);
    fs::remove_all(folder / "Sounds");
    fs::remove(folder / "F-MADINA.WAV");
    if (test.file) {
      fs::create_directories((folder / test.file).parent_path());
      ASSERT_EQ(0, WriteFileReplacing(folder / test.file, "RIFF adhan"));
    }
    ui.dialogs.clear();
    player.events.clear();
    fs::path tone;
    {
      auto w = Make();
      ForwardTo(*w, FirstRunWizardModel::kCityPage);
      w->Continue_BtnClick();
      EXPECT_EQ(FirstRunWizardModel::kSoundPage, w->Page());
      ASSERT_EQ(3u, player.events.size());
      EXPECT_EQ("resource BASMALAH", player.events[0]);
      EXPECT_EQ("stop resource", player.events[1]);
      EXPECT_EQ(0u, player.events[2].find(std::string("play ") + test.played));
      const std::vector<std::string> boxes = Boxes();
      ASSERT_EQ(3u, boxes.size());
      EXPECT_TRUE(Contains(boxes[0], "The Basmalah should have been heard"));
      EXPECT_TRUE(Contains(boxes[1], "IMPORTANT NOTICE"));
      EXPECT_TRUE(Contains(boxes[2], "Your system seems to support sound compression"));
      EXPECT_FALSE(Contains(boxes[0] + boxes[1] + boxes[2], "Media Player"));
      EXPECT_TRUE(w->CompressedSoundPlayed());
      EXPECT_TRUE(w->TopInfoVisible());
      EXPECT_EQ(WizardFocus::YesButton, w->Focus());
      // The user answers before going on.
      EXPECT_FALSE(w->ContinueEnabled());
      w->YesButtonClick();
      EXPECT_EQ("stop", player.events.back());
      EXPECT_FALSE(w->TopInfoVisible());
      EXPECT_TRUE(w->ContinueEnabled());
      EXPECT_EQ(WizardFocus::ContinueBtn, w->Focus());
      if (!test.file) {
        ASSERT_EQ(1u, std::distance(fs::directory_iterator(temp), fs::directory_iterator()));
        tone = fs::directory_iterator(temp)->path();
        std::string bytes;
        ASSERT_EQ(0, ReadWholeFile(tone, bytes));
        EXPECT_EQ(kToneBytes, bytes);
      }
    }
    // The tone written for the test goes with the wizard.
    EXPECT_TRUE(tone.empty() || !fs::exists(tone));
  }
}

TEST_F(Wizard, AMissingTestSoundIsToldAndNothingPlays) {
  const std::array<ResourceEntry, 1> onlyTheBasmalah = {kSounds[0]};
  sounds = TableResourceModule(onlyTheBasmalah);
  auto w = Make();
  ForwardTo(*w, FirstRunWizardModel::kCityPage);
  w->Continue_BtnClick();
  EXPECT_TRUE(player.played.empty());
  ASSERT_EQ(2u, ui.dialogs.size());
  EXPECT_EQ("File Missing: \n" + (folder / "SOUNDS" / "F-MADINA.WAV").string(), ui.dialogs[1].text);
  EXPECT_TRUE(w->TestSoundEnabled());
  EXPECT_TRUE(w->ContinueEnabled());
}

// Every failure of the player is told with the general text and the player's own words, then
// the user is led to the No button.
TEST_F(Wizard, APlayerErrorIsToldAndLeadsToNo) {
  struct Case {
    const char* name;
    std::function<void()> arrange;
    const char* told;
  };
  const std::vector<Case> cases = {
      {"an error while it is decoded",
       [&] {
         player.stallOpening = true;  // the verdict comes from the sound system
         ui.onProcessEvents = [&] {
           player.Fail(
               {SoundErrorKind::Resource, "Your GStreamer installation is missing a plug-in."});
         };
       },
       "\n\nYour GStreamer installation is missing a plug-in."},
      {"a file that cannot be opened", [&] { player.unopenable = {"F-MADINA.WAV"}; },
       "The file could not be opened:\n"},
      {"no answer from the sound system", [&] { player.stallOpening = true; },
       "The sound system did not start playing the file:\n"},
  };
  ASSERT_EQ(0, WriteFileReplacing(folder / "F-MADINA.WAV", "RIFF adhan"));
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    ui = FakeUi();
    player.unopenable.clear();
    player.stallOpening = false;
    test.arrange();
    auto w = Make();
    ForwardTo(*w, FirstRunWizardModel::kCityPage);
    w->Continue_BtnClick();
    EXPECT_FALSE(w->CompressedSoundPlayed());
    EXPECT_FALSE(player.Playing());
    const std::vector<std::string> boxes = Boxes();
    ASSERT_EQ(4u, boxes.size());
    EXPECT_EQ(0u,
              boxes[2].find("Error Encountered while attempting to use the sound system\nPlease "
                            "examine the following error message:\n\n"));
    EXPECT_TRUE(Contains(boxes[2], test.told)) << boxes[2];
    EXPECT_TRUE(Contains(boxes[3], "Your system does not seem to support sound compression"));
    EXPECT_EQ(1, ui.beeps);
    EXPECT_EQ(WizardFocus::NoButton, w->Focus());
    EXPECT_FALSE(w->Busy());
  }
  // The wait for a verdict that never came ran with events handled, up to its limit.
  EXPECT_GT(ui.eventPumps, 100);
}

// Without a sound device nothing can be heard, though the sound system plays without an error:
// the test says so in the user's language, plays nothing, and leads to what the page offers when
// nothing is heard.
TEST_F(Wizard, WithoutASoundDeviceTheTestSaysSoAndLeadsToNo) {
  player.noOutputDevice = true;
  for (Language lang : {Language::English, Language::Arabic}) {
    SCOPED_TRACE(static_cast<int>(lang));
    ui = FakeUi();
    player.events.clear();
    session->SetLanguage(lang);
    auto w = Make();
    ForwardTo(*w, FirstRunWizardModel::kCityPage);
    w->Continue_BtnClick();
    EXPECT_TRUE(player.events.empty());
    ASSERT_EQ(1u, ui.dialogs.size());
    EXPECT_TRUE(Contains(ui.dialogs[0].text, lang == Language::English ? "No sound device was found"
                                                                       : "لم يعثر على جهاز للصوت"))
        << ui.dialogs[0].text;
    EXPECT_EQ(lang == Language::English ? kEnglishCaptions : kArabicCaptions, ui.dialogs[0].option);
    EXPECT_FALSE(w->CompressedSoundPlayed());
    EXPECT_FALSE(w->TopInfoVisible());
    EXPECT_TRUE(w->YesNoEnabled());
    EXPECT_TRUE(w->TestSoundEnabled());  // to try again once a device is there
    EXPECT_FALSE(w->ContinueEnabled());
    EXPECT_EQ(WizardFocus::NoButton, w->Focus());
    ui.answers = {0};
    w->NoButtonClick();
    ASSERT_EQ(3u, ui.dialogs.size());
    EXPECT_TRUE(Contains(ui.dialogs[1].text, "Do you want to start?"));
    EXPECT_TRUE(w->ContinueEnabled());
  }
}

// No: the offer of the codec installer. It is found beside the running program whatever the
// letter case, started with an argument list, and waited for; only its success is announced
// and followed by a second test.
TEST_F(Wizard, TheCodecInstallerIsOfferedStartedAndAwaited) {
  struct Case {
    const char* name;
    int answer;
    const char* installer;  // written beside the program, or null
    int startError;
    int exitCode;
    const char* told;
    bool retested;
  };
  const Case cases[] = {
      {"declined", 0, "dravolen", 0, 0, "Sound Compression was not installed\nAccording", false},
      {"missing", 1, nullptr, 0, 0, "File Missing  ملف مفقود\n", false},
      {"cannot start", 1, "dravolen", ENOEXEC, 0, "could not be started:\n", false},
      {"failed", 1, "DRAVOLEN", 0, 1, "the installer ended with code 1", false},
      {"killed", 1, "dravolen", 0, -1, "the installer did not finish", false},
      {"succeeded", 1, "Dravolen", 0, 0, "You will now hear the Basmalah", true},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    for (const fs::directory_entry& e : fs::directory_iterator(bin))
      if (e.path() != program)
        fs::remove(e.path());
    if (test.installer) {
      ASSERT_EQ(0, WriteFileReplacing(bin / test.installer, "#!/bin/sh\n"));
    }
    ui = FakeUi();
    launcher = FakeLauncher();
    launcher.startError = test.startError;
    launcher.exitCode = test.exitCode;
    auto w = Make();
    ForwardTo(*w, FirstRunWizardModel::kCityPage);
    w->Continue_BtnClick();
    const std::size_t before = ui.dialogs.size();
    const std::size_t basmalahs =
        std::count(player.events.begin(), player.events.end(), "resource BASMALAH");
    ui.answers = {test.answer};
    w->NoButtonClick();
    ASSERT_GT(ui.dialogs.size(), before + 1);
    EXPECT_EQ("question", ui.dialogs[before].kind);
    EXPECT_EQ(kBothCaptions, ui.dialogs[before].option);
    EXPECT_TRUE(Contains(ui.dialogs[before].text, "Do you want to start?"));
    EXPECT_TRUE(Contains(ui.dialogs[before + 1].text, test.told)) << ui.dialogs[before + 1].text;
    if (test.installer && test.answer == 1) {
      ASSERT_EQ(1u, launcher.started.size());
      EXPECT_EQ(bin / test.installer, launcher.started[0]);
      EXPECT_EQ(std::vector<std::string>{(bin / test.installer).string()}, launcher.args);
      EXPECT_EQ(bin, launcher.lastOptions.workingFolder);
    } else {
      EXPECT_TRUE(launcher.started.empty());
    }
    // Only a successful installer is announced and followed by a second test.
    EXPECT_EQ(test.retested, SaidSomething("You will now hear"));
    EXPECT_EQ(basmalahs + (test.retested ? 1 : 0),
              static_cast<std::size_t>(
                  std::count(player.events.begin(), player.events.end(), "resource BASMALAH")));
    EXPECT_TRUE(w->ContinueEnabled());
    EXPECT_EQ(WizardFocus::ContinueBtn, w->Focus());
  }
}

// The first-run set-up happens once, at the first activation of the start-up's wizard.
TEST_F(Wizard, TheFirstRunSetUpRunsOnceAndKeepsTheUsersChoices) {
  struct Case {
    bool desktopArabic;
    bool arabicSupported;
    Language start;
  };
  for (const Case& test : {Case{true, true, Language::Arabic}, Case{true, false, Language::English},
                           Case{false, true, Language::English}}) {
    SCOPED_TRACE(std::to_string(test.desktopArabic) + std::to_string(test.arabicSupported));
    session->SetLanguage(Language::Arabic);  // the settings' default
    session->SetMinimizeToTray(false);
    firstRunSetUp = true;
    desktopArabic = test.desktopArabic;
    arabicSupported = test.arabicSupported;
    auto w = Make();
    w->FormActivate();
    EXPECT_EQ(test.start, session->Lang());
    EXPECT_EQ(test.start, w->CheckedLanguage());
    EXPECT_TRUE(w->TrayYesChecked());
    // The user's choices survive the activations that follow a dialog or a message box.
    const Language chosen = test.start == Language::Arabic ? Language::English : Language::Arabic;
    w->LanguageRadioButtonClick(chosen);
    w->LanguageRadioButtonClick(chosen);  // a radio already checked changes nothing
    w->MinToTray_NoClick();
    const int switches = languageSwitches;
    w->FormActivate();
    w->FormActivate();
    EXPECT_EQ(chosen, session->Lang());
    EXPECT_EQ(switches, languageSwitches);
    EXPECT_FALSE(w->TrayYesChecked());
  }
  // A wizard opened later (from the menu) keeps them as well.
  firstRunSetUp = false;
  session->SetLanguage(Language::Arabic);
  session->SetMinimizeToTray(false);
  const int switches = languageSwitches;
  auto w = Make();
  w->FormActivate();
  EXPECT_EQ(Language::Arabic, session->Lang());
  EXPECT_EQ(switches, languageSwitches);
  EXPECT_FALSE(w->TrayYesChecked());
}

TEST_F(Wizard, TheLanguageLinkNeedsArabicToBeShown) {
  session->SetLanguage(Language::English);
  arabicSupported = false;
  auto w = Make();
  w->ArEnLabelClick();
  EXPECT_EQ(Language::English, session->Lang());
  arabicSupported = true;
  w = Make();
  w->ArEnLabelClick();
  EXPECT_EQ(Language::Arabic, session->Lang());
  EXPECT_EQ("English", w->Texts().LanguageLink);
  EXPECT_EQ("Arabic selected اللغة عربية", w->Texts().SelectedRadioHint);
}

// Without a system tray "Task Bar" is what minimising does: it shows checked, "System Tray"
// cannot be chosen, and the first run does not switch the tray option on.
TEST_F(Wizard, WithoutATrayTheTaskBarShowsAndNothingIsForced) {
  trayAvailable = false;
  firstRunSetUp = true;
  auto w = Make();
  w->FormActivate();
  EXPECT_TRUE(trayChoices.empty());
  EXPECT_TRUE(session->Settings().MinimizeToTray);  // as the settings had it
  EXPECT_FALSE(w->TrayYesEnabled());
  EXPECT_FALSE(w->TrayYesChecked());
  w->MinToTray_YesClick();
  EXPECT_TRUE(trayChoices.empty());
  w->MinToTray_NoClick();
  EXPECT_EQ(std::vector<bool>{false}, trayChoices);
  EXPECT_FALSE(w->Texts().NoTrayNote.empty());

  trayAvailable = true;
  trayChoices.clear();
  w = Make();
  w->FormActivate();
  EXPECT_EQ(std::vector<bool>{true}, trayChoices);
  EXPECT_TRUE(w->TrayYesEnabled());
  EXPECT_TRUE(w->TrayYesChecked());
}

TEST_F(Wizard, TheCityLabelCutsNameAndCountryAndAddsTheState) {
  TLocations& list = ProgramSessionTestAccess::State(*session).Locations;
  auto w = Make();
  EXPECT_EQ("DAMASCUS  (SYRIA)", w->CityNameText());
  chooseCity = [&] { list.CurrentIndex = list.Find("BOSTON", "USA", "MA"); };
  w->ChangeCityButtonClick();
  EXPECT_EQ(1, locationDialogs);
  EXPECT_EQ("BOSTON  (USA) - Massachusetts", w->CityNameText());
  EXPECT_EQ(WizardFocus::ContinueBtn, w->Focus());
  list.Current().Rec.City = "A CITY WHOSE NAME IS VERY, VERY LONG";
  EXPECT_EQ("A CITY WHOSE NAME IS VERY, VERY LONG  (U - Massachusetts", w->CityNameText());
  list.Current().Rec.Country = "A COUNTRY OF MANY WORDS";
  EXPECT_EQ("A CITY WHOSE NAME IS VERY, VERY LONG  (A", w->CityNameText());
  list.CurrentIndex = -1;
  EXPECT_FALSE(w->ChangeCityEnabled());
  w->ChangeCityButtonClick();
  EXPECT_EQ(1, locationDialogs);
}

// The autostart entry: due when the page was reached without one, written when the wizard
// closes; rewritten when it is there; valid for the desktop's own checker.
TEST_F(Wizard, FinishingAfterTheAutoStartPageWritesAValidEntry) {
  {
    auto w = Make();
    ForwardTo(*w, FirstRunWizardModel::kTrayPage);
    w->FormClose();  // closed before the auto-start page
  }
  EXPECT_FALSE(fs::exists(Link()));

  {
    auto w = Make();
    ForwardTo(*w, FirstRunWizardModel::kAutoStartPage);
    EXPECT_EQ(AutoStartState::Off, w->AutoStart());
    EXPECT_TRUE(w->AutoStartPending());
    EXPECT_EQ(WizardFocus::StartupButton, w->Focus());
    EXPECT_FALSE(fs::exists(Link()));
    w->Continue_BtnClick();
    ASSERT_TRUE(w->CloseRequested());
    w->FormClose();
    w->FormClose();  // once only
  }
  std::string entry;
  ASSERT_EQ(0, ReadWholeFile(Link(), entry));
  EXPECT_TRUE(Contains(entry, "Exec=" + program.string() + " Minimized\n")) << entry;
  EXPECT_TRUE(Contains(entry, "Path=" + bin.string() + "\n")) << entry;
  EXPECT_EQ("", ValidationReport(Link()));

  // Entering the page again rewrites the entry that is there.
  ASSERT_EQ(0, WriteFileReplacing(Link(), "[Desktop Entry]\nExec=/old/place\n"));
  auto w = Make();
  ForwardTo(*w, FirstRunWizardModel::kAutoStartPage);
  EXPECT_EQ(AutoStartState::On, w->AutoStart());
  EXPECT_FALSE(w->AutoStartPending());
  EXPECT_EQ(WizardFocus::ContinueBtn, w->Focus());
  ASSERT_EQ(0, ReadWholeFile(Link(), entry));
  EXPECT_TRUE(Contains(entry, "Exec=" + program.string() + " Minimized\n"));
  EXPECT_EQ("Prevent Auto-Start", w->Texts().StartupButton);
}

// A program folder named by VEK_HOME goes into the entry, so that the program started at log-in
// uses the folder it was set up with; the command is quoted by the desktop entry's rules.
TEST_F(Wizard, TheAutostartEntryKeepsTheProgramFolderOfVekHome) {
  programHome = dir.path() / "the home of $USER";
  auto w = Make();
  ForwardTo(*w, FirstRunWizardModel::kAutoStartPage);
  w->StartupButtonClick();
  std::string entry;
  ASSERT_EQ(0, ReadWholeFile(Link(), entry));
  EXPECT_TRUE(Contains(entry, "Exec=/usr/bin/env \"VEK_HOME=" + dir.path().string() +
                                  "/the home of \\\\$USER\" " + program.string() + " Minimized\n"))
      << entry;
  EXPECT_EQ("", ValidationReport(Link()));
  EXPECT_EQ(AutoStartState::On, w->AutoStart());

  // A folder name that an entry cannot hold is told, and no entry is left.
  fs::remove(Link());
  programHome = dir.path() / "line\nbreak";
  w = Make();
  ForwardTo(*w, FirstRunWizardModel::kAutoStartPage);
  w->StartupButtonClick();
  EXPECT_TRUE(Contains(ui.dialogs.back().text, "Could not create ShortCut"));
  EXPECT_FALSE(fs::exists(Link()));
}

// An entry removed with the button stays removed for that wizard: coming back to the page does
// not arm it again, and finishing writes nothing.
TEST_F(Wizard, AnEntryRemovedWithTheButtonStaysRemoved) {
  auto w = Make();
  ForwardTo(*w, FirstRunWizardModel::kAutoStartPage);
  w->StartupButtonClick();  // allow: written at once
  EXPECT_TRUE(fs::exists(Link()));
  EXPECT_EQ(AutoStartState::On, w->AutoStart());
  w->StartupButtonClick();  // prevent
  EXPECT_FALSE(fs::exists(Link()));
  EXPECT_TRUE(Contains(ui.dialogs.back().text, "has been removed from the autostart folder"));
  EXPECT_EQ(AutoStartState::Off, w->AutoStart());
  EXPECT_FALSE(w->AutoStartPending());
  w->Back_BitBtnClick();
  w->Continue_BtnClick();
  EXPECT_EQ(FirstRunWizardModel::kAutoStartPage, w->Page());
  EXPECT_FALSE(w->AutoStartPending());
  w->Continue_BtnClick();
  w->FormClose();
  EXPECT_FALSE(fs::exists(Link()));
}

TEST_F(Wizard, AutoStartFailuresAreToldAndWriteNothing) {
  // No autostart folder on this desktop: the page says so, and nothing is written.
  autostart.clear();
  {
    auto w = Make();
    ForwardTo(*w, FirstRunWizardModel::kAutoStartPage);
    EXPECT_EQ(AutoStartState::Unavailable, w->AutoStart());
    EXPECT_FALSE(w->StartupButtonEnabled());
    EXPECT_TRUE(Contains(w->Texts().AutoStartLabel, "cannot be set up"));
    w->StartupButtonClick();
    w->Continue_BtnClick();
    w->FormClose();
    EXPECT_TRUE(w->StartupLinkPath().empty());
  }
  EXPECT_FALSE(fs::exists(dir.path() / "config"));

  // The running program's file is missing: no entry.
  autostart = dir.path() / "config" / "autostart";
  fs::remove(program);
  {
    auto w = Make();
    ForwardTo(*w, FirstRunWizardModel::kAutoStartPage);
    w->StartupButtonClick();
    EXPECT_EQ("Error: Could not create ShortCut.\nSource file not found: " + program.string(),
              ui.dialogs.back().text);
    EXPECT_FALSE(fs::exists(Link()));
    EXPECT_EQ(AutoStartState::Off, w->AutoStart());
  }

  // A folder in the entry's place can be neither written nor removed.
  ASSERT_EQ(0, WriteFileReplacing(program, "the program"));
  fs::create_directories(Link() / "x");
  auto w = Make();
  ForwardTo(*w, FirstRunWizardModel::kAutoStartPage);
  EXPECT_TRUE(Contains(ui.dialogs.back().text,
                       "Error: Could not create ShortCut for Zurivo Zazir program in the "
                       "autostart folder\n" +
                           Link().string()));
  w->StartupButtonClick();
  EXPECT_TRUE(Contains(ui.dialogs.back().text, "Could not remove ShortCut"))
      << ui.dialogs.back().text;
  EXPECT_TRUE(fs::is_directory(Link()));
}

}  // namespace
}  // namespace vek
