#include "mainwin/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QStatusTipEvent>
#include <QVBoxLayout>

#include <cmath>
#include <fstream>

#include "engine/calendar.h"
#include "engine/prayer_times.h"
#include "foundation/arabic_support.h"
#include "foundation/busy_wait.h"
#include "foundation/cp1256.h"
#include "foundation/debug_log.h"
#include "foundation/dos_error.h"
#include "foundation/file_helpers.h"
#include "foundation/program_folder.h"
#include "foundation/qt/qt_strings.h"
#include "foundation/text.h"
#include "locations/dialogs/change_location_dialog.h"
#include "locations/dialogs/location_operations_dialog.h"
#include "locations/dialogs/select_location_dialog.h"
#include "locations/location_file.h"
#include "mainwin/alert_window.h"
#include "mainwin/analog_clock.h"
#include "mainwin/clock_face.h"
#include "mainwin/clock_face_form.h"
#include "mainwin/clock_face_loader.h"
#include "mainwin/program_icons.h"
#include "mainwin/single_instance.h"
#include "mainwin/splash_window.h"
#include "platform/system_folders.h"
#include "program/current_location.h"
#include "program/display_texts.h"
#include "program/settings_converters.h"
#include "sounds/qt_sound_player.h"
#include "sounds/sound_files.h"
#include "sounds/sound_trigger.h"

