#include "locations/dialogs/select_location_dialog.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

#include "foundation/qt/eliding_label.h"
#include "foundation/qt/modal_runner.h"
#include "foundation/qt/qt_strings.h"
#include "locations/dialogs/change_location_dialog.h"
#include "locations/dialogs/times_panel.h"

namespace vek {

namespace {

constexpr int kRowHeight = 20;
constexpr int kVisibleRows = 16;
constexpr std::array<int, 4> kSectionWidths = {39, 139, 139, 139};

// The list is drawn light on dark: the sort column in red, the number and the other columns in
// the button-face grey.
const QColor kListBackground(0x1c, 0x1c, 0x1c);
const QColor kListHighlight(0x00, 0x00, 0xa0);
const QColor kSortColumnColor(Qt::red);
const QColor kButtonFace(0xf0, 0xf0, 0xf0);

QString Q(const std::string& s) {
  return ToQString(s);
}

}  // namespace

// The list's rows as a table model over the shared location list: the dialog keeps no copy of
// the locations, so row i always shows item i in the list's current order.
class TSelectLocation::Rows : public QAbstractTableModel {
 public:
  Rows(const SelectLocationModel& model, bool arabic, QObject* parent)
      : QAbstractTableModel(parent), model_(model), arabic_(arabic) {}

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : model_.RowCount();
  }
  int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 4; }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid())
      return {};
    if (role == Qt::ForegroundRole)
      return index.column() == model_.SelectSortColumn() + 1 ? kSortColumnColor : kButtonFace;
    if (role != Qt::DisplayRole)
      return {};
    const SelectLocationModel::RowTexts texts = model_.RowText(index.row());
    switch (index.column()) {
      case 0:
        return Q(texts.Number);
      case 1:
        return Q(texts.City);
      case 2:
        return Q(texts.Country);
      default:
        return Q(texts.State);
    }
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
      return {};
    static constexpr std::array<const char*, 4> english = {"", "City", "Country", "State"};
    static constexpr std::array<const char*, 4> arabic = {"", "المدينة", "الدولة", "الولاية"};
    if (section < 0 || section > 3)
      return {};
    return QString::fromUtf8((arabic_ ? arabic : english)[static_cast<std::size_t>(section)]);
  }

  void Repaint() {
    if (model_.RowCount() > 0)
      emit dataChanged(index(0, 0), index(model_.RowCount() - 1, 3));
  }
  void RepaintRow(int row) {
    if (row >= 0 && row < model_.RowCount())
      emit dataChanged(index(row, 0), index(row, 3));
  }

 private:
  const SelectLocationModel& model_;
  bool arabic_;
};

// Draws a row's cell: the selection state's background, then the text 2 pixels from the
// column's leading edge for the number and 8 for the names. A name wider than its column is cut
// at its end with an ellipsis, and reads in its own direction whatever the form's, so that a
// Latin name in the Arabic form keeps its first letters and its full stops where they are.
class TSelectLocation::RowPainter : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    painter->fillRect(option.rect, selected ? kListHighlight : kListBackground);
    const int pad = index.column() == 0 ? 2 : 8;
    const bool rtl = option.direction == Qt::RightToLeft;
    const QRect text = option.rect.adjusted(rtl ? 0 : pad, 0, rtl ? -pad : 0, 0);
    const QString name = index.data(Qt::DisplayRole).toString();
    painter->save();
    painter->setClipRect(option.rect);
    painter->setFont(option.font);
    painter->setLayoutDirection(name.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
    painter->setPen(index.data(Qt::ForegroundRole).value<QColor>());
    painter->drawText(text,
                      Qt::AlignVCenter | Qt::AlignAbsolute | (rtl ? Qt::AlignRight : Qt::AlignLeft),
                      QFontMetrics(option.font).elidedText(name, Qt::ElideRight, text.width()));
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
    return {kSectionWidths[1], kRowHeight};
  }
};

TSelectLocation::TSelectLocation(const LocationDialogContext& context, QWidget* parent)
    : QDialog(parent), model_(std::make_unique<SelectLocationModel>(context)) {
  setObjectName("TSelectLocation");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  BuildWidgets();
  ApplyLanguage();
  UpdateDateButtonCaption();
  ShowSearchLabels();
  ShowPreview();
  ShowHighlight();
}

TSelectLocation::~TSelectLocation() = default;

QString TSelectLocation::Text(const char* english, const char* arabic) const {
  return QByLanguage(model_->Context().Lang, english, arabic);
}

