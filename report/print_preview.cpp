#include "report/print_preview.h"

#include <QActionGroup>
#include <QButtonGroup>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPrinter>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

#include "foundation/qt/qt_strings.h"
#include "report/page_layout.h"
#include "report/page_painter.h"

namespace vek {

namespace {

constexpr int kButtonWidth = 58;  // at least; a longer caption widens its button
constexpr int kGlyphSize = 24;
constexpr int kRoomMargin = 20;  // around the page when it is shrunk to the window

enum class Glyph { Close, Print, Setup, Zoom, Actual, Back, Forward };

// The tool bar's pictures, drawn here rather than shipped.
QIcon DrawGlyph(Glyph glyph) {
  QPixmap pixmap(kGlyphSize, kGlyphSize);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor ink(0x30, 0x30, 0x30);
  const QColor paper(Qt::white);
  switch (glyph) {
    case Glyph::Close:
      p.setPen(QPen(QColor(0xC0, 0x20, 0x20), 3, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(6, 6), QPointF(18, 18));
      p.drawLine(QPointF(18, 6), QPointF(6, 18));
      break;
    case Glyph::Print:
    case Glyph::Setup:
      p.setPen(QPen(ink, 1.2));
      p.setBrush(paper);
      p.drawRect(QRectF(7, 2.5, 10, 8));  // the sheet going in
      p.setBrush(QColor(0x90, 0x90, 0x98));
      p.drawRoundedRect(QRectF(2.5, 9.5, 19, 9), 2, 2);
      p.setBrush(paper);
      p.drawRect(QRectF(6.5, 15.5, 11, 6));  // the printed sheet
      if (glyph == Glyph::Setup) {
        p.setPen(QPen(QColor(0x20, 0x60, 0xC0), 2));
        p.drawLine(QPointF(13, 21), QPointF(22, 12));
        p.setBrush(QColor(0x20, 0x60, 0xC0));
        p.drawEllipse(QPointF(20.5, 13.5), 2.5, 2.5);
      } else {
        p.setBrush(QColor(0x20, 0xA0, 0x40));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(18.5, 12.5), 1.3, 1.3);
      }
      break;
    case Glyph::Zoom:
      p.setPen(QPen(ink, 1.2));
      p.setBrush(paper);
      p.drawRect(QRectF(3.5, 2.5, 12, 16));
      p.setPen(QPen(QColor(0x20, 0x60, 0xC0), 2));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QPointF(14, 13), 5, 5);
      p.drawLine(QPointF(17.5, 16.5), QPointF(22, 21));
      p.drawLine(QPointF(11.5, 13), QPointF(16.5, 13));
      break;
    case Glyph::Actual: {
      p.setPen(QPen(ink, 1.2));
      p.setBrush(paper);
      p.drawRect(QRectF(2.5, 2.5, 19, 19));
      QFont font = p.font();
      font.setPixelSize(10);
      font.setBold(true);
      p.setFont(font);
      p.setPen(QColor(0x20, 0x60, 0xC0));
      p.drawText(QRectF(2, 2, 20, 20), Qt::AlignCenter, QStringLiteral("1:1"));
      break;
    }
    case Glyph::Back:
    case Glyph::Forward: {
      QPainterPath arrow;
      if (glyph == Glyph::Forward) {
        arrow.moveTo(7, 4);
        arrow.lineTo(19, 12);
        arrow.lineTo(7, 20);
      } else {
        arrow.moveTo(17, 4);
        arrow.lineTo(5, 12);
        arrow.lineTo(17, 20);
      }
      arrow.closeSubpath();
      p.setPen(QPen(ink, 1));
      p.setBrush(QColor(0x20, 0x80, 0x40));
      p.drawPath(arrow);
      break;
    }
  }
  return QIcon(pixmap);
}

}  // namespace

TVEKPreView::TVEKPreView(PreviewSource& report, QWidget* parent)
    : QDialog(parent), report_(report) {
  setObjectName("TVEKPreView");
  // No border icons: the tool bar closes the preview.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  BuildWidgets();
  SetCaptions();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    setGeometry(area.left() + 5, area.top() + 5, std::max(200, area.width() - 20),
                std::max(200, area.height() - 20));
  }
  FitToWindow = 1;
  CurrentPage = 1;
  PageCount = std::max(1, report_.PageCount());
  UpdatePageButtons();
  SizeBitmap();
  MakeLayout();
  PaintBitmap();
}

