// The main window TVEK__MAIN: today's seven times for the current location, the Hijri or
// Gregorian date, the analogue clock, the countdown to the next event with its status colour,
// and the tray icon, laid out for Arabic (right to left) or English. Creating it runs the whole
// start-up of a run (FormCreate). The run's state lives in its ProgramSession: the window reads
// it, changes it only through the session's operations, and shows what the session tells.
//
// The window's code is split by job: main_window.cpp builds it and runs the start-up, the
// display and the timing; main_window_commands.cpp has the buttons, the clock commands and the
// location menu; main_window_menus.cpp the menu bar, the tray menu, the options, the help
// commands and closing; main_window_sounds.cpp the sounds menu and the sound tasks;
// main_window_report.cpp the timetables, the calendar window and the year graph;
// main_window_liveupdate.cpp Live Update and the restart after it; main_window_wizard.cpp the
// first-run wizard. Its widgets are listed in main_window_widgets.h.
#pragma once

#include <QMainWindow>

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "foundation/command_line.h"
#include "foundation/qt/modal_runner.h"
#include "foundation/resource_pack.h"
#include "foundation/system_services.h"
#include "foundation/ui_services.h"
#include "mainwin/main_window_widgets.h"
#include "platform/launcher.h"
#include "platform/printer_info.h"
#include "platform/shell.h"
#include "program/program_session.h"
#include "program/report_range.h"
#include "program/status_icon.h"
#include "program/wall_clock.h"

class QPrinter;

namespace vek {

class AlertWindowPort;
class BalloonHints;
class SoundPlayer;
class SoundTrigger;
class TFTP_Main_Dlg;
enum class TransferKind;
class TSelectLanguage_Form;

// What the main window needs from the program that creates it.
struct MainWindowOptions {
  std::filesystem::path programFolder;
  std::vector<std::string> parameters;  // the command line without the program name
  CommandLineSwitches switches;         // the switches of parameters, read once by the entry
  UiServices* ui = nullptr;             // message boxes and questions
  WallClock* clock = nullptr;           // the local time; the system's when null
  vek::Clock* waitClock = nullptr;      // the clock of waits and retries; the system's when null
  const ResourceModule* facePacks = nullptr;  // the clock faces carried in the program
  std::function<bool()> arabicCanBeShown;     // the platform's Arabic test
  bool useTray = true;                        // false: never a tray icon
  std::function<bool()> trayAvailable;        // the desktop has a tray; the system's when unset
  Shell* desktopShell = nullptr;              // mail and web links; the desktop's when null
  vek::Launcher* programs = nullptr;          // starts other programs; the system's when null
  SoundPlayer* player = nullptr;  // the sound output; the program's own (Qt Multimedia) when null
  const ResourceModule* programSounds = nullptr;  // the waves carried in the program
  const PrinterInfo* printers = nullptr;          // the printers of the system; CUPS's when null
  std::filesystem::path programFile;    // the running program; Qt's application file when empty
  std::function<bool()> desktopArabic;  // the desktop's locale is Arabic; the system's when unset
  // Shows every dialog of the window modally, the first-run wizard too; each dialog's exec()
  // when unset (tests answer the dialogs instead).
  ModalRunner runModal;
};

class TVEK__MAIN : public QMainWindow {
  Q_OBJECT

 public:
  explicit TVEK__MAIN(MainWindowOptions options, QWidget* parent = nullptr);
  ~TVEK__MAIN() override;

  ProgramSession& Session() { return *session_; }
  const VekContext& Context() const { return session_->Context(); }
  // Shows the window as the start asks: minimised with the MINIMIZED switch (into the tray when
  // the window minimises there), else normally.
  void ShowAtStart();
  // True when the start-up ended with the fatal location error: the window closes at once.
  bool ClosingAtStart() const { return closingAtStart_; }

  MainWindowWidgets W;

  // Display.
  void ShowTimes();
  void ApplyLanguageLayout();
  void UpdateMenuCaptions();
  void UpdateDateCaptions();
  void ShowLocationCaption();
  void ShowConflictStatus();
  void UpdateAzhanButton();

