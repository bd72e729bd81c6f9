#include "mainwin/alert_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QEvent>
#include <QFont>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

#include <array>
#include <cstdint>
#include <optional>
#include <utility>

#include "foundation/qt/color_ref.h"
#include "foundation/qt/qt_strings.h"
#include "foundation/text.h"
#include "mainwin/program_icons.h"
#include "program/countdown.h"

namespace vek {

namespace {

constexpr int kWidth = 412;
constexpr int kHeight = 318;
constexpr int kMargin = 8;

constexpr int kTopStripHeight = 26;  // _NextTimesLeft
constexpr int kRowTop = 28;          // the logo and the button row
constexpr int kButtonWidth = 52;
constexpr int kButtonHeight = 58;
constexpr int kButtonGap = 4;
constexpr int kButtonRowWidth = 3 * kButtonWidth + 2 * kButtonGap;
constexpr int kGlyphSize = 32;

constexpr int kBevelTop = 92;
constexpr int kBevelWidth = 368;
constexpr int kBevelHeight = 48;
constexpr int kMainTextWidth = 356;
constexpr int kMainTextHeight = 38;

constexpr int kAzNameTop = 142;
constexpr int kAzNameHeight = 32;
constexpr int kSoundLineTop = 176;
constexpr int kSoundLineHeight = 24;
constexpr int kCheckBoxTop = 203;
constexpr int kCheckBoxHeight = 18;
constexpr int kNoteTop = 221;
constexpr int kNoteHeight = 20;
constexpr int kUpdatesPanelHeight = 76;

constexpr int kMasterIntervalMs = 30000;
constexpr int kSlaveIntervalMs = 75;

constexpr int kMainPointSize = 20;
constexpr int kShuruqEnglishPointSize = 14;
constexpr int kNoticePointSize = 18;
constexpr int kNoNoticePointSize = 8;
constexpr std::uint32_t kNoticeRed = 0x0000FF;  // COLORREF
const QColor kMainTextGround(0x1b, 0x4a, 0x7a);

QString Utf8(const char* text) {
  return QString::fromUtf8(text);
}

// Places a widget given in left-to-right coordinates of a parent of the given width, mirrored
// for Arabic.
void Place(QWidget* widget, bool mirrored, int parentWidth, int left, int top, int width,
           int height) {
  if (mirrored)
    left = parentWidth - left - width;
  widget->setGeometry(left, top, width, height);
}

QFont SansFont(int pointSize, bool bold = false) {
  QFont font;
  font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Noto Sans Arabic"),
                    QStringLiteral("DejaVu Sans")});
  font.setPointSize(pointSize);
  font.setBold(bold);
  return font;
}

// The main text's font: Latin letters and digits in the Arial-like face, Arabic in Naskh.
QFont MainTextFont() {
  QFont font;
  font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Noto Naskh Arabic"),
                    QStringLiteral("Noto Sans Arabic"), QStringLiteral("DejaVu Sans")});
  font.setPixelSize(27);
  return font;
}

void SetColours(QLabel* label, const QColor& text, std::optional<QColor> background) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, text);
  if (background)
    palette.setColor(QPalette::Window, *background);
  label->setPalette(palette);
  label->setAutoFillBackground(background.has_value());
}

QLabel* MakeLabel(QWidget* parent, Qt::Alignment alignment, const QFont& font) {
  auto* label = new QLabel(parent);
  label->setAlignment(alignment);
  label->setFont(font);
  return label;
}

// A label that runs an action when it is clicked with the left button, drawn as a link.
class LinkLabel : public QLabel {
 public:
  LinkLabel(QWidget* parent, std::function<void()> onClick)
      : QLabel(parent), onClick_(std::move(onClick)) {
    setAlignment(Qt::AlignCenter);
    QFont font = SansFont(8, true);
    font.setUnderline(true);
    setFont(font);
    SetColours(this, Qt::blue, std::nullopt);
    setCursor(Qt::PointingHandCursor);
  }

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
      onClick_();
  }

 private:
  std::function<void()> onClick_;
};

