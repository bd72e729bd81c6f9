// The menu bar, the tray menu and their commands: the language, the date and clock options, the
// settings dialogs, the flying help, the tray and closing options, the support e-mail and the
// maker's web site, the About box, and the close question.
#include <QApplication>
#include <QCursor>
#include <QMenuBar>
#include <QSystemTrayIcon>

#include <filesystem>

#include "engine/calendar.h"
#include "foundation/debug_log.h"
#include "foundation/dos_error.h"
#include "foundation/file_io.h"
#include "foundation/qt/hint_window.h"
#include "foundation/qt/message_forms.h"
#include "foundation/qt/qt_strings.h"
#include "foundation/qt/rtl_menus.h"
#include "foundation/run_program.h"
#include "liveupdate/internet_services.h"
#include "liveupdate/listing_record.h"
#include "liveupdate/listing_writer.h"
#include "liveupdate/support_mail.h"
#include "mainwin/about_box.h"
#include "mainwin/main_window.h"
#include "program/dialogs/hijri_adjust_dialog.h"
#include "program/dialogs/month_names_dialog.h"
#include "program/dialogs/safety_times_dialog.h"
#include "program/display_texts.h"
#include "program/server_addresses.h"
#include "sounds/sound_trigger.h"

namespace vek {

namespace {

QString Q(const std::string& s) {
  return ToQString(s);
}

// Runs an action when its widget is pressed with the mouse.
class PressWatcher : public QObject {
 public:
  PressWatcher(QObject* parent, std::function<void()> onPress)
      : QObject(parent), onPress_(std::move(onPress)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonPress) {
      onPress_();
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> onPress_;
};

QAction* AddCheckItem(QMenu* menu, QObject* receiver, std::function<void()> handler) {
  QAction* item = menu->addAction(QString(), receiver, std::move(handler));
  item->setCheckable(true);
  return item;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The menus

void TVEK__MAIN::BuildMenuBar() {
  W.ProgramMenu = menuBar()->addMenu(QString());
  W.LanguageItem = W.ProgramMenu->addAction(QString(), this, [this] { ChangeLanguageClick(); });
  W.InstallationExpertItem =
      W.ProgramMenu->addAction(QString(), this, [this] { InstallationExpertClick(); });
  W.ProgramMenu->addSeparator();
  W.MinimizeItem = W.ProgramMenu->addAction(QString(), this, [this] { ae_MinimizeClick(); });
  W.QuitItem = W.ProgramMenu->addAction(QString(), this, [this] { ae_QuitClick(); });

  BuildLocationMenu();
  BuildReportMenu();
  BuildSoundsMenu();
  BuildLiveUpdateMenu();

  W.OptionsMenu = menuBar()->addMenu(QString());
  W.HijriDateItem = W.OptionsMenu->addAction(QString(), this, [this] { HijtiMiladiClick(); });
  W.T24HItem = AddCheckItem(W.OptionsMenu, this, [this] { T24HClick(); });
  W.AdvanceHijriItem = W.OptionsMenu->addAction(QString(), this, [this] { AdanceHijriClick(); });
  W.SafetyItem = W.OptionsMenu->addAction(QString(), this, [this] { SafetyClick(); });
  W.MonthNamesItem = W.OptionsMenu->addAction(QString(), this, [this] { MenthNamesClick(); });
  W.OptionsMenu->addSeparator();
  W.ClockFaceItem = W.OptionsMenu->addAction(QString(), this, [this] { SelectFaceClick(); });
  W.OptionsMenu->addSeparator();
  W.HintsItem = W.OptionsMenu->addAction(QString(), this, [this] { HintClick(); });
  W.MinToTrayItem = AddCheckItem(W.OptionsMenu, this, [this] { ae_MinToTrayClick(); });
  W.PromptToCloseItem = AddCheckItem(W.OptionsMenu, this, [this] { ae_PromptToClose1Click(); });
  W.ShowWarningScreenItem = AddCheckItem(W.OptionsMenu, this, [this] { ShowWarningScreenClick(); });
  W.ShowSplashItem = AddCheckItem(W.OptionsMenu, this, [this] { ae_ShowSplashScreenClick(); });

  W.HelpMenu = menuBar()->addMenu(QString());
  W.EMailItem = W.HelpMenu->addAction(QString(), this, [this] { EMailClick(); });
  W.MailingListItem =
      W.HelpMenu->addAction(QString(), this, [this] { AE_JoinOurMailingListClick(); });
  W.WebSiteItem = W.HelpMenu->addAction(QString(), this, [this] { TovarelinSiteClick(); });
  W.HelpMenu->addSeparator();
  W.AboutItem = W.HelpMenu->addAction(QString(), this, [this] { AboutClick(); });

  W.TrayPopupMenu = new QMenu(this);
  W.TrayRestoreItem = W.TrayPopupMenu->addAction(QString(), this, [this] { ae_RestoreClick(); });
  W.TrayMinimizeItem = W.TrayPopupMenu->addAction(QString(), this, [this] { ae_MinimizeClick(); });
  W.TrayPopupMenu->addSeparator();
  W.TrayLanguageItem =
      W.TrayPopupMenu->addAction(QString(), this, [this] { ChangeLanguageClick(); });
  W.TrayPopupMenu->addSeparator();
  W.TrayMinToTrayItem = AddCheckItem(W.TrayPopupMenu, this, [this] { ae_MinToTrayClick(); });
  W.TrayPromptToCloseItem =
      AddCheckItem(W.TrayPopupMenu, this, [this] { ae_PromptToClose1Click(); });
  W.TrayPopupMenu->addSeparator();
  W.TrayQuitItem = W.TrayPopupMenu->addAction(QString(), this, [this] { ae_QuitClick(); });

  // A press on a high-latitude status shape explains it.
  auto* conflictPress = new PressWatcher(this, [this] { ConflictInfoMouseDown(); });
  W.FajrStatus->installEventFilter(conflictPress);
  W.IshaStatus->installEventFilter(conflictPress);
}

void TVEK__MAIN::CaptionMenus() {
  const VekSettings& s = Settings();
  const Language lang = s.Lang;
  CaptionLocationMenu();
  CaptionReportMenu();
  CaptionLiveUpdateMenu();

  W.ProgramMenu->setTitle(Q(Text("&Program", "ال&برنامج")));
  W.LanguageItem->setText(Q(Text("عربي", "English")));
  W.InstallationExpertItem->setText(Q(Text("Installation Expert...", "خبير التثبيت...")));
  W.MinimizeItem->setText(Q(Text("&Minimize", "ت&صغير")));
  W.QuitItem->setText(Q(Text("E&xit", "&خروج")));

  W.OptionsMenu->setTitle(Q(Text("&Options", "&خيارات")));
  W.HijriDateItem->setText(Q(DateKindMenuCaption(s.HijriMode, lang)));
  W.T24HItem->setText(Q(Text("24-Hour Display", "عرض 24 ساعة")));
  W.T24HItem->setChecked(s.Is24H);
  W.AdvanceHijriItem->setText(Q(Text("Adjust Hijri Date...", "ضبط التاريخ الهجري...")));
  W.SafetyItem->setText(Q(Text("Safety Times...", "أوقات الاحتياط...")));
  W.MonthNamesItem->setText(Q(Text("Months and Days Names...", "أسماء الشهور والأيام...")));
  W.ClockFaceItem->setText(Q(Text("Clock Face...", "وجه الساعة...")));
  W.HintsItem->setText(Q(FlyingHelpMenuCaption(s.ShowHint, lang)));
  W.MinToTrayItem->setText(Q(Text("Minimize to Tray", "التصغير إلى منطقة الإعلام")));
  // Without a tray nothing can be minimised to it: the item is off and cannot be ticked.
  W.MinToTrayItem->setChecked(s.MinimizeToTray);
  W.MinToTrayItem->setEnabled(TrayUsable());
  W.PromptToCloseItem->setText(Q(Text("Ask Before Closing", "السؤال قبل الإغلاق")));
  W.PromptToCloseItem->setChecked(s.PromptToClose);
  W.ShowSplashItem->setText(Q(Text("Show Opening Screen", "إظهار شاشة البداية")));
  W.ShowSplashItem->setChecked(s.ShowSplashOption);

  W.HelpMenu->setTitle(Q(Text("&Help", "م&ساعدة")));
  W.EMailItem->setText(Q(Text("Support E-mail...", "بريد الدعم الفني...")));
  W.MailingListItem->setText(
      Q(Text("Join Our Mailing List...", "الاشتراك في قائمتنا البريدية...")));
  W.WebSiteItem->setText(Q(Text("Al Tovarelin Web Site", "موقع Al Tovarelin على الإنترنت")));
  W.AboutItem->setText(Q(Text("About VEK...", "حول البرنامج...")));

  W.TrayRestoreItem->setText(Q(Text("Restore", "استعادة")));
  W.TrayMinimizeItem->setText(W.MinimizeItem->text());
  W.TrayLanguageItem->setText(W.LanguageItem->text());
  W.TrayMinToTrayItem->setText(W.MinToTrayItem->text());
  W.TrayMinToTrayItem->setChecked(s.MinimizeToTray);
  W.TrayMinToTrayItem->setEnabled(W.MinToTrayItem->isEnabled());
  W.TrayPromptToCloseItem->setText(W.PromptToCloseItem->text());
  W.TrayPromptToCloseItem->setChecked(s.PromptToClose);
  W.TrayQuitItem->setText(W.QuitItem->text());

  // A menu without a parent (the tray's) inherits no direction; every menu gets it explicitly.
  const Qt::LayoutDirection direction = LayoutDirectionOf(session_->Lang());
  SetMenuDirection(menuBar(), direction);
  SetMenuDirection(W.TrayPopupMenu, direction);
}

bool TVEK__MAIN::TrayUsable() const {
  return options_.useTray && (options_.trayAvailable ? options_.trayAvailable()
                                                     : QSystemTrayIcon::isSystemTrayAvailable());
}

void TVEK__MAIN::CreateTrayIcon() {
  if (!TrayUsable())
    return;
  W.StTrayIcon1 = new QSystemTrayIcon(windowIcon(), this);
  W.StTrayIcon1->setContextMenu(W.TrayPopupMenu);
  W.StTrayIcon1->setToolTip(title_);
  connect(W.StTrayIcon1, &QSystemTrayIcon::activated, this,
          [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
              WMUser();
          });
}

// ---------------------------------------------------------------------------------------------
// Options

void TVEK__MAIN::ChangeLanguageClick() {
  LanguageBtnClick();
}

void TVEK__MAIN::T24HClick() {
  session_->Set24Hour(!Settings().Is24H);
}

void TVEK__MAIN::HintClick() {
  if (Settings().ShowHint)
    hints_->HideHint();
  session_->SetShowHint(!Settings().ShowHint);
}

void TVEK__MAIN::AdanceHijriClick() {
  THijriAdjust dialog(SettingsDialogContext{Settings().Lang, Settings().ShowHint, ui_.get()},
                      session_->Today(), Settings().Names, Settings().HijriAdjust, this);
  if (ShowModal(dialog) == QDialog::Accepted)
    session_->SetHijriAdjust(dialog.Adjust());
}

void TVEK__MAIN::SafetyClick() {
  TSaftyTimesDlg dialog(SettingsDialogContext{Settings().Lang, Settings().ShowHint, ui_.get()},
                        Settings().Safety, this);
  if (ShowModal(dialog) == QDialog::Accepted)
    session_->SetSafetyTimes(dialog.Offsets());
}

void TVEK__MAIN::MenthNamesClick() {
  TMonthsDlg dialog(SettingsDialogContext{Settings().Lang, Settings().ShowHint, ui_.get()},
                    Settings().Names, this);
  if (ShowModal(dialog) == QDialog::Accepted)
    session_->SetNames(dialog.Names());
}

void TVEK__MAIN::ae_MinToTrayClick() {
  if (minToTrayRunning_ || !TrayUsable()) {
    CaptionMenus();  // the item shows what the program does
    return;
  }
  minToTrayRunning_ = true;
  session_->SetMinimizeToTray(!Settings().MinimizeToTray);
  minToTrayRunning_ = false;
}

void TVEK__MAIN::ae_PromptToClose1Click() {
  if (promptToCloseRunning_)
    return;
  promptToCloseRunning_ = true;
  session_->SetPromptToClose(!Settings().PromptToClose);
  promptToCloseRunning_ = false;
}

void TVEK__MAIN::ae_ShowSplashScreenClick() {
  session_->SetShowSplash(!Settings().ShowSplashOption);
}

// ---------------------------------------------------------------------------------------------
// Help

bool TVEK__MAIN::OpenWebPage(const std::string& page) {
  std::string url = WebSiteAddress();
  if (!page.empty() && page.front() != '/')
    url += '/';
  url += page;
  return OpenUrlInBrowserKeepingVisited(url);
}

// A page opened once in this run keeps the web link visited, whatever a later attempt gives.
bool TVEK__MAIN::OpenUrlInBrowserKeepingVisited(const std::string& url) {
  const THandOver opened = OpenUrlInBrowser(url, shell_);
  ShowHandOverFailure(opened, Settings().Lang, *ui_);
  if (opened.ok)
    session_->MarkWebLinkVisited();
  return opened.ok;
}

void TVEK__MAIN::TovarelinSiteClick() {
  OpenWebPage(Arabic() ? "/a_updates.html" : "/updates.html");
}

void TVEK__MAIN::AE_JoinOurMailingListClick() {
  ShowHandOverFailure(SendMailTo(kMailingListAddress, "", "", shell_), Settings().Lang, *ui_);
}

void TVEK__MAIN::EMailClick() {
  SendSupportMail({.programFolder = Context().ThisPath,
                   .lang = Settings().Lang,
                   .today = DecodeDate(session_->Today()),
                   .logFile = LogFileName(),
                   .sys = sys_,
                   .shell = shell_});
}

void TVEK__MAIN::AboutClick() {
  AboutBoxContext context;
  context.lang = Settings().Lang;
  context.showHint = Settings().ShowHint;
  context.programFile = ToUtf8(QCoreApplication::applicationFilePath());
  context.siteAddress = WebSiteAddress();
  context.webLinkVisited = Context().WebLinkVisited;
  context.updateLinkVisited = Context().UpdateLinkVisited;
  context.openUrl = [this](const std::string& url) { return OpenUrlInBrowserKeepingVisited(url); };
  context.liveUpdate = [this] { LiveUpdateClick(); };
  TAboutVEK_Form box(std::move(context), this);
  ShowModal(box);
}

void TVEK__MAIN::ConflictInfoMouseDown() {
  hints_->ShowHint(Q(session_->ConflictText()), QCursor::pos());
}

// ---------------------------------------------------------------------------------------------
// Window, tray and closing

void TVEK__MAIN::ae_MinimizeClick() {
  showMinimized();
}

void TVEK__MAIN::ae_RestoreClick() {
  WMUser();
}

void TVEK__MAIN::ae_QuitClick() {
  close();
}

void TVEK__MAIN::Do_ToTray_Option() {
  if (W.StTrayIcon1)
    W.StTrayIcon1->setVisible(Settings().MinimizeToTray);
}

void TVEK__MAIN::FormActivate() {
  if (FormActivateUpload())
    return;
  if (const std::string installer = session_->TakeInstallerToRun(); !installer.empty()) {
    // One try: the installer starts once, and the program closes only when it has started.
    session_->SetClosingWithoutPrompt(true);
    if (ExecuteProgram(installer, {}, sys_)) {
      trigger_->StartTask(kTaskClose);
      W.TaskTimer->start();
    } else {
      session_->SetClosingWithoutPrompt(false);
    }
    return;
  }
  Do_ToTray_Option();
}

bool TVEK__MAIN::FormCloseQuery() {
  if (closingAtStart_ || Context().ClosingWithoutPrompt || !Settings().PromptToClose)
    return true;
  if (inCloseQuery_)
    return false;  // the question is already open
  inCloseQuery_ = true;
  MessageFormContext context;
  context.lang = Settings().Lang;
  context.showHint = Settings().ShowHint;
  context.inCloseQuery = true;
  // The question's check box can switch the question off: with Yes or No, which the session
  // keeps and saves; Cancel changes nothing.
  bool promptToClose = Settings().PromptToClose;
  context.promptToClose = &promptToClose;
  context.runModal = options_.runModal;
  const int answer = AskYesNoMessage(
      Q(Text("You requested to stop program\r\n\r\nDo you prefer to minimize it and keep it in "
             "the background instead of closing it?",
             "لقد طلبت إيقاف البرنامج\r\n\r\nهل تفضل تصغيره وإبقاءه يعمل في الخلفية بدلا من "
             "إغلاقه؟")),
      context);
  inCloseQuery_ = false;
  if ((answer == kResultYes || answer == kResultNo) && promptToClose != Settings().PromptToClose)
    session_->SetPromptToClose(promptToClose);
  CaptionMenus();  // the question's box may have switched the question off
  if (answer == kResultNo)
    return true;
  if (answer == kResultYes)
    ae_MinimizeClick();
  return false;
}

}  // namespace vek
