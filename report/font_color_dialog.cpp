#include "report/font_color_dialog.h"

#include <QComboBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

#include "foundation/qt/color_ref.h"
#include "foundation/qt/qt_strings.h"
#include "report/page_painter.h"

namespace vek {

namespace {

// The Arabic names of FontColorNames, in its order.
constexpr std::array<const char*, 16> kArabicColorNames = {
    "أسود", "كستنائي", "أخضر",   "زيتوني", "كحلي", "أرجواني", "أزرق مخضر", "رمادي",
    "فضي",  "أحمر",    "ليموني", "أصفر",   "أزرق", "فوشيا",   "سماوي",     "أبيض",
};

QIcon Swatch(std::uint32_t color) {
  QPixmap pixmap(16, 16);
  pixmap.fill(ColorFromColorRef(color));
  QPainter painter(&pixmap);
  painter.setPen(Qt::gray);
  painter.drawRect(0, 0, 15, 15);
  return QIcon(pixmap);
}

}  // namespace

TFontColorDlg::TFontColorDlg(const FontSpec& font, Language lang, QWidget* parent)
    : QDialog(parent), original_(font) {
  setObjectName("TFontColorDlg");
  const bool arabic = lang == Language::Arabic;
  setLayoutDirection(LayoutDirectionOf(lang));
  setWindowTitle(QByLanguage(lang, "Font", "الخط"));
  auto* outer = new QVBoxLayout(this);

  Fonts = new QFontDialog(this);
  Fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
  Fonts->setWindowFlags(Qt::Widget);
  // The chooser lists installed faces: a design's face is shown as the one that draws it.
  QFont shown = ReportFont(font);
  shown.setFamily(QFontInfo(shown).family());
  Fonts->setCurrentFont(shown);
  outer->addWidget(Fonts);

  auto* colorRow = new QHBoxLayout;
  auto* colorLabel = new QLabel(QByLanguage(lang, "Colour", "اللون"));
  ColorCombo = new QComboBox;
  ColorCombo->setObjectName("ColorCombo");
  int current = 0;
  for (std::size_t i = 0; i < FontColorNames.size(); ++i) {
    const FontColorName& c = FontColorNames[i];
    ColorCombo->addItem(
        Swatch(c.Color),
        arabic ? QString::fromUtf8(kArabicColorNames[i])
               : QString::fromLatin1(c.Name.data(), static_cast<qsizetype>(c.Name.size())),
        static_cast<uint>(c.Color));
    if (c.Color == font.Color)
      current = static_cast<int>(i);
  }
  ColorCombo->setCurrentIndex(current);
  colorLabel->setBuddy(ColorCombo);
  colorRow->addWidget(colorLabel);
  colorRow->addWidget(ColorCombo, 1);
  outer->addLayout(colorRow);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  OkBtn = new QPushButton(QByLanguage(lang, "Ok", "مــوافــق"));
  OkBtn->setObjectName("OkBtn");
  OkBtn->setDefault(true);
  CancelBtn = new QPushButton(QByLanguage(lang, "Cancel", "إلغاء الأمر"));
  CancelBtn->setObjectName("CancelBtn");
  buttons->addWidget(OkBtn);
  buttons->addWidget(CancelBtn);
  outer->addLayout(buttons);
  connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

FontSpec TFontColorDlg::Chosen() const {
  FontSpec chosen = FontSpecOf(Fonts->currentFont(), ColorCombo->currentData().toUInt());
  if (ToQString(chosen.Name) == QFontInfo(ReportFont(original_)).family())
    chosen.Name = original_.Name;
  return chosen;
}

std::optional<FontSpec> ChooseFontDialog(const FontSpec& font, Language lang, QWidget* parent,
                                         const ModalRunner& runModal) {
  TFontColorDlg dialog(font, lang, parent);
  if (RunModal(runModal, dialog) != QDialog::Accepted)
    return std::nullopt;
  return dialog.Chosen();
}

}  // namespace vek
