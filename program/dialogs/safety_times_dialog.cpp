#include "program/dialogs/safety_times_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QTextOption>
#include <QVBoxLayout>

#include "foundation/qt/qt_strings.h"
#include "program/dialogs/ok_cancel_row.h"

namespace vek {

namespace {

const char* const kEnglishExplanation =
    "A Minute or two of \"Safety Time\" is recommended to offset "
    "discrepancies between actual  and assumed location. "
    "Appropriate Safety Times (Tamkeen) are especially recommended in "
    "RAMADAN for an important reason:  "
    "According to all scholars, if a MISTAKE is committed concerning fasting "
    "TIME, fasting must be REPEATED (unlike FOGETFUL eating while "
    "fasting, and some mistakes in other topics, which are forgiven). "
    "Exaggerated Safety Times concerning the beginning or end of the fast "
    "are against the Sunnah and should be avoided.";

const char* const kArabicExplanation =
    "يُنصح بدقيقة أو دقيقتين من \"وقت الاحتياط\" لتعويض الفرق بين الموقع الحقيقي "
    "والموقع المفترض. ويُنصح بأوقات احتياط (تمكين) مناسبة خاصة في رمضان لسبب مهم: "
    "فعند جميع العلماء إذا وقع خطأ في وقت الصيام وجبت إعادة الصيام (بخلاف الأكل ناسيا "
    "أثناء الصيام، وبعض الأخطاء في أبواب أخرى مما يُعفى عنه). "
    "والمبالغة في أوقات الاحتياط في بداية الصيام أو نهايته مخالفة للسنة وينبغي تجنبها.";

}  // namespace

TSaftyTimesDlg::TSaftyTimesDlg(SettingsDialogContext context, const SafetyOffsets& offsets,
                               QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      context_(context),
      offsets_(offsets) {
  const Language lang = context_.lang;
  setObjectName("TSaftyTimesDlg");
  setWindowTitle(QByLanguage(lang, "Define Safty Times", "تحديد أوقات الاحتياط"));
  setLayoutDirection(LayoutDirectionOf(lang));

  const char* const english[] = {"Fajr", "Shuruq", "Zuhr", "Asr", "Maghrib", "Isha"};
  const char* const arabic[] = {"الفجر", "الشروق", "الظهر", "العصر", "المغرب", "العشاء"};
  const std::array<int, kSafetyLists> shown = SafetyEntriesOf(offsets_);
  auto* form = new QFormLayout;
  for (int i = 0; i < kSafetyLists; ++i) {
    const auto list = static_cast<SafetyList>(i);
    Combos[i] = new QComboBox;
    for (const std::string& entry : SafetyEntries(list, lang))
      Combos[i]->addItem(ToQString(entry));
    Combos[i]->setCurrentIndex(shown[i]);
    form->addRow(QByLanguage(lang, english[i], arabic[i]), Combos[i]);
  }

  Note = new QLabel(QByLanguage(lang, "These Safety Times will be applied to ALL locations",
                                "ستُطبَّق أوقات الاحتياط هذه على جميع المواقع"));
  Note->setWordWrap(true);
  QFont bold = Note->font();
  bold.setBold(true);
  Note->setFont(bold);
  Explanation = new QPlainTextEdit(QByLanguage(lang, kEnglishExplanation, kArabicExplanation));
  Explanation->setReadOnly(true);
  Explanation->setFixedSize(300, 170);
  // The text reads, and is aligned, from the side of its language.
  Explanation->setLayoutDirection(LayoutDirectionOf(lang));
  QTextOption reading = Explanation->document()->defaultTextOption();
  reading.setTextDirection(LayoutDirectionOf(lang));
  reading.setAlignment(Qt::AlignAbsolute |
                       (lang == Language::Arabic ? Qt::AlignRight : Qt::AlignLeft));
  Explanation->document()->setDefaultTextOption(reading);

  const OkCancelRow okCancel = MakeOkCancelRow(*this, lang);
  OKBtn = okCancel.OK;
  CancelBtn = okCancel.Cancel;
  connect(OKBtn, &QPushButton::clicked, this, &TSaftyTimesDlg::OKBtnClick);
  QHBoxLayout* buttons = okCancel.Row;

  auto* columns = new QHBoxLayout;
  columns->addLayout(form);
  columns->addWidget(Explanation);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns);
  layout->addWidget(Note);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TSaftyTimesDlg::OKBtnClick() {
  std::array<int, kSafetyLists> chosen{};
  for (int i = 0; i < kSafetyLists; ++i)
    chosen[i] = Combos[i]->currentIndex();
  ApplySafetyEntries(chosen, offsets_);
  accept();
}

}  // namespace vek
