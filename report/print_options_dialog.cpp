#include "report/print_options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "foundation/qt/qt_strings.h"
#include "report/font_color_dialog.h"
#include "report/report_printing.h"

namespace vek {

TPrintOptionsDlg::TPrintOptionsDlg(Timetable& report, const ReportContext& context,
                                   QPrinter& printer, QWidget* parent)
    : QDialog(parent), report_(report), context_(context), printer_(printer) {
  setObjectName("TPrintOptionsDlg");
  BuildWidgets();
  SetCaptions();
  LoadControls();
}

QString TPrintOptionsDlg::Text(const char* english, const char* arabic) const {
  return QByLanguage(context_.Source.Lang, english, arabic);
}

void TPrintOptionsDlg::BuildWidgets() {
  auto* outer = new QVBoxLayout(this);
  outer->setSpacing(8);
  const auto check = [](const char* name) {
    auto* box = new QCheckBox;
    box->setObjectName(name);
    return box;
  };
  const auto edit = [](const char* name) {
    auto* line = new QLineEdit;
    line->setObjectName(name);
    line->setMinimumWidth(220);
    return line;
  };
  const auto button = [](const char* name) {
    auto* b = new QPushButton;
    b->setObjectName(name);
    return b;
  };

  Header_G = new QGroupBox;
  auto* header = new QGridLayout(Header_G);
  POHeaderCheck = check("POHeaderCheck");
  POHShowLocationCheck = check("POHShowLocationCheck");
  POHLocationDetailsCheck = check("POHLocationDetailsCheck");
  POHShowCalcMethodCheck = check("POHShowCalcMethodCheck");
  POHDrawLineCheck = check("POHDrawLineCheck");
  POHOtherInfoLabel = new QLabel;
  POHOtherInfoEdit = edit("POHOtherInfoEdit");
  POHOtherInfoLabel->setBuddy(POHOtherInfoEdit);
  HeaderBtn = button("HeaderBtn");
  header->addWidget(POHeaderCheck, 0, 0);
  header->addWidget(POHShowLocationCheck, 1, 0);
  header->addWidget(POHLocationDetailsCheck, 2, 0);
  header->addWidget(POHShowCalcMethodCheck, 1, 1);
  header->addWidget(POHDrawLineCheck, 2, 1);
  header->addWidget(POHOtherInfoLabel, 3, 0);
  header->addWidget(POHOtherInfoEdit, 3, 1);
  header->addWidget(HeaderBtn, 0, 2);
  outer->addWidget(Header_G);

  Body_G = new QGroupBox;
  auto* body = new QGridLayout(Body_G);
  POBNOMonthsLabel = new QLabel;
  POBNOMonthsCombo = new QComboBox;
  POBNOMonthsCombo->setObjectName("POBNOMonthsCombo");
  POBNOMonthsLabel->setBuddy(POBNOMonthsCombo);
  POBDrawGridCheck = check("POBDrawGridCheck");
  POBSideBySideCheck = check("POBSideBySideCheck");
  POBRightToLeftCheck = check("POBRightToLeftCheck");
  POBMonthHeaderCheck = check("POBMonthHeaderCheck");
  BodyBtn = button("BodyBtn");
  body->addWidget(POBNOMonthsLabel, 0, 0);
  body->addWidget(POBNOMonthsCombo, 0, 1);
  body->addWidget(POBDrawGridCheck, 1, 0);
  body->addWidget(POBSideBySideCheck, 2, 0);
  body->addWidget(POBRightToLeftCheck, 1, 1);
  body->addWidget(POBMonthHeaderCheck, 2, 1);
  body->addWidget(BodyBtn, 0, 2);
  outer->addWidget(Body_G);

  Footer_G = new QGroupBox;
  auto* footer = new QGridLayout(Footer_G);
  POFooterCheck = check("POFooterCheck");
  POFPageNumberCheck = check("POFPageNumberCheck");
  POFPageNumberTextEdit = edit("POFPageNumberTextEdit");
  POFDrawLineCheck = check("POFDrawLineCheck");
  POFOtherInfoLabel = new QLabel;
  POFOtherInfoEdit = edit("POFOtherInfoEdit");
  POFOtherInfoLabel->setBuddy(POFOtherInfoEdit);
  FooterBtn = button("FooterBtn");
  footer->addWidget(POFooterCheck, 0, 0);
  footer->addWidget(POFPageNumberCheck, 1, 0);
  footer->addWidget(POFPageNumberTextEdit, 1, 1);
  footer->addWidget(POFDrawLineCheck, 2, 0);
  footer->addWidget(POFOtherInfoLabel, 3, 0);
  footer->addWidget(POFOtherInfoEdit, 3, 1);
  footer->addWidget(FooterBtn, 0, 2);
  outer->addWidget(Footer_G);

  auto* buttons = new QHBoxLayout;
  PrinterSetup = button("PrinterSetup");
  OkBtn = button("OkBtn");
  OkBtn->setDefault(true);
  CancelBtn = button("CancelBtn");
  buttons->addWidget(PrinterSetup);
  buttons->addStretch(1);
  buttons->addWidget(OkBtn);
  buttons->addWidget(CancelBtn);
  outer->addLayout(buttons);

  connect(HeaderBtn, &QPushButton::clicked, this, [this] { HeaderBtnClick(); });
  connect(BodyBtn, &QPushButton::clicked, this, [this] { BodyBtnClick(); });
  connect(FooterBtn, &QPushButton::clicked, this, [this] { FooterBtnClick(); });
  connect(PrinterSetup, &QPushButton::clicked, this, [this] { PrinterSetupClick(); });
  connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TPrintOptionsDlg::SetCaptions() {
  const bool arabic = context_.Source.Lang == Language::Arabic;
  setLayoutDirection(LayoutDirectionOf(context_.Source.Lang));
  setWindowTitle(Text("Design Page", "تصميم الصفحة"));
  Header_G->setTitle(Text("Header", "الرأس"));
  POHeaderCheck->setText(Text("Page Header", "رأس الصفحة"));
  POHShowLocationCheck->setText(Text("Show Location", "إظهار الموقع"));
  POHLocationDetailsCheck->setText(Text("Location Details", "تفاصيل الموقع"));
  POHShowCalcMethodCheck->setText(Text("Show Calculation Method", "إظهار طريقة الحساب"));
  POHDrawLineCheck->setText(Text("Draw Line Under Page Header", "خط تحت رأس الصفحة"));
  POHOtherInfoLabel->setText(Text("Other Information", "معلومات أخرى"));
  Body_G->setTitle(Text("Body", "المتن"));
  POBNOMonthsLabel->setText(Text("Number Of Months in Page", "عدد الأشهر في الصفحة"));
  POBNOMonthsCombo->clear();
  if (arabic)
    POBNOMonthsCombo->addItems({QString::fromUtf8("شهر واحد"), QString::fromUtf8("شهران"),
                                QString::fromUtf8("ثلاثة أشهر"), QString::fromUtf8("أربعة أشهر"),
                                QString::fromUtf8("ستة أشهر")});
  else
    POBNOMonthsCombo->addItems(
        {"One Month", "Two Months", "Three Months", "Four Months", "Six Months"});
  POBDrawGridCheck->setText(Text("Draw Grid", "رسم الشبكة"));
  POBSideBySideCheck->setText(Text("Side By Side", "جنبا إلى جنب"));
  POBRightToLeftCheck->setText(Text("From Right To Left", "من اليمين إلى اليسار"));
  POBMonthHeaderCheck->setText(Text("Month Header at every Month", "عنوان لكل شهر"));
  Footer_G->setTitle(Text("Footer", "الذيل"));
  POFooterCheck->setText(Text("Page Footer", "ذيل الصفحة"));
  POFPageNumberCheck->setText(Text("Page Number", "رقم الصفحة"));
  POFDrawLineCheck->setText(Text("Draw Line Above Page Footer", "خط فوق ذيل الصفحة"));
  POFOtherInfoLabel->setText(Text("Other Information", "معلومات أخرى"));
  for (QPushButton* font : {HeaderBtn, BodyBtn, FooterBtn})
    font->setText(Text("Font", "الخط"));
  PrinterSetup->setText(Text("Printer setup", "إعداد الطابعة"));
  OkBtn->setText(Text("Ok", "مــوافــق"));
  CancelBtn->setText(Text("Cancel", "إلغاء الأمر"));
}

void TPrintOptionsDlg::LoadControls() {
  const TPrintOptions& d = report_.Design();
  POHeaderCheck->setChecked(d.POHeader);
  POHShowLocationCheck->setChecked(d.POHShowLocation);
  POHLocationDetailsCheck->setChecked(d.POHLocationDetails);
  POHShowCalcMethodCheck->setChecked(d.POHShowCalcMethod);
  POHDrawLineCheck->setChecked(d.POHDrawLine);
  POHOtherInfoEdit->setText(ToQString(d.POHOtherInfo));
  POBDrawGridCheck->setChecked(d.POBDrawGrid);
  POBSideBySideCheck->setChecked(d.POBSideBySide);
  POBRightToLeftCheck->setChecked(d.POBRightToLeft);
  POBMonthHeaderCheck->setChecked(d.POBMonthHeader);
  POFooterCheck->setChecked(d.POFooter);
  POFPageNumberCheck->setChecked(d.POFPageNumber);
  POFPageNumberTextEdit->setText(ToQString(d.POFPageNumberText));
  POFDrawLineCheck->setChecked(d.POFDrawLine);
  POFOtherInfoEdit->setText(ToQString(d.POFOtherInfo));
  headerFont_ = d.POHFont;
  bodyFont_ = d.POBFont;
  footerFont_ = d.POFFont;
  // A value the dialog does not offer (from a hand-edited VEK.INI) shows the design's own.
  int months = d.POBNOMonths;
  if (!ValidMonthsPerPage(months)) {
    TPrintOptions builtIn;
    FillDefaultDesign(report_.CurrentDesign(), builtIn);
    months = builtIn.POBNOMonths;
  }
  const auto item = std::find(kMonthChoices.begin(), kMonthChoices.end(), months);
  POBNOMonthsCombo->setCurrentIndex(
      item == kMonthChoices.end() ? 0 : static_cast<int>(item - kMonthChoices.begin()));
}

void TPrintOptionsDlg::StoreControls() {
  TPrintOptions& d = report_.Design();
  d.POHeader = POHeaderCheck->isChecked();
  d.POHShowLocation = POHShowLocationCheck->isChecked();
  d.POHLocationDetails = POHLocationDetailsCheck->isChecked();
  d.POHShowCalcMethod = POHShowCalcMethodCheck->isChecked();
  d.POHDrawLine = POHDrawLineCheck->isChecked();
  d.POHOtherInfo = ToUtf8(POHOtherInfoEdit->text());
  d.POBDrawGrid = POBDrawGridCheck->isChecked();
  d.POBSideBySide = POBSideBySideCheck->isChecked();
  d.POBRightToLeft = POBRightToLeftCheck->isChecked();
  d.POBMonthHeader = POBMonthHeaderCheck->isChecked();
  d.POFooter = POFooterCheck->isChecked();
  d.POFPageNumber = POFPageNumberCheck->isChecked();
  d.POFPageNumberText = ToUtf8(POFPageNumberTextEdit->text());
  d.POFDrawLine = POFDrawLineCheck->isChecked();
  d.POFOtherInfo = ToUtf8(POFOtherInfoEdit->text());
  const int item = POBNOMonthsCombo->currentIndex();
  if (item >= 0 && item < static_cast<int>(kMonthChoices.size()))
    d.POBNOMonths = kMonthChoices[static_cast<std::size_t>(item)];
  d.POHFont = headerFont_;
  d.POBFont = bodyFont_;
  d.POFFont = footerFont_;
}

void TPrintOptionsDlg::ChooseFont(FontSpec& font) {
  const std::optional<FontSpec> chosen =
      context_.Dialogs.ChooseFont
          ? context_.Dialogs.ChooseFont(font)
          : ChooseFontDialog(font, context_.Source.Lang, this, context_.Dialogs.RunModal);
  if (chosen)
    font = *chosen;
}

void TPrintOptionsDlg::HeaderBtnClick() {
  ChooseFont(headerFont_);
}

void TPrintOptionsDlg::BodyBtnClick() {
  ChooseFont(bodyFont_);
}

void TPrintOptionsDlg::FooterBtnClick() {
  ChooseFont(footerFont_);
}

void TPrintOptionsDlg::PrinterSetupClick() {
  if (context_.Dialogs.PageSetup)
    context_.Dialogs.PageSetup(printer_);
  else
    RunPageSetupDialog(printer_, this, context_.Dialogs.RunModal);
}

void TPrintOptionsDlg::done(int result) {
  if (result == QDialog::Accepted)
    StoreControls();
  QDialog::done(result);
}

}  // namespace vek
