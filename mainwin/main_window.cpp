#include "mainwin/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QStatusTipEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <fstream>

#include "engine/calendar.h"
#include "engine/prayer_times.h"
#include "foundation/arabic_support.h"
#include "foundation/cp1256.h"
#include "foundation/debug_log.h"
#include "foundation/dos_error.h"
#include "foundation/file_helpers.h"
#include "foundation/file_io.h"
#include "foundation/program_folder.h"
#include "foundation/qt/eliding_label.h"
#include "foundation/qt/hint_window.h"
#include "foundation/qt/qt_shell.h"
#include "foundation/qt/qt_strings.h"
#include "foundation/text.h"
#include "liveupdate/downloaded_installer.h"
#include "liveupdate/live_update_files.h"
#include "locations/dialogs/change_location_dialog.h"
#include "locations/dialogs/location_operations_dialog.h"
#include "locations/dialogs/select_location_dialog.h"
#include "locations/location_file.h"
#include "mainwin/alert_window.h"
#include "mainwin/analog_clock.h"
#include "mainwin/clock_face_form.h"
#include "mainwin/clock_face_loader.h"
#include "mainwin/program_icons.h"
#include "mainwin/single_instance.h"
#include "mainwin/splash_window.h"
#include "platform/system_folders.h"
#include "program/current_location.h"
#include "program/display_texts.h"
#include "program/settings_converters.h"
#include "resources/clock_face.h"
#include "sounds/qt_sound_player.h"
#include "sounds/sound_files.h"
#include "sounds/sound_trigger.h"

namespace vek {

namespace {

namespace fs = std::filesystem;

constexpr const char* kOldStartupShortcut = "PRAYERS.LNK";

QString Q(const std::string& s) {
  return ToQString(s);
}

bool ParameterContains(const std::vector<std::string>& params, std::size_t i, const char* word) {
  return i < params.size() && AsciiUpper(params[i]).find(word) != std::string::npos;
}

}  // namespace

// The user-interface services of the start-up: the splash screen is closed before any message
// or question, so that it never hides one.
class TVEK__MAIN::SplashAwareUi : public UiServices {
 public:
  SplashAwareUi(UiServices& inner, std::function<void()> closeSplash)
      : inner_(inner), closeSplash_(std::move(closeSplash)) {}
  void ShowMessage(const std::string& text) override {
    closeSplash_();
    inner_.ShowMessage(text);
  }
  void ShowBox(const std::string& text, int option) override {
    closeSplash_();
    inner_.ShowBox(text, option);
  }
  void ShowPrompt(const std::string& text, int option) override {
    closeSplash_();
    inner_.ShowPrompt(text, option);
  }
  int AskNoYes(const std::string& text, int option) override {
    closeSplash_();
    return inner_.AskNoYes(text, option);
  }
  void Beep() override { inner_.Beep(); }
  void SetBusyCursor(bool busy) override { inner_.SetBusyCursor(busy); }
  void ProcessEvents() override { inner_.ProcessEvents(); }
  bool Terminating() const override { return inner_.Terminating(); }
  void CloseSplash() override { closeSplash_(); }