// One row of Close, Mute and Fix/Move, from the reading side's start.
QFrame* MakeButtonRow(QWidget* parent, Language lang, QToolButton*& close, QToolButton*& mute,
                      QToolButton*& halt) {
  auto* row = new QFrame(parent);
  row->setLayoutDirection(LayoutDirectionOf(lang));
  const bool arabic = lang == Language::Arabic;
  QToolButton** buttons[] = {&close, &mute, &halt};
  for (int i = 0; i < 3; ++i) {
    auto* button = new QToolButton(row);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setIconSize(QSize(kGlyphSize, kGlyphSize));
    button->setFocusPolicy(Qt::TabFocus);
    Place(button, arabic, kButtonRowWidth, i * (kButtonWidth + kButtonGap), 0, kButtonWidth,
          kButtonHeight);
    *buttons[i] = button;
  }
  close->setText(QByLanguage(lang, "Close", "إغلاق"));
  close->setIcon(CloseImage());
  mute->setText(QByLanguage(lang, "Mute", "إسكات"));
  mute->setIcon(AzanOffImage());
  return row;
}

// The main text of the table, or nothing for a prayer outside it.
std::optional<QString> AlertText(TPrayerSlot prayer, bool atPrayerTime, int minutes,
                                 Language lang) {
  struct Row {
    const char* englishName;   // before the prayer; null: no text before it
    const char* arabicEnding;  // before the prayer
    const char* englishAtTime;
    const char* arabicAtTime;
  };
  static constexpr std::array<Row, kPrayerSlots> kRows = {{
      {"Imsak", " حتى وقت الإمساك", "Imsak Azhan Time", "حان موعد أذان الإمساك"},
      {"Fajr", " حتى أذان الفجر", "Fajr Azhan Time", "حان موعد أذان الفجر"},
      {"Shuruq (sun rise)", " حتى شروق الشمس", "Shuruq (sun rise) time now", "حان موعد شروق الشمس"},
      {nullptr, nullptr, "Zuhr Azhan Time", "حان موعد أذان الظهر"},
      {"Asr", " حتى أذان العصر", "Asr Azhan Time", "حان موعد أذان العصر"},
      {"Maghrib", " حتى أذان المغرب", "Maghrib Azhan Time", "حان موعد أذان المغرب"},
      {"Isha", " حتى أذان العشاء", "Isha Azhan Time", "حان موعد أذان العشاء"},
  }};
  const int index = static_cast<int>(prayer);
  if (index < 0 || index >= kPrayerSlots)
    return std::nullopt;
  const Row& row = kRows[static_cast<std::size_t>(index)];
  const bool arabic = lang == Language::Arabic;
  if (atPrayerTime)
    return Utf8(arabic ? row.arabicAtTime : row.englishAtTime);
  if (!row.englishName)
    return QString();
  const QString number = QString::number(minutes);
  return arabic ? number + Utf8(" دقيقة ") + Utf8(row.arabicEnding)
                : number + QStringLiteral(" Minutes till ") + Utf8(row.englishName);
}

}  // namespace