void TVEKPreView::BuildWidgets() {
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSpacing(0);
  PVToolBar = new QToolBar;
  PVToolBar->setObjectName("PVToolBar");
  PVToolBar->setIconSize(QSize(kGlyphSize, kGlyphSize));
  const auto button = [this](QToolButton*& b, const char* name, Glyph glyph) {
    b = new QToolButton;
    b->setObjectName(name);
    b->setIcon(DrawGlyph(glyph));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setMinimumWidth(kButtonWidth);
    PVToolBar->addWidget(b);
  };
  button(CloseBtn, "CloseBtn", Glyph::Close);
  button(PrintBtn, "PrintBtn", Glyph::Print);
  button(SetupBtn, "SetupBtn", Glyph::Setup);
  PVToolBar->addSeparator();
  button(ZoomBtn, "ZoomBtn", Glyph::Zoom);
  button(ActualBtn, "ActualBtn", Glyph::Actual);
  PVToolBar->addSeparator();
  // Back and forward in the reading direction: the arrows turn in Arabic.
  const bool arabic = report_.Lang() == Language::Arabic;
  button(PrevBtn, "PrevBtn", arabic ? Glyph::Forward : Glyph::Back);
  button(NextBtn, "NextBtn", arabic ? Glyph::Back : Glyph::Forward);
  ZoomBtn->setCheckable(true);
  ActualBtn->setCheckable(true);
  auto* zoom = new QButtonGroup(this);
  zoom->setExclusive(true);
  zoom->addButton(ZoomBtn);
  zoom->addButton(ActualBtn);
  ZoomBtn->setChecked(true);
  outer->addWidget(PVToolBar);

  ImgPanel = new QScrollArea;
  ImgPanel->setObjectName("ImgPanel");
  ImgPanel->setFrameShape(QFrame::NoFrame);
  ImgPanel->setWidgetResizable(false);
  ImgPanel->setAlignment(Qt::AlignCenter);
  ImgPanel->setBackgroundRole(QPalette::Dark);
  Image = new QLabel;
  Image->setObjectName("Image");
  Image->setScaledContents(true);
  Image->setFrameShape(QFrame::Box);
  Image->setLineWidth(0);
  ImgPanel->setWidget(Image);
  outer->addWidget(ImgPanel, 1);

  connect(CloseBtn, &QToolButton::clicked, this, &QDialog::reject);
  connect(PrintBtn, &QToolButton::clicked, this, [this] { PrintBtnClick(); });
  connect(SetupBtn, &QToolButton::clicked, this, [this] { SetupBtnClick(); });
  connect(ZoomBtn, &QToolButton::clicked, this, [this] { ZoomBtnClick(); });
  connect(ActualBtn, &QToolButton::clicked, this, [this] { ActualBtnClick(); });
  connect(NextBtn, &QToolButton::clicked, this, [this] { NextBtnClick(); });
  connect(PrevBtn, &QToolButton::clicked, this, [this] { PrevBtnClick(); });
}

void TVEKPreView::SetCaptions() {
  const Language lang = report_.Lang();
  setLayoutDirection(LayoutDirectionOf(lang));
  setWindowTitle(QByLanguage(lang, "Print Preview", "معاينة الطباعة"));
  CloseBtn->setText(QByLanguage(lang, "Close", "إغلاق"));
  PrintBtn->setText(QByLanguage(lang, "Print", "طباعة"));
  PrevBtn->setText(QByLanguage(lang, "Prev", "السابق"));
  NextBtn->setText(QByLanguage(lang, "Next", "التالي"));
  SetupBtn->setText(QByLanguage(lang, "Printer Setup", "إعداد الطابعة"));
  ZoomBtn->setText(QByLanguage(lang, "Shrink to Fit", "ملء النافذة"));
  ActualBtn->setText(QByLanguage(lang, "Actual Size", "الحجم الفعلي"));
  // The longer captions name the buttons in full as hints.
  const bool hints = report_.ShowHint();
  for (QToolButton* b : {CloseBtn, PrintBtn, PrevBtn, NextBtn, SetupBtn, ZoomBtn, ActualBtn})
    b->setToolTip(hints ? b->text() : QString());
}

void TVEKPreView::SetPageCount(int count) {
  PageCount = std::max(1, count);
  CurrentPage = std::clamp(CurrentPage, 1, PageCount);
  UpdatePageButtons();
  PaintBitmap();
}

void TVEKPreView::UpdatePageButtons() {
  PrevBtn->setEnabled(CurrentPage > 1);
  NextBtn->setEnabled(CurrentPage < PageCount);
}

void TVEKPreView::SizeBitmap() {
  const double ppi = ScreenPixelsPerInch();
  const PageSize page = DevicePageSize(report_.Printer(), ppi);
  BitmapWidth = std::max(1, page.Width);
  BitmapHeight = std::max(1, page.Height + 2);
}

void TVEKPreView::MakeLayout() {
  if (FitToWindow) {
    ImgPanel->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ImgPanel->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const FitSize fit = FitPageSize(BitmapWidth, BitmapHeight, ImgPanel->width() - kRoomMargin,
                                    ImgPanel->height() - kRoomMargin);
    Image->setFixedSize(fit.Width, fit.Height);
  } else {
    ImgPanel->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ImgPanel->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Image->setFixedSize(BitmapWidth, BitmapHeight);
  }
}

void TVEKPreView::PaintBitmap() {
  CurrentPage = std::clamp(CurrentPage, 1, PageCount);
  bitmap_ = report_.PreviewPage(CurrentPage);
  Image->setPixmap(QPixmap::fromImage(bitmap_));
}

void TVEKPreView::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  MakeLayout();
}

void TVEKPreView::ZoomBtnClick() {
  FitToWindow = 1;
  ZoomBtn->setChecked(true);
  MakeLayout();
}

void TVEKPreView::ActualBtnClick() {
  FitToWindow = 0;
  ActualBtn->setChecked(true);
  MakeLayout();
}

void TVEKPreView::NextBtnClick() {
  if (CurrentPage >= PageCount)
    return;
  ++CurrentPage;
  PaintBitmap();
  UpdatePageButtons();
}

void TVEKPreView::PrevBtnClick() {
  if (CurrentPage <= 1)
    return;
  --CurrentPage;
  PaintBitmap();
  UpdatePageButtons();
}

void TVEKPreView::SetupBtnClick() {
  if (!report_.RunPageSetup())
    return;
  SizeBitmap();
  MakeLayout();
  PaintBitmap();
}

void TVEKPreView::PrintBtnClick() {
  report_.PrintReport(false);
}

}  // namespace vek