namespace vek {

namespace {

namespace fs = std::filesystem;

constexpr const char* kDownloadedFolder = "DOWNLOADED FILES";
// An installer of an older version, left in the program folder under its fixed name.
constexpr const char* kOldInstallerName = "GO-VEK.EXE";
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
      ui_(std::make_unique<SplashAwareUi>(*options_.Ui, [this] { CloseSplashNow(); })),
      clock_(options_.Clock ? *options_.Clock : SystemWallClock()),
      sys_{*ui_, options_.WaitClock ? *options_.WaitClock : SystemClock()} {
  BuildWidgets();
  if (options_.Player == nullptr)
    ownPlayer_ = std::make_unique<QtSoundPlayer>(options_.ProgramSounds);
  player_ = options_.Player ? options_.Player : ownPlayer_.get();
  alertPort_ = std::make_unique<AlertWindowPort>(this, [this] {
    AlertWindowContext c;
    c.lang = ctx_.Settings.Lang;
    c.showHint = ctx_.Settings.ShowHint;
    c.azhanCaption = AzhanCaption(trigger_->AvailableAzhanCount(), ctx_.Settings.AzhanIndex,
                                  ctx_.Settings.NextAzhanChoice, ctx_.Settings.AzhanDescriptions,
                                  ctx_.Settings.Lang);
    c.availableAzhanCount = trigger_->AvailableAzhanCount();
    c.settings = &ctx_.Settings;
    c.mute = [this] { trigger_->MuteAlertSound(); };
    c.saveSettings = [this] { SaveSettings(); };
    c.showWarningScreenChanged = [this] { UpdateSoundItems(); };
    if (const QScreen* screen = this->screen())
      c.screenArea = screen->availableGeometry();
    return c;
  });
  trigger_ = std::make_unique<SoundTrigger>(ctx_.Settings, *player_, *alertPort_, *ui_,
                                            options_.ProgramFolder);
  trigger_->onCloseTask = [this] { close(); };
  BuildLocationMenu();
  BuildSoundsMenu();
  FormCreate();
}

TVEK__MAIN::~TVEK__MAIN() = default;

bool TVEK__MAIN::Arabic() const {
  return ctx_.Settings.Lang == Language::Arabic;
}

std::string TVEK__MAIN::Text(const char* english, const char* arabic) const {
  return Arabic() ? arabic : english;
}

// ---------------------------------------------------------------------------------------------
// Widgets

void TVEK__MAIN::BuildWidgets() {
  setObjectName("TVEK__MAIN");
  MainPanel = new QWidget(this);
  MainPanel->setObjectName("MainPanel");
  setCentralWidget(MainPanel);
  auto* outer = new QVBoxLayout(MainPanel);
  outer->setContentsMargins(10, 8, 10, 4);
  outer->setSpacing(6);

  // Heading: logo, date and location.
  auto* heading = new QHBoxLayout;
  Logo = new QLabel;
  heading->addWidget(Logo);
  auto* captions = new QVBoxLayout;
  SDate_P = new QLabel;
  SDate_P->setObjectName("SDate_P");
  City = new QLabel;
  City->setObjectName("City");
  QFont dateFont = SDate_P->font();
  dateFont.setPointSizeF(dateFont.pointSizeF() * 1.15);
  dateFont.setBold(true);
  SDate_P->setFont(dateFont);
  QFont cityFont = City->font();
  cityFont.setPointSizeF(cityFont.pointSizeF() * 1.3);
  cityFont.setBold(true);
  City->setFont(cityFont);
  City->setStyleSheet("color: #1d4e89;");
  captions->addWidget(SDate_P);
  captions->addWidget(City);
  heading->addLayout(captions, 1);
  outer->addLayout(heading);

  // The times panel and the clock.
  auto* middle = new QHBoxLayout;
  auto* times = new TimesPanel(1.2, 1.35);
  KQ_P = times;
  SlotNames = times->Names();
  SlotTimes = times->Times();
  FajrStatus = new QLabel("\u25CF");
  IshaStatus = new QLabel("\u25CF");
  for (QLabel* shape : {FajrStatus, IshaStatus}) {
    shape->setStyleSheet("color: #c0392b;");
    shape->setVisible(false);
  }
  times->AddToRow(Fajr, FajrStatus);
  times->AddToRow(Isha, IshaStatus);
  middle->addWidget(KQ_P, 1);

  _OuterClockPanel = new QFrame;
  _OuterClockPanel->setObjectName("_OuterClockPanel");
  auto* clockBox = new QVBoxLayout(_OuterClockPanel);
  clockBox->setContentsMargins(6, 6, 6, 6);
  OvcClock1 = new AnalogClock;
  OvcClock1->installEventFilter(this);
  clockBox->addWidget(OvcClock1, 0, Qt::AlignHCenter);
  STime = new QLabel;
  STime->setAlignment(Qt::AlignHCenter);
  STime->installEventFilter(this);
  clockBox->addWidget(STime);
  auto* clockButtons = new QHBoxLayout;
  ClockFaceSpeedButton = new QToolButton;
  ClockBackGroundSpeedButton = new QToolButton;
  ClcockSizeSpeedButton = new QToolButton;
  ColorsSpeedButton = new QToolButton;
  const std::array<std::pair<QToolButton*, const char*>, 4> glyphs = {{
      {ClockFaceSpeedButton, "\u25D0"},
      {ClockBackGroundSpeedButton, "\u25A1"},
      {ClcockSizeSpeedButton, "\u2922"},
      {ColorsSpeedButton, "\u25C6"},
  }};
  for (const auto& [button, glyph] : glyphs) {
    button->setText(QString::fromUtf8(glyph));
    button->setAutoRaise(true);
    button->installEventFilter(this);
    clockButtons->addWidget(button);
  }
  clockBox->addLayout(clockButtons);
  SetClockButtonsVisible(false);
  middle->addWidget(_OuterClockPanel);
  outer->addLayout(middle, 1);

  // The status icon, the countdown and the daylight-saving label.
  auto* status = new QHBoxLayout;
  Main_Image = new QLabel;
  status->addWidget(Main_Image);
  TimesLeft = new QLabel;
  TimesLeft->setObjectName("TimesLeft");
  QFont leftFont = font();
  leftFont.setPointSizeF(leftFont.pointSizeF() * 1.1);
  leftFont.setBold(true);
  TimesLeft->setFont(leftFont);
  status->addWidget(TimesLeft, 1);
  DLS_Label = new QLabel;
  status->addWidget(DLS_Label);
  outer->addLayout(status);

  // The buttons.
  Btns_P = new QWidget;
  auto* buttons = new QHBoxLayout(Btns_P);
  buttons->setContentsMargins(0, 0, 0, 0);
  ExitBtn = new QPushButton;
  ReportBtn = new QPushButton;
  CalendarBtn = new QPushButton;
  _LanguageBtn = new QPushButton;
  AzanSoundBtn = new QPushButton;
  AlarmSoundBtn = new QPushButton;
  // The report and the calendar come with the timetables.
  ReportBtn->setEnabled(false);
  CalendarBtn->setEnabled(false);
  for (QPushButton* b :
       {ExitBtn, ReportBtn, CalendarBtn, _LanguageBtn, AzanSoundBtn, AlarmSoundBtn})
    buttons->addWidget(b);
  outer->addWidget(Btns_P);
  connect(ExitBtn, &QPushButton::clicked, this, [this] { ExitBtnClick(); });
  connect(_LanguageBtn, &QPushButton::clicked, this, [this] { LanguageBtnClick(); });
  connect(AzanSoundBtn, &QPushButton::clicked, this, [this] { AzanSoundBtnClick(); });
  connect(AlarmSoundBtn, &QPushButton::clicked, this, [this] { AlarmSoundBtnClick(); });

  _SHelp = new QLabel;
  _SHelp->setObjectName("_SHelp");
  _SHelp->setStyleSheet("color: #555;");
  outer->addWidget(_SHelp);

  TaskTimer = new QTimer(this);
  TaskTimer->setInterval(100);
  connect(TaskTimer, &QTimer::timeout, this, [this] { RunTasks(); });

  ClockTimer = new QTimer(this);
  ClockTimer->setInterval(1000);
  connect(ClockTimer, &QTimer::timeout, this, [this] { OvcClock1SecondChange(); });
  connect(OvcClock1, &AnalogClock::MouseDown, this,
          [this](Qt::MouseButton b) { OvcClock1MouseDown(b); });
  MainPanel->setMouseTracking(true);
  MainPanel->installEventFilter(this);
}

void TVEK__MAIN::SetClockButtonsVisible(bool visible) {
  for (QToolButton* b :
       {ClockFaceSpeedButton, ClockBackGroundSpeedButton, ClcockSizeSpeedButton, ColorsSpeedButton})
    b->setVisible(visible);
}

bool TVEK__MAIN::eventFilter(QObject* watched, QEvent* event) {
  const bool overClock = watched == OvcClock1 || watched == STime ||
                         watched == ClockFaceSpeedButton || watched == ClockBackGroundSpeedButton ||
                         watched == ClcockSizeSpeedButton || watched == ColorsSpeedButton;
  if (event->type() == QEvent::Enter && overClock)
    SetClockButtonsVisible(true);
  else if (event->type() == QEvent::MouseMove && watched == MainPanel)
    SetClockButtonsVisible(false);
  if (event->type() == QEvent::MouseButtonPress && watched != OvcClock1) {
    const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
    if (watched == ClockFaceSpeedButton)
      OvcClock1MouseDown(button);
    else if (watched == ColorsSpeedButton)
      ColorsSpeedButtonMouseDown(button);
    else if (watched == ClcockSizeSpeedButton)
      ChangeClockSizeOnMouseDown();
    else if (watched == ClockBackGroundSpeedButton)
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
  const std::vector<std::string>& params = options_.Parameters;
  CommandLineSwitches& sw = Switches();
  // The balloon hint window comes with the balloon hints.

  // The program folder.
  ctx_.ThisPath = options_.ProgramFolder;
  std::error_code ec;
  fs::create_directories(ctx_.ThisPath / kDownloadedFolder, ec);
  ctx_.RunInstaller = false;
  // The messages about a downloaded installer are in the user's language.
  ctx_.Settings.Lang = ReadSettingsLanguage(
      IniFile(FindFileIgnoringCase(ctx_.ThisPath, std::string(kSettingsFileName))));
  HandleDownloadedInstaller();
  PrepareDebugLog();
  sw.TesterMode = HasSwitch(params, "QETESTINGVEK");

  ctx_.FormCreated = false;
  ctx_.FirstRun = false;
  ctx_.SettingsFileMissing = true;
  ClockTimer->stop();

  // The settings file; the ForceArabic key before the command line, which can only add to it.
  bool missing = true;
  if (const int e = OpenSettingsFile(ctx_.SettingsFile, ctx_.ThisPath, missing); e != 0)
    ui_->ShowMessage(
        Text("The settings file could not be read:\r\n", "تعذرت قراءة ملف الإعدادات:\r\n") +
        ctx_.SettingsFile.FileName().string() + "\r\n" + IoErrorText(e));
  ctx_.SettingsFileMissing = missing;
  ctx_.FirstRun = missing;
  ReadSettings(ctx_.SettingsFile, ctx_.Settings, sw);
  ParseCommandLineSwitches(params, sw);
  ctx_.ArabicSupported =
      CheckArabicSupport(sw,
                         options_.ArabicCanBeShown ? options_.ArabicCanBeShown
                                                   : std::function<bool()>([] { return true; }),
                         *ui_);

  if (SplashWanted()) {
    SplashWnd = new TSplashWnd(this, ctx_.Settings.Lang, ctx_.Settings.ShowHint,
                               &ctx_.Settings.ShowSplashOption);
    SplashWnd->show();
    SplashWnd->raise();
    QApplication::processEvents();
  }

  InstallSounds();
  LoadClock();
  ctx_.Tick = ClockTick{};
  UpdateRamadan();

  if (!LoadLocations()) {
    CloseSplashNow();
    ui_->ShowMessage("إغلاق البرنامج\r\nClosing Program");
    closingAtStart_ = true;
    QTimer::singleShot(0, this, [this] { close(); });
    return;
  }
  SelectSavedLocation();
  // The opening Basmalah is queued before the first minute's sounds, so that an alarm due at
  // start follows it instead of replacing it; the tasks run once the start-up has finished.
  if (ctx_.Settings.OpeningBasmalah) {
    trigger_->StartTask(kTaskBasmalah);
    TaskTimer->start();
  }
  ApplyLanguageLayout();
  // The first-run wizard comes with its own form; until then a first start shows the times
  // as every other start does.
  RecomputeAndShowTimes();
  OvcClock1SecondChange();
  ShowLocationCaption();
  ShowCountdown();

  UpdateMenuCaptions();
  UpdateDateCaptions();
  ShowSavingTimeLabel();
  RefreshClick();
  UpdateAzhanButton();

  if (SplashWnd)
    StartSplashClosing(SplashWnd);
  if (!sw.StopClock) {
    OvcClock1->SetActive(true);
    ClockTimer->start();
  }
  RunSoundTrigger(true);
  if (options_.UseTray && QSystemTrayIcon::isSystemTrayAvailable()) {
    StTrayIcon1 = new QSystemTrayIcon(windowIcon(), this);
    connect(StTrayIcon1, &QSystemTrayIcon::activated, this, [this] { WMUser(); });
    StTrayIcon1->setToolTip(title_);
    StTrayIcon1->show();
  }
  ctx_.FormCreated = true;
  SaveSettings();
}

bool TVEK__MAIN::SplashWanted() const {
  const std::vector<std::string>& params = options_.Parameters;
  return !ParameterContains(params, 0, "NOSPLASH") && !ParameterContains(params, 1, "NOSPLASH") &&
         !ctx_.FirstRun && !ParameterContains(params, 0, "INSTALL") &&
         ctx_.Settings.ShowSplashOption;
}

void TVEK__MAIN::CloseSplashNow() {
  if (SplashWnd) {
    SplashWnd->hide();
    StartSplashClosing(SplashWnd);
  }
}

void TVEK__MAIN::HandleDownloadedInstaller() {
  SystemServices& sys = sys_;
  std::error_code ec;
  const fs::path old = FindFileIgnoringCase(ctx_.ThisPath, kOldInstallerName);
  if (fs::exists(old, ec))
    ForceDeleteFile(old, sys.fs);

  // The first "ZUZUZ*.EXE" in name order.
  fs::path found;
  std::vector<fs::path> candidates;
  for (const fs::directory_entry& e : fs::directory_iterator(ctx_.ThisPath, ec)) {
    const std::string name = AsciiUpper(e.path().filename().string());
    if (e.is_regular_file() && name.starts_with("ZUZUZ") && name.ends_with(".EXE"))
      candidates.push_back(e.path());
  }
  std::sort(candidates.begin(), candidates.end());
  if (!candidates.empty()) {
    found = candidates.front();
    ctx_.FoundInstallerPath = found.string();
    const std::string path = found.string();
    const std::string target = (ctx_.ThisPath / kDownloadedFolder).string() + "/";
    if (Switches().MoveGoVekFile) {
      ui_->ShowMessage(
          Text("An attempt will be made to move the Installation file\r\n",
               "ستجري محاولة نقل ملف التثبيت\r\n") +
          path + "\r\n" + Text("to the directory:", "إلى المجلد:") + "\r\n" + target + "\r\n\r\n" +
          Text("Please wait after closing this window", "يرجى الانتظار بعد إغلاق هذه النافذة"));
      WaitWithHourglass(10, *ui_, sys.clock);
      bool moved = false;
      for (int tries = 0; fs::exists(found, ec) && tries < 5; ++tries) {
        sys.fs.SetWritable(found, true);
        const bool ok =
            SafeRenameFile(found, ctx_.ThisPath / kDownloadedFolder / found.filename(), sys);
        moved = moved || ok;
        if (!ok)
          WaitWithHourglass(5, *ui_, sys.clock);
        if (fs::exists(found, ec))
          ui_->ShowMessage(Text("File could not be moved\r\n", "تعذر نقل الملف\r\n") + path +
                           "\r\n" + Text("Will try again now", "ستعاد المحاولة الآن"));
      }
      if (moved) {
        ui_->ShowMessage(
            Text("The Installation file\r\n", "ملف التثبيت\r\n") + path + "\r\n" +
            Text("has been moved successfully to the directory:", "نُقل بنجاح إلى المجلد:") +
            "\r\n" + target);
      } else {
        ui_->Beep();
        ui_->ShowMessage(
            Text("Failed moving the Installation file\r\n", "فشل نقل ملف التثبيت\r\n") + path +
            "\r\n\r\n" +
            Text("It is recommended to remove it manually from its current directory",
                 "يُنصح بإزالته يدوياً من مجلده الحالي") +
            "\r\n" +
            Text("to prevent future prompts about installing it",
                 "لتجنب السؤال عن تثبيته في المرات القادمة"));
      }
    } else {
      ctx_.RunInstaller =
          ui_->AskNoYes(Text("Found Installation file: ", "وُجد ملف تثبيت: ") + path + "\r\n" +
                            Text("Do you want to run it?", "هل تريد تشغيله؟"),
                        Arabic() ? kArabicCaptions : kEnglishCaptions) == 1;
    }
  }

  const fs::path startup = GetStartupFolder();
  if (!startup.empty()) {
    const fs::path shortcut = FindFileIgnoringCase(startup, kOldStartupShortcut);
    if (fs::exists(shortcut, ec))
      ForceDeleteFile(shortcut, sys.fs);
  }
}

void TVEK__MAIN::PrepareDebugLog() {
  const std::vector<std::string>& params = options_.Parameters;
  CommandLineSwitches& sw = Switches();
  SetLogFileName(DebugLogFileFor(ctx_.ThisPath));
  std::error_code ec;
  fs::remove(LogFileName(), ec);
  sw.DebugVek = HasSwitch(params, "DEBUGVEK");
  sw.DebugVekLoc = HasSwitch(params, "DEBUGVEKLOC");
  sw.IgnoreBmp = HasSwitch(params, "IGNOREBMP");
  if (!sw.DebugVek && !sw.DebugVekLoc)
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
  BringSoundArchivesHome(ctx_.ThisPath, sys_);
  const std::vector<fs::path> desktopCopies =
      CopyDesktopArchives(ctx_.ThisPath, GetDesktopFolder(), sys_, ctx_.Settings.Lang);
  InstallFoundArchives(ctx_.ThisPath, desktopCopies, sys_, ctx_.Settings.Lang);
  ScanSoundFiles(ctx_.ThisPath, sys_);
  FindAvailableAzhans();
}

void TVEK__MAIN::FindAvailableAzhans() {
  const std::array<bool, 8> files = PresentAzhanFiles(ctx_.ThisPath);
  std::array<bool, 6> present{};
  std::copy_n(files.begin(), 6, present.begin());
  VekSettings& s = ctx_.Settings;
  // The next adhan of "all in turn": the saved one when its file is there, else the first there
  // (SetPresentAzhans moves a choice that is none to the first present recording).
  s.NextAzhanChoice =
      s.NextAzhanIndex < 6 && present[s.NextAzhanIndex] ? s.NextAzhanIndex : kNoNextAzhanChoice;
  trigger_->SetPresentAzhans(present);
  // The stored choice, through its menu handler when its item is enabled.
  if (s.AzhanIndex < 6 && trigger_->AzhanItemEnabled(s.AzhanIndex))
    trigger_->SelectAzhan(s.AzhanIndex);
  else if (s.AzhanIndex == kAllAzhans && trigger_->AvailableAzhanCount() > 1)
    trigger_->SelectAzhan(kAllAzhans);
  UpdateSoundItems();
}

void TVEK__MAIN::LoadClock() {
  LoadFace(ctx_.Settings.ClockFaceIndex);
  ApplyClockSize();
  ApplyClockBackground();
  ApplyHandColors();
}

void TVEK__MAIN::LoadFace(int index) {
  if (options_.FacePacks == nullptr)
    return;
  const int loaded =
      LoadClockFace(FaceCodeOfIndex(index), ctx_.ThisPath, *options_.FacePacks, *OvcClock1, *ui_);
  if (loaded >= 0)
    ctx_.Settings.ClockFaceIndex = loaded;
}

void TVEK__MAIN::UpdateRamadan() {
  ctx_.IsRamadan = IsRamadanDate(std::floor(clock_.Now()), ctx_.Settings.HijriAdjust);
}

bool TVEK__MAIN::LoadLocations() {
  LocationFileContext lctx{ctx_.ThisPath, *ui_, ctx_.Settings.Lang};
  fnReadLocations(ctx_.Locations, lctx);
  ctx_.FatalStartError = lctx.FatalStartError;
  return !ctx_.FatalStartError;
}

void TVEK__MAIN::SelectSavedLocation() {
  TLocations& list = ctx_.Locations;
  ctx_.Track.Reset();
  if (list.Count() == 0) {
    list.CurrentIndex = -1;
    return;
  }
  const VekSettings& s = ctx_.Settings;
  const int found = list.Find(s.SelectedCity, s.SelectedCountry, s.SelectedState);
  list.CurrentIndex = found >= 0 ? found : 0;
  const EngineContext ectx{s.Safety, s.HijriAdjust, ui_.get()};
  ScanHighLatitudeForCurrent(list, DecodeDate(clock_.Now()).Year, ectx, ctx_.Track);
}

// ---------------------------------------------------------------------------------------------
// Display

void TVEK__MAIN::RecomputeAndShowTimes() {
  const TLocations& list = ctx_.Locations;
  const bool none = list.CurrentIndex < 0 || list.CurrentIndex >= list.Count();
  const double today = std::floor(clock_.Now());
  if (!none) {
    const VekSettings& s = ctx_.Settings;
    const EngineContext ectx{s.Safety, s.HijriAdjust, ui_.get()};
    ctx_.TodayTimes = ComputeTodayTimes(list, list.CurrentIndex, today, ectx);
    ctx_.YesterdayTimes = ComputeTodayTimes(list, list.CurrentIndex, today - 1, ectx);
  }
  if (none) {
    KQ_P->ShowImsak(ctx_.IsRamadan);
    KQ_P->Clear();
  } else {
    KQ_P->ShowTimes(ctx_.TodayTimes, ctx_.IsRamadan, ctx_.Settings.Is24H);
  }
}

void TVEK__MAIN::ApplyLanguageLayout() {
  const bool arabic = Arabic();
  const Qt::LayoutDirection direction = arabic ? Qt::RightToLeft : Qt::LeftToRight;
  MainPanel->setLayoutDirection(direction);
  setLayoutDirection(direction);
  KQ_P->SetLanguage(ctx_.Settings.Lang);

  ExitBtn->setText(Q(Text("Exit", "خروج")));
  ExitBtn->setToolTip(Q(Text("Stop execution & exit to windows", "إيقاف البرنامج والخروج")));
  ReportBtn->setText(Q(Text("Report", "تقرير")));
  ReportBtn->setToolTip(
      Q(Text("Design & print reports for prayer times", "تصميم تقارير أوقات الصلاة وطباعتها")));
  CalendarBtn->setText(Q(Text("Calendar", "التقويم")));
  CalendarBtn->setToolTip(Q(Text("Show Calendar & convert a date between Hijri and Gregorian",
                                 "عرض التقويم وتحويل تاريخ بين الهجري والميلادي")));
  _LanguageBtn->setText(Q(Text("عربي", "English")));
  _LanguageBtn->setToolTip(
      Q(Text("Change the program interface to Arabic", "تغيير لغة واجهة البرنامج إلى الإنجليزية")));
  ClcockSizeSpeedButton->setToolTip(Q(Text("change size", "تغيير الحجم")));
  ClockBackGroundSpeedButton->setToolTip(Q(Text("change background", "تغيير الخلفية")));
  ClockFaceSpeedButton->setToolTip(
      Q(Text("change face\r\nLeft Mouse: Next\r\nRight Mouse: Previous",
             "تغيير وجه الساعة\r\nالزر الأيسر: التالي\r\nالزر الأيمن: السابق")));
  OvcClock1->setToolTip(
      Q(Text("Click here to change face\r\nLeft Mouse: Next\r\nRight Mouse: Previous",
             "انقر هنا لتغيير وجه الساعة\r\nالزر الأيسر: التالي\r\nالزر الأيمن: السابق")));
  ColorsSpeedButton->setToolTip(
      Q(Text("Change hands color\r\nLeft Mouse: Next\r\nRight Mouse: Previous",
             "تغيير لون العقارب\r\nالزر الأيسر: التالي\r\nالزر الأيمن: السابق")));
  Logo->setPixmap(ProgramLogo(ctx_.Settings.Lang, QSize(150, 56)));
  const Qt::Alignment side = arabic ? Qt::AlignRight : Qt::AlignLeft;
  SDate_P->setAlignment(side | Qt::AlignVCenter);
  City->setAlignment(side | Qt::AlignVCenter);
  _SHelp->setAlignment(side | Qt::AlignVCenter);
  for (int i = 0; i < 7; ++i)
    SlotNames[i]->setVisible(i != Imsak || ctx_.IsRamadan);
  setWindowTitle(Q(VersionCaption(ctx_.ArabicSupported)));
  UpdateSoundItems();
}

void TVEK__MAIN::UpdateMenuCaptions() {
  CaptionLocationMenu();
  ShowConflictStatus();
}

void TVEK__MAIN::UpdateDateCaptions() {
  const VekSettings& s = ctx_.Settings;
  const std::string text =
      DateCaption(std::floor(clock_.Now()), s.HijriMode, s.Names, s.Lang, s.HijriAdjust);
  SetTextIfChanged(SDate_P, Q(text));
  if (dialogDate_)
    dialogDate_(text);
}

void TVEK__MAIN::ShowLocationCaption() {
  const TLocations& list = ctx_.Locations;
  if (list.CurrentIndex < 0 || list.CurrentIndex >= list.Count()) {
    City->clear();
    return;
  }
  SetTextIfChanged(City, Q(LocationCaption(list.Current().Rec)));
}

void TVEK__MAIN::ShowConflictStatus() {
  const Trackers& t = ctx_.Track;
  FajrStatus->setVisible(t.IshaFajrConflict.Flag || t.FajrSaturation.Flag);
  IshaStatus->setVisible(t.IshaFajrConflict.Flag || t.IshaSaturation.Flag);
  const VekSettings& s = ctx_.Settings;
  const MonthCaptionContext days{s.HijriMode,      s.Lang,          DecodeDate(clock_.Now()).Year,
                                 s.HijriAdjust,    s.Names.AMonths, s.Names.EMonths,
                                 s.Names.AHMonths, s.Names.EHMonths};
  const std::string text = Arabic() ? ArabicConflictText(t, days) : EnglishConflictText(t, days);
  FajrStatus->setToolTip(Q(text));
  IshaStatus->setToolTip(Q(text));
  FajrStatus->setStatusTip(Q(FlattenLines(text)));
  IshaStatus->setStatusTip(Q(FlattenLines(text)));
}

void TVEK__MAIN::UpdateAzhanButton() {
  const VekSettings& s = ctx_.Settings;
  SetTextIfChanged(AzanSoundBtn, Q(AzhanButtonCaption(s.AzanSoundOn, s.Lang)));
  AzanSoundBtn->setIcon(s.AzanSoundOn ? AzanOnImage() : AzanOffImage());
  const std::string state = AzhanStateText(s.AzanSoundOn, s.Lang);
  const std::string caption = AzhanCaption(trigger_->AvailableAzhanCount(), s.AzhanIndex,
                                           s.NextAzhanChoice, s.AzhanDescriptions, s.Lang);
  AzanSoundBtn->setToolTip(Q(state + "\r\n" + caption));
  AzanSoundBtn->setStatusTip(Q(FlattenLines(state + " " + caption)));
}

// ---------------------------------------------------------------------------------------------
// Timing

void TVEK__MAIN::OvcClock1SecondChange() {
  ctx_.Tick.OnSecond(
      clock_.Now(), [this] { UpdateOnMinuteChange(); }, [this] { UpdateOnDayChange(); });
  OvcClock1->SetTime(ctx_.Tick.ClockHour(), ctx_.Tick.ClockMinute(), ctx_.Tick.ClockSecond());
}

void TVEK__MAIN::ShowCurrentTimeLabel() {
  SetTextIfChanged(STime, Q(FormatPrayerTime(ctx_.Tick.NowMinute(), ctx_.Settings.Is24H)));
}

void TVEK__MAIN::UpdateOnMinuteChange() {
  ShowCurrentTimeLabel();
  ShowCountdown();
  if (dialogClock_)
    dialogClock_();
  RunSoundTrigger(false);
}

void TVEK__MAIN::UpdateOnDayChange() {
  UpdateRamadan();
  UpdateDateCaptions();
  ApplyLanguageLayout();
  ShowLocationCaption();
  RecomputeAndShowTimes();
  ShowCountdown();
  UpdateDateCaptions();
  ShowSavingTimeLabel();
}

void TVEK__MAIN::ShowCountdown() {
  const TLocations& list = ctx_.Locations;
  if (list.CurrentIndex < 0 || list.CurrentIndex >= list.Count()) {
    TimesLeft->clear();
    return;
  }
  ctx_.Next = ComputeNextEvent(MinuteOfDay(ctx_.Tick.NowMinute()), ctx_.TodayTimes,
                               ctx_.YesterdayTimes, ctx_.IsRamadan, ctx_.Status);
  SetStatusIcon(ctx_.Status.Icon);
  const StatusState& st = ctx_.Status;
  const std::string popup = Arabic() ? st.ArabicStatusText + st.ArabicStatusHelp
                                     : st.EnglishStatusText + st.EnglishStatusHelp;
  Main_Image->setToolTip(Q(popup));
  Main_Image->setStatusTip(Q(Arabic() ? st.ArabicStatusText : st.EnglishStatusText));
  const CountdownTexts texts =
      MakeCountdownTexts(ctx_.Next.MinutesToNext, ctx_.Next.Kind, ctx_.Settings.Lang);
  SetTextIfChanged(TimesLeft, Q(texts.Long));
  title_ = Q(texts.Title);
  setWindowIconText(title_);
  if (StTrayIcon1)
    StTrayIcon1->setToolTip(Q(texts.TrayHint));
}

void TVEK__MAIN::ShowSavingTimeLabel() {
  const TLocations& list = ctx_.Locations;
  if (list.CurrentIndex < 0 || list.CurrentIndex >= list.Count()) {
    DLS_Label->clear();
    return;
  }
  const SavingTimeLabels texts =
      SavingTimeTexts(list.Current().Rec, DayNumberOfYear(std::floor(clock_.Now())));
  SetTextIfChanged(DLS_Label, Q(Arabic() ? texts.Arabic : texts.English));
}

void TVEK__MAIN::SetStatusIcon(StatusIcon icon) {
  const QIcon image = StatusIconImage(icon);
  setWindowIcon(image);
  Main_Image->setPixmap(image.pixmap(32, 32));
  if (StTrayIcon1)
    StTrayIcon1->setIcon(image);
}

// ---------------------------------------------------------------------------------------------
// Commands

void TVEK__MAIN::ExitBtnClick() {
  close();
}

void TVEK__MAIN::LanguageBtnClick() {
  ctx_.Settings.Lang = Arabic() ? Language::English : Language::Arabic;
  ApplyLanguageLayout();
  UpdateMenuCaptions();
  UpdateDateCaptions();
  ShowLocationCaption();
  RecomputeAndShowTimes();
  ShowCountdown();
  ShowSavingTimeLabel();
  SaveSettings();
}

void TVEK__MAIN::AzanSoundBtnClick() {
  if (trigger_->AzanSoundBtnClick())
    SaveSettings();
  UpdateSoundItems();
}

void TVEK__MAIN::OvcClock1MouseDown(Qt::MouseButton button) {
  const int index = ctx_.Settings.ClockFaceIndex;
  LoadFace(button == Qt::LeftButton ? NextFace(index) : PreviousFace(index));
  SaveSettings();
}

void TVEK__MAIN::ChangeClockSizeOnMouseDown() {
  ctx_.Settings.ClockSizeIndex = (ctx_.Settings.ClockSizeIndex + 1) % 3;
  ApplyClockSize();
  SaveSettings();
}

void TVEK__MAIN::ApplyClockSize() {
  const int size = std::clamp(ctx_.Settings.ClockSizeIndex, 0, 2);
  OvcClock1->SetClockSize(size);
}

void TVEK__MAIN::ClockBackGroundClick() {
  ctx_.Settings.ClockWhite = !ctx_.Settings.ClockWhite;
  ApplyClockBackground();
  SaveSettings();
}

void TVEK__MAIN::ApplyClockBackground() {
  const bool white = ctx_.Settings.ClockWhite;
  OvcClock1->SetWhiteBackground(white);
  auto* panel = static_cast<QFrame*>(_OuterClockPanel);
  panel->setFrameStyle(white ? (QFrame::Panel | QFrame::Sunken) : QFrame::NoFrame);
  panel->setStyleSheet(white ? "#_OuterClockPanel { background: white; }" : "");
}

void TVEK__MAIN::ColorsSpeedButtonMouseDown(Qt::MouseButton button) {
  const int index = ctx_.Settings.HandsColorIndex;
  ctx_.Settings.HandsColorIndex =
      button == Qt::LeftButton ? NextHandColor(index) : PreviousHandColor(index);
  ApplyHandColors();
  SaveSettings();
}

void TVEK__MAIN::ApplyHandColors() {
  ApplyHandColorSet(*OvcClock1, ctx_.Settings.HandsColorIndex);
}

void TVEK__MAIN::SelectFaceClick() {
  if (options_.FacePacks == nullptr)
    return;
  ClockFaceFormContext context;
  context.lang = ctx_.Settings.Lang;
  context.currentIndex = ctx_.Settings.ClockFaceIndex;
  context.clock = OvcClock1;
  context.programFolder = ctx_.ThisPath;
  context.module = options_.FacePacks;
  context.ui = ui_.get();
  context.faceChosen = [this](int index) {
    ctx_.Settings.ClockFaceIndex = index;
    SaveSettings();
  };
  TClockFaceForm form(std::move(context), this);
  form.exec();
}

// ---------------------------------------------------------------------------------------------
// Locations

void TVEK__MAIN::BuildLocationMenu() {
  LocationMenu = menuBar()->addMenu(QString());
  SelectItem = LocationMenu->addAction(QString(), this, [this] { SelectClick(); });
  EditItem = LocationMenu->addAction(QString(), this, [this] { EditClick(); });
  OperationsItem = LocationMenu->addAction(QString(), this, [this] { OperationsClick(); });
}

void TVEK__MAIN::CaptionLocationMenu() {
  LocationMenu->setTitle(Q(Text("&Location", "ال&موقع")));
  SelectItem->setText(Q(Text("&Select Location...", "ا&ختيار موقع...")));
  EditItem->setText(Q(Text("&Edit current location...", "&تعديل الموقع الحالي...")));
  OperationsItem->setText(Q(Text("Location &operations...", "&عمليات المواقع...")));
  const bool any = ctx_.Locations.CurrentIndex >= 0 && ctx_.Locations.Count() > 0;
  for (QAction* a : {SelectItem, EditItem, OperationsItem})
    a->setEnabled(any);
}

LocationDialogContext TVEK__MAIN::MakeLocationDialogContext() {
  LocationDialogContext c;
  const VekSettings& s = ctx_.Settings;
  c.Locations = &ctx_.Locations;
  c.Lang = s.Lang;
  c.ShowHint = s.ShowHint;
  c.IsRamadan = ctx_.IsRamadan;
  c.Is24H = s.Is24H;
  c.Engine = EngineContext{s.Safety, s.HijriAdjust, ui_.get()};
  c.Today = std::floor(clock_.Now());
  c.Ui = ui_.get();
  c.DateText = [this] { return ToUtf8(SDate_P->text()); };
  c.TimeText = [this] { return FormatPrayerTime(ctx_.Tick.NowMinute(), ctx_.Settings.Is24H); };
  c.HijriMode = [this] { return ctx_.Settings.HijriMode; };
  c.ToggleDateMode = [this] { HijtiMiladiClick(); };
  return c;
}

// The refresh after a location dialog. The high-latitude trackers are scanned again for the
// current location after every dialog, so that the status marks describe the location shown.
void TVEK__MAIN::AfterLocationChange(bool saveSettings, bool saveLocations) {
  dialogDate_ = nullptr;
  dialogClock_ = nullptr;
  const VekSettings& s = ctx_.Settings;
  ctx_.Track.Reset();
  if (ctx_.Locations.CurrentIndex >= 0 && ctx_.Locations.CurrentIndex < ctx_.Locations.Count()) {
    const EngineContext ectx{s.Safety, s.HijriAdjust, ui_.get()};
    ScanHighLatitudeForCurrent(ctx_.Locations, DecodeDate(clock_.Now()).Year, ectx, ctx_.Track);
  }
  RecomputeAndShowTimes();
  ShowLocationCaption();
  UpdateMenuCaptions();
  ShowCountdown();
  UpdateDateCaptions();
  ShowSavingTimeLabel();
  if (saveLocations && ctx_.Locations.Modified) {
    LocationFileContext lctx{ctx_.ThisPath, *ui_, s.Lang};
    if (SaveLocations(ctx_.Locations, lctx))
      ctx_.Locations.Modified = false;
  }
  if (saveSettings)
    SaveSettings();
}

void TVEK__MAIN::SelectClick() {
  TSelectLocation dialog(MakeLocationDialogContext(), this);
  dialogDate_ = [&dialog](const std::string& text) { dialog.UpdateDateDisplay(Q(text)); };
  dialogClock_ = [&dialog] { dialog.UpdateClockDisplay(); };
  dialog.exec();
  AfterLocationChange(true, true);
}

void TVEK__MAIN::EditClick() {
  if (ctx_.Locations.CurrentIndex < 0)
    return;
  TChangeLocation dialog(MakeLocationDialogContext(), ctx_.Locations.CurrentIndex, this);
  dialog.exec();
  AfterLocationChange(false, true);
}

void TVEK__MAIN::OperationsClick() {
  TLocationOperation dialog(MakeLocationDialogContext(), this);
  dialogDate_ = [&dialog](const std::string& text) { dialog.UpdateDateDisplay(Q(text)); };
  dialogClock_ = [&dialog] { dialog.UpdateClockDisplay(); };
  dialog.exec();
  AfterLocationChange(true, true);
}

void TVEK__MAIN::HijtiMiladiClick() {
  ctx_.Settings.HijriMode = !ctx_.Settings.HijriMode;
  UpdateMenuCaptions();
  UpdateDateCaptions();
  SaveSettings();
}

// ---------------------------------------------------------------------------------------------
// Sounds

void TVEK__MAIN::RunSoundTrigger(bool force) {
  const TLocations& list = ctx_.Locations;
  if (list.CurrentIndex < 0 || list.CurrentIndex >= list.Count())
    return;  // no location, no times: nothing is announced
  trigger_->SoundAndAlertTrigger(force, ctx_.Next, MomentOf(ctx_.Tick));
  UpdateAzhanButton();
  if (trigger_->HasTask())
    TaskTimer->start();
}

void TVEK__MAIN::RunTasks() {
  if (!trigger_->HasTask()) {
    TaskTimer->stop();
    return;
  }
  if (player_->ResourcePlaying())
    return;  // the opening Basmalah plays to its end first
  trigger_->RunNextTask();
  UpdateSoundItems();
}

void TVEK__MAIN::BuildSoundsMenu() {
  SoundsMenu = menuBar()->addMenu(QString());
  for (int i = 0; i < 6; ++i) {
    AzhanItems[i] = SoundsMenu->addAction(QString(), this, [this, i] { SelectAzhanClick(i); });
    AzhanItems[i]->setCheckable(true);
  }
  AllAzhansItem = SoundsMenu->addAction(QString(), this, [this] { SelectAzhanClick(kAllAzhans); });
  AllAzhansItem->setCheckable(true);
  SoundsMenu->addSeparator();
  QMenu* tests = SoundsMenu->addMenu(QString());
  tests->setObjectName("TestAzhans");
  for (int tag = 1; tag <= 8; ++tag)
    TestAzhanItems[tag - 1] =
        tests->addAction(QString(), this, [this, tag] { TestAzhanClick(tag); });
  QMenu* names = SoundsMenu->addMenu(QString());
  names->setObjectName("AzhanNames");
  for (int tag = 1; tag <= 8; ++tag)
    ChAzNameItems[tag - 1] = names->addAction(QString(), this, [this, tag] { ChAzNameClick(tag); });
  SoundsMenu->addSeparator();
  AllSoundsItem = SoundsMenu->addAction(QString(), this, [this] { AllSoundsClick(); });
  ShuruqWarningItem = SoundsMenu->addAction(QString(), this, [this] { AllowShuruqWarningClick(); });
  BasmalahItem = SoundsMenu->addAction(QString(), this, [this] { BasmalahClick(); });
  ShowWarningScreenItem =
      SoundsMenu->addAction(QString(), this, [this] { ShowWarningScreenClick(); });
  StopThisTimeItem =
      SoundsMenu->addAction(QString(), this, [this] { StopSoundThisTimeOnlyClick(); });
  for (QAction* a : {AllSoundsItem, ShuruqWarningItem, BasmalahItem, ShowWarningScreenItem})
    a->setCheckable(true);
  SoundsMenu->addSeparator();
  ReadAvailableSurasItem =
      SoundsMenu->addAction(QString(), this, [this] { ReadAvailableSurasClick(); });
  NextSuraItem = SoundsMenu->addAction(QString(), this, [this] { NextSuraClick(); });
  StopReadingItem = SoundsMenu->addAction(QString(), this, [this] { StopReadingClick(); });
  RefreshItem = SoundsMenu->addAction(QString(), this, [this] { RefreshClick(); });
}

void TVEK__MAIN::CaptionSoundsMenu() {
  const VekSettings& s = ctx_.Settings;
  const auto& names = Arabic() ? s.AzhanDescriptions.Arabic : s.AzhanDescriptions.English;
  SoundsMenu->setTitle(Q(Text("&Sounds", "الأ&صوات")));
  for (int i = 0; i < 6; ++i)
    AzhanItems[i]->setText(Q(names[i]));
  AllAzhansItem->setText(Q(Text("All, in turn", "الكل بالتناوب")));
  SoundsMenu->findChild<QMenu*>("TestAzhans")->setTitle(Q(Text("Test Azhan", "تجربة الأذان")));
  SoundsMenu->findChild<QMenu*>("AzhanNames")
      ->setTitle(Q(Text("Change Azhan description", "تغيير وصف الأذان")));
  for (int i = 0; i < 8; ++i) {
    TestAzhanItems[i]->setText(Q(names[i]));
    ChAzNameItems[i]->setText(Q(names[i]));
  }
  AllSoundsItem->setText(Q(Text("All sounds", "جميع الأصوات")));
  ShuruqWarningItem->setText(Q(Text("Shuruq warning", "التنبيه عند الشروق")));
  BasmalahItem->setText(Q(Text("Opening Basmalah", "البسملة عند بدء البرنامج")));
  ShowWarningScreenItem->setText(Q(Text("Show Warning Screen", "إظهار نافذة التنبيه")));
  StopThisTimeItem->setText(Q(Text("Stop sound this time only", "إيقاف الصوت هذه المرة فقط")));
  ReadAvailableSurasItem->setText(Q(Text("Read available Suras", "تلاوة السور المتوفرة")));
  NextSuraItem->setText(Q(Text("Next Sura", "السورة التالية")));
  StopReadingItem->setText(Q(Text("Stop reading", "إيقاف التلاوة")));
  RefreshItem->setText(Q(Text("Refresh the Sura list", "تحديث قائمة السور")));
}

void TVEK__MAIN::UpdateSoundItems() {
  CaptionSoundsMenu();
  const VekSettings& s = ctx_.Settings;
  for (int i = 0; i < 6; ++i) {
    AzhanItems[i]->setEnabled(trigger_->AzhanItemEnabled(i));
    AzhanItems[i]->setChecked(s.AzhanIndex == i);
  }
  AllAzhansItem->setEnabled(trigger_->AvailableAzhanCount() > 1);
  AllAzhansItem->setChecked(s.AzhanIndex == kAllAzhans);
  const std::array<bool, 8> files = PresentAzhanFiles(ctx_.ThisPath);
  for (int i = 0; i < 8; ++i) {
    TestAzhanItems[i]->setEnabled(files[i]);
    ChAzNameItems[i]->setEnabled(i < 7 && files[i]);  // the last Fajr recording has no rename
  }
  AllSoundsItem->setChecked(trigger_->AllSoundsChecked());
  ShuruqWarningItem->setChecked(s.ShuruqSoundOn);
  BasmalahItem->setChecked(s.OpeningBasmalah);
  ShowWarningScreenItem->setChecked(s.ShowWarningScreen);
  ReadAvailableSurasItem->setEnabled(trigger_->ReadItemsEnabled());
  NextSuraItem->setEnabled(trigger_->NextItemsEnabled());
  SetTextIfChanged(AlarmSoundBtn, Q(AlarmSoundButtonCaption(s.AlarmSoundOn, s.Lang)));
  AlarmSoundBtn->setIcon(s.AlarmSoundOn ? AlarmOnImage() : AlarmOffImage());
  const std::string hint = AlarmSoundButtonHint(s.AlarmSoundOn, s.Lang);
  AlarmSoundBtn->setToolTip(Q(hint));
  AlarmSoundBtn->setStatusTip(Q(FlattenLines(hint)));
  UpdateAzhanButton();
}

void TVEK__MAIN::AlarmSoundBtnClick() {
  if (trigger_->AlarmSoundBtnClick())
    SaveSettings();
  UpdateSoundItems();
}

void TVEK__MAIN::SelectAzhanClick(int index) {
  trigger_->SelectAzhan(index);
  UpdateSoundItems();
}

void TVEK__MAIN::TestAzhanClick(int tag) {
  trigger_->TestAzhan(tag);
  UpdateSoundItems();
}

void TVEK__MAIN::ChAzNameClick(int tag) {
  VekSettings& s = ctx_.Settings;
  const int index = tag - 1;
  auto& descriptions = Arabic() ? s.AzhanDescriptions.Arabic : s.AzhanDescriptions.English;
  const std::string current = descriptions[index];
  bool ok = false;
  const QString answer = QInputDialog::getText(
      this, Q(Text("Change description from: ", "تغيير الوصف من: ") + current),
      Q(Arabic() ? "يظهره البرنامج كـ: أذان " + current
                 : "Program shows it as: " + current + " Azhan"),
      QLineEdit::Normal, Q(current), &ok);
  const std::string typed = ToUtf8(answer.trimmed());
  if (!ok || typed == current)
    return;
  // VEK.INI keeps its texts in code page 1256; a character it has no byte for would be lost.
  if (!FitsCp1256(typed)) {
    ui_->ShowMessage(Text("This description has characters that the program cannot store:\r\n",
                          "يحتوي هذا الوصف على أحرف لا يستطيع البرنامج حفظها:\r\n") +
                     typed);
    return;
  }
  descriptions[index] = typed;
  UpdateSoundItems();
  const auto& other = Arabic() ? s.AzhanDescriptions.English : s.AzhanDescriptions.Arabic;
  const std::string file = (ctx_.ThisPath / "SOUNDS" / std::string(AzhanFiles[index])).string();
  ui_->ShowMessage(
      Text("This action is especially suitable if you want to relace one of our "
           "Azhan Files by your own file.",
           "هذا الإجراء مناسب خاصة إذا أردت استبدال أحد ملفات الأذان بملف من عندك.") +
      "\r\n" +
      Text("This description will show in the program as such:",
           "سيظهر هذا الوصف في البرنامج هكذا:") +
      "\r\n" + (Arabic() ? "أذان " + descriptions[index] : descriptions[index] + " Azhan") +
      "\r\n" + Text("and is associated with the file: ", "وهو مرتبط بالملف: ") + "\r\n" + file +
      "\r\n" +
      Text("You can now replace this file by your own file, and give it the same "
           "name on the directory:",
           "يمكنك الآن استبدال هذا الملف بملفك وإعطاؤه الاسم نفسه في المجلد:") +
      "\r\n" + (ctx_.ThisPath / "SOUNDS").string() + "\r\n" +
      Text("It is preferable to terminate this program first, to prevent any "
           "conflicts",
           "يفضّل إنهاء البرنامج أولاً لتجنب أي تعارض") +
      "\r\n" +
      Text("Do not forget to change the description also in Arabic, if you have "
           "not already done so.",
           "لا تنس تغيير الوصف بالإنجليزية أيضاً إن لم تكن قد فعلت ذلك.") +
      "\r\n" + Text("That description is currently:", "ذلك الوصف حالياً:") + "\r\n" + other[index]);
}

void TVEK__MAIN::AllSoundsClick() {
  if (trigger_->ae_AllSoundsClick())
    SaveSettings();
  UpdateSoundItems();
}

void TVEK__MAIN::AllowShuruqWarningClick() {
  if (trigger_->AllowShuruqWarningClick())
    SaveSettings();
  UpdateSoundItems();
}

void TVEK__MAIN::BasmalahClick() {
  if (trigger_->ae_BasmalahClick())
    SaveSettings();
  UpdateSoundItems();
}

void TVEK__MAIN::StopSoundThisTimeOnlyClick() {
  trigger_->ae_StopSoundThisTimeonlyClick();
  UpdateSoundItems();
}

void TVEK__MAIN::ShowWarningScreenClick() {
  ctx_.Settings.ShowWarningScreen = !ctx_.Settings.ShowWarningScreen;
  UpdateSoundItems();
  SaveSettings();
}

void TVEK__MAIN::ReadAvailableSurasClick() {
  trigger_->ReadAvailableSurasClick();
  UpdateSoundItems();
}

void TVEK__MAIN::NextSuraClick() {
  trigger_->NextSuraClick();
  if (trigger_->HasTask())
    TaskTimer->start();
  UpdateSoundItems();
}

void TVEK__MAIN::StopReadingClick() {
  trigger_->StopReadingClick();
  UpdateSoundItems();
}

void TVEK__MAIN::RefreshClick() {
  trigger_->RefreshClick();
  UpdateSoundItems();
}

void TVEK__MAIN::SaveSettings() {
  if (!ctx_.FormCreated)
    return;
  const int e = vek::SaveSettings(ctx_.SettingsFile, ctx_.Settings, Switches(), &ctx_.Locations);
  // One message per run, not one per changed setting.
  if (e != 0 && !settingsErrorShown_) {
    settingsErrorShown_ = true;
    ui_->ShowMessage(Text("The settings could not be saved to the file:\r\n",
                          "تعذر حفظ الإعدادات في الملف:\r\n") +
                     ctx_.SettingsFile.FileName().string() + "\r\n" + IoErrorText(e));
  }
}

void TVEK__MAIN::WMUser() {
  BringToFront(this);
}

bool TVEK__MAIN::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    _SHelp->setText(Q(FlattenLines(ToUtf8(static_cast<QStatusTipEvent*>(event)->tip()))));
    return true;
  }
  return QMainWindow::event(event);
}

void TVEK__MAIN::closeEvent(QCloseEvent* event) {
  if (!closingAtStart_) {
    SaveSettings();
    if (ctx_.Locations.Modified) {
      LocationFileContext lctx{ctx_.ThisPath, *ui_, ctx_.Settings.Lang};
      if (SaveLocations(ctx_.Locations, lctx))
        ctx_.Locations.Modified = false;
    }
  }
  if (StTrayIcon1)
    StTrayIcon1->hide();
  event->accept();
}

void TVEK__MAIN::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange && isMinimized() && StTrayIcon1 &&
      ctx_.Settings.MinimizeToTray)
    QTimer::singleShot(0, this, [this] { hide(); });
}

}  // namespace vek
