// The Live Update dialog's panels over a client that the test drives: the statistics fit their
// texts in both languages, a transfer of unknown size shows a busy bar, and what is already
// shown follows a switch of the language.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGlyphRun>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTextLayout>
#include <QToolButton>

#include "foundation/file_io.h"
#include "liveupdate/fake_transfer_client.h"
#include "liveupdate/listing_record.h"
#include "liveupdate/live_update_dialog.h"
#include "support/event_wait.h"
#include "support/fake_clock.h"
#include "support/fake_file_system.h"
#include "support/fake_ui.h"
#include "support/listing_records.h"
#include "support/temp_dir.h"
#include "support/zip_file.h"

namespace vek {
namespace {

namespace fs = std::filesystem;

class Dialog : public ::testing::Test {
 protected:
  // The dialog, shown, fetching the server's listing.
  void FetchListing() {
    std::string local;
    for (const char* name : {"S1.WAV", "S2.WAV"}) {
      AppendListingRec(testing::ListedFile(name, 1000, 0x5A2A5000), local);
      AppendListingRec(testing::ListedFile(name, 1500, 0x5A2A5000), server);
    }
    fs::create_directories(prog / "LiveUpdate");
    ASSERT_EQ(0, WriteFileReplacing(prog / "LiveUpdate" / "vekdirs.rec", local));
    TLiveUpdateSetup setup;
    setup.programFolder = prog;
    setup.updateFolder = prog / "LiveUpdate";
    auto owned = std::make_unique<testing::FakeClient>();
    client = owned.get();
    dialog = std::make_unique<TFTP_Main_Dlg>(setup, std::move(owned), sys, catalogue, nullptr,
                                             std::chrono::milliseconds(20));
    dialog->show();
    ASSERT_TRUE(Wait([&] { return client->running.has_value(); }));
    client->FinishWhole("");  // connected
    client->FinishWhole("");  // the folder's listing
  }
  // The dialog, shown, with two recitations on offer.
  void Open() {
    FetchListing();
    client->FinishWhole(server);
    ASSERT_TRUE(dialog->Session().Opened());
    ASSERT_EQ(2, dialog->sg_Add->rowCount());
  }

  bool Wait(const std::function<bool()>& done) {
    for (int i = 0; i < 200 && !done(); ++i)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
  }

  // Every statistics panel is as wide as its text needs.
  void ExpectPanelsFit() {
    QCoreApplication::processEvents();
    for (QLabel* panel :
         {dialog->PerCent_Panel, dialog->Received_Panel, dialog->Secs_Panel, dialog->KBS_Panel}) {
      EXPECT_GE(panel->width(), panel->sizeHint().width()) << panel->text().toStdString();
    }
  }

