#include "mainwin/clock_face_form.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <string>
#include <utility>

#include "foundation/qt/color_ref.h"
#include "foundation/qt/qt_strings.h"
#include "mainwin/analog_clock.h"
#include "mainwin/clock_face_loader.h"

namespace vek {

namespace {

constexpr int kColumns = 6;
constexpr int kFrameWidth = 3;
constexpr std::uint32_t kMarkedFrame = 0xFF0000;  // blue

struct Captions {
  const char* title;
  const char* complete;
  const char* completeHint;
  const char* detailed;
  const char* detailedHint;
  const char* close;
};

const Captions kEnglish = {
    "Selecting Clock Face",           "Complete", "Complete pictures, but approximate", "Detailed",
    "Detailed pictures, but partial", "Close"};
const Captions kArabic = {"اختيار وجه الساعة",     "كاملة", "صور كاملة، ولكن تقريبية", "مفصلة",
                          "صور مفصلة، ولكن جزئية", "إغلاق"};

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

std::string PictureNameOf(int index) {
  if (FaceCodeOfIndex(index) == kNoFaceCode)
    return std::string(kNoFacePictureName);
  return FaceBaseName(FaceCodeOfIndex(index));
}

void SetBackground(QWidget* widget, const QColor& color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, color);
  widget->setPalette(palette);
}

}  // namespace

TClockFaceForm::TClockFaceForm(ClockFaceFormContext context, QWidget* parent)
    : QDialog(parent), context_(std::move(context)) {
  const bool arabic = context_.lang == Language::Arabic;
  const Captions& captions = arabic ? kArabic : kEnglish;
  setWindowTitle(Text(captions.title));
  setLayoutDirection(LayoutDirectionOf(context_.lang));

  auto* grid = new QGridLayout;
  grid->setSpacing(6);
  for (int i = 0; i < kClockFaceCount; ++i) {
    auto* frame = new QFrame(this);
    frame->setAutoFillBackground(true);
    auto* box = new QVBoxLayout(frame);
    box->setContentsMargins(kFrameWidth, kFrameWidth, kFrameWidth, kFrameWidth);
    auto* image = new QLabel(frame);
    image->setFixedSize(kImagePixels, kImagePixels);
    image->setAlignment(Qt::AlignCenter);
    image->setAutoFillBackground(true);
    image->setCursor(Qt::PointingHandCursor);
    image->setProperty("tag", i + 1);
    image->installEventFilter(this);
    box->addWidget(image);
    grid->addWidget(frame, i / kColumns, i % kColumns);
    Frames[static_cast<std::size_t>(i)] = frame;
    Images[static_cast<std::size_t>(i)] = image;
  }

  Size_Button = new QPushButton(this);
  Close_Button = new QPushButton(Text(captions.close), this);
  connect(Size_Button, &QPushButton::clicked, this, [this] { Size_ButtonClick(); });
  connect(Close_Button, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Size_Button);
  buttons->addStretch();
  buttons->addWidget(Close_Button);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TClockFaceForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!activated_) {
    activated_ = true;
    FormActivate();
  }
}

void TClockFaceForm::FormActivate() {
  const QColor standard = palette().color(QPalette::Button);
  for (int i = 0; i < kClockFaceCount; ++i) {
    SetBackground(Images[static_cast<std::size_t>(i)], standard);
    if (context_.module != nullptr && context_.ui != nullptr) {
      const FacePicture face = UnpackFacePicture(
          PictureNameOf(i),
          context_.previewFolder.empty() ? context_.programFolder : context_.previewFolder,
          *context_.module, context_.switches);
      if (face.picture.isNull())
        ShowFacePictureFailure(face, *context_.ui, context_.lang, context_.switches);
      pictures_[static_cast<std::size_t>(i)] = face.picture;
    }
  }
  Size_ButtonClick();
  MarkFrame(context_.currentIndex);
}

void TClockFaceForm::Size_ButtonClick() {
  stretched_ = !stretched_;
  const Captions& captions = context_.lang == Language::Arabic ? kArabic : kEnglish;
  Size_Button->setText(Text(stretched_ ? captions.complete : captions.detailed));
  Size_Button->setToolTip(Text(stretched_ ? captions.completeHint : captions.detailedHint));
  ShowPictures();
}

void TClockFaceForm::ShowPictures() {
  const QColor standard = palette().color(QPalette::Button);
  for (int i = 0; i < kClockFaceCount; ++i) {
    const QImage& picture = pictures_[static_cast<std::size_t>(i)];
    QLabel* image = Images[static_cast<std::size_t>(i)];
    if (picture.isNull()) {
      image->clear();
      continue;
    }
    QImage shown;
    if (stretched_) {
      shown = RoundFacePicture(picture, kImagePixels, standard);
    } else {
      const int side = picture.width();
      const int margin = (side - kImagePixels) / 2;
      shown = RoundFacePicture(picture, side, standard)
                  .copy(margin, margin, kImagePixels, kImagePixels);
    }
    image->setPixmap(QPixmap::fromImage(shown));
  }
}

void TClockFaceForm::MarkFrame(int index) {
  const QColor standard = palette().color(QPalette::Button);
  for (QFrame* frame : Frames)
    SetBackground(frame, standard);
  marked_ = index >= 0 && index < kClockFaceCount ? index : -1;
  if (marked_ >= 0)
    SetBackground(Frames[static_cast<std::size_t>(marked_)], ColorFromColorRef(kMarkedFrame));
}

void TClockFaceForm::ImageClick(int tag) {
  const int index = tag - 1;
  if (index < 0 || index >= kClockFaceCount)
    return;
  MarkFrame(index);
  if (context_.clock != nullptr && context_.module != nullptr && context_.ui != nullptr)
    LoadClockFace(FaceCodeOfIndex(index), context_.programFolder, *context_.module, *context_.clock,
                  *context_.ui, context_.lang, context_.switches);
  chosen_ = index;
}

bool TClockFaceForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    const QVariant tag = watched->property("tag");
    if (tag.isValid()) {
      ImageClick(tag.toInt());
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace vek