void TSelectLocation::BuildWidgets() {
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(10, 10, 10, 10);
  outer->setSpacing(8);
  auto* body = new QHBoxLayout;
  body->setSpacing(12);
  outer->addLayout(body, 1);

  // The list, with the search labels above its name columns.
  auto* listColumn = new QVBoxLayout;
  listColumn->setSpacing(2);
  body->addLayout(listColumn);

  Locations = new QTableView;
  Locations->setObjectName("Locations");
  rows_ = new Rows(*model_, model_->Context().Lang == Language::Arabic, this);
  Locations->setModel(rows_);
  Locations->setItemDelegate(new RowPainter(Locations));
  Locations->setSelectionMode(QAbstractItemView::SingleSelection);
  Locations->setSelectionBehavior(QAbstractItemView::SelectRows);
  Locations->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Locations->setTabKeyNavigation(false);
  Locations->setShowGrid(false);
  Locations->setWordWrap(false);
  Locations->setCornerButtonEnabled(false);
  Locations->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Locations->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Locations->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  Locations->verticalHeader()->hide();
  Locations->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  Locations->verticalHeader()->setMinimumSectionSize(kRowHeight);
  Locations->verticalHeader()->setDefaultSectionSize(kRowHeight);
  QPalette listPalette = Locations->palette();
  listPalette.setColor(QPalette::Base, kListBackground);
  Locations->setPalette(listPalette);
  QFont listFont = Locations->font();
  listFont.setBold(true);
  Locations->setFont(listFont);
  Locations->installEventFilter(this);

  LocationsHeader = Locations->horizontalHeader();
  LocationsHeader->setObjectName("LocationsHeader");
  LocationsHeader->setSectionResizeMode(QHeaderView::Fixed);
  LocationsHeader->setSectionsMovable(false);
  LocationsHeader->setSectionsClickable(true);
  LocationsHeader->setHighlightSections(false);
  LocationsHeader->setStretchLastSection(false);
  LocationsHeader->setFont(font());
  for (int section = 0; section < 4; ++section)
    LocationsHeader->resizeSection(section, kSectionWidths[static_cast<std::size_t>(section)]);

  // An exact number of whole rows below the header.
  const int frame = 2 * Locations->frameWidth();
  int listWidth = frame + Locations->verticalScrollBar()->sizeHint().width();
  for (int width : kSectionWidths)
    listWidth += width;
  Locations->setFixedSize(listWidth,
                          frame + LocationsHeader->sizeHint().height() + kVisibleRows * kRowHeight);

  // The search labels sit above their columns; only one shows at a time, and it may run on
  // over the columns after it.
  auto* searchBar = new QWidget;
  searchBar->setFixedSize(listWidth, fontMetrics().height() + 4);
  CityLabel = new QLabel(searchBar);
  CountryLabel = new QLabel(searchBar);
  StateLabel = new QLabel(searchBar);
  CityLabel->setObjectName("CityLabel");
  CountryLabel->setObjectName("CountryLabel");
  StateLabel->setObjectName("StateLabel");
  const bool arabic = model_->Context().Lang == Language::Arabic;
  int columnStart = Locations->frameWidth() + kSectionWidths[0];
  for (QLabel* label : {CityLabel, CountryLabel, StateLabel}) {
    label->setStyleSheet("color: #b00000;");
    // The Arabic caption puts the searched text first and " :بحث عن" after it; read from the
    // right, in a left-to-right line, it says "search for: text".
    label->setLayoutDirection(Qt::LeftToRight);
    const int pad = 8;
    if (arabic) {
      label->setGeometry(0, 0, listWidth - columnStart - pad, searchBar->height());
      // Absolute: a caption that starts with Arabic must not flip the alignment to the left.
      label->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
    } else {
      label->setGeometry(columnStart + pad, 0, listWidth - columnStart - pad, searchBar->height());
      label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    columnStart += kSectionWidths[1];
  }
  listColumn->addWidget(searchBar);
  listColumn->addWidget(Locations);
  listColumn->addStretch(1);

  // The preview and the date panel.
  auto* sidePanel = new QWidget;
  sidePanel->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 36);
  auto* side = new QVBoxLayout(sidePanel);
  side->setContentsMargins(0, 0, 0, 0);
  side->setSpacing(6);
  body->addWidget(sidePanel, 1);
  City_L = new QLabel;
  City_L->setObjectName("City_L");
  side->addWidget(City_L);
  City = new ElidingLabel;
  City->setObjectName("City");
  City->setWordWrap(true);
  QFont titleFont = City->font();
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.15);
  titleFont.setBold(true);
  City->setFont(titleFont);
  City->setStyleSheet("color: #1d4e89;");
  side->addWidget(City);

  KQ_P = new TimesPanel(1.1, 1.15);
  KQ_P->KeepToStart();
  SlotNames = KQ_P->Names();
  SlotTimes = KQ_P->Times();
  side->addWidget(KQ_P);

  auto* datePanel = new QFrame;
  datePanel->setObjectName("DatePanel");
  datePanel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  auto* dateBox = new QVBoxLayout(datePanel);
  dateBox->setSpacing(4);
  Date = new QLabel;
  Date->setObjectName("Date");
  Date->setWordWrap(true);
  Time = new QLabel;
  Time->setObjectName("Time");
  QFont clockFont = Time->font();
  clockFont.setBold(true);
  Time->setFont(clockFont);
  DateBtn = new QPushButton;
  DateBtn->setObjectName("DateBtn");
  DateBtn->setAutoDefault(false);
  dateBox->addWidget(Date);
  auto* clockLine = new QHBoxLayout;
  clockLine->addWidget(Time, 1);
  clockLine->addWidget(DateBtn);
  dateBox->addLayout(clockLine);
  side->addWidget(datePanel);
  side->addStretch(1);

  // The buttons: Select is the default button, Cancel takes Esc.
  auto* buttons = new QHBoxLayout;
  EditBtn = new QPushButton;
  EditBtn->setObjectName("EditBtn");
  EditBtn->setAutoDefault(false);
  SelectBtn = new QPushButton;
  SelectBtn->setObjectName("SelectBtn");
  SelectBtn->setDefault(true);
  CloseBtn = new QPushButton;
  CloseBtn->setObjectName("CloseBtn");
  CloseBtn->setAutoDefault(false);
  buttons->addWidget(EditBtn);
  buttons->addStretch(1);
  buttons->addWidget(SelectBtn);
  buttons->addWidget(CloseBtn);
  outer->addLayout(buttons);

  connect(Locations->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (!syncing_ && current.isValid())
              LocationsClick(current.row());
          });
  connect(Locations, &QAbstractItemView::doubleClicked, this,
          [this](const QModelIndex& index) { LocationsDblClick(index.row()); });
  connect(LocationsHeader, &QHeaderView::sectionClicked, this,
          [this](int section) { LocationsHeaderSectionClick(section); });
  connect(SelectBtn, &QPushButton::clicked, this, [this] { SelectBtnClick(); });
  connect(CloseBtn, &QPushButton::clicked, this, &QDialog::reject);
  connect(EditBtn, &QPushButton::clicked, this, [this] { EditBtnClick(); });
  connect(DateBtn, &QPushButton::clicked, this, [this] { DateBtnClick(); });
}

