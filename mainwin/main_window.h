// The main window TVEK__MAIN: today's seven times for the current location, the Hijri or
// Gregorian date, the analogue clock, the countdown to the next event with its status colour,
// and the tray icon, laid out for Arabic (right to left) or English. Creating it runs the whole
// start-up of a run (FormCreate).
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolButton>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundation/resource_pack.h"
#include "foundation/system_services.h"
#include "foundation/ui_services.h"
#include "locations/dialogs/dialog_context.h"
#include "locations/dialogs/times_panel.h"
#include "program/status_icon.h"
#include "program/vek_context.h"
#include "program/wall_clock.h"

namespace vek {

class AlertWindowPort;
class AnalogClock;
class SoundPlayer;
class SoundTrigger;
class TSplashWnd;

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
};

class TVEK__MAIN : public QMainWindow {
  Q_OBJECT

 public:
  explicit TVEK__MAIN(MainWindowOptions options, QWidget* parent = nullptr);
  ~TVEK__MAIN() override;

  VekContext& Context() { return ctx_; }
  const VekContext& Context() const { return ctx_; }
  // True when the start-up ended with the fatal location error: the window closes at once.
  bool ClosingAtStart() const { return closingAtStart_; }

  // Display.
  // IsRamadan from today's Hijri date: at start, at each day change, and after the Hijri
  // adjustment changes.
  void UpdateRamadan();
  void RecomputeAndShowTimes();
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
  void LoadFace(int index);

  // Locations (the menu "Location").
  void SelectClick();
  void EditClick();
  void OperationsClick();
  // The date kind (Hijri or Gregorian), also from the location dialogs' date button.
  void HijtiMiladiClick();
  QMenu* LocationMenu = nullptr;
  QAction* SelectItem = nullptr;
  QAction* EditItem = nullptr;
  QAction* OperationsItem = nullptr;

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

  // Writes VEK.INI from the settings, once the start-up has finished; a failure is shown.
  void SaveSettings();
  // Another start of the program asked this one to come to the front.
  void WMUser();

  // The widgets, named after the components they stand for.
  QWidget* MainPanel = nullptr;
  QLabel* SDate_P = nullptr;  // the date
  QLabel* City = nullptr;     // the location
  QLabel* Logo = nullptr;
  TimesPanel* KQ_P = nullptr;          // the times panel
  std::array<QLabel*, 7> SlotNames{};  // Imsak .. Isha: the panel's labels
  std::array<QLabel*, 7> SlotTimes{};
  QLabel* FajrStatus = nullptr;  // high-latitude notices beside Fajr and Isha
  QLabel* IshaStatus = nullptr;
  QLabel* Main_Image = nullptr;  // the status icon
  QLabel* TimesLeft = nullptr;   // the countdown
  QLabel* STime = nullptr;       // the current time
  QLabel* DLS_Label = nullptr;   // daylight saving
  QLabel* _SHelp = nullptr;      // the status line
  QWidget* Btns_P = nullptr;
  QPushButton* ExitBtn = nullptr;
  QPushButton* ReportBtn = nullptr;
  QPushButton* CalendarBtn = nullptr;
  QPushButton* _LanguageBtn = nullptr;
  QPushButton* AzanSoundBtn = nullptr;
  QPushButton* AlarmSoundBtn = nullptr;
  QMenu* SoundsMenu = nullptr;
  std::array<QAction*, 6> AzhanItems{};  // the single adhans
  QAction* AllAzhansItem = nullptr;
  std::array<QAction*, 8> TestAzhanItems{};
  std::array<QAction*, 8> ChAzNameItems{};
  QAction* AllSoundsItem = nullptr;
  QAction* ShuruqWarningItem = nullptr;
  QAction* BasmalahItem = nullptr;
  QAction* StopThisTimeItem = nullptr;
  QAction* ShowWarningScreenItem = nullptr;
  QAction* ReadAvailableSurasItem = nullptr;
  QAction* NextSuraItem = nullptr;
  QAction* StopReadingItem = nullptr;
  QAction* RefreshItem = nullptr;
  QTimer* TaskTimer = nullptr;
  QWidget* _OuterClockPanel = nullptr;
  AnalogClock* OvcClock1 = nullptr;
  QToolButton* ClockFaceSpeedButton = nullptr;
  QToolButton* ClockBackGroundSpeedButton = nullptr;
  QToolButton* ClcockSizeSpeedButton = nullptr;
  QToolButton* ColorsSpeedButton = nullptr;
  QSystemTrayIcon* StTrayIcon1 = nullptr;
  QTimer* ClockTimer = nullptr;
  QPointer<TSplashWnd> SplashWnd;

 protected:
  // The status-line part of a hint goes to the status line (ShowHintP).
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class SplashAwareUi;

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
  LocationDialogContext MakeLocationDialogContext();
  void AfterLocationChange(bool saveSettings, bool saveLocations);
  void LoadClock();
  void ApplyClockSize();
  void ApplyClockBackground();
  void ApplyHandColors();
  bool LoadLocations();
  void SelectSavedLocation();
  void CloseSplashNow();
  bool SplashWanted() const;
  void ShowCurrentTimeLabel();
  void SetClockButtonsVisible(bool visible);
  std::string Text(const char* english, const char* arabic) const;
  bool Arabic() const;

  MainWindowOptions options_;
  std::unique_ptr<SplashAwareUi> ui_;
  WallClock& clock_;
  SystemServices sys_;
  VekContext ctx_;
  std::unique_ptr<SoundPlayer> ownPlayer_;
  SoundPlayer* player_ = nullptr;
  std::unique_ptr<AlertWindowPort> alertPort_;
  std::unique_ptr<SoundTrigger> trigger_;
  // The open location dialog's date and clock panel, refreshed with the main window's.
  std::function<void(const std::string&)> dialogDate_;
  std::function<void()> dialogClock_;
  bool closingAtStart_ = false;
  bool settingsErrorShown_ = false;
  QString title_;
};

}  // namespace vek
