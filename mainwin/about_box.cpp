#include "mainwin/about_box.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "foundation/program_version.h"
#include "foundation/qt/color_ref.h"
#include "foundation/qt/qt_strings.h"
#include "program/server_addresses.h"

namespace vek {

namespace {

constexpr std::uint32_t kLinkBlue = 0xFF0000;     // COLORREF of blue
constexpr std::uint32_t kLinkVisited = 0x800080;  // purple

void SetLinkLook(QLabel* label, bool visited) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, ColorFromColorRef(visited ? kLinkVisited : kLinkBlue));
  label->setPalette(palette);
}

QLabel* MakeLink(const QString& text, QObject* filter) {
  auto* label = new QLabel(text);
  QFont font = label->font();
  font.setUnderline(true);
  font.setBold(true);
  label->setFont(font);
  label->setCursor(Qt::PointingHandCursor);
  label->setWordWrap(true);
  label->installEventFilter(filter);
  return label;
}

}  // namespace

std::string WebSiteAddress() {
  std::string address(kWebSiteUrl);
  while (!address.empty() && address.back() == '/')
    address.pop_back();
  return address;
}

TAboutVEK_Form::TAboutVEK_Form(AboutBoxContext context, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      context_(std::move(context)),
      webLinkVisited_(context_.webLinkVisited) {
  const Language lang = context_.lang;
  const bool arabic = lang == Language::Arabic;
  setObjectName("TAboutVEK_Form");
  setWindowTitle(QByLanguage(lang, "About VEK", "حول برنامج أوقات الصلاة"));
  setLayoutDirection(LayoutDirectionOf(lang));

  VersionLabel =
      new QLabel(ToQString(context_.programFile + "\r\n" + std::string(kProgramVersion)));
  VersionLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  const QString title =
      QByLanguage(lang, "Zurivo Zazir (Al Tovarelin)", "أوقات الصلاة (برنامج Al Tovarelin)");
  Statement = new QLabel(
      "<b>" + title.toHtmlEscaped() + "</b><br>" +
      QByLanguage(lang, "Free (waqf) for all Muslims. ", "مجاني (وقف) لجميع المسلمين. ")
          .toHtmlEscaped() +
      "<br><br>" +
      QByLanguage(lang,
                  "The calculation engine of this program has been tested over many years, "
                  "and brought from one generation of desktop systems to the next.",
                  "اختُبر محرك الحساب في هذا البرنامج على مدى سنوات طويلة، ونُقل من جيل إلى جيل "
                  "من أنظمة الحاسوب المكتبية.")
          .toHtmlEscaped() +
      "<br><br>" +
      QByLanguage(lang, "The calculated times may differ from the official times of some cities.",
                  "قد تختلف الأوقات المحسوبة عن الأوقات الرسمية المعتمدة في بعض المدن.")
          .toHtmlEscaped() +
      "<br><br>" +
      QByLanguage(lang,
                  "Please report any difference to us by e-mail, with all the prayer times of "
                  "four days of the year: 22 December, 22 March, 22 June and 22 September.",
                  "يرجى إبلاغنا بأي فرق بالبريد الإلكتروني، مع جميع أوقات الصلاة لأربعة أيام من "
                  "السنة: 22 كانون الأول، و22 آذار، و22 حزيران، و22 أيلول.")
          .toHtmlEscaped());
  Statement->setTextFormat(Qt::RichText);
  Statement->setWordWrap(true);
  Statement->setMinimumWidth(420);

  Updates_Heading = MakeLink(QByLanguage(lang, "FREE UPDATES THROUGH THE INTERNET",
                                         "ترقيات مجانية عبر موقعنا على الإنترنت"),
                             this);
  LiveUpdate_Label = MakeLink(QByLanguage(lang, "Click here for Live (automatic) Update",
                                          "انقر هنا للترقية الحية (التلقائية) عبر الإنترنت"),
                              this);
  Firewall_Note = new QLabel(
      QByLanguage(lang, "Note: You ISP may have a Firewall, preventing this Live-Update",
                  "ملاحظة: قد يكون لدى مزوّد خدمة الإنترنت جدار حماية يمنع هذه الترقية الحية") +
      "\n" +
      QByLanguage(
          lang,
          "If this live (automatic) Update fails, you will have to perform the Manual Update "
          "below",
          "إذا فشلت هذه الترقية الحية (التلقائية) فعليك إجراء الترقية اليدوية أدناه"));
  Firewall_Note->setWordWrap(true);
  TovarelinURL_Title = MakeLink(
      QByLanguage(lang, "Click here for Manual Update:", "انقر هنا لإجراء الترقية يدويا:"), this);
  TovarelinURL = MakeLink(ToQString(context_.siteAddress), this);
  TovarelinURL->setLayoutDirection(Qt::LeftToRight);
  TovarelinURL->setAlignment(arabic ? Qt::AlignRight | Qt::AlignAbsolute : Qt::AlignLeft);

  CloseBtn = new QPushButton(QByLanguage(lang, "&Close", "إ&غلاق"));
  CloseBtn->setDefault(true);
  connect(CloseBtn, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(VersionLabel);
  layout->addWidget(Statement);
  layout->addSpacing(8);
  layout->addWidget(Updates_Heading);
  layout->addWidget(LiveUpdate_Label);
  layout->addWidget(Firewall_Note);
  layout->addWidget(TovarelinURL_Title);
  layout->addWidget(TovarelinURL);
  layout->addSpacing(8);
  layout->addWidget(CloseBtn, 0, Qt::AlignHCenter);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  ApplyLinkColours();
}

void TAboutVEK_Form::ApplyLinkColours() {
  const bool web = webLinkVisited_;
  const bool update = context_.updateLinkVisited;
  for (QLabel* link : {TovarelinURL, TovarelinURL_Title})
    SetLinkLook(link, web);
  SetLinkLook(Updates_Heading, web);
  SetLinkLook(LiveUpdate_Label, update);
}

void TAboutVEK_Form::TovarelinURLClick() {
  const std::string url = ToUtf8(TovarelinURL->text()) +
                          (context_.lang == Language::Arabic ? "/a_updates.html" : "/updates.html");
  const bool opened = context_.openUrl && context_.openUrl(url);
  // A page opened once in this run stays visited, whatever a later attempt gives.
  webLinkVisited_ = webLinkVisited_ || opened;
  ApplyLinkColours();
}

void TAboutVEK_Form::LiveUpdate_Label_Click() {
  const std::function<void()> liveUpdate = context_.liveUpdate;
  if (!liveUpdate)
    return;
  close();
  hide();
  liveUpdate();
}

bool TAboutVEK_Form::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    if (watched == TovarelinURL || watched == TovarelinURL_Title || watched == Updates_Heading) {
      TovarelinURLClick();
      return true;
    }
    if (watched == LiveUpdate_Label) {
      LiveUpdate_Label_Click();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace vek
