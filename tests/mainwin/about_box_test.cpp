// The About box: its texts by language, and the web links that turn purple once opened.
#include "mainwin/about_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include "foundation/qt/color_ref.h"

namespace vek {
namespace {

QColor LinkColour(const QLabel* label) {
  return label->palette().color(QPalette::WindowText);
}

const QColor kBlue = ColorFromColorRef(0xFF0000);
const QColor kPurple = ColorFromColorRef(0x800080);

struct AboutFixture {
  AboutFixture() {
    context.programFile = "/opt/vek/vek";
    context.siteAddress = "http://www.vek.invalid";
    context.openUrl = [this](const std::string& url) {
      opened.push_back(url);
      webVisited = webVisited || browserWorks;  // as the main window keeps it for the run
      return browserWorks;
    };
  }
  // The context of a box opened now, with the run's link flags.
  AboutBoxContext Context() const {
    AboutBoxContext now = context;
    now.webLinkVisited = webVisited;
    now.updateLinkVisited = updateVisited;
    return now;
  }
  AboutBoxContext context;
  bool webVisited = false;
  bool updateVisited = false;
  bool browserWorks = true;
  std::vector<std::string> opened;
};

TEST(AboutBox, VersionCaptionsAndLanguage) {
  AboutFixture f;
  TAboutVEK_Form english(f.Context());
  EXPECT_EQ("About VEK", english.windowTitle());
  EXPECT_EQ("/opt/vek/vek\r\n6.22", english.VersionLabel->text());
  EXPECT_EQ("&Close", english.CloseBtn->text());
  EXPECT_EQ("http://www.vek.invalid", english.TovarelinURL->text());
  EXPECT_TRUE(english.Statement->text().contains("Free (waqf) for all Muslims."));
  f.context.lang = Language::Arabic;
  TAboutVEK_Form arabic(f.Context());
  EXPECT_EQ(QString::fromUtf8("حول برنامج أوقات الصلاة"), arabic.windowTitle());
  EXPECT_EQ(QString::fromUtf8("إ&غلاق"), arabic.CloseBtn->text());
  EXPECT_EQ(Qt::RightToLeft, arabic.layoutDirection());
  EXPECT_EQ(Qt::LeftToRight, arabic.TovarelinURL->layoutDirection());  // an address reads LTR
}

TEST(AboutBox, AnOpenedPageKeepsTheLinksPurpleForTheRun) {
  AboutFixture f;
  f.browserWorks = false;
  {
    TAboutVEK_Form box(f.Context());
    EXPECT_EQ(kBlue, LinkColour(box.TovarelinURL));
    box.TovarelinURLClick();  // no browser: still blue
    EXPECT_FALSE(f.webVisited);
    EXPECT_EQ(kBlue, LinkColour(box.TovarelinURL_Title));
    f.browserWorks = true;
    QMouseEvent click(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(box.TovarelinURL_Title, &click);
    EXPECT_TRUE(f.webVisited);
    EXPECT_EQ(kPurple, LinkColour(box.TovarelinURL));
    EXPECT_EQ(kBlue, LinkColour(box.LiveUpdate_Label));  // Live Update was not started
  }
  ASSERT_EQ(2u, f.opened.size());
  EXPECT_EQ("http://www.vek.invalid/updates.html", f.opened[1]);

  // A later box of the run: purple from the start, and a failed open keeps it so.
  f.browserWorks = false;
  f.context.lang = Language::Arabic;
  TAboutVEK_Form later(f.Context());
  EXPECT_EQ(kPurple, LinkColour(later.TovarelinURL));
  later.TovarelinURLClick();
  EXPECT_EQ("http://www.vek.invalid/a_updates.html", f.opened.back());
  EXPECT_TRUE(f.webVisited);
  EXPECT_EQ(kPurple, LinkColour(later.Updates_Heading));
}

TEST(AboutBox, TheLiveUpdateLinkClosesTheBoxAndRunsItsCommand) {
  AboutFixture f;
  f.updateVisited = true;
  {
    TAboutVEK_Form box(f.Context());  // no command: the link does nothing
    EXPECT_EQ(kPurple, LinkColour(box.LiveUpdate_Label));
    box.show();
    box.LiveUpdate_Label_Click();
    EXPECT_TRUE(box.isVisible());
  }
  int runs = 0;
  bool closedFirst = false;
  TAboutVEK_Form* shown = nullptr;
  f.context.liveUpdate = [&] {
    ++runs;
    closedFirst = shown && !shown->isVisible();
  };
  TAboutVEK_Form box(f.Context());
  shown = &box;
  box.show();
  box.LiveUpdate_Label_Click();
  EXPECT_EQ(1, runs);
  EXPECT_TRUE(closedFirst);
}

}  // namespace
}  // namespace vek
