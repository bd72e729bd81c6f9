// The main window TVEK__MAIN: today's seven times for the current location, the Hijri or
// Gregorian date, the analogue clock, the countdown to the next event with its status colour,
// and the tray icon, laid out for Arabic (right to left) or English. Creating it runs the whole
// start-up of a run (FormCreate). The run's state lives in its ProgramSession; the window shows
// it and follows what the session tells.
//
// The window's code is split by job: main_window.cpp builds it and runs the start-up, the
// display and the timing; main_window_commands.cpp has the buttons, the clock commands and the
// location menu; main_window_sounds.cpp the sounds menu and the sound tasks;
// main_window_liveupdate.cpp Live Update and the restart after it.
#pragma once

#include <QMainWindow>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundation/resource_pack.h"
#include "foundation/system_services.h"
#include "foundation/ui_services.h"
#include "mainwin/main_window_widgets.h"
#include "program/program_session.h"
#include "program/status_icon.h"
#include "program/wall_clock.h"

namespace vek {

class AlertWindowPort;
class SoundPlayer;
class SoundTrigger;
class TFTP_Main_Dlg;
enum class TransferKind;

// What the main window needs from the program that creates it.
struct MainWindowOptions {
  std::filesystem::path ProgramFolder;
  std::vector<std::string> Parameters;  // the command line without the program name
  UiServices* Ui = nullptr;             // message boxes and questions
  WallClock* Clock = nullptr;           // the local time; the system's when null
  vek::Clock* WaitClock = nullptr;      // the clock of waits and retries; the system's when null
  const ResourceModule* FacePacks = nullptr;  // the clock faces carried in the program
  std::function<bool()> ArabicCanBeShown;     // the platform's Arabic test
  bool UseTray = true;                        // when a system tray is available
  SoundPlayer* Player = nullptr;  // the sound output; the program's own (Qt Multimedia) when null
  const ResourceModule* ProgramSounds = nullptr;  // the waves carried in the program
  Launcher* Starter = nullptr;                    // starts other programs; the system's when null
};

class TVEK__MAIN : public QMainWindow {
  Q_OBJECT

 public:
  explicit TVEK__MAIN(MainWindowOptions options, QWidget* parent = nullptr);
  ~TVEK__MAIN() override;

  ProgramSession& Session() { return *session_; }
  VekContext& Context() { return session_->Context(); }
  const VekContext& Context() const { return session_->Context(); }
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
  void EditClick();
  void OperationsClick();
  // The date kind (Hijri or Gregorian), also from the location dialogs' date button.
  void HijtiMiladiClick();

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

  // Another start of the program asked this one to come to the front.
  void WMUser();
  // The window has been shown: the maintainer's listing (UPLOAD).
  void FormActivate();

  // Live Update over FTP (the menu, the alert window, the About box) and over HTTP (tester
  // mode): the local listing, the dialog, and the restart when files were fetched.
  void LiveUpdateClick();
  void HTTPUpdateClick();
  // The open Live Update dialog, or null.
  TFTP_Main_Dlg* LiveUpdateDialog() const;

 protected:
  // The status-line part of a hint goes to the status line (ShowHintP).
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
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
  void RunTasks();
  void BuildLocationMenu();
  void CaptionLocationMenu();
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
  void SetClockButtonsVisible(bool visible);
  std::string Text(const char* english, const char* arabic) const;
  bool Arabic() const;
  VekSettings& Settings() { return session_->Settings(); }
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
  QString title_;
  QPointer<TFTP_Main_Dlg> liveUpdateDialog_;
};

}  // namespace vek
