// The first-run wizard without widgets: five pages (language, city, a test of compressed sound
// with the offer of the codec installer, the tray, automatic start at log-in), the direction of
// the last step, the auto-start states and the sound test. The form (first_run_wizard.h) shows
// what the model holds and passes the user's clicks on; the main window's commands are reached
// through WizardHost.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "foundation/language.h"
#include "foundation/resource_pack.h"
#include "foundation/system_services.h"
#include "program/program_session.h"
#include "sounds/sound_player.h"

namespace vek {

// The autostart entry and the carried sounds the wizard uses.
inline constexpr const char* kStartupLinkName = "Prayer.desktop";
inline constexpr const char* kCodecInstallerName = "dravolen";
inline constexpr const char* kBasmalahResource = "BASMALAH";
inline constexpr const char* kTestToneResource = "MP3TESTTONE";
inline constexpr const char* kCompressedTestFile = "F-MADINA.WAV";

// What the wizard asks of the main window.
struct WizardHost {
  // Switches the language; the main window re-captions itself and saves the settings.
  std::function<void()> ChangeLanguageClick;
  // The select-location dialog; the main window follows the chosen location.
  std::function<void()> SelLocationBtnClick;
  // Sets MinimizeToTray, applies it to the tray icon and saves the settings.
  std::function<void(bool)> SetMinimizeToTray;
};

struct WizardContext {
  ProgramSession* Session = nullptr;       // settings, language, current location
  SystemServices* Sys = nullptr;           // messages, events and waits, files, starting programs
  SoundPlayer* Player = nullptr;           // the wizard's sounds
  const ResourceModule* Sounds = nullptr;  // the carried Basmalah and compressed test tone
  std::filesystem::path ProgramFile;       // the running program: the autostart entry's
                                           // target; the codec installer lies beside it
  std::filesystem::path ProgramHome;       // the program folder that VEK_HOME names for this
                                           // run, carried into the autostart entry; empty
                                           // when the program runs without VEK_HOME
  std::filesystem::path AutostartFolder;   // empty when the desktop has none
  std::filesystem::path TempFolder;        // where the carried test tone is written to play it
  bool FirstRunSetUp = false;              // the start-up's wizard of a run that found no VEK.INI
  bool DesktopArabic = false;              // the desktop's locale is Arabic
  bool ArabicSupported = true;             // Arabic can be shown
  bool TrayAvailable = true;               // the desktop has a system tray
  WizardHost Host;
};

// The control that gets the focus (and the mouse cursor) after a step.
enum class WizardFocus {
  None,
  ContinueBtn,
  ChangeCityButton,
  TestSoundBtn,
  YesButton,
  NoButton,
  StartupButton
};

// What the auto-start page shows.
enum class AutoStartState { Off, On, Unavailable };

// Every caption and hint of the form in the user's language.
struct WizardTexts {
  std::string Title;
  std::string PageHeader;
  std::string LanguageLink;
  std::string LanguageLinkHint;
  std::string ArabicRadio;
  std::string EnglishRadio;
  std::string SelectedRadioHint;
  std::string LanguageNote;
  std::string CityHeading;
  std::string ChangeCityButton;
  std::string ChangeCityHint;
  std::string TopInfo;
  std::string YesButton;
  std::string NoButton;
  std::string DontInstall;
  std::string DoInstall;
  std::string TestSound;
  std::string TestSoundHint;
  std::string BottomHeader;
  std::string Bottom1;
  std::string Bottom2;
  std::string Bottom4;
  std::string MinToTray;
  std::string MinToTrayYes;
  std::string MinToTrayNo;
  std::string NoTrayNote;
  std::string AutoStartLabel;
  std::string StartupButton;
  std::string StartupHint;
  std::string AutoStartExplanation;
  std::string Back;
  std::string Continue;
};

class FirstRunWizardModel {
 public:
  enum Page { kLanguagePage = 0, kCityPage, kSoundPage, kTrayPage, kAutoStartPage };
  static constexpr int kPageCount = 5;

  explicit FirstRunWizardModel(WizardContext context);
  // Stops the wizard's sounds and removes the test tone it wrote.
  ~FirstRunWizardModel();
  FirstRunWizardModel(const FirstRunWizardModel&) = delete;
  FirstRunWizardModel& operator=(const FirstRunWizardModel&) = delete;

  // The wizard became the active window. The first activation of the start-up's wizard of a
  // first run sets up the start language and the tray; later activations (after the location
  // dialog or a message box) and a wizard opened from the menu keep the user's choices.
  void FormActivate();