TKQTimeWindow::TKQTimeWindow(AlertWindowContext context, QWidget* owner)
    // A tool window without a caption or border icons, above every other window and not in the
    // task bar; it draws its own raised border.
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      context_(std::move(context)) {
  setAttribute(Qt::WA_DeleteOnClose);
  Border = new QFrame(this);
  Border->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Border->setLineWidth(2);
  Border->setGeometry(0, 0, kWidth, kHeight);
  Border->lower();
  setFixedSize(kWidth, kHeight);
  setLayoutDirection(LayoutDirectionOf(context_.lang));

  _NextTimesLeft = MakeLabel(this, Qt::AlignCenter, QFont());
  QFont timesFont = SansFont(10, true);
  timesFont.setPixelSize(21);
  _NextTimesLeft->setFont(timesFont);
  _NextTimesLeft->setGeometry(0, 0, kWidth, kTopStripHeight);

  ALogo = new QLabel(this);
  ELogo = new QLabel(this);
  for (auto [logo, lang] :
       {std::pair{ALogo, Language::Arabic}, std::pair{ELogo, Language::English}}) {
    Place(logo, lang == Language::Arabic, kWidth, kMargin, kRowTop,
          kWidth - 3 * kMargin - kButtonRowWidth, kButtonHeight);
    logo->setPixmap(ProgramLogo(lang, logo->size()));
  }

  ABtns = MakeButtonRow(this, Language::Arabic, ACloseBtn, AAzanBtn, AHaltBtn);
  EBtns = MakeButtonRow(this, Language::English, ECloseBtn, EAzanBtn, EHaltBtn);
  Place(ABtns, true, kWidth, kWidth - kMargin - kButtonRowWidth, kRowTop, kButtonRowWidth,
        kButtonHeight);
  Place(EBtns, false, kWidth, kWidth - kMargin - kButtonRowWidth, kRowTop, kButtonRowWidth,
        kButtonHeight);

  Fix_Image = new QLabel(this);
  Fix_Image->setPixmap(FixImage().pixmap(kGlyphSize));
  Fix_Image->hide();
  Move_Image = new QLabel(this);
  Move_Image->setPixmap(MoveImage().pixmap(kGlyphSize));
  Move_Image->hide();

  // The main text: the black copy one pixel right of and below the white one, under it.
  Bevel2 = new QFrame(this);
  Bevel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  // A night-blue ground, on which the white text with its black shadow stands out.
  QPalette bevelPalette = Bevel2->palette();
  bevelPalette.setColor(QPalette::Window, kMainTextGround);
  Bevel2->setPalette(bevelPalette);
  Bevel2->setAutoFillBackground(true);
  Bevel2->setGeometry((kWidth - kBevelWidth) / 2, kBevelTop, kBevelWidth, kBevelHeight);
  const int textLeft = (kBevelWidth - kMainTextWidth) / 2;
  const int textTop = (kBevelHeight - kMainTextHeight) / 2;
  _AzanL1 = MakeLabel(Bevel2, Qt::AlignCenter, MainTextFont());
  _AzanL1->setGeometry(textLeft + 1, textTop + 1, kMainTextWidth, kMainTextHeight);
  SetColours(_AzanL1, Qt::black, std::nullopt);
  _AZanL2 = MakeLabel(Bevel2, Qt::AlignCenter, MainTextFont());
  _AZanL2->setGeometry(textLeft, textTop, kMainTextWidth, kMainTextHeight);
  SetColours(_AZanL2, Qt::white, std::nullopt);

  AzName_Label = MakeLabel(this, Qt::AlignCenter, SansFont(9, true));
  AzName_Label->setWordWrap(true);
  AzName_Label->setGeometry(kMargin, kAzNameTop, kWidth - 2 * kMargin, kAzNameHeight);
  CurAzName_Label = MakeLabel(this, Qt::AlignCenter, SansFont(kNoticePointSize));
  CurAzName_Label->setGeometry(kMargin, kSoundLineTop, kWidth - 2 * kMargin, kSoundLineHeight);

  DoNotShowThisWindow_CheckBox = new QCheckBox(this);
  DoNotShowThisWindow_CheckBox->setFont(SansFont(9, true));
  DoNotShowThisWindow_CheckBox->setGeometry(kMargin, kCheckBoxTop, kWidth - 2 * kMargin,
                                            kCheckBoxHeight);
  DoNotShowThisWindow_L = MakeLabel(this, Qt::AlignLeading | Qt::AlignVCenter, SansFont(7));
  DoNotShowThisWindow_L->setWordWrap(true);
  DoNotShowThisWindow_L->setGeometry(kMargin, kNoteTop, kWidth - 2 * kMargin, kNoteHeight);

  Updates_Panel = new QFrame(this);
  Updates_Panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Updates_Panel->setGeometry(0, kHeight - kUpdatesPanelHeight, kWidth, kUpdatesPanelHeight);
  const int lineWidth = kWidth - 8;
  Updates_Label = MakeLabel(Updates_Panel, Qt::AlignCenter, SansFont(8, true));
  Updates_Label->setGeometry(4, 2, lineWidth, 14);
  LiveUpdate_Label1 = new LinkLabel(Updates_Panel, [this] { LiveUpdate_Label1Click(); });
  LiveUpdate_Label1->setGeometry(4, 16, lineWidth, 14);
  LiveUpdate_Label2 = MakeLabel(Updates_Panel, Qt::AlignCenter, SansFont(7));
  LiveUpdate_Label2->setGeometry(4, 30, lineWidth, 13);
  LiveUpdate_Label3 = MakeLabel(Updates_Panel, Qt::AlignCenter, SansFont(7));
  LiveUpdate_Label3->setGeometry(4, 43, lineWidth, 13);
  TovarelinURL_Title = new LinkLabel(Updates_Panel, [this] { TovarelinURL_TitleClick(); });
  TovarelinURL_Title->setGeometry(4, 57, lineWidth, 16);

  Master = new QTimer(this);
  Slave = new QTimer(this);
  connect(Master, &QTimer::timeout, this, &TKQTimeWindow::MasterTimer);
  connect(Slave, &QTimer::timeout, this, &TKQTimeWindow::SlaveTimer);

  for (QToolButton* button : {ACloseBtn, ECloseBtn})
    connect(button, &QToolButton::clicked, this, &TKQTimeWindow::CloseBtnClick);
  for (QToolButton* button : {AAzanBtn, EAzanBtn})
    connect(button, &QToolButton::clicked, this, &TKQTimeWindow::AzanBtnClick);
  for (QToolButton* button : {AHaltBtn, EHaltBtn})
    connect(button, &QToolButton::clicked, this, &TKQTimeWindow::HaltBtnClick);
  connect(DoNotShowThisWindow_CheckBox, &QCheckBox::clicked, this,
          &TKQTimeWindow::DoNotShowThisWindow_CheckBoxClick);

  FormCreate();
  move(ScreenArea().center() - rect().center());
}

