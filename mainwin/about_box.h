// The About box TAboutVEK_Form: the program's path and version, a short statement about the
// program in the user's language, and the update offer: Live Update and the manual-update page
// of the maker's web site. A link is blue until its target was opened in this run, then purple.
#pragma once

#include <QDialog>

#include <functional>
#include <string>

#include "foundation/language.h"

class QLabel;
class QPushButton;

namespace vek {

// The web site's address as the links show it: the configured address without a closing "/".
std::string WebSiteAddress();

// What the About box takes from the main window.
struct AboutBoxContext {
  Language lang = Language::English;
  bool showHint = true;
  std::string programFile;  // the program's full file name
  std::string siteAddress;  // the web site, shown by the address link
  // The run's link flags when the box opens (cleared at start, never stored).
  bool webLinkVisited = false;
  bool updateLinkVisited = false;
  // Opens a page in the browser; true when the browser took it (the opener then keeps the web
  // link visited for the run).
  std::function<bool(const std::string& url)> openUrl;
  // Runs Live Update once the box has closed; unset, the link does nothing.
  std::function<void()> liveUpdate;
};

class TAboutVEK_Form : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutVEK_Form(AboutBoxContext context, QWidget* parent = nullptr);

  // The manual-update title, the address and the "FREE UPDATES" heading: opens the update page
  // of the language; once opened, the web links stay purple for the run.
  void TovarelinURLClick();
  // Closes the box, then runs Live Update.
  void LiveUpdate_Label_Click();
  // Blue or purple by the run's link flags.
  void ApplyLinkColours();
  bool ShowHint() const { return context_.showHint; }

  QLabel* VersionLabel;
  QLabel* Statement;
  QLabel* Updates_Heading;
  QLabel* LiveUpdate_Label;
  QLabel* Firewall_Note;
  QLabel* TovarelinURL_Title;
  QLabel* TovarelinURL;
  QPushButton* CloseBtn;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  AboutBoxContext context_;
  bool webLinkVisited_;
};

}  // namespace vek
