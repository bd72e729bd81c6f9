// The prayer-time alert window: a small stay-on-top tool window that announces the minutes left
// until a prayer, or the prayer time itself. It mutes the sound, closes itself, switches itself
// off for later alerts, and, while it may move, drifts one pixel diagonally every 75 ms and
// bounces off the edges of the screen so that it is noticed. When no adhan file is installed it
// offers Live Update and the manual-update web page.
//
// Usage: the main window holds the window only through AlertWindowPort, which forgets it the
// moment it starts to close; the window frees itself once closed.
#pragma once

#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>
#include <string>

#include "engine/day_times.h"
#include "foundation/language.h"
#include "program/settings.h"
#include "sounds/alert_port.h"

class QCheckBox;
class QCloseEvent;
class QFrame;
class QLabel;
class QTimer;
class QToolButton;

namespace vek {

// The paths of the manual-update page on the maker's web site.
inline constexpr const char* kArabicManualUpdatePage = "/a_sounds.html#Sound-files";
inline constexpr const char* kEnglishManualUpdatePage = "/sounds.html#SOUND_FILES";

// What the alert window takes from the main window when it is created.
struct AlertWindowContext {
  Language lang = Language::English;
  bool showHint = true;
  std::string azhanCaption;     // the selected adhan's caption; line breaks become blanks
  int availableAzhanCount = 0;  // adhan files present
  // ShowWarningScreen, MoveScreenSaverOption, AzanSoundOn and AlarmSoundOn are read. Must
  // outlive the window.
  const VekSettings* settings = nullptr;
  // Stops any sound and ends the alarm recitation sequence.
  std::function<void()> mute;
  // The check box chose ShowWarningScreen, the Fix/Move button MoveScreenSaverOption: the
  // opener stores and saves the setting, and its menu items follow.
  std::function<void(bool show)> setShowWarningScreen;
  std::function<void(bool move)> setMoveScreenSaver;
  // Runs the Live Update (after the window has closed).
  std::function<void()> liveUpdate;
  // Opens the manual-update page at this path of the maker's web site.
  std::function<void(const std::string& path)> openManualUpdatePage;
  // The area the window moves in; empty: the available geometry of the window's screen.
  QRect screenArea;
};

class TKQTimeWindow : public QWidget {
  Q_OBJECT

 public:
  // Client area 412 x 318 (76 pixels less once the updates panel is removed), centred on the
  // screen. Frees itself when closed.
  explicit TKQTimeWindow(AlertWindowContext context, QWidget* owner = nullptr);

  // The minutes-before alert: empties _NextTimesLeft and the sound line, sets the main text and
  // runs the activation step.
  void ShowMinutesBefore(TPrayerSlot prayer, int minutes);
  // The alert at the prayer time itself.
  void ShowPrayerTimeAlert(TPrayerSlot prayer);
  // Puts the main text of the prayer into both main-text labels (20 points; 14 points for
  // Shuruq in English); in Arabic the text is framed by right-to-left marks. A prayer outside
  // 0..6 leaves the text as it was.
  void SetAlertText(TPrayerSlot prayer, bool atPrayerTime, int minutes);

  void FormCreate();
  // The activation step: check box, mute buttons, caption, and either the update offer (no
  // adhan file while the adhan sound is on) or, once, the removal of the updates panel.
  void FormActivate();
  // Captions, glyphs and hints of the Fix/Move buttons and the timers from MoveScreenSaverOption.
  void ApplyMoveSetting();

  // Movement: Master starts it, Slave moves one step and bounces at the screen edges.
  void MasterTimer();
  void SlaveTimer();

  void CloseBtnClick();
  // Stops the sound through the main window and disables both mute buttons.
  void AzanBtnClick();
  // Toggles MoveScreenSaverOption, applies and saves it.
  void HaltBtnClick();
  // ShowWarningScreen := not checked; the window stays open.
  void DoNotShowThisWindow_CheckBoxClick();
  // Closes the window, then runs the Live Update.
  void LiveUpdate_Label1Click();
  // Opens the manual-update page of the language.
  void TovarelinURL_TitleClick();

  // The sound line and the mute buttons, written by the main window while the window is open.
  void SetSoundLine(const QString& text);
  void EnableMuteButtons(bool enabled);

  // The area the window moves in.
  QRect ScreenArea() const;
  // The notice look of "no adhan file while the adhan sound is on".
  bool NoticeIsRed() const { return noticeRed_; }
  bool ShowHint() const { return context_.showHint; }
  Language Lang() const { return context_.lang; }

  int StepX = 1;
  int StepY = 1;
  bool UpdatesPanelHidden = false;
  bool AtPrayerTime = false;
  TPrayerSlot PrayerIndex = Imsak;

  QLabel* _NextTimesLeft;
  QLabel* ALogo;
  QLabel* ELogo;
  QFrame* ABtns;
  QToolButton* ACloseBtn;
  QToolButton* AAzanBtn;
  QToolButton* AHaltBtn;
  QFrame* EBtns;
  QToolButton* ECloseBtn;
  QToolButton* EAzanBtn;
  QToolButton* EHaltBtn;
  QLabel* Fix_Image;
  QLabel* Move_Image;
  QFrame* Border;  // the window's own raised border
  QFrame* Bevel2;
  QLabel* _AzanL1;  // the black shadow
  QLabel* _AZanL2;  // the white text
  QLabel* AzName_Label;
  QLabel* CurAzName_Label;
  QCheckBox* DoNotShowThisWindow_CheckBox;
  QLabel* DoNotShowThisWindow_L;
  QFrame* Updates_Panel;
  QLabel* Updates_Label;
  QLabel* LiveUpdate_Label1;
  QLabel* LiveUpdate_Label2;
  QLabel* LiveUpdate_Label3;
  QLabel* TovarelinURL_Title;
  QTimer* Master;
  QTimer* Slave;

 signals:
  // The window has started to close; it is freed soon after.
  void closing();

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void SetNoticeLook();
  void FillUpdateOffer();

  AlertWindowContext context_;
  bool noticeRed_ = false;
};

// The alert window as the sound and alert trigger sees it. It holds the one window; Exists() is
// false from the moment the window starts to close, so that no alert reaches a closing window.
class AlertWindowPort : public AlertPort {
 public:
  // makeContext gives the main window's state at the moment a window is created.
  AlertWindowPort(QWidget* owner, std::function<AlertWindowContext()> makeContext);
  ~AlertWindowPort() override;
  AlertWindowPort(const AlertWindowPort&) = delete;
  AlertWindowPort& operator=(const AlertWindowPort&) = delete;

  bool Exists() const override;
  void Create() override;
  bool AtPrayerTime() const override;
  TPrayerSlot PrayerIndex() const override;
  void ShowMinutesBefore(TPrayerSlot prayer, int minutes) override;
  void ShowPrayerTimeAlert(TPrayerSlot prayer) override;
  void Show() override;
  void SetSoundLine(const std::string& text) override;
  void EnableMuteButtons(bool enabled) override;

  // The open window, or null.
  TKQTimeWindow* Window() const;

 private:
  void Forget();

  QWidget* owner_;
  std::function<AlertWindowContext()> makeContext_;
  QPointer<TKQTimeWindow> window_;
  QMetaObject::Connection closing_;
};

}  // namespace vek