void TSelectLocation::ApplyLanguage() {
  const bool arabic = model_->Context().Lang == Language::Arabic;
  setLayoutDirection(LayoutDirectionOf(model_->Context().Lang));
  setWindowTitle(Text("Select Location", "اختيار موقع"));
  // The location's names are Latin: the title keeps to the dialog's side whatever its text.
  City->setAlignment((arabic ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignAbsolute |
                     Qt::AlignVCenter);
  City_L->setText(Text("Times for city", "حسب توقيت مدينة"));
  KQ_P->SetLanguage(model_->Context().Lang);
  SelectBtn->setText(Text("Select", "اختيار"));
  EditBtn->setText(Text("Edit...", "تعديل..."));
  CloseBtn->setText(Text("Cancel", "إلغاء"));
  if (!model_->Context().ShowHint)
    return;
  Locations->setToolTip(
      Text("Start typing what you are searching for:\nThe program will try to find it\neven in "
           "the middle of a word\n\nClick mouse twice on any location\nto select it and close "
           "this screen",
           "ابدأ بكتابة ما تبحث عنه:\nسيحاول البرنامج أن يجده\nحتى لو كان في وسط كلمة\n\nانقر "
           "مرتين على أي موقع\nلاختياره وإغلاق هذه الشاشة"));
  EditBtn->setToolTip(
      Text("Edit the selected location in detail:\nLongitude, Latitude, Daylight Savings, etc.",
           "تعديل تفاصيل الموقع المختار:\nخط الطول، خط العرض، التوقيت الصيفي، وغير ذلك"));
  LocationsHeader->setToolTip(Text("Click here to sort: by city, country or state",
                                   "انقر هنا للترتيب: حسب المدينة أو الدولة أو الولاية"));
  SelectBtn->setToolTip(Text("Accept the selected loaction, and close this screen",
                             "اعتماد الموقع المختار وإغلاق هذه الشاشة"));
  CloseBtn->setToolTip(
      Text("Cancel all changes and Close This Window", "إلغاء كل التغييرات وإغلاق هذه النافذة"));
}

void TSelectLocation::ShowSearchLabels() {
  const std::array<QLabel*, 3> labels = {CityLabel, CountryLabel, StateLabel};
  for (int column = 0; column < 3; ++column) {
    const SelectLocationModel::SearchLabel& label = model_->Label(column);
    SetTextIfChanged(labels[static_cast<std::size_t>(column)], Q(label.Caption));
    labels[static_cast<std::size_t>(column)]->setVisible(label.Visible);
  }
}

void TSelectLocation::ShowPreview() {
  const SelectLocationModel::Preview& preview = model_->CurrentPreview();
  SetTextIfChanged(City, Q(preview.Title));
  KQ_P->Clear();
  for (const SelectLocationModel::PreviewTime& time : preview.Times)
    KQ_P->ShowTime(time.Slot, Q(time.Text));
}

// The view's highlight follows the model's, and is scrolled into sight.
void TSelectLocation::ShowHighlight() {
  const int row = model_->ItemIndex();
  syncing_ = true;
  if (row < 0) {
    Locations->selectionModel()->clear();
  } else {
    const QModelIndex index = rows_->index(row, 0);
    Locations->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    Locations->scrollTo(index, QAbstractItemView::PositionAtCenter);
  }
  syncing_ = false;
}

void TSelectLocation::FormActivate() {
  const std::function<std::string()>& dateText = model_->Context().DateText;
  UpdateDateDisplay(dateText ? Q(dateText()) : QString());
  Locations->setFocus();
}

void TSelectLocation::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!centred_) {
    centred_ = true;
    if (const QScreen* screen = this->screen()) {
      QRect frame = frameGeometry();
      frame.moveCenter(screen->availableGeometry().center());
      move(frame.topLeft());
    }
  }
  FormActivate();
}

