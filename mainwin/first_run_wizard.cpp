#include "mainwin/first_run_wizard.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "foundation/qt/qt_strings.h"
#include "foundation/qt/rtl_menus.h"
#include "mainwin/program_icons.h"

namespace vek {

namespace {

QString Q(const std::string& s) {
  return ToQString(s);
}

QLabel* WrappedLabel() {
  auto* label = new QLabel;
  label->setWordWrap(true);
  return label;
}

// A page's panel: its controls in a column, centred in the space between the header and the
// buttons.
QVBoxLayout* PageColumn(QWidget* page) {
  auto* outer = new QVBoxLayout(page);
  outer->setContentsMargins(12, 6, 12, 6);
  outer->addStretch(1);
  auto* column = new QVBoxLayout;
  column->setSpacing(8);
  outer->addLayout(column);
  outer->addStretch(1);
  return column;
}

}  // namespace

TSelectLanguage_Form::TSelectLanguage_Form(WizardContext context, QWidget* parent)
    : QDialog(parent), model_(std::make_unique<FirstRunWizardModel>(std::move(context))) {
  setObjectName("TSelectLanguage_Form");
  BuildWidgets();
  model_->Changed = [this] {
    Render();
    // A wait runs with events handled: nothing may be clicked until it ends.
    RightPanel->setEnabled(!model_->Busy());
  };
  Render();
}

TSelectLanguage_Form::~TSelectLanguage_Form() = default;

void TSelectLanguage_Form::BuildWidgets() {
  setModal(true);
  setMinimumSize(640, 420);
  auto* root = new QHBoxLayout(this);
  root->setContentsMargins(0, 0, 0, 0);
  root->setSpacing(0);

  // The product's title and logo.
  auto* left = new QFrame;
  LeftPanel = left;
  left->setObjectName("LeftPanel");
  left->setFixedWidth(180);
  left->setStyleSheet("#LeftPanel { background: #e6edf6; } #LeftPanel QLabel { color: #1d4e89; }");
  auto* leftColumn = new QVBoxLayout(left);
  leftColumn->setContentsMargins(12, 24, 12, 24);
  Logo = new QLabel;
  Logo->setAlignment(Qt::AlignHCenter);
  ProductTitle = new QLabel("Zurivo Zazir");
  ProductTitle->setAlignment(Qt::AlignHCenter);
  QFont titleFont = ProductTitle->font();
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
  titleFont.setBold(true);
  ProductTitle->setFont(titleFont);
  leftColumn->addWidget(Logo);
  leftColumn->addWidget(ProductTitle);
  leftColumn->addStretch(1);
  root->addWidget(left);

  RightPanel = new QWidget;
  RightPanel->setObjectName("RightPanel");
  auto* right = new QVBoxLayout(RightPanel);
  right->setContentsMargins(12, 8, 12, 12);
  root->addWidget(RightPanel, 1);

  // The language link and its popup item (Alt+1).
  _ArEn_Label = new QLabel;
  _ArEn_Label->setObjectName("_ArEn_Label");
  _ArEn_Label->setStyleSheet("color: #0000ff; text-decoration: underline;");
  _ArEn_Label->setCursor(Qt::PointingHandCursor);
  _ArEn_Label->installEventFilter(this);
  auto* linkRow = new QHBoxLayout;
  linkRow->addStretch(1);
  linkRow->addWidget(_ArEn_Label);
  right->addLayout(linkRow);
  ArEn1 = new QAction(this);
  ArEn1->setShortcut(QKeySequence(Qt::ALT | Qt::Key_1));
  addAction(ArEn1);
  connect(ArEn1, &QAction::triggered, this, [this] { ArEnLabelClick(); });

  Top_Panel = new QLabel;
  Top_Panel->setObjectName("Top_Panel");
  QFont headerFont = Top_Panel->font();
  headerFont.setPointSizeF(headerFont.pointSizeF() * 1.3);
  headerFont.setBold(true);
  Top_Panel->setFont(headerFont);
  right->addWidget(Top_Panel);
  auto* rule = new QFrame;
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);
  right->addWidget(rule);

  Pages = new QStackedWidget;
  right->addWidget(Pages, 1);

  // 0 Language.
  MainLang_Panel = new QWidget;
  MainLang_Panel->setObjectName("MainLang_Panel");
  QVBoxLayout* lang = PageColumn(MainLang_Panel);
  Ar_RadioButton = new QRadioButton;
  En_RadioButton = new QRadioButton;
  LanguageNote = WrappedLabel();
  lang->addWidget(Ar_RadioButton);
  lang->addWidget(En_RadioButton);
  lang->addSpacing(12);
  lang->addWidget(LanguageNote);
  connect(Ar_RadioButton, &QRadioButton::clicked, this,
          [this] { LanguageRadioButtonClick(Language::Arabic); });
  connect(En_RadioButton, &QRadioButton::clicked, this,
          [this] { LanguageRadioButtonClick(Language::English); });
  Pages->addWidget(MainLang_Panel);