void TKQTimeWindow::FormCreate() {
  const bool arabic = context_.lang == Language::Arabic;
  UpdatesPanelHidden = false;
  AzName_Label->setText(ToQString(FlattenLines(context_.azhanCaption)));
  CurAzName_Label->clear();
  SetNoticeLook();
  _NextTimesLeft->clear();
  Master->setInterval(kMasterIntervalMs);
  Slave->setInterval(kSlaveIntervalMs);
  ABtns->setVisible(arabic);
  ALogo->setVisible(arabic);
  EBtns->setVisible(!arabic);
  ELogo->setVisible(!arabic);
  // The check box and its note follow the language whether or not the update offer shows.
  DoNotShowThisWindow_CheckBox->setLayoutDirection(LayoutDirectionOf(context_.lang));
  DoNotShowThisWindow_CheckBox->setText(
      QByLanguage(context_.lang, "Do not show this window again", "لا تُظهـِر هذه النافذة مستقبلا"));
  DoNotShowThisWindow_L->setText(QByLanguage(
      context_.lang,
      "You can also change this option from the main menu: Options / Show Warning Screen",
      "يمكنك أيضا تغيير هذا الخيار من القائمة الرئيسية: خيارات / إظهار نافذة التنبيه"));
  ApplyMoveSetting();
}

void TKQTimeWindow::SetNoticeLook() {
  const QColor buttonFace = palette().color(QPalette::Button);
  QFont font = CurAzName_Label->font();
  noticeRed_ = false;
  if (context_.availableAzhanCount > 0) {
    font.setPointSize(kNoticePointSize);
    SetColours(CurAzName_Label, Qt::black, buttonFace);
  } else {
    font.setPointSize(kNoNoticePointSize);
    noticeRed_ = context_.settings && context_.settings->AzanSoundOn;
    if (noticeRed_)
      SetColours(CurAzName_Label, Qt::white, ColorFromColorRef(kNoticeRed));
    else
      SetColours(CurAzName_Label, Qt::black, buttonFace);
  }
  CurAzName_Label->setFont(font);
}

void TKQTimeWindow::ApplyMoveSetting() {
  const bool moving = context_.settings && context_.settings->MoveScreenSaverOption;
  const QIcon glyph(moving ? Move_Image->pixmap() : Fix_Image->pixmap());
  AHaltBtn->setText(Utf8(moving ? "تثبيت" : "تحريك"));
  EHaltBtn->setText(moving ? QStringLiteral("Fix") : QStringLiteral("Move"));
  for (QToolButton* button : {AHaltBtn, EHaltBtn})
    button->setIcon(glyph);
  // A tooltip that is set always shows, so with hints off neither button gets one.
  if (context_.showHint) {
    AHaltBtn->setToolTip(
        Utf8(moving ? "اضغط لمنع تحريك هذا الإطار" : "اضغط للسماح بتحريك هذا الإطار"));
    EHaltBtn->setToolTip(moving ? QStringLiteral("Press to prevent movement of this window")
                                : QStringLiteral("Press to allow movement of this window"));
  }
  if (moving) {
    Slave->stop();
    Master->start();
  } else {
    Master->stop();
    Slave->stop();
    StepX = 1;
    StepY = 1;
  }
}