  // Timing.
  void OvcClock1SecondChange();
  void UpdateOnMinuteChange();
  void UpdateOnDayChange();
  void ShowCountdown();
  void ShowSavingTimeLabel();
  // The window, its status picture and the tray show the icon of the status; an icon already
  // shown is not set again.
  void SetStatusIcon(StatusIcon icon);

  // Commands of the buttons and the clock.
  void ExitBtnClick();
  void LanguageBtnClick();
  void AzanSoundBtnClick();
  void OvcClock1MouseDown(Qt::MouseButton button);
  void ChangeClockSizeOnMouseDown();
  void ClockBackGroundClick();
  void ColorsSpeedButtonMouseDown(Qt::MouseButton button);
  void SelectFaceClick();
  // The tester's anonymous ftp download (tester mode).
  void Button1Click();
  void LoadFace(int index);

  // Locations (the menu "Location").
  void SelectClick();
  // The location button and the wizard's city page: the select-location dialog; the window,
  // the times and the high-latitude trackers follow the chosen location.
  void SelLocationBtnClick();
  void EditClick();
  void OperationsClick();
  // The date kind (Hijri or Gregorian), also from the location dialogs' date button.
  void HijtiMiladiClick();

  // Timetables (the menu "Report", the Report and Calendar buttons): a month or a year report
  // after the range selector opened on the preset kind, the calendar window, the year graph.
  void ReportClick(ReportKind preset);
  void ReportBtnClick();
  void CalendarBtnClick();
  void ShowPeaksClick();
  // The run's one printer: paper and orientation chosen in its set-up last while the program
  // runs. Made when first needed.
  std::shared_ptr<QPrinter> RunPrinter();

  // Sounds (the menu "Sounds" and the two sound buttons).
  void AlarmSoundBtnClick();
  void SelectAzhanClick(int index);  // 0..5, or 8 for all in turn
  void TestAzhanClick(int tag);      // 1..8
  void ChAzNameClick(int tag);       // 1..8
  void AllSoundsClick();
  void AllowShuruqWarningClick();
  void BasmalahClick();
  void StopSoundThisTimeOnlyClick();
  void ShowWarningScreenClick();
  void ReadAvailableSurasClick();
  void NextSuraClick();
  void StopReadingClick();
  void RefreshClick();
  void UpdateSoundItems();
  SoundTrigger& Trigger() { return *trigger_; }
  AlertWindowPort& AlertWindow() { return *alertPort_; }

  // The menu bar, the tray menu and their commands (main_window_menus.cpp).
  void ChangeLanguageClick();
  void T24HClick();
  void AdanceHijriClick();
  void MenthNamesClick();
  void SafetyClick();
  void HintClick();
  void AboutClick();
  void TovarelinSiteClick();
  void EMailClick();
  void AE_JoinOurMailingListClick();
  // A press on a high-latitude status shape shows its text in a balloon.
  void ConflictInfoMouseDown();
  void ae_MinToTrayClick();
  void ae_PromptToClose1Click();
  void ae_ShowSplashScreenClick();
  void ae_MinimizeClick();
  void ae_RestoreClick();
  void ae_QuitClick();
  // The window was activated: with UPLOAD the maintainer's listing; else a downloaded installer
  // the user agreed to run starts now (and the program closes once it has started); otherwise
  // the tray option is applied.
  void FormActivate();
  // The tray icon shows, and minimising hides the window into it, while MinimizeToTray is on
  // and the desktop has a tray.
  void Do_ToTray_Option();
  // The close question: true when the window may close.
  bool FormCloseQuery();
  bool InCloseQuery() const { return inCloseQuery_; }
  BalloonHints& Hints() { return *hints_; }

  // The first-run wizard (main_window_wizard.cpp): from the menu, and from the start-up of a
  // first run or with "INSTALL" (startUp), which alone sets up a first run's language and tray.
  void InstallationExpertClick();
  void RunFirstRunWizard(bool startUp);

  // Another start of the program asked this one to come to the front.
  void WMUser();