  // 1 City.
  MainCity_Panel = new QWidget;
  MainCity_Panel->setObjectName("MainCity_Panel");
  QVBoxLayout* city = PageColumn(MainCity_Panel);
  CityHeading = WrappedLabel();
  CityNameLabel = new QLabel;
  CityNameLabel->setObjectName("CityNameLabel");
  QFont cityFont = CityNameLabel->font();
  cityFont.setPointSizeF(cityFont.pointSizeF() * 1.2);
  cityFont.setBold(true);
  CityNameLabel->setFont(cityFont);
  CityNameLabel->setStyleSheet("color: #1d4e89;");
  ChangeCityButton = new QPushButton;
  city->addWidget(CityHeading);
  city->addWidget(CityNameLabel);
  auto* cityButtonRow = new QHBoxLayout;
  cityButtonRow->addWidget(ChangeCityButton);
  cityButtonRow->addStretch(1);
  city->addLayout(cityButtonRow);
  connect(ChangeCityButton, &QPushButton::clicked, this, [this] { ChangeCityButtonClick(); });
  Pages->addWidget(MainCity_Panel);

  // 2 Compressed sound.
  Mp3_Panel = new QWidget;
  Mp3_Panel->setObjectName("Mp3_Panel");
  QVBoxLayout* mp3 = PageColumn(Mp3_Panel);
  TopInfo_Label = WrappedLabel();
  TopInfo_Label->setObjectName("TopInfo_Label");
  mp3->addWidget(TopInfo_Label);
  auto* answers = new QHBoxLayout;
  auto* yesColumn = new QVBoxLayout;
  YesButton = new QPushButton;
  DontInstall_Label = WrappedLabel();
  DontInstall_Label->setAlignment(Qt::AlignHCenter);
  yesColumn->addWidget(YesButton);
  yesColumn->addWidget(DontInstall_Label);
  auto* noColumn = new QVBoxLayout;
  NoButton = new QPushButton;
  DoInstall_Label = WrappedLabel();
  DoInstall_Label->setAlignment(Qt::AlignHCenter);
  noColumn->addWidget(NoButton);
  noColumn->addWidget(DoInstall_Label);
  answers->addLayout(yesColumn);
  answers->addLayout(noColumn);
  mp3->addLayout(answers);
  auto* testRow = new QHBoxLayout;
  TestSound_BitBtn = new QPushButton;
  testRow->addStretch(1);
  testRow->addWidget(TestSound_BitBtn);
  testRow->addStretch(1);
  mp3->addLayout(testRow);
  BottomHeader_Label = new QLabel;
  QFont benefitsFont = BottomHeader_Label->font();
  benefitsFont.setBold(true);
  BottomHeader_Label->setFont(benefitsFont);
  Bottom_Label1 = WrappedLabel();
  Bottom_Label2 = WrappedLabel();
  Bottom_Label4 = WrappedLabel();
  for (QLabel* l : {BottomHeader_Label, Bottom_Label1, Bottom_Label2, Bottom_Label4})
    mp3->addWidget(l);
  connect(YesButton, &QPushButton::clicked, this, [this] { YesButtonClick(); });
  connect(NoButton, &QPushButton::clicked, this, [this] { NoButtonClick(); });
  connect(TestSound_BitBtn, &QPushButton::clicked, this, [this] { TestSound_BitBtnClick(); });
  Pages->addWidget(Mp3_Panel);

  // 3 Tray.
  MinToTray_Panel = new QWidget;
  MinToTray_Panel->setObjectName("MinToTray_Panel");
  QVBoxLayout* tray = PageColumn(MinToTray_Panel);
  MinToTray_Label = new QLabel;
  MinToTray_Yes = new QRadioButton;
  MinToTray_No = new QRadioButton;
  NoTray_Label = WrappedLabel();
  NoTray_Label->setStyleSheet("color: #555;");
  tray->addWidget(MinToTray_Label);
  tray->addWidget(MinToTray_Yes);
  tray->addWidget(MinToTray_No);
  tray->addWidget(NoTray_Label);
  connect(MinToTray_Yes, &QRadioButton::clicked, this, [this] { MinToTray_YesClick(); });
  connect(MinToTray_No, &QRadioButton::clicked, this, [this] { MinToTray_NoClick(); });
  Pages->addWidget(MinToTray_Panel);