void TKQTimeWindow::SetAlertText(TPrayerSlot prayer, bool atPrayerTime, int minutes) {
  const Language lang = context_.lang;
  const int pointSize =
      prayer == Shuruq && lang == Language::English ? kShuruqEnglishPointSize : kMainPointSize;
  for (QLabel* label : {_AzanL1, _AZanL2}) {
    QFont font = label->font();
    font.setPointSize(pointSize);
    label->setFont(font);
  }
  std::optional<QString> text = AlertText(prayer, atPrayerTime, minutes, lang);
  if (!text)
    return;
  if (lang == Language::Arabic && !text->isEmpty()) {
    const QString rlm = ToQString(kRlm);
    *text = rlm + *text + rlm;
  }
  _AzanL1->setText(*text);
  _AZanL2->setText(*text);
}

void TKQTimeWindow::ShowMinutesBefore(TPrayerSlot prayer, int minutes) {
  _NextTimesLeft->clear();
  CurAzName_Label->clear();
  PrayerIndex = prayer;
  AtPrayerTime = false;
  SetAlertText(prayer, false, minutes);
  FormActivate();
}

void TKQTimeWindow::ShowPrayerTimeAlert(TPrayerSlot prayer) {
  PrayerIndex = prayer;
  AtPrayerTime = true;
  SetAlertText(prayer, true, 0);
  FormActivate();
}

void TKQTimeWindow::FormActivate() {
  const VekSettings* settings = context_.settings;
  DoNotShowThisWindow_CheckBox->setChecked(settings && !settings->ShowWarningScreen);
  const bool soundOn = settings && (AtPrayerTime ? settings->AzanSoundOn : settings->AlarmSoundOn);
  EnableMuteButtons(soundOn);
  if (!AtPrayerTime)
    CurAzName_Label->clear();
  AAzanBtn->setVisible(true);
  EAzanBtn->setVisible(true);
  setWindowTitle(QString());
  if (noticeRed_) {
    FillUpdateOffer();
    CurAzName_Label->update();
  } else if (!UpdatesPanelHidden) {
    UpdatesPanelHidden = true;
    Updates_Panel->hide();
    setFixedSize(width(), height() - Updates_Panel->height());
    Border->setGeometry(rect());
    CurAzName_Label->update();
  }
}

void TKQTimeWindow::FillUpdateOffer() {
  const Language lang = context_.lang;
  CurAzName_Label->setText(QByLanguage(lang, "Azhan files can be downloaded from our internet site",
                                       "يمكن تنزيل ملفات الأذان من موقعنا على الإنترنت"));
  Updates_Label->setText(QByLanguage(lang, "FREE UPDATES THROUGH THE INTERNET",
                                     "ترقيات مجانية عبر موقعنا على الإنترنت"));
  LiveUpdate_Label1->setText(QByLanguage(lang, "Click here for Live (automatic) Update",
                                         "انقر هنا للترقية الحية (التلقائية) عبر الإنترنت"));
  LiveUpdate_Label2->setText(
      QByLanguage(lang, "Note: Your ISP may have a Firewall, preventing this Live-Update",
                  "ملاحظة: قد يكون لدى مزوّد خدمة الإنترنت جدار حماية يمنع هذه الترقية الحية"));
  LiveUpdate_Label3->setText(QByLanguage(
      lang,
      "If this live (automatic) Update fails, you will have to perform the Manual Update below",
      "إذا فشلت هذه الترقية الحية (التلقائية) فعليك إجراء الترقية اليدوية أدناه"));
  TovarelinURL_Title->setText(
      QByLanguage(lang, "Click here for Manual Update", "انقر هنا لإجراء الترقية يدويا:"));
  DoNotShowThisWindow_CheckBox->setText(
      QByLanguage(lang, "Do not show this window again", "لا تُظهـِر هذه النافذة مستقبلا"));
  DoNotShowThisWindow_L->setText(QByLanguage(
      lang, "You can also change this option from the main menu: Options / Show Warning Screen",
      "يمكنك أيضا تغيير هذا الخيار من القائمة الرئيسية: خيارات / إظهار نافذة التنبيه"));
  DoNotShowThisWindow_CheckBox->setLayoutDirection(LayoutDirectionOf(lang));
}

QRect TKQTimeWindow::ScreenArea() const {
  if (context_.screenArea.isValid())
    return context_.screenArea;
  const QScreen* screen = this->screen();
  if (!screen)
    screen = QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect();
}

void TKQTimeWindow::MasterTimer() {
  Slave->start();
  Master->stop();
  StepX = 1;
  StepY = 1;
}