  // Live Update over FTP (the menu, the alert window, the About box) and over HTTP (tester
  // mode): the local listing, the dialog, and the restart when files were fetched.
  void LiveUpdateClick();
  void HTTPUpdateClick();
  // The open Live Update dialog, or null.
  TFTP_Main_Dlg* LiveUpdateDialog() const;

 signals:
  // The window has accepted to close; the program ends (also from the tray, where the window
  // was hidden and its closing alone would not end it).
  void Closed();

 protected:
  // The status-line part of a hint goes to the status line (ShowHintP).
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Shows a dialog of the window modally through the options' runner; gives its result.
  int ShowModal(QDialog& dialog) { return RunModal(options_.runModal, dialog); }
  class SplashAwareUi;

  // What the session told; the window shows the new state.
  void OnSessionChange(SessionChange change);
  void FormCreate();
  void BuildWidgets();
  void HandleDownloadedInstaller();
  void PrepareDebugLog();
  void FindAvailableAzhans();
  void InstallSounds();
  void BuildSoundsMenu();
  void CaptionSoundsMenu();
  void RunSoundTrigger(bool force);
  // After a sound command: a change of the sound settings is saved and told (the sound items
  // follow); otherwise only the sound items are brought up to date.
  void AfterSoundCommand(bool settingsChanged);
  void RunTasks();
  void BuildLocationMenu();
  void CaptionLocationMenu();
  // The menu bar (every menu in order) and the tray menu, and their captions and check marks in
  // the user's language; in Arabic every menu reads right to left.
  void BuildMenuBar();
  void CaptionMenus();
  // The tray icon can be used: the program may, and the desktop has a tray.
  bool TrayUsable() const;
  void CreateTrayIcon();
  // Opens page of the maker's web site; an opened page keeps the web link visited for the run.
  bool OpenWebPage(const std::string& page);
  // Opens url in the browser; an opened page keeps the web link visited for the run.
  bool OpenUrlInBrowserKeepingVisited(const std::string& url);
  void BuildReportMenu();
  void CaptionReportMenu();
  void BuildLiveUpdateMenu();
  void CaptionLiveUpdateMenu();
  void RunLiveUpdate(TransferKind kind);
  void AfterLiveUpdate(int downloadedFiles);
  bool FormActivateUpload();
  void LoadClock();
  void ApplyClockSize();
  void ApplyClockBackground();
  void ApplyHandColors();
  void CloseSplashNow();
  bool SplashWanted() const;
  void ShowCurrentTimeLabel();
  // The clock's four buttons, shown while the pointer is over the clock.
  std::array<QToolButton*, 4> ClockButtons() const;
  // The clock, its time and its buttons: what the pointer counts as being over the clock on.
  std::array<QWidget*, 6> ClockParts() const;
  void SetClockButtonsVisible(bool visible);
  // The pointer is over the clock, its time or one of its buttons.
  bool PointerOverClock() const;
  std::string Text(const char* english, const char* arabic) const;
  bool Arabic() const;
  const VekSettings& Settings() const { return session_->Settings(); }

  MainWindowOptions options_;
  std::unique_ptr<UiServices> ui_;  // closes the splash screen before any message
  WallClock& clock_;
  SystemServices sys_;
  std::unique_ptr<ProgramSession> session_;
  std::unique_ptr<SoundPlayer> ownPlayer_;
  SoundPlayer* player_ = nullptr;
  std::unique_ptr<AlertWindowPort> alertPort_;
  std::unique_ptr<SoundTrigger> trigger_;
  bool closingAtStart_ = false;
  bool dayShown_ = false;  // the start-up showed the day: each second handles the clock's changes
  std::optional<StatusIcon> shownStatusIcon_;  // the icon the window and the tray show
  QString title_;
  std::unique_ptr<BalloonHints> hints_;
  Shell& shell_;
  bool inCloseQuery_ = false;
  bool minToTrayRunning_ = false;
  bool promptToCloseRunning_ = false;
  QPointer<TFTP_Main_Dlg> liveUpdateDialog_;
  std::shared_ptr<QPrinter> printer_;
};

}  // namespace vek
