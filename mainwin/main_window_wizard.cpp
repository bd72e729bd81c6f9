// The first-run wizard's commands of the main window: the menu item, the start-up's wizard, and
// what the wizard asks of the window (the language, the location, the tray).
#include <QCoreApplication>
#include <QLocale>
#include <QSystemTrayIcon>

#include <cstdlib>
#include <memory>
#include <system_error>

#include "foundation/program_temp_folder.h"
#include "foundation/qt/qt_strings.h"
#include "mainwin/first_run_wizard.h"
#include "mainwin/main_window.h"
#include "platform/system_folders.h"
#include "sounds/qt_sound_player.h"

namespace vek {

void TVEK__MAIN::InstallationExpertClick() {
  RunFirstRunWizard(false);
}

void TVEK__MAIN::RunFirstRunWizard(bool startUp) {
  // The wizard plays its test sounds on a player of its own, as its form has its own media
  // player: nothing it plays reaches the announcements' sequence.
  std::unique_ptr<SoundPlayer> ownPlayer;
  SoundPlayer* player = options_.Player;
  if (player == nullptr) {
    ownPlayer = std::make_unique<QtSoundPlayer>(options_.ProgramSounds);
    player = ownPlayer.get();
  }
  WizardContext context;
  context.Session = session_.get();
  context.Sys = &sys_;
  context.Player = player;
  context.Sounds = options_.ProgramSounds;
  context.ProgramFile = options_.ProgramFile.empty()
                            ? std::filesystem::path(ToUtf8(QCoreApplication::applicationFilePath()))
                            : options_.ProgramFile;
  if (const char* home = std::getenv("VEK_HOME"); home != nullptr && *home != '\0') {
    std::error_code ec;
    context.ProgramHome = std::filesystem::absolute(Context().ThisPath, ec);
  }
  context.AutostartFolder = GetStartupFolder();
  context.TempFolder = ProgramTempFolderPath();
  context.FirstRunSetUp = startUp && Context().SettingsFileMissing;
  context.DesktopArabic = options_.DesktopArabic ? options_.DesktopArabic()
                                                 : QLocale::system().language() == QLocale::Arabic;
  context.ArabicSupported = Context().ArabicSupported;
  context.TrayAvailable = TrayUsable();
  context.Host.ChangeLanguageClick = [this] { ChangeLanguageClick(); };
  context.Host.SelLocationBtnClick = [this] { SelLocationBtnClick(); };
  context.Host.SetMinimizeToTray = [this](bool on) { SetMinimizeToTray(on); };
  TSelectLanguage_Form form(std::move(context), this);
  if (options_.RunWizard)
    options_.RunWizard(form);
  else
    form.exec();
}

void TVEK__MAIN::SetMinimizeToTray(bool on) {
  session_->SetMinimizeToTray(on);  // the menus and the tray icon follow what the session tells
}

bool TVEK__MAIN::TrayUsable() const {
  return options_.UseTray && (options_.TrayAvailable ? options_.TrayAvailable()
                                                     : QSystemTrayIcon::isSystemTrayAvailable());
}

}  // namespace vek
