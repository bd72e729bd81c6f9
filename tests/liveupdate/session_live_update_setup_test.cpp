#include "liveupdate/session_live_update_setup.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "program/settings_converters.h"
#include "support/fake_ui.h"
#include "support/fake_wall_clock.h"
#include "support/temp_dir.h"

namespace vek {
namespace {

using testing::FakeUi;
using testing::FakeWallClock;
using testing::TempDir;

TEST(SessionLiveUpdateSetup, AfterTheListingTheMaintainerClosesAndAFailureStops) {
  struct Case {
    TListingOutcome::Status status;
    bool maintainer;
    AfterListing next;
  };
  const Case cases[] = {
      {TListingOutcome::Written, false, AfterListing::Open},
      {TListingOutcome::Written, true, AfterListing::Close},
      {TListingOutcome::PackageMissing, true, AfterListing::Close},
      {TListingOutcome::PackageMissing, false, AfterListing::Close},
      {TListingOutcome::WriteFailed, false, AfterListing::Stop},
      {TListingOutcome::WriteFailed, true, AfterListing::Stop},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.status) + (c.maintainer ? " maintainer" : ""));
    TListingOutcome written;
    written.status = c.status;
    EXPECT_EQ(c.next, NextAfterListing(written, c.maintainer));
  }
}

TEST(SessionLiveUpdateSetup, TheSetupCarriesTheSessionsStateAndWhatTheListingFound) {
  TempDir dir;
  FakeUi ui;
  FakeWallClock wall;
  CommandLineSwitches switches;
  switches.upload = true;
  switches.skipDownload = true;
  ProgramSession session(dir.path(), ui, wall, switches);
  session.SetLanguage(Language::Arabic);
  session.SetAzhanDescription(Language::English, 1, "Halab");

  const TListingSettings listing = MakeListingSettings(session);
  EXPECT_EQ(dir.path(), listing.programFolder);
  EXPECT_TRUE(listing.maintainerMode);
  EXPECT_TRUE(listing.liveUpdateRunning);
  EXPECT_EQ(Language::Arabic, listing.language);

  TListingOutcome written;
  written.status = TListingOutcome::Written;
  written.quvModuleListed = true;
  written.packageName = "ZUZUZ623.EXE";
  const TLiveUpdateSetup setup =
      MakeLiveUpdateSetup(session, TransferKind::Http, dir.path() / "LiveUpdate", written);
  EXPECT_EQ(TransferKind::Http, setup.kind);
  EXPECT_EQ(dir.path(), setup.programFolder);
  EXPECT_EQ(dir.path() / "LiveUpdate", setup.updateFolder);
  EXPECT_TRUE(setup.connectionWanted);  // a module was listed
  EXPECT_TRUE(setup.skipDownload);
  EXPECT_EQ(Language::Arabic, setup.language);
  EXPECT_EQ("ZUZUZ623.EXE", setup.comparison.packageName);
  EXPECT_FALSE(setup.comparison.packageSubstitution);  // only the main program's module
  EXPECT_TRUE(static_cast<bool>(setup.comparison.fileExists));
  ASSERT_EQ(AzhanFiles.size(), setup.comparison.adhans.size());
  EXPECT_EQ(AzhanFiles[1], setup.comparison.adhans[1].file);
  EXPECT_EQ("Halab", setup.comparison.adhans[1].english);
  EXPECT_EQ(session.Settings().AzhanDescriptions.Arabic[1], setup.comparison.adhans[1].arabic);

  // Every face picture once, the bare clock's as the chooser shows it, no empty name.
  ASSERT_EQ(17u, setup.clockFaces.size());
  EXPECT_EQ("WENQ140A", setup.clockFaces.front());
  EXPECT_EQ("NONE140", setup.clockFaces.back());
  EXPECT_EQ(setup.clockFaces.end(),
            std::find(setup.clockFaces.begin(), setup.clockFaces.end(), std::string()));

  written.vekModuleListed = true;
  written.quvModuleListed = false;
  EXPECT_TRUE(MakeLiveUpdateSetup(session, TransferKind::Ftp, dir.path(), written)
                  .comparison.packageSubstitution);
  written.vekModuleListed = false;
  EXPECT_FALSE(
      MakeLiveUpdateSetup(session, TransferKind::Ftp, dir.path(), written).connectionWanted);
}

}  // namespace
}  // namespace vek