void TSelectLocation::UpdateDateDisplay(const QString& dateText) {
  KQ_P->ShowImsak(model_->Context().IsRamadan);
  SetTextIfChanged(Date, dateText);
  UpdateClockDisplay();
}

void TSelectLocation::UpdateClockDisplay() {
  const std::function<std::string()>& timeText = model_->Context().TimeText;
  SetTextIfChanged(Time, timeText ? Q(timeText()) : QString());
}

void TSelectLocation::UpdateDateButtonCaption() {
  SetTextIfChanged(DateBtn, Q(model_->DateButtonCaption()));
}

void TSelectLocation::LocationsClick(int row) {
  model_->LocationsClick(row);
  ShowPreview();
}

void TSelectLocation::LocationsDblClick(int row) {
  model_->LocationsClick(row);
  ShowPreview();
  SelectBtnClick();
}

void TSelectLocation::LocationsKeyPress(char32_t key) {
  const int before = model_->ItemIndex();
  model_->LocationsKeyPress(key);
  ShowSearchLabels();
  if (model_->ItemIndex() != before) {
    ShowHighlight();
    ShowPreview();
  }
}

void TSelectLocation::LocationsHeaderSectionClick(int section) {
  model_->LocationsHeaderSectionClick(section);
  rows_->Repaint();
  ShowSearchLabels();
  ShowHighlight();
  ShowPreview();
}

void TSelectLocation::SelectBtnClick() {
  // With nothing highlighted (an empty list) the dialog closes without a choice.
  if (model_->SelectBtnClick())
    accept();
  else
    reject();
}

void TSelectLocation::EditBtnClick() {
  const int row = model_->ItemIndex();
  if (row < 0)
    return;
  {
    TChangeLocation change(model_->Context(), row, this);
    RunModal(model_->Context().RunModal, change);
  }
  model_->RefreshPreview();
  rows_->RepaintRow(row);
  ShowPreview();
  Locations->setFocus();
}

void TSelectLocation::DateBtnClick() {
  model_->DateBtnClick();
  UpdateDateButtonCaption();
  const std::function<std::string()>& dateText = model_->Context().DateText;
  if (dateText)
    SetTextIfChanged(Date, Q(dateText()));
}

bool TSelectLocation::eventFilter(QObject* watched, QEvent* event) {
  if (watched != Locations || event->type() != QEvent::KeyPress)
    return QDialog::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      SelectBtnClick();
      return true;
    case Qt::Key_Escape:
      reject();
      return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return false;
    default:
      break;
  }
  if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
    return false;
  const QString text = key->text();
  if (text.isEmpty())
    return false;  // the arrows and pages move the highlight
  const char32_t code = text.toUcs4().value(0);
  if (key->key() != Qt::Key_Backspace && !QChar::isPrint(code))
    return false;
  LocationsKeyPress(code);
  return true;
}

}  // namespace vek
