// The first-run wizard's commands of the main window: the menu item, the start-up's wizard, and
// what the wizard asks of the window (the language, the location, the tray).
#include <QCoreApplication>
#include <QLocale>

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
  SoundPlayer* player = options_.player;
  if (player == nullptr) {
    ownPlayer = std::make_unique<QtSoundPlayer>(options_.programSounds);
    player = ownPlayer.get();
  }
  WizardContext context;
  context.Session = session_.get();
  context.Sys = &sys_;
  context.Player = player;
  context.Sounds = options_.programSounds;
  context.ProgramFile = options_.programFile.empty()
                            ? std::filesystem::path(ToUtf8(QCoreApplication::applicationFilePath()))
                            : options_.programFile;
  if (const char* home = std::getenv("VEK_HOME"); home != nullptr && *home != '\0') {
    std::error_code ec;
    context.ProgramHome = std::filesystem::absolute(Context().ThisPath, ec);
  }
  context.AutostartFolder = GetStartupFolder();
  context.TempFolder = ProgramTempFolderPath();
  context.FirstRunSetUp = startUp && Context().FirstRun;
  context.DesktopArabic = options_.desktopArabic ? options_.desktopArabic()
                                                 : QLocale::system().language() == QLocale::Arabic;
  context.ArabicSupported = Context().ArabicSupported;
  context.TrayAvailable = TrayUsable();
  context.Host.ChangeLanguageClick = [this] { ChangeLanguageClick(); };
  context.Host.SelLocationBtnClick = [this] { SelLocationBtnClick(); };
  // The menus and the tray icon follow what the session tells.
  context.Host.SetMinimizeToTray = [this](bool on) { session_->SetMinimizeToTray(on); };
  TSelectLanguage_Form form(std::move(context), this);
  ShowModal(form);
}

}  // namespace vek
