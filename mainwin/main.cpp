// The main program: finds its folder, refuses to run from a read-only one, wakes a copy that is
// already running instead of starting a second, and otherwise creates the main window, whose
// creation runs the start-up, and runs the event loop until it closes. An error that nothing
// else handled ends it with a message in the user's language and exit code 1.
#include <QApplication>
#include <QTimer>

#include <chrono>
#include <string>
#include <vector>

#include "foundation/command_line.h"
#include "foundation/file_catalogue.h"
#include "foundation/ini_file.h"
#include "foundation/last_resort.h"
#include "foundation/program_folder.h"
#include "foundation/program_temp_folder.h"
#include "foundation/qt/font_substitutes.h"
#include "foundation/qt/joined_access_key_style.h"
#include "foundation/qt/qt_ui_services.h"
#include "mainwin/main_window.h"
#include "mainwin/program_start.h"
#include "mainwin/single_instance.h"
#include "program/settings.h"
#include "resources/clock_face_packs.h"
#include "resources/program_sounds.h"

namespace {

// The program proper; lang follows the user's language once the settings say it.
int RunProgram(const std::vector<std::string>& params, vek::UiServices& ui, vek::Language& lang) {
  const auto folder = vek::PrepareProgramFolder(vek::CurrentProgramFolderInputs(), ui);
  if (!folder)
    return 1;
  lang = vek::ReadSettingsLanguage(
      vek::IniFile(vek::FindFileIgnoringCase(*folder, std::string(vek::kSettingsFileName))));
  const vek::CommandLineSwitches switches = vek::ReadCommandLineSwitches(params);

  // A copy already running in this folder is brought to the front instead. After a Live Update
  // the restarted program waits a few seconds for the old one to let go.
  vek::SingleInstance instance(vek::SingleInstance::ServerName(*folder));
  const bool restarted = switches.continueLiveUpdate;
  if (!restarted && instance.ActivateRunning())
    return 0;
  instance.Listen(restarted ? std::chrono::seconds(5) : std::chrono::milliseconds(0));
  // The run's temporary folder is made at once, so that every start removes what copies that
  // crashed or were killed left in theirs.
  vek::ProgramTempFolderPath();
  // A request that arrives while the start-up runs is answered once the window exists.
  bool activateRequested = false;
  const QMetaObject::Connection early = QObject::connect(
      &instance, &vek::SingleInstance::activateRequested, [&] { activateRequested = true; });

  vek::MainWindowOptions options;
  options.programFolder = *folder;
  options.parameters = params;
  options.switches = switches;
  options.ui = &ui;
  options.facePacks = &ClockFacePacks();
  options.programSounds = &ProgramSounds();
  options.arabicCanBeShown = vek::ArabicCanBeShown;
  vek::TVEK__MAIN window(options);
  if (window.ClosingAtStart())
    return 1;
  QObject::disconnect(early);
  QObject::connect(&instance, &vek::SingleInstance::activateRequested, &window,
                   [&window] { window.WMUser(); });
  // The program ends when its main window closes, and only then: while the window waits in the
  // tray, closing the alert window or a message (then the last visible window) must not end it.
  QApplication::setQuitOnLastWindowClosed(false);
  QObject::connect(&window, &vek::TVEK__MAIN::Closed, qApp, &QCoreApplication::quit,
                   Qt::QueuedConnection);
  window.ShowAtStart();
  if (activateRequested)
    window.WMUser();
  // The first activation runs once the window is shown, whether or not the desktop activates it.
  QTimer::singleShot(0, &window, [&window] { window.FormActivate(); });
  return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("vek");
  vek::InstallFontSubstitutes();
  vek::KeepAccessKeysJoinedEverywhere();
  // The installed desktop entry, so that the desktop shows the windows with its name and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral(VEK_APP_ID));
  vek::InitFileCatalogue();
  const std::vector<std::string> params(argv + 1, argv + argc);
  vek::QtUiServices ui;
  // Whatever escapes the program's own handling ends it with a message, not an abort.
  vek::Language lang = vek::Language::Arabic;
  return vek::RunShowingEscapedErrors([&] { return RunProgram(params, ui, lang); }, ui,
                                      [&] { return lang; });
}