  // 4 Auto-start.
  MainAutoStart_Panel = new QWidget;
  MainAutoStart_Panel->setObjectName("MainAutoStart_Panel");
  QVBoxLayout* autoStart = PageColumn(MainAutoStart_Panel);
  IsAutoStartLabel = WrappedLabel();
  IsAutoStartLabel->setObjectName("IsAutoStartLabel");
  StartupButton = new QPushButton;
  a_Label1 = WrappedLabel();
  e_Label7 = WrappedLabel();
  for (QLabel* l : {a_Label1, e_Label7}) {
    l->setAutoFillBackground(true);
    l->setBackgroundRole(QPalette::Button);
    l->setMargin(6);
  }
  autoStart->addWidget(IsAutoStartLabel);
  auto* startupRow = new QHBoxLayout;
  startupRow->addWidget(StartupButton);
  startupRow->addStretch(1);
  autoStart->addLayout(startupRow);
  autoStart->addWidget(a_Label1);
  autoStart->addWidget(e_Label7);
  connect(StartupButton, &QPushButton::clicked, this, [this] { StartupButtonClick(); });
  Pages->addWidget(MainAutoStart_Panel);

  auto* buttons = new QHBoxLayout;
  Back_BitBtn = new QPushButton;
  Continue_Btn = new QPushButton;
  Continue_Btn->setDefault(true);
  // Enter continues (and on the last page finishes) wherever a page puts the focus: a page's own
  // action runs only when its button is pressed itself. The answers of the sound test keep
  // Enter, since Continue waits for an answer there.
  for (QPushButton* own : {ChangeCityButton, TestSound_BitBtn, StartupButton})
    own->setAutoDefault(false);
  buttons->addWidget(Back_BitBtn);
  buttons->addStretch(1);
  buttons->addWidget(Continue_Btn);
  right->addLayout(buttons);
  connect(Back_BitBtn, &QPushButton::clicked, this, [this] { Back_BitBtnClick(); });
  connect(Continue_Btn, &QPushButton::clicked, this, [this] { Continue_BtnClick(); });
}

void TSelectLanguage_Form::Render() {
  const FirstRunWizardModel& m = *model_;
  const WizardTexts t = m.Texts();
  const bool arabic = m.CheckedLanguage() == Language::Arabic;
  setLayoutDirection(LayoutDirectionOf(m.CheckedLanguage()));
  setWindowTitle(Q(t.Title));
  Logo->setPixmap(ProgramLogo(m.CheckedLanguage(), QSize(150, 56)));
  _ArEn_Label->setText(Q(t.LanguageLink));
  _ArEn_Label->setToolTip(Q(t.LanguageLinkHint));
  ArEn1->setText(Q(t.LanguageLink));
  Top_Panel->setText(Q(t.PageHeader));
  Pages->setCurrentIndex(m.Page());

  {
    const QSignalBlocker ar(Ar_RadioButton);
    const QSignalBlocker en(En_RadioButton);
    Ar_RadioButton->setText(Q(t.ArabicRadio));
    En_RadioButton->setText(Q(t.EnglishRadio));
    Ar_RadioButton->setChecked(arabic);
    En_RadioButton->setChecked(!arabic);
    Ar_RadioButton->setToolTip(arabic ? Q(t.SelectedRadioHint) : QString());
    En_RadioButton->setToolTip(arabic ? QString() : Q(t.SelectedRadioHint));
  }
  LanguageNote->setText(Q(t.LanguageNote));

  CityHeading->setText(Q(t.CityHeading));
  CityNameLabel->setText(Q(m.CityNameText()));
  // A Latin name still sits on the reading side.
  CityNameLabel->setAlignment(Qt::AlignAbsolute | Qt::AlignVCenter |
                              (arabic ? Qt::AlignRight : Qt::AlignLeft));
  ChangeCityButton->setText(Q(t.ChangeCityButton));
  ChangeCityButton->setToolTip(Q(t.ChangeCityHint));
  ChangeCityButton->setEnabled(m.ChangeCityEnabled());

  TopInfo_Label->setText(Q(t.TopInfo));
  TopInfo_Label->setVisible(m.TopInfoVisible());
  YesButton->setText(Q(t.YesButton));
  NoButton->setText(Q(t.NoButton));
  YesButton->setEnabled(m.YesNoEnabled());
  NoButton->setEnabled(m.YesNoEnabled());
  DontInstall_Label->setText(Q(t.DontInstall));
  DoInstall_Label->setText(Q(t.DoInstall));
  TestSound_BitBtn->setText(Q(t.TestSound));
  TestSound_BitBtn->setToolTip(Q(t.TestSoundHint));
  TestSound_BitBtn->setVisible(m.TestSoundVisible());
  TestSound_BitBtn->setEnabled(m.TestSoundEnabled());
  BottomHeader_Label->setText(Q(t.BottomHeader));
  Bottom_Label1->setText(Q(t.Bottom1));
  Bottom_Label2->setText(Q(t.Bottom2));
  Bottom_Label4->setText(Q(t.Bottom4));

  MinToTray_Label->setText(Q(t.MinToTray));
  {
    const QSignalBlocker yes(MinToTray_Yes);
    const QSignalBlocker no(MinToTray_No);
    MinToTray_Yes->setText(Q(t.MinToTrayYes));
    MinToTray_No->setText(Q(t.MinToTrayNo));
    MinToTray_Yes->setEnabled(m.TrayYesEnabled());
    MinToTray_Yes->setChecked(m.TrayYesChecked());
    MinToTray_No->setChecked(!m.TrayYesChecked());
  }
  NoTray_Label->setText(Q(t.NoTrayNote));
  NoTray_Label->setVisible(!m.TrayYesEnabled());

  IsAutoStartLabel->setText(Q(t.AutoStartLabel));
  StartupButton->setText(Q(t.StartupButton));
  StartupButton->setToolTip(Q(t.StartupHint));
  StartupButton->setEnabled(m.StartupButtonEnabled());
  a_Label1->setText(Q(t.AutoStartExplanation));
  e_Label7->setText(Q(t.AutoStartExplanation));
  a_Label1->setVisible(arabic);
  e_Label7->setVisible(!arabic);

  Back_BitBtn->setText(Q(t.Back));
  Back_BitBtn->setEnabled(m.BackEnabled());
  Continue_Btn->setText(Q(t.Continue));
  Continue_Btn->setEnabled(m.ContinueEnabled());
}