  testing::TempDir dir;
  fs::path prog = dir.path() / "prog";
  testing::FakeUi ui;
  testing::FakeClock clock;
  testing::FakeFileSystem files;
  SystemServices sys{.ui = ui, .clock = clock, .fs = files};
  TFileCatalogue catalogue = FileCatalogue();
  testing::FakeClient* client = nullptr;
  std::unique_ptr<TFTP_Main_Dlg> dialog;
  std::string server;  // the server's listing
};

// Close pressed while a fetched file waits to take its name (the old one cannot be replaced, and
// the rename is retried in waits that handle events): the dialog, which its owner deletes once it
// finished, outlives the step and closes after it; the failure is told once and the temporary
// file goes. Both ways of closing: Close twice with the timer ticking, and Escape.
TEST_F(Dialog, CloseDuringAFailingInstallClosesOnceTheStepHasEnded) {
  int finished = 0;
  for (const bool escape : {false, true}) {
    SCOPED_TRACE(escape ? "Escape" : "Close twice");
    finished = 0;
    prog = dir.path() / (escape ? "escape" : "close");
    server.clear();
    ui.messages.clear();
    Open();
    files.failRename = [](const fs::path&, const fs::path& to) {
      return to.filename() == "go-s1.z" ? EPERM : 0;
    };
    QPointer<TFTP_Main_Dlg> shown = dialog.release();
    QObject::connect(shown, &QDialog::finished, shown, [&] {
      ++finished;
      shown->deleteLater();
    });
    int pumps = 0;
    int finishedInWait = 0;
    ui.onProcessEvents = [&] {
      finishedInWait = finished;
      if (shown && ++pumps == 1) {
        if (escape) {
          shown->reject();
        } else {
          shown->Cancel_BitBtn->click();
          shown->Cancel_BitBtn->click();
        }
      }
      if (shown)
        shown->Session().TaskTimer_Timer();
      // What the event loop deletes within a handler's wait.
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    shown->StartUpdate_BitBtn->click();
    client->FinishWhole(testing::ZipBytes({{"S1.WAV", "RIFF and the first sura"}}));
    ui.onProcessEvents = nullptr;
    ASSERT_TRUE(shown);
    EXPECT_EQ(0, finishedInWait);
    const fs::path temp = prog / "go-s1.z.tovarelin";
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_NE(std::string::npos,
              ui.messages[0].find(temp.string() + "\r\nBut could not rename it to:\r\n" +
                                  (prog / "go-s1.z").string()));
    EXPECT_FALSE(fs::exists(temp));
    EXPECT_FALSE(client->running);  // no further item
    // The event loop with its timers: the close comes, and the dialog is deleted.
    testing::Spin([&] { return shown.isNull(); }, std::chrono::seconds(5));
    EXPECT_TRUE(shown.isNull());
    EXPECT_EQ(1, finished);
    files.failRename = nullptr;
  }
}

// The dialog is at its smallest while the listing comes (the lists are not shown yet).
TEST_F(Dialog, TheStatisticsFitTheirTextsInBothLanguages) {
  FetchListing();
  clock.now += std::chrono::seconds(10);
  dialog->Session().TaskTimer_Timer();
  client->Progress(3'000'000'000, 6'000'000'000);
  EXPECT_EQ("300000000 Bytes/sec", dialog->KBS_Panel->text());
  EXPECT_EQ("3,000,000,000 of 6,000,000,000 bytes ", dialog->Received_Panel->text());
  ExpectPanelsFit();
  dialog->ArEn_SpeedButton->click();
  EXPECT_EQ(QString::fromUtf8("300000000 بايت/ثانية"), dialog->KBS_Panel->text());
  ExpectPanelsFit();
}

TEST_F(Dialog, ATransferOfUnknownSizeShowsABusyBar) {
  Open();
  dialog->StartUpdate_BitBtn->click();
  client->Progress(3, 3);
  EXPECT_EQ("100%", dialog->PerCent_Panel->text());
  EXPECT_GT(dialog->ProgressBar1->maximum(), 0);
  client->FinishWhole("zip");
  client->Progress(500, -1);
  EXPECT_EQ("", dialog->PerCent_Panel->text());
  EXPECT_EQ(0, dialog->ProgressBar1->minimum());
  EXPECT_EQ(0, dialog->ProgressBar1->maximum());  // busy
  client->Progress(500, 1000);
  EXPECT_EQ(dialog->ProgressBar1->maximum() / 2, dialog->ProgressBar1->value());
}

TEST_F(Dialog, WhatIsShownFollowsTheLanguage) {
  Open();
  dialog->StartUpdate_BitBtn->click();
  EXPECT_EQ("Downloading from: update.example/go-s1.z", dialog->Status_Label->text());
  EXPECT_EQ("Quran file", dialog->sg_Add->item(0, 5)->text());
  dialog->ArEn_SpeedButton->click();
  EXPECT_EQ(QString::fromUtf8("التنزيل من: \u2066update.example/go-s1.z\u2069"),
            dialog->Status_Label->text());
  EXPECT_EQ(QString::fromUtf8("ملف قرآن"), dialog->sg_Add->item(0, 5)->text());
  EXPECT_EQ(QString::fromUtf8("ملف جديد"), dialog->sg_Add->item(1, 1)->text());
}

// In the right-to-left window a path reads left to right: its leading slash is drawn at its
// left, before its first folder, not at the end of the line.
TEST_F(Dialog, APathReadsLeftToRightInTheArabicWindow) {
  Open();
  dialog->StartUpdate_BitBtn->click();
  dialog->ArEn_SpeedButton->click();
  const QString text = dialog->DownloadingTo_Label->text();
  const qsizetype slash = text.indexOf('/');
  ASSERT_GT(slash, 0) << text.toStdString();
  QTextLayout layout(text, dialog->DownloadingTo_Label->font());
  QTextOption option;
  option.setTextDirection(Qt::RightToLeft);
  layout.setTextOption(option);
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
  // Where the glyph of the character at index is drawn.
  const auto x = [&](qsizetype index) {
    const QList<QGlyphRun> runs = layout.glyphRuns(static_cast<int>(index), 1);
    return runs.isEmpty() || runs[0].positions().isEmpty() ? -1.0 : runs[0].positions()[0].x();
  };
  ASSERT_GE(x(slash), 0.0);
  EXPECT_LT(x(slash), x(slash + 1)) << text.toStdString();
}

}  // namespace
}  // namespace vek