  // Navigation: Continue stops the wizard's sounds and steps forward (past the last page the
  // wizard closes); Back steps back (on the first page nothing happens).
  void Continue_BtnClick();
  void Back_BitBtnClick();

  // Language: a radio button of the other language switches it; the link switches it when
  // Arabic can be shown, and does nothing otherwise.
  void LanguageRadioButtonClick(Language lang);
  void ArEnLabelClick();

  // City: the main window's select-location dialog.
  void ChangeCityButtonClick();

  // The sound test: the carried Basmalah, then the compressed test sound (the Fajr adhan of the
  // program folder's SOUNDS, else the carried test tone), with the player's verdict awaited
  // while events run. Entered backwards, it only shows its buttons.
  void RunSoundTest();
  void TestSound_BitBtnClick() { RunSoundTest(); }
  void YesButtonClick();
  // Offers the codec installer; when the user agrees and the installer succeeded, the test runs
  // again.
  void NoButtonClick();
  // Starts dravolen beside the running program and waits for it. True when it ended with 0;
  // every failure is told.
  bool StartCodecInstaller();

  // Tray: the radio buttons. Without a system tray "System Tray" cannot be chosen.
  void MinToTray_YesClick();
  void MinToTray_NoClick();

  // Auto-start: the entry is (re)written when it exists or was asked for, else it is due when
  // the wizard closes, unless the user removed it with the button in this wizard.
  void UpdateAutoStart();
  void StartupButtonClick();

  // The wizard closes (once): a due autostart entry is written, the sounds stop, and the main
  // window is re-captioned in the chosen language and the settings saved.
  void FormClose();

  // The state that the form shows.
  int Page() const { return page_; }
  bool WizardForward() const { return forward_; }
  bool CloseRequested() const { return closeRequested_; }
  bool Busy() const { return busy_; }
  WizardFocus Focus() const { return focus_; }
  Language CheckedLanguage() const;
  bool BackEnabled() const { return page_ != kLanguagePage && !busy_; }
  bool ContinueEnabled() const { return continueEnabled_ && !busy_; }
  bool ChangeCityEnabled() const;
  std::string CityNameText() const;
  bool TopInfoVisible() const { return topInfoVisible_; }
  bool TestSoundVisible() const { return testSoundVisible_; }
  bool TestSoundEnabled() const { return testSoundEnabled_; }
  bool YesNoEnabled() const { return yesNoEnabled_; }
  bool CompressedSoundPlayed() const { return compressedSoundPlayed_; }
  bool TrayYesEnabled() const { return context_.TrayAvailable; }
  bool TrayYesChecked() const;
  AutoStartState AutoStart() const { return autoStart_; }
  bool StartupButtonEnabled() const { return autoStart_ != AutoStartState::Unavailable; }
  bool AutoStartPending() const { return autoStartPending_; }
  bool CreateLinkRequested() const { return createLinkRequested_; }
  // The autostart entry; empty without an autostart folder.
  std::filesystem::path StartupLinkPath() const;
  WizardTexts Texts() const;

  // Told whenever the state changes outside a click's own handling (a wait begins or ends), so
  // that the form shows it while events run.
  std::function<void()> Changed;

 private:
  Language Lang() const { return context_.Session->Lang(); }
  std::string Text(const char* english, const char* arabic) const;
  // A message in the user's language (the bilingual message box).
  void Say(const std::string& text);
  void SetBusy(bool busy);
  void ShowWizardPage(int page);
  void StepWizard();
  void StopSounds();
  void ShowTestButtons();
  // The compressed test sound; false after telling what is missing or could not be written.
  bool FindTestSound(std::filesystem::path& file);
  // The variables the autostart entry sets for the program.
  std::vector<std::string> AutostartEnvironment() const;
  // Plays the file and awaits the player's verdict; false with the failure's text.
  bool PlayCompressedTest(const std::filesystem::path& file, std::string& failure);

  WizardContext context_;
  int page_ = kLanguagePage;
  bool forward_ = true;
  bool setUpDone_ = false;
  bool closeRequested_ = false;
  bool closed_ = false;
  bool busy_ = false;
  WizardFocus focus_ = WizardFocus::None;
  bool continueEnabled_ = true;
  bool topInfoVisible_ = false;
  bool testSoundVisible_ = false;
  bool testSoundEnabled_ = false;
  bool yesNoEnabled_ = false;
  bool compressedSoundPlayed_ = false;
  AutoStartState autoStart_ = AutoStartState::Off;
  bool autoStartPending_ = false;
  bool createLinkRequested_ = false;
  bool removedByUser_ = false;         // the user removed the entry with the button in this wizard
  std::filesystem::path writtenTone_;  // the carried test tone, written for playing
};

}  // namespace vek