void TSelectLanguage_Form::AfterClick() {
  if (model_->CloseRequested()) {
    accept();
    return;
  }
  Render();
  QWidget* target = nullptr;
  switch (model_->Focus()) {
    case WizardFocus::ContinueBtn:
      target = Continue_Btn;
      break;
    case WizardFocus::ChangeCityButton:
      target = ChangeCityButton;
      break;
    case WizardFocus::TestSoundBtn:
      target = TestSound_BitBtn;
      break;
    case WizardFocus::YesButton:
      target = YesButton;
      break;
    case WizardFocus::NoButton:
      target = NoButton;
      break;
    case WizardFocus::StartupButton:
      target = StartupButton;
      break;
    case WizardFocus::None:
      break;
  }
  if (target && target->isEnabled()) {
    target->setFocus();
    if (isVisible())
      CursorToActiveControl(this);
  }
}

void TSelectLanguage_Form::FormActivate() {
  model_->FormActivate();
  Render();
  raise();
}

void TSelectLanguage_Form::Continue_BtnClick() {
  model_->Continue_BtnClick();
  AfterClick();
}

void TSelectLanguage_Form::Back_BitBtnClick() {
  model_->Back_BitBtnClick();
  AfterClick();
}

void TSelectLanguage_Form::LanguageRadioButtonClick(Language lang) {
  model_->LanguageRadioButtonClick(lang);
  AfterClick();
}

void TSelectLanguage_Form::ArEnLabelClick() {
  model_->ArEnLabelClick();
  AfterClick();
}

void TSelectLanguage_Form::ChangeCityButtonClick() {
  model_->ChangeCityButtonClick();
  AfterClick();
}

void TSelectLanguage_Form::TestSound_BitBtnClick() {
  model_->TestSound_BitBtnClick();
  AfterClick();
}

void TSelectLanguage_Form::YesButtonClick() {
  model_->YesButtonClick();
  AfterClick();
}

void TSelectLanguage_Form::NoButtonClick() {
  model_->NoButtonClick();
  AfterClick();
}

void TSelectLanguage_Form::MinToTray_YesClick() {
  model_->MinToTray_YesClick();
  AfterClick();
}

void TSelectLanguage_Form::MinToTray_NoClick() {
  model_->MinToTray_NoClick();
  AfterClick();
}

void TSelectLanguage_Form::StartupButtonClick() {
  model_->StartupButtonClick();
  AfterClick();
}

void TSelectLanguage_Form::done(int result) {
  if (model_->Busy())
    return;
  model_->FormClose();
  QDialog::done(result);
}

void TSelectLanguage_Form::reject() {
  if (!model_->Busy())
    QDialog::reject();
}

bool TSelectLanguage_Form::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate)
    FormActivate();
  return QDialog::event(event);
}

void TSelectLanguage_Form::closeEvent(QCloseEvent* event) {
  if (model_->Busy()) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

bool TSelectLanguage_Form::eventFilter(QObject* watched, QEvent* event) {
  if (watched == _ArEn_Label && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    ArEnLabelClick();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace vek