 private:
  UiServices& inner_;
  std::function<void()> closeSplash_;
};

TVEK__MAIN::TVEK__MAIN(MainWindowOptions options, QWidget* parent)
    : QMainWindow(parent),
      options_(std::move(options)),
      ui_(std::make_unique<SplashAwareUi>(*options_.ui, [this] { CloseSplashNow(); })),
      clock_(options_.clock ? *options_.clock : SystemWallClock()),
      sys_{*ui_, options_.waitClock ? *options_.waitClock : SystemClock(), RealFileSystem(),
           options_.programs ? *options_.programs : SystemLauncher()},
      session_(std::make_unique<ProgramSession>(options_.programFolder, *ui_, clock_,
                                                options_.switches)),
      shell_(options_.desktopShell ? *options_.desktopShell : DesktopShell()) {
  BuildWidgets();
  if (options_.player == nullptr)
    ownPlayer_ = std::make_unique<QtSoundPlayer>(options_.programSounds);
  player_ = options_.player ? options_.player : ownPlayer_.get();
  alertPort_ = std::make_unique<AlertWindowPort>(this, [this] {
    AlertWindowContext c;
    c.lang = Settings().Lang;
    c.showHint = Settings().ShowHint;
    c.azhanCaption =
        AzhanCaption(trigger_->AvailableAzhanCount(), Settings().AzhanIndex,
                     Settings().NextAzhanChoice, Settings().AzhanDescriptions, Settings().Lang);
    c.availableAzhanCount = trigger_->AvailableAzhanCount();
    c.settings = &Settings();
    c.mute = [this] { trigger_->MuteAlertSound(); };
    c.setShowWarningScreen = [this](bool show) { session_->SetShowWarningScreen(show); };
    c.setMoveScreenSaver = [this](bool move) { session_->SetMoveScreenSaver(move); };
    c.openManualUpdatePage = [this](const std::string& page) { OpenWebPage(page); };
    c.liveUpdate = [this] { LiveUpdateClick(); };
    if (const QScreen* screen = this->screen())
      c.screenArea = screen->availableGeometry();
    return c;
  });
  trigger_ = std::make_unique<SoundTrigger>(*session_, *player_, *alertPort_, *ui_,
                                            options_.programFolder);
  trigger_->onCloseTask = [this] { close(); };
  BuildMenuBar();
  session_->Listen([this](SessionChange change) { OnSessionChange(change); });
  FormCreate();
}

TVEK__MAIN::~TVEK__MAIN() = default;

bool TVEK__MAIN::Arabic() const {
  return session_->Arabic();
}

std::string TVEK__MAIN::Text(const char* english, const char* arabic) const {
  return ByLanguage(session_->Lang(), english, arabic);
}

// ---------------------------------------------------------------------------------------------
// Widgets

void TVEK__MAIN::BuildWidgets() {
  setObjectName("TVEK__MAIN");
  W.MainPanel = new QWidget(this);
  W.MainPanel->setObjectName("MainPanel");
  setCentralWidget(W.MainPanel);
  auto* outer = new QVBoxLayout(W.MainPanel);
  outer->setContentsMargins(10, 8, 10, 4);
  outer->setSpacing(6);

  // Heading: logo, date and location.
  auto* heading = new QHBoxLayout;
  W.Logo = new QLabel;
  heading->addWidget(W.Logo);
  auto* captions = new QVBoxLayout;
  W.SDate_P = new ElidingLabel;
  W.SDate_P->setObjectName("SDate_P");
  W.City = new ElidingLabel;
  W.City->setObjectName("City");
  QFont dateFont = W.SDate_P->font();
  dateFont.setPointSizeF(dateFont.pointSizeF() * 1.15);
  dateFont.setBold(true);
  W.SDate_P->setFont(dateFont);
  QFont cityFont = W.City->font();
  cityFont.setPointSizeF(cityFont.pointSizeF() * 1.3);
  cityFont.setBold(true);
  W.City->setFont(cityFont);
  W.City->setStyleSheet("color: #1d4e89;");
  captions->addWidget(W.SDate_P);
  auto* cityRow = new QHBoxLayout;
  cityRow->addWidget(W.City, 1);
  W.SelLocationBtn = new QToolButton;
  W.SelLocationBtn->setObjectName("SelLocationBtn");
  connect(W.SelLocationBtn, &QToolButton::clicked, this, [this] { SelLocationBtnClick(); });
  cityRow->addWidget(W.SelLocationBtn);
  captions->addLayout(cityRow);
  heading->addLayout(captions, 1);
  outer->addLayout(heading);

  // The times panel and the clock.
  auto* middle = new QHBoxLayout;
  auto* times = new TimesPanel(1.2, 1.35);
  W.KQ_P = times;
  W.SlotNames = times->Names();
  W.SlotTimes = times->Times();
  W.FajrStatus = new QLabel("\u25CF");
  W.IshaStatus = new QLabel("\u25CF");
  for (QLabel* shape : {W.FajrStatus, W.IshaStatus}) {
    shape->setStyleSheet("color: #c0392b;");
    shape->setVisible(false);
  }
  times->AddToRow(Fajr, W.FajrStatus);
  times->AddToRow(Isha, W.IshaStatus);
  middle->addWidget(W.KQ_P, 1);

  W._OuterClockPanel = new QFrame;
  W._OuterClockPanel->setObjectName("_OuterClockPanel");
  auto* clockBox = new QVBoxLayout(W._OuterClockPanel);
  clockBox->setContentsMargins(6, 6, 6, 6);
  W.OvcClock1 = new AnalogClock;
  W.OvcClock1->installEventFilter(this);
  clockBox->addWidget(W.OvcClock1, 0, Qt::AlignHCenter);
  W.STime = new QLabel;
  W.STime->setAlignment(Qt::AlignHCenter);
  W.STime->installEventFilter(this);
  clockBox->addWidget(W.STime);
  auto* clockButtons = new QHBoxLayout;
  W.ClockFaceSpeedButton = new QToolButton;
  W.ClockBackGroundSpeedButton = new QToolButton;
  W.ClcockSizeSpeedButton = new QToolButton;
  W.ColorsSpeedButton = new QToolButton;
  const std::array<std::pair<QToolButton*, const char*>, 4> glyphs = {{
      {W.ClockFaceSpeedButton, "\u25D0"},
      {W.ClockBackGroundSpeedButton, "\u25A1"},
      {W.ClcockSizeSpeedButton, "\u2922"},
      {W.ColorsSpeedButton, "\u25C6"},
  }};
  for (const auto& [button, glyph] : glyphs) {
    button->setText(QString::fromUtf8(glyph));
    button->setAutoRaise(true);
    button->installEventFilter(this);
    // Their room is kept while they are hidden: showing them never changes the window's size.
    QSizePolicy policy = button->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    button->setSizePolicy(policy);
    clockButtons->addWidget(button);
  }
  clockBox->addLayout(clockButtons);
  SetClockButtonsVisible(false);
  middle->addWidget(W._OuterClockPanel);
  outer->addLayout(middle, 1);

  // The status icon, the countdown and the daylight-saving label.
  auto* status = new QHBoxLayout;
  W.Main_Image = new QLabel;
  status->addWidget(W.Main_Image);
  W.TimesLeft = new ElidingLabel;
  W.TimesLeft->setObjectName("TimesLeft");
  QFont leftFont = font();
  leftFont.setPointSizeF(leftFont.pointSizeF() * 1.1);
  leftFont.setBold(true);
  W.TimesLeft->setFont(leftFont);
  status->addWidget(W.TimesLeft, 1);
  W.DLS_Label = new QLabel;
  status->addWidget(W.DLS_Label);
  outer->addLayout(status);

  // The buttons.
  W.Btns_P = new QWidget;
  auto* buttons = new QHBoxLayout(W.Btns_P);
  buttons->setContentsMargins(0, 0, 0, 0);
  W.ExitBtn = new QPushButton;
  W.ReportBtn = new QPushButton;
  W.CalendarBtn = new QPushButton;
  W._LanguageBtn = new QPushButton;
  W.AzanSoundBtn = new QPushButton;
  W.AlarmSoundBtn = new QPushButton;
  W.Button1 = new QPushButton("Button1");
  W.Button1->setVisible(false);
  for (QPushButton* b : {W.ExitBtn, W.ReportBtn, W.CalendarBtn, W._LanguageBtn, W.AzanSoundBtn,
                         W.AlarmSoundBtn, W.Button1})
    buttons->addWidget(b);
  outer->addWidget(W.Btns_P);
  connect(W.ExitBtn, &QPushButton::clicked, this, [this] { ExitBtnClick(); });
  connect(W._LanguageBtn, &QPushButton::clicked, this, [this] { LanguageBtnClick(); });
  connect(W.AzanSoundBtn, &QPushButton::clicked, this, [this] { AzanSoundBtnClick(); });
  connect(W.AlarmSoundBtn, &QPushButton::clicked, this, [this] { AlarmSoundBtnClick(); });
  connect(W.Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

  W._SHelp = new ElidingLabel;
  W._SHelp->setObjectName("_SHelp");
  W._SHelp->setStyleSheet("color: #555;");
  outer->addWidget(W._SHelp);

  W.TaskTimer = new QTimer(this);
  W.TaskTimer->setInterval(100);
  connect(W.TaskTimer, &QTimer::timeout, this, [this] { RunTasks(); });

  W.ClockTimer = new QTimer(this);
  W.ClockTimer->setInterval(1000);
  connect(W.ClockTimer, &QTimer::timeout, this, [this] { OvcClock1SecondChange(); });
  connect(W.OvcClock1, &AnalogClock::MouseDown, this,
          [this](Qt::MouseButton b) { OvcClock1MouseDown(b); });
  W.MainPanel->setMouseTracking(true);
  W.MainPanel->installEventFilter(this);
}

std::array<QToolButton*, 4> TVEK__MAIN::ClockButtons() const {
  return {W.ClockFaceSpeedButton, W.ClockBackGroundSpeedButton, W.ClcockSizeSpeedButton,
          W.ColorsSpeedButton};
}

std::array<QWidget*, 6> TVEK__MAIN::ClockParts() const {
  const std::array<QToolButton*, 4> buttons = ClockButtons();
  return {W.OvcClock1, W.STime, buttons[0], buttons[1], buttons[2], buttons[3]};
}

void TVEK__MAIN::SetClockButtonsVisible(bool visible) {
  for (QToolButton* b : ClockButtons())
    b->setVisible(visible);
}

bool TVEK__MAIN::PointerOverClock() const {
  const QPoint pointer = QCursor::pos();
  for (const QWidget* part : ClockParts())
    if (part->isVisible() && part->rect().contains(part->mapFromGlobal(pointer)))
      return true;
  return false;
}

bool TVEK__MAIN::eventFilter(QObject* watched, QEvent* event) {
  const std::array<QWidget*, 6> parts = ClockParts();
  const bool overClock = std::ranges::find(parts, watched) != parts.end();
  if (event->type() == QEvent::Enter && overClock)
    SetClockButtonsVisible(true);
  else if (event->type() == QEvent::Leave && overClock && !PointerOverClock())
    SetClockButtonsVisible(false);  // out of the clock, also straight out of the window
  else if (event->type() == QEvent::MouseMove && watched == W.MainPanel)
    SetClockButtonsVisible(false);
  if (event->type() == QEvent::MouseButtonPress && watched != W.OvcClock1) {
    const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
    if (watched == W.ClockFaceSpeedButton)
      OvcClock1MouseDown(button);
    else if (watched == W.ColorsSpeedButton)
      ColorsSpeedButtonMouseDown(button);
    else if (watched == W.ClcockSizeSpeedButton)
      ChangeClockSizeOnMouseDown();
    else if (watched == W.ClockBackGroundSpeedButton)
      ClockBackGroundClick();
    else
      return QMainWindow::eventFilter(watched, event);
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// Start-up

void TVEK__MAIN::FormCreate() {
  const CommandLineSwitches& sw = session_->CommandLine();
  hints_ = InstallQuvHintWindow([this] { return Settings().ShowHint; });

  // The program folder. The session is new: no link visited, no installer to run, the start-up
  // not finished.
  std::error_code ec;
  fs::create_directories(Context().ThisPath / kDownloadedFilesFolder, ec);
  // What a save, a copy or a download killed midway left behind.
  const auto now = std::chrono::system_clock::now();
  RemoveStaleTemporaryFiles(Context().ThisPath, now);
  RemoveStaleDownloads(Context().ThisPath, now);

  StartupSteps steps;
  // The messages about a downloaded installer are in the user's language.
  steps.BeforeSettings = [this, &sw] {
    HandleDownloadedInstaller();
    PrepareDebugLog();
    W.Button1->setVisible(sw.testerMode);
    W.ClockTimer->stop();
  };
  steps.CanShowArabic = options_.arabicCanBeShown;
  steps.AfterSettings = [this] {
    if (!SplashWanted())
      return;
    W.SplashWnd =
        new TSplashWnd(this, Settings().Lang, Settings().ShowHint, Settings().ShowSplashOption,
                       [this](bool show) { session_->SetShowSplash(show); });
    W.SplashWnd->show();
    W.SplashWnd->raise();
    // The splash paints; what the user does waits for the window.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  };
  steps.LoadSoundsAndClock = [this] {
    InstallSounds();
    LoadClock();
  };
  steps.LocationsUnusable = [this] {
    CloseSplashNow();
    ui_->ShowMessage("إغلاق البرنامج\r\nClosing Program");
    closingAtStart_ = true;
    QTimer::singleShot(0, this, [this] { close(); });
  };
  steps.TrayUsable = [this] { return TrayUsable(); };
  steps.LocationSelected = [this, &sw] {
    ApplyLanguageLayout();
    // The clock runs from here: the first-run wizard and its location dialog show the time.
    if (!sw.stopClock)
      W.ClockTimer->start();
  };
  steps.WizardAsked = ParameterContains(options_.parameters, 0, "INSTALL");
  steps.RunWizard = [this] { RunFirstRunWizard(true); };
  // The opening Basmalah is queued before the first minute's sounds, so that an alarm due at
  // start follows it instead of replacing it; the tasks run once the start-up has finished.
  steps.BeforeDay = [this] {
    if (Settings().OpeningBasmalah) {
      trigger_->StartTask(kTaskBasmalah);
      W.TaskTimer->start();
    }
  };
  steps.ShowDay = [this, &sw] {
    ShowTimes();
    dayShown_ = true;
    OvcClock1SecondChange();
    ShowLocationCaption();
    ShowCountdown();

    UpdateMenuCaptions();
    UpdateDateCaptions();
    ShowSavingTimeLabel();
    RefreshClick();
    UpdateAzhanButton();

    if (W.SplashWnd)
      StartSplashClosing(W.SplashWnd);
    if (!sw.stopClock)
      W.OvcClock1->SetActive(true);
    RunSoundTrigger(true);
    CreateTrayIcon();
  };
  steps.Finished = [this] { Do_ToTray_Option(); };
  session_->Start(steps);
}

void TVEK__MAIN::ShowAtStart() {
  if (session_->CommandLine().startMinimized)
    showMinimized();
  else
    show();
}

bool TVEK__MAIN::SplashWanted() const {
  const std::vector<std::string>& params = options_.parameters;
  return !ParameterContains(params, 0, "NOSPLASH") && !ParameterContains(params, 1, "NOSPLASH") &&
         !Context().FirstRun && !ParameterContains(params, 0, "INSTALL") &&
         Settings().ShowSplashOption;
}

void TVEK__MAIN::CloseSplashNow() {
  if (W.SplashWnd) {
    W.SplashWnd->hide();
    StartSplashClosing(W.SplashWnd);
  }
}

void TVEK__MAIN::HandleDownloadedInstaller() {
  if (const std::optional<FoundInstaller> found = TakeDownloadedInstaller(
          Context().ThisPath, session_->CommandLine().moveGoVekFile, Settings().Lang, sys_))
    session_->FoundInstaller(found->path, found->run);

  std::error_code ec;
  const fs::path startup = GetStartupFolder();
  if (!startup.empty()) {
    const fs::path shortcut = FindFileIgnoringCase(startup, kOldStartupShortcut);
    if (fs::exists(shortcut, ec))
      ForceDeleteFile(shortcut, sys_.fs);
  }
}

void TVEK__MAIN::PrepareDebugLog() {
  const CommandLineSwitches& sw = session_->CommandLine();
  SetLogFileName(DebugLogFileFor(Context().ThisPath));
  std::error_code ec;
  fs::remove(LogFileName(), ec);
  SetDebugLogging(sw.debugVek || sw.debugVekLoc, sw.debugVekLoc);
  if (!sw.debugVek && !sw.debugVekLoc)
    return;
  ui_->ShowMessage(
      "This is for debugging only\r\nA special \"debug\" file will now be prepared.\r\n"
      "It is written as the program runs, to the file:\r\n" +
      LogFileName().string() +
      "\r\nSend it to the maker with the support e-mail command of the Help menu.\r\n"
      "When you are done, remove \"DebugVEK\" or \"DebugVEKLoc\" from the program's shortcut.");
  std::ofstream(LogFileName(), std::ios::trunc);
}

void TVEK__MAIN::InstallSounds() {
  // Sound files and archives that Live Update or the user left in the program folder, the sound
  // folders or on the desktop are put where the sound logic expects them.
  BringSoundArchivesHome(Context().ThisPath, sys_);
  const std::vector<fs::path> desktopCopies =
      CopyDesktopArchives(Context().ThisPath, GetDesktopFolder(), sys_, Settings().Lang);
  InstallFoundArchives(Context().ThisPath, desktopCopies, sys_, Settings().Lang);
  ScanSoundFiles(Context().ThisPath, sys_);
  FindAvailableAzhans();
}

void TVEK__MAIN::FindAvailableAzhans() {
  const std::array<bool, 8> files = PresentAzhanFiles(Context().ThisPath);
  std::array<bool, 6> present{};
  std::copy_n(files.begin(), 6, present.begin());
  // The next adhan of "all in turn": the saved one when its file is there, else the first there
  // (SetPresentAzhans moves a choice that is none to the first present recording).
  session_->StartAzhanRotation(present);
  trigger_->SetPresentAzhans(present);
  UpdateSoundItems();
}

void TVEK__MAIN::LoadClock() {
  LoadFace(Settings().ClockFaceIndex);
  ApplyClockSize();
  ApplyClockBackground();
  ApplyHandColors();
}

void TVEK__MAIN::LoadFace(int index) {
  if (options_.facePacks == nullptr)
    return;
  const int loaded = LoadClockFace(FaceCodeOfIndex(index), Context().ThisPath, *options_.facePacks,
                                   *W.OvcClock1, *ui_, Settings().Lang, session_->CommandLine());
  if (loaded >= 0)
    session_->SetClockFace(loaded);
}

// ---------------------------------------------------------------------------------------------
// Display

void TVEK__MAIN::ShowTimes() {
  if (session_->HasCurrentLocation()) {
    W.KQ_P->ShowTimes(Context().TodayTimes, Context().IsRamadan, Settings().Is24H);
  } else {
    W.KQ_P->ShowImsak(Context().IsRamadan);
    W.KQ_P->Clear();
  }
}

void TVEK__MAIN::OnSessionChange(SessionChange change) {
  switch (change) {
    case SessionChange::Minute:
    case SessionChange::Clock:  // the clock shows its change already
      break;
    case SessionChange::Tray:
      CaptionMenus();
      Do_ToTray_Option();
      break;
    case SessionChange::Option:
      CaptionMenus();
      break;
    case SessionChange::Sounds:
      UpdateSoundItems();
      break;
    case SessionChange::DateKind:
      UpdateMenuCaptions();
      UpdateDateCaptions();
      break;
    case SessionChange::Location:
      ShowTimes();
      ShowLocationCaption();
      UpdateMenuCaptions();
      ShowCountdown();
      UpdateDateCaptions();
      ShowSavingTimeLabel();
      break;
    case SessionChange::Day:
    case SessionChange::Language:
    case SessionChange::Setting:
      ApplyLanguageLayout();
      UpdateMenuCaptions();
      UpdateDateCaptions();
      ShowLocationCaption();
      ShowTimes();
      ShowCountdown();
      ShowSavingTimeLabel();
      if (change == SessionChange::Setting)
        ShowCurrentTimeLabel();  // the 24-hour display
      break;
  }
}

void TVEK__MAIN::ApplyLanguageLayout() {
  const bool arabic = Arabic();
  const Qt::LayoutDirection direction = LayoutDirectionOf(session_->Lang());
  W.MainPanel->setLayoutDirection(direction);
  setLayoutDirection(direction);
  W.KQ_P->SetLanguage(Settings().Lang);

  W.ExitBtn->setText(Q(Text("Exit", "خروج")));
  W.ExitBtn->setToolTip(Q(Text("Stop execution & exit to windows", "إيقاف البرنامج والخروج")));
  W.ReportBtn->setText(Q(Text("Report", "تقرير")));
  W.ReportBtn->setToolTip(
      Q(Text("Design & print reports for prayer times", "تصميم تقارير أوقات الصلاة وطباعتها")));
  W.CalendarBtn->setText(Q(Text("Calendar", "التقويم")));
  W.CalendarBtn->setToolTip(Q(Text("Show Calendar & convert a date between Hijri and Gregorian",
                                   "عرض التقويم وتحويل تاريخ بين الهجري والميلادي")));
  W._LanguageBtn->setText(Q(Text("عربي", "English")));
  W._LanguageBtn->setToolTip(
      Q(Text("Change the program interface to Arabic", "تغيير لغة واجهة البرنامج إلى الإنجليزية")));
  W.ClcockSizeSpeedButton->setToolTip(Q(Text("change size", "تغيير الحجم")));
  W.ClockBackGroundSpeedButton->setToolTip(Q(Text("change background", "تغيير الخلفية")));
  W.ClockFaceSpeedButton->setToolTip(
      Q(Text("change face\r\nLeft Mouse: Next\r\nRight Mouse: Previous",
             "تغيير وجه الساعة\r\nالزر الأيسر: التالي\r\nالزر الأيمن: السابق")));
  W.OvcClock1->setToolTip(
      Q(Text("Click here to change face\r\nLeft Mouse: Next\r\nRight Mouse: Previous",
             "انقر هنا لتغيير وجه الساعة\r\nالزر الأيسر: التالي\r\nالزر الأيمن: السابق")));
  W.ColorsSpeedButton->setToolTip(
      Q(Text("Change hands color\r\nLeft Mouse: Next\r\nRight Mouse: Previous",
             "تغيير لون العقارب\r\nالزر الأيسر: التالي\r\nالزر الأيمن: السابق")));
  W.Logo->setPixmap(ProgramLogo(Settings().Lang, QSize(150, 56)));
  const Qt::Alignment side = arabic ? Qt::AlignRight : Qt::AlignLeft;
  W.SDate_P->setAlignment(side | Qt::AlignVCenter);
  W.City->setAlignment(side | Qt::AlignVCenter);
  W._SHelp->setAlignment(side | Qt::AlignVCenter);
  for (int i = 0; i < 7; ++i)
    W.SlotNames[i]->setVisible(i != Imsak || Context().IsRamadan);
  setWindowTitle(Q(VersionCaption(Settings().Lang, Context().ArabicSupported)));
  UpdateSoundItems();
}

void TVEK__MAIN::UpdateMenuCaptions() {
  CaptionMenus();
  ShowConflictStatus();
}

void TVEK__MAIN::UpdateDateCaptions() {
  SetTextIfChanged(W.SDate_P, Q(session_->DateCaptionText()));
}

void TVEK__MAIN::ShowLocationCaption() {
  if (!session_->HasCurrentLocation()) {
    W.City->clear();
    return;
  }
  SetTextIfChanged(W.City, Q(LocationCaption(Context().Locations.Current().Rec)));
}

void TVEK__MAIN::ShowConflictStatus() {
  const Trackers& t = Context().Track;
  W.FajrStatus->setVisible(t.IshaFajrConflict.Flag || t.FajrSaturation.Flag);
  W.IshaStatus->setVisible(t.IshaFajrConflict.Flag || t.IshaSaturation.Flag);
  const std::string text = session_->ConflictText();
  W.FajrStatus->setToolTip(Q(text));
  W.IshaStatus->setToolTip(Q(text));
  W.FajrStatus->setStatusTip(Q(FlattenLines(text)));
  W.IshaStatus->setStatusTip(Q(FlattenLines(text)));
}

void TVEK__MAIN::UpdateAzhanButton() {
  const VekSettings& s = Settings();
  SetTextIfChanged(W.AzanSoundBtn, Q(AzhanButtonCaption(s.AzanSoundOn, s.Lang)));
  W.AzanSoundBtn->setIcon(s.AzanSoundOn ? AzanOnImage() : AzanOffImage());
  const std::string state = AzhanStateText(s.AzanSoundOn, s.Lang);
  const std::string caption = AzhanCaption(trigger_->AvailableAzhanCount(), s.AzhanIndex,
                                           s.NextAzhanChoice, s.AzhanDescriptions, s.Lang);
  W.AzanSoundBtn->setToolTip(Q(state + "\r\n" + caption));
  W.AzanSoundBtn->setStatusTip(Q(FlattenLines(state + " " + caption)));
}

// ---------------------------------------------------------------------------------------------
// Timing

void TVEK__MAIN::OvcClock1SecondChange() {
  // Before the day is shown a new minute has nothing to count down nor announce.
  if (dayShown_)
    session_->AdvanceClock([this] { UpdateOnMinuteChange(); }, [this] { UpdateOnDayChange(); });
  else
    session_->ReadClock();
  W.OvcClock1->SetTime(Context().Tick.ClockHour(), Context().Tick.ClockMinute(),
                       Context().Tick.ClockSecond());
}

void TVEK__MAIN::ShowCurrentTimeLabel() {
  SetTextIfChanged(W.STime, Q(session_->TimeText()));
}

void TVEK__MAIN::UpdateOnMinuteChange() {
  session_->MinuteChanged();
  ShowCurrentTimeLabel();
  ShowCountdown();
  RunSoundTrigger(false);
}

void TVEK__MAIN::UpdateOnDayChange() {
  session_->DayChanged();
}

void TVEK__MAIN::ShowCountdown() {
  if (!session_->HasCurrentLocation()) {
    W.TimesLeft->clear();
    return;
  }
  SetStatusIcon(Context().Status.Icon);
  const StatusState& st = Context().Status;
  const std::string popup = Arabic() ? st.ArabicStatusText + st.ArabicStatusHelp
                                     : st.EnglishStatusText + st.EnglishStatusHelp;
  W.Main_Image->setToolTip(Q(popup));
  W.Main_Image->setStatusTip(Q(Arabic() ? st.ArabicStatusText : st.EnglishStatusText));
  const CountdownTexts texts =
      MakeCountdownTexts(Context().Next.MinutesToNext, Context().Next.Kind, Settings().Lang);
  SetTextIfChanged(W.TimesLeft, Q(texts.Long));
  title_ = Q(texts.Title);
  setWindowIconText(title_);
  if (W.StTrayIcon1)
    W.StTrayIcon1->setToolTip(Q(texts.TrayHint));
}

void TVEK__MAIN::ShowSavingTimeLabel() {
  if (!session_->HasCurrentLocation()) {
    W.DLS_Label->clear();
    return;
  }
  const SavingTimeLabels texts =
      SavingTimeTexts(Context().Locations.Current().Rec, DayNumberOfYear(session_->Today()));
  SetTextIfChanged(W.DLS_Label, Q(Arabic() ? texts.Arabic : texts.English));
}

void TVEK__MAIN::SetStatusIcon(StatusIcon icon) {
  // The countdown asks every minute; the window, the picture and the tray take an icon only when
  // the status has changed.
  if (shownStatusIcon_ == icon)
    return;
  shownStatusIcon_ = icon;
  const QIcon image = StatusIconImage(icon);
  setWindowIcon(image);
  W.Main_Image->setPixmap(image.pixmap(32, 32));
  if (W.StTrayIcon1)
    W.StTrayIcon1->setIcon(image);
}

// ---------------------------------------------------------------------------------------------
// Events

void TVEK__MAIN::WMUser() {
  BringToFront(this);
}

bool TVEK__MAIN::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    W._SHelp->setText(Q(FlattenLines(ToUtf8(static_cast<QStatusTipEvent*>(event)->tip()))));
    return true;
  }
  if (event->type() == QEvent::WindowActivate)
    FormActivate();
  return QMainWindow::event(event);
}

void TVEK__MAIN::closeEvent(QCloseEvent* event) {
  if (!FormCloseQuery()) {
    event->ignore();
    return;
  }
  if (!closingAtStart_)
    session_->SaveAtClose();
  if (W.StTrayIcon1)
    W.StTrayIcon1->hide();
  event->accept();
  emit Closed();
}

void TVEK__MAIN::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange && isMinimized() && W.StTrayIcon1 &&
      Settings().MinimizeToTray)
    QTimer::singleShot(0, this, [this] { hide(); });
}

}  // namespace vek
