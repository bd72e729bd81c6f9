// A program folder with the shipped location file, a fixed local time and a recording user
// interface, for tests that create the main window.
#pragma once

#include <gtest/gtest.h>

#include <QDialog>

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/calendar.h"
#include "foundation/command_line.h"
#include "foundation/file_io.h"
#include "mainwin/first_run_wizard.h"
#include "mainwin/main_window.h"
#include "resources/clock_face_packs.h"
#include "resources/program_sounds.h"
#include "support/fake_clock.h"
#include "support/fake_launcher.h"
#include "support/fake_shell.h"
#include "support/fake_sound_player.h"
#include "support/fake_ui.h"
#include "support/fake_wall_clock.h"
#include "support/temp_dir.h"

namespace vek::testing {

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy_file(std::filesystem::path(VEK_SOURCE_DIR) / "resources" / "VEK.LOC",
                               folder() / "VEK.LOC");
    // 10 December 2026, 16:00.
    clock.now = EncodeDate(2026, 12, 10) + 16.0 / 24;
  }

  const std::filesystem::path& folder() const { return dir.path(); }

  void WriteIni(const std::string& text) {
    ASSERT_EQ(0, WriteFileReplacing(folder() / "VEK.INI", text));
  }

  std::unique_ptr<TVEK__MAIN> Start(std::vector<std::string> params = {}) {
    MainWindowOptions options;
    options.switches = ReadCommandLineSwitches(params);  // as the program entry does
    options.programFolder = folder();
    options.parameters = std::move(params);
    options.ui = &ui;
    options.clock = &clock;
    options.waitClock = &waits;
    options.facePacks = &ClockFacePacks();
    options.arabicCanBeShown = [] { return true; };
    options.useTray = useTray;
    options.trayAvailable = [this] { return trayAvailable; };
    options.desktopShell = &shell;
    options.programs = &launcher;
    options.player = &player;
    options.programSounds = &ProgramSounds();
    options.programFile = folder() / "vek";
    options.desktopArabic = [this] { return desktopArabic; };
    options.runModal = [this](QDialog& dialog) { return AnswerModal(dialog); };
    return std::make_unique<TVEK__MAIN>(options);
  }

  // No dialog of the window waits for a click. The first-run wizard is never shown: a test
  // drives it in onWizard. Any other dialog is shown and handed to the next of modalAnswers;
  // one that its answer left open, or that has no answer, is rejected.
  int AnswerModal(QDialog& dialog) {
    if (auto* wizard = qobject_cast<TSelectLanguage_Form*>(&dialog)) {
      ++wizardRuns;
      if (onWizard)
        onWizard(*wizard);
      return wizard->result();
    }
    ++modalsShown;
    dialog.show();
    if (!modalAnswers.empty()) {
      const auto answer = std::move(modalAnswers.front());
      modalAnswers.pop_front();
      answer(dialog);
    }
    if (dialog.isVisible())
      dialog.reject();
    return dialog.result();
  }

  // Answers the next dialog, which must be a Dialog, with act.
  template <class Dialog>
  void OnNextDialog(std::function<void(Dialog&)> act) {
    modalAnswers.push_back([act = std::move(act)](QDialog& dialog) {
      if (auto* d = qobject_cast<Dialog*>(&dialog))
        act(*d);
      else
        ADD_FAILURE() << "expected dialog not open: " << dialog.metaObject()->className();
    });
  }

  TempDir dir;
  FakeUi ui;
  FakeWallClock clock;
  FakeClock waits;
  FakeSoundPlayer player;
  FakeShell shell;
  FakeLauncher launcher;
  bool useTray = false;  // a tray icon, when the desktop (trayAvailable) has a tray
  bool trayAvailable = false;
  bool desktopArabic = true;  // the desktop's locale
  int wizardRuns = 0;
  std::function<void(TSelectLanguage_Form&)> onWizard;
  std::deque<std::function<void(QDialog&)>> modalAnswers;  // in the order the dialogs open
  int modalsShown = 0;                                     // the dialogs other than the wizard
};

}  // namespace vek::testing
