// The main window's widgets, named after the components they stand for. The window builds them
// once; its display, commands and sounds menu reach them here.
#pragma once

#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolButton>

#include <array>

#include "locations/dialogs/times_panel.h"

namespace vek {

class AnalogClock;
class TSplashWnd;

struct MainWindowWidgets {
  QWidget* MainPanel = nullptr;
  QLabel* SDate_P = nullptr;              // the date
  QLabel* City = nullptr;                 // the location
  QToolButton* SelLocationBtn = nullptr;  // the location button
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
  QPushButton* Button1 = nullptr;  // the tester's download, shown in tester mode only
  QWidget* _OuterClockPanel = nullptr;
  AnalogClock* OvcClock1 = nullptr;
  QToolButton* ClockFaceSpeedButton = nullptr;
  QToolButton* ClockBackGroundSpeedButton = nullptr;
  QToolButton* ClcockSizeSpeedButton = nullptr;
  QToolButton* ColorsSpeedButton = nullptr;
  QSystemTrayIcon* StTrayIcon1 = nullptr;
  QTimer* TaskTimer = nullptr;
  QTimer* ClockTimer = nullptr;
  QPointer<TSplashWnd> SplashWnd;

  // The menu "Location".
  QMenu* LocationMenu = nullptr;
  QAction* SelectItem = nullptr;
  QAction* EditItem = nullptr;
  QAction* OperationsItem = nullptr;

  // The menu "Report".
  QMenu* ReportMenu = nullptr;
  QAction* MonthItem = nullptr;
  QAction* YearItem = nullptr;
  QAction* ShowPeaksItem = nullptr;

  // The menu "Internet": Live Update, and over HTTP in tester mode.
  QMenu* InternetMenu = nullptr;
  QAction* InternetLiveUpdate1 = nullptr;
  QAction* e_HTTPUpdate = nullptr;

  // The menu "Sounds".
  QMenu* SoundsMenu = nullptr;
  QMenu* TestAzhanMenu = nullptr;
  QMenu* AzhanNamesMenu = nullptr;
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

  // The menu "Program".
  QMenu* ProgramMenu = nullptr;
  QAction* LanguageItem = nullptr;
  QAction* InstallationExpertItem = nullptr;
  QAction* MinimizeItem = nullptr;
  QAction* QuitItem = nullptr;
  // The menu "Options".
  QMenu* OptionsMenu = nullptr;
  QAction* HijriDateItem = nullptr;
  QAction* T24HItem = nullptr;
  QAction* AdvanceHijriItem = nullptr;
  QAction* SafetyItem = nullptr;
  QAction* MonthNamesItem = nullptr;
  QAction* ClockFaceItem = nullptr;
  QAction* HintsItem = nullptr;
  QAction* MinToTrayItem = nullptr;
  QAction* PromptToCloseItem = nullptr;
  QAction* ShowSplashItem = nullptr;
  // The menu "Help".
  QMenu* HelpMenu = nullptr;
  QAction* EMailItem = nullptr;
  QAction* MailingListItem = nullptr;
  QAction* WebSiteItem = nullptr;
  QAction* AboutItem = nullptr;
  // The tray icon's menu.
  QMenu* TrayPopupMenu = nullptr;
  QAction* TrayRestoreItem = nullptr;
  QAction* TrayMinimizeItem = nullptr;
  QAction* TrayLanguageItem = nullptr;
  QAction* TrayMinToTrayItem = nullptr;
  QAction* TrayPromptToCloseItem = nullptr;
  QAction* TrayQuitItem = nullptr;
};

}  // namespace vek