void TKQTimeWindow::SlaveTimer() {
  const QRect area = ScreenArea();
  const QSize size = frameGeometry().size();
  int left = x() + StepX;
  int top = y() + StepY;
  bool bounced = false;
  const int maxLeft = area.left() + area.width() - size.width();
  if (left < area.left() || left > maxLeft) {
    left = left < area.left() ? area.left() : maxLeft;
    StepX = -StepX;
    bounced = true;
  }
  const int maxTop = area.top() + area.height() - size.height();
  if (top < area.top() || top > maxTop) {
    top = top < area.top() ? area.top() : maxTop;
    StepY = -StepY;
    bounced = true;
  }
  move(left, top);
  if (bounced)
    raise();
}

void TKQTimeWindow::CloseBtnClick() {
  close();
}

void TKQTimeWindow::AzanBtnClick() {
  if (context_.mute)
    context_.mute();
  EnableMuteButtons(false);
}

void TKQTimeWindow::HaltBtnClick() {
  if (!context_.settings)
    return;
  if (context_.setMoveScreenSaver)
    context_.setMoveScreenSaver(!context_.settings->MoveScreenSaverOption);
  ApplyMoveSetting();
}

void TKQTimeWindow::DoNotShowThisWindow_CheckBoxClick() {
  if (!context_.settings)
    return;
  const bool show = !DoNotShowThisWindow_CheckBox->isChecked();
  if (show == context_.settings->ShowWarningScreen)
    return;
  if (context_.setShowWarningScreen)
    context_.setShowWarningScreen(show);
}

void TKQTimeWindow::LiveUpdate_Label1Click() {
  // The window is freed once control is back in the event loop; the action is kept apart.
  const std::function<void()> liveUpdate = context_.liveUpdate;
  close();
  hide();
  if (liveUpdate)
    liveUpdate();
}

void TKQTimeWindow::TovarelinURL_TitleClick() {
  if (context_.openManualUpdatePage)
    context_.openManualUpdatePage(context_.lang == Language::Arabic ? kArabicManualUpdatePage
                                                                    : kEnglishManualUpdatePage);
}

void TKQTimeWindow::SetSoundLine(const QString& text) {
  SetTextIfChanged(CurAzName_Label, text);
}

void TKQTimeWindow::EnableMuteButtons(bool enabled) {
  AAzanBtn->setEnabled(enabled);
  EAzanBtn->setEnabled(enabled);
}

bool TKQTimeWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate)
    FormActivate();
  return QWidget::event(event);
}

void TKQTimeWindow::closeEvent(QCloseEvent* event) {
  emit closing();
  event->accept();
}

// ---- the port -----------------------------------------------------------------------------

AlertWindowPort::AlertWindowPort(QWidget* owner, std::function<AlertWindowContext()> makeContext)
    : owner_(owner), makeContext_(std::move(makeContext)) {}

AlertWindowPort::~AlertWindowPort() {
  QObject::disconnect(closing_);
}

bool AlertWindowPort::Exists() const {
  return !window_.isNull();
}

void AlertWindowPort::Create() {
  if (window_)
    return;
  auto* window = new TKQTimeWindow(makeContext_ ? makeContext_() : AlertWindowContext{}, owner_);
  window_ = window;
  closing_ = QObject::connect(window, &TKQTimeWindow::closing, [this] { Forget(); });
}

void AlertWindowPort::Forget() {
  QObject::disconnect(closing_);
  window_ = nullptr;
}

bool AlertWindowPort::AtPrayerTime() const {
  return window_ && window_->AtPrayerTime;
}

TPrayerSlot AlertWindowPort::PrayerIndex() const {
  return window_ ? window_->PrayerIndex : Imsak;
}

void AlertWindowPort::ShowMinutesBefore(TPrayerSlot prayer, int minutes) {
  if (window_)
    window_->ShowMinutesBefore(prayer, minutes);
}

void AlertWindowPort::ShowPrayerTimeAlert(TPrayerSlot prayer) {
  if (window_)
    window_->ShowPrayerTimeAlert(prayer);
}

void AlertWindowPort::Show() {
  if (!window_)
    return;
  window_->show();
  window_->raise();
}

void AlertWindowPort::SetSoundLine(const std::string& text) {
  if (window_)
    window_->SetSoundLine(ToQString(text));
}

void AlertWindowPort::EnableMuteButtons(bool enabled) {
  if (window_)
    window_->EnableMuteButtons(enabled);
}

TKQTimeWindow* AlertWindowPort::Window() const {
  return window_.data();
}

}  // namespace vek
