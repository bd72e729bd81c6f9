#include "liveupdate/live_update_dialog.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QTableWidget>
#include <QTextDocument>
#include <QTextOption>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

#include "foundation/qt/qt_strings.h"

namespace vek {

namespace {

QString Q(const std::string& s) {
  return ToQString(s);
}

// The column widths of both grids; the description takes the rest.
constexpr int kColumnWidths[] = {74, 68, 68, 0, 68};
constexpr int kProgressSteps = 10000;
// The narrowest statistics panels; a panel grows to hold its text.
constexpr int kPanelWidth = 90;
constexpr int kReceivedPanelWidth = 200;

// A statistics panel, never narrower than its text (nor than its narrowest width): the layout
// makes room for a longer text, in either language, and the dialog grows when it must.
class StatisticsPanel : public QLabel {
 public:
  explicit StatisticsPanel(int narrowest) : narrowest_(narrowest) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAlignment(Qt::AlignCenter);
  }
  QSize minimumSizeHint() const override {
    QSize size = sizeHint();
    size.setWidth(std::max(size.width(), narrowest_));
    return size;
  }

 private:
  int narrowest_;
};

QTableWidget* Grid() {
  auto* grid = new QTableWidget(0, 6);
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->verticalHeader()->setVisible(false);
  grid->verticalHeader()->setDefaultSectionSize(20);
  grid->horizontalHeader()->setStretchLastSection(true);
  for (int c = 0; c < 5; ++c)
    grid->setColumnWidth(c, kColumnWidths[c]);
  grid->setColumnHidden(3, true);
  return grid;
}

QToolButton* MoveButton(const char* glyph) {
  auto* button = new QToolButton;
  button->setText(QString::fromUtf8(glyph));
  button->setAutoRaise(true);
  return button;
}

// The log shows its newest line, also when it grows or the dialog's layout takes room from it,
// unless the user has scrolled away from the end to read; back at the end, it follows again.
void FollowNewestLine(QPlainTextEdit* memo) {
  QScrollBar* bar = memo->verticalScrollBar();
  auto follow = std::make_shared<bool>(true);
  QObject::connect(bar, &QScrollBar::valueChanged, bar,
                   [bar, follow](int value) { *follow = value >= bar->maximum(); });
  QObject::connect(bar, &QScrollBar::rangeChanged, bar, [bar, follow](int, int maximum) {
    if (*follow)
      bar->setValue(maximum);
  });
}

// A position of 64-bit byte counts on a bar of int steps.
int Steps(std::int64_t pos, std::int64_t max) {
  if (max <= 0)
    return 0;
  return static_cast<int>(std::clamp<std::int64_t>(pos, 0, max) * kProgressSteps / max);
}

}  // namespace

QtSessionTimer::QtSessionTimer(std::chrono::milliseconds interval, std::function<void()> tick) {
  timer_.setInterval(static_cast<int>(interval.count()));
  QObject::connect(&timer_, &QTimer::timeout, [tick = std::move(tick)] { tick(); });
}

void QtSessionTimer::Start() {
  timer_.start();
}

void QtSessionTimer::Stop() {
  timer_.stop();
}

bool QtSessionTimer::Enabled() const {
  return timer_.isActive();
}

TFTP_Main_Dlg::TFTP_Main_Dlg(TLiveUpdateSetup setup, std::unique_ptr<TransferClient> client,
                             SystemServices& sys, TFileCatalogue& catalogue, QWidget* parent,
                             std::chrono::milliseconds tick)
    : QDialog(parent), client_(std::move(client)) {
  setObjectName(setup.kind == TransferKind::Http ? "THTTPMain_Dlg" : "TFTP_Main_Dlg");
  BuildWidgets();
  timer_ = std::make_unique<QtSessionTimer>(tick, [this] { session_->TaskTimer_Timer(); });
  session_ =
      std::make_unique<TLiveUpdateSession>(std::move(setup), *client_, *timer_, sys, catalogue);
  session_->onChanged = [this](unsigned what) { Render(what); };
  session_->onCloseRequested = [this] { done(QDialog::Accepted); };
  session_->onHandlersEnded = [this] {
    if (closeLater_)
      QTimer::singleShot(0, this, [this] {
        if (closeLater_ && !session_->Running())
          done(*closeLater_);
      });
  };
  session_->FormCreate();
  Render(~0u);
}

TFTP_Main_Dlg::~TFTP_Main_Dlg() {
  session_->FormClose();
}

void TFTP_Main_Dlg::SetLanguageSwitched(std::function<void(Language)> switched) {
  session_->onLanguageSwitched = std::move(switched);
}

void TFTP_Main_Dlg::BuildWidgets() {
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(8, 8, 8, 8);
  outer->setSpacing(4);

  auto* top = new QHBoxLayout;
  Title_Label = new QLabel;
  QFont titleFont = Title_Label->font();
  titleFont.setBold(true);
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.2);
  Title_Label->setFont(titleFont);
  Title_Label->setStyleSheet("color: #1d4e89;");
  ArEn_SpeedButton = new QToolButton;
  top->addWidget(Title_Label, 1);
  top->addWidget(ArEn_SpeedButton);
  outer->addLayout(top);

  Host_Label = new QLabel;
  Status_Label = new QLabel;
  DownloadingTo_Label = new QLabel;
  Closing_Label = new QLabel;
  Closing_Label->setStyleSheet("color: #a01010;");
  for (QLabel* label : {Host_Label, Status_Label, DownloadingTo_Label, Closing_Label}) {
    label->setTextFormat(Qt::PlainText);
    label->setMinimumWidth(200);
    outer->addWidget(label);
  }
  Closing_Label->setVisible(false);

  ProgressBar1 = new QProgressBar;
  ProgressBar2 = new QProgressBar;
  for (QProgressBar* bar : {ProgressBar1, ProgressBar2}) {
    bar->setTextVisible(false);
    bar->setMaximumHeight(14);
    outer->addWidget(bar);
  }
  ProgressBar1->setRange(0, kProgressSteps);

  auto* stats = new QHBoxLayout;
  PerCent_Panel = new StatisticsPanel(kPanelWidth);
  Received_Panel = new StatisticsPanel(kReceivedPanelWidth);
  Secs_Panel = new StatisticsPanel(kPanelWidth);
  KBS_Panel = new StatisticsPanel(kPanelWidth);
  for (QLabel* panel : {PerCent_Panel, Received_Panel, Secs_Panel, KBS_Panel})
    stats->addWidget(panel, panel == Received_Panel ? 2 : 1);
  outer->addLayout(stats);

  A_Memo = new QPlainTextEdit;
  E_Memo = new QPlainTextEdit;
  for (QPlainTextEdit* memo : {A_Memo, E_Memo}) {
    memo->setReadOnly(true);
    memo->setMinimumHeight(90);
    FollowNewestLine(memo);
    outer->addWidget(memo, 1);
  }
  A_Memo->setLayoutDirection(Qt::RightToLeft);
  QTextOption rightToLeft(Qt::AlignRight);
  rightToLeft.setTextDirection(Qt::RightToLeft);
  A_Memo->document()->setDefaultTextOption(rightToLeft);

  Lists_Panel = new QWidget;
  auto* lists = new QVBoxLayout(Lists_Panel);
  lists->setContentsMargins(0, 0, 0, 0);
  Splitter1 = new QSplitter(Qt::Vertical);
  auto makeHalf = [](QLabel*& caption, QTableWidget*& grid, QToolButton*& one, QToolButton*& all,
                     const char* oneGlyph, const char* allGlyph) {
    auto* half = new QWidget;
    auto* box = new QVBoxLayout(half);
    box->setContentsMargins(0, 0, 0, 0);
    auto* head = new QHBoxLayout;
    caption = new QLabel;
    QFont font = caption->font();
    font.setBold(true);
    caption->setFont(font);
    one = MoveButton(oneGlyph);
    all = MoveButton(allGlyph);
    head->addWidget(caption, 1);
    head->addWidget(one);
    head->addWidget(all);
    box->addLayout(head);
    grid = Grid();
    box->addWidget(grid, 1);
    return half;
  };
  Splitter1->addWidget(makeHalf(Add_Panel, sg_Add, RemoveOne_SpeedButton, RemoveAll_SpeedButton,
                                "\u2193", "\u21CA"));
  Splitter1->addWidget(makeHalf(Ignore_Panel, sg_Ignore, AddOne_SpeedButton, AddAll_SpeedButton,
                                "\u2191", "\u21C8"));
  lists->addWidget(Splitter1);
  outer->addWidget(Lists_Panel, 3);

  auto* buttons = new QHBoxLayout;
  StartUpdate_BitBtn = new QPushButton;
  Cancel_BitBtn = new QPushButton;
  buttons->addStretch(1);
  buttons->addWidget(StartUpdate_BitBtn);
  buttons->addWidget(Cancel_BitBtn);
  outer->addLayout(buttons);

  connect(ArEn_SpeedButton, &QToolButton::clicked, this,
          [this] { session_->ArEn_SpeedButtonClick(); });
  connect(StartUpdate_BitBtn, &QPushButton::clicked, this,
          [this] { session_->StartUpdate_BitBtnClick(); });
  connect(Cancel_BitBtn, &QPushButton::clicked, this, [this] { session_->Cancel_BitBtnClick(); });
  connect(RemoveOne_SpeedButton, &QToolButton::clicked, this, [this] { session_->RemoveOne(); });
  connect(RemoveAll_SpeedButton, &QToolButton::clicked, this, [this] { session_->RemoveAll(); });
  connect(AddOne_SpeedButton, &QToolButton::clicked, this, [this] { session_->AddOne(); });
  connect(AddAll_SpeedButton, &QToolButton::clicked, this, [this] { session_->AddAll(); });
  connect(sg_Add, &QTableWidget::cellClicked, this, [this](int row, int) {
    if (!rendering_)
      session_->SelectOffered(row);
  });
  connect(sg_Ignore, &QTableWidget::cellClicked, this, [this](int row, int) {
    if (!rendering_)
      session_->SelectIgnored(row);
  });
  connect(sg_Add, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    session_->SelectOffered(row);
    session_->RemoveOne();
  });
  connect(sg_Ignore, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    session_->SelectIgnored(row);
    session_->AddOne();
  });
  Cancel_BitBtn->setAutoDefault(false);
  StartUpdate_BitBtn->setAutoDefault(false);
  resize(560, 360);
}

void TFTP_Main_Dlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (activated_)
    return;
  activated_ = true;
  // The session starts once the dialog is on the screen.
  QTimer::singleShot(0, this, [this] {
    if (!session_->Closed())
      session_->FormActivate();
  });
}

void TFTP_Main_Dlg::done(int result) {
  if (session_->Running()) {
    // A handler of the session waits inside: the dialog closes once it has returned, and no
    // further item starts.
    closeLater_ = result;
    session_->RequestStop();
    return;
  }
  closeLater_.reset();
  // Every close ends the session first: a running transfer is aborted and its file deleted.
  session_->FormClose();
  QDialog::done(result);
}

// ---------------------------------------------------------------------------------------------
// Showing the session's view

void TFTP_Main_Dlg::Render(unsigned what) {
  if (what & kViewLanguage)
    RenderLanguage();
  if (what & kViewLabels)
    RenderLabels();
  if (what & kViewProgress)
    RenderProgress();
  if (what & kViewMemo)
    RenderMemos();
  if (what & (kViewGrids | kViewLanguage))
    RenderGrids();
  if (what & kViewLists)
    RenderLists();
}

void TFTP_Main_Dlg::RenderLabels() {
  const TLiveUpdateView& v = session_->View();
  SetTextIfChanged(Host_Label, Q(v.host));
  SetTextIfChanged(Status_Label, Q(v.status));
  SetTextIfChanged(DownloadingTo_Label, Q(v.downloadingTo));
  SetTextIfChanged(Closing_Label, Q(v.closing));
  Host_Label->setVisible(v.hostVisible);
  DownloadingTo_Label->setVisible(v.downloadingToVisible);
  Closing_Label->setVisible(v.closingVisible);
}

void TFTP_Main_Dlg::RenderProgress() {
  const TLiveUpdateView& v = session_->View();
  ProgressBar1->setVisible(v.progress1Visible);
  // A range of 0 to 0 is the bar's busy state.
  ProgressBar1->setRange(0, v.progress1Busy ? 0 : kProgressSteps);
  ProgressBar1->setValue(v.progress1Busy ? 0 : Steps(v.progress1Pos, v.progress1Max));
  ProgressBar2->setVisible(v.progress2Visible);
  ProgressBar2->setRange(0, std::max(1, v.progress2Max));
  ProgressBar2->setValue(v.progress2Pos);
  SetTextIfChanged(PerCent_Panel, Q(v.percent));
  SetTextIfChanged(Received_Panel, Q(v.received));
  SetTextIfChanged(Secs_Panel, Q(v.secs));
  SetTextIfChanged(KBS_Panel, Q(v.rate));
}

void TFTP_Main_Dlg::RenderMemos() {
  const TLiveUpdateView& v = session_->View();
  if (v.englishMemo.size() < memoLines_) {
    A_Memo->clear();
    E_Memo->clear();
    memoLines_ = 0;
  }
  for (; memoLines_ < v.englishMemo.size(); ++memoLines_) {
    A_Memo->appendPlainText(Q(v.arabicMemo[memoLines_]));
    E_Memo->appendPlainText(Q(v.englishMemo[memoLines_]));
  }
}

void TFTP_Main_Dlg::FillGrid(QTableWidget* grid, const std::vector<TGridRow>& rows, int selected) {
  grid->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    for (int c = 0; c < 6; ++c) {
      const QString text = Q(rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]);
      QTableWidgetItem* item = grid->item(r, c);
      if (item == nullptr)
        grid->setItem(r, c, new QTableWidgetItem(text));
      else if (item->text() != text)
        item->setText(text);
    }
  }
  // The widths of the columns are at least those of the layout; wider when the texts need it.
  for (int c = 0; c < 5; ++c) {
    if (c == 3)
      continue;
    grid->resizeColumnToContents(c);
    if (grid->columnWidth(c) < kColumnWidths[c])
      grid->setColumnWidth(c, kColumnWidths[c]);
  }
  if (selected >= 0)
    grid->selectRow(selected);
  else
    grid->clearSelection();
}

void TFTP_Main_Dlg::RenderGrids() {
  const TLiveUpdateView& v = session_->View();
  rendering_ = true;
  FillGrid(sg_Add, v.offered, v.offeredRow);
  FillGrid(sg_Ignore, v.ignored, v.ignoredRow);
  rendering_ = false;
  sg_Add->setEnabled(v.gridsEnabled);
  sg_Ignore->setEnabled(v.gridsEnabled);
  RemoveOne_SpeedButton->setEnabled(v.preventEnabled);
  RemoveAll_SpeedButton->setEnabled(v.preventEnabled);
  AddOne_SpeedButton->setEnabled(v.allowEnabled);
  AddAll_SpeedButton->setEnabled(v.allowEnabled);
  const TLiveUpdateCaptions c = LiveUpdateCaptions(v.language, v.offered.size(), v.ignored.size());
  SetTextIfChanged(Add_Panel, Q(c.addCaption));
  Add_Panel->setToolTip(Q(c.addHint));
  SetTextIfChanged(Ignore_Panel, Q(c.ignoreCaption));
  Ignore_Panel->setToolTip(Q(c.ignoreHint));
}

void TFTP_Main_Dlg::RenderLists() {
  const bool visible = session_->View().listsVisible;
  if (visible == Lists_Panel->isVisible() && isVisible())
    return;
  Lists_Panel->setVisible(visible);
  // The dialog grows to hold the lists and shrinks again without them.
  resize(visible ? QSize(720, 640) : QSize(560, 360));
  if (visible) {
    const int half = Splitter1->height() / 2;
    Splitter1->setSizes({half, half});
    if (const QScreen* s = screen())
      move(s->availableGeometry().center() - rect().center());
  }
}

void TFTP_Main_Dlg::RenderLanguage() {
  const TLiveUpdateView& v = session_->View();
  const bool arabic = v.language == Language::Arabic;
  const TLiveUpdateCaptions c = LiveUpdateCaptions(v.language, v.offered.size(), v.ignored.size());
  setLayoutDirection(LayoutDirectionOf(v.language));
  setWindowTitle(Q(c.windowCaption));
  Title_Label->setText(Q(c.title));
  Title_Label->setAlignment((arabic ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
  ArEn_SpeedButton->setText(Q(c.languageButton));
  A_Memo->setVisible(arabic);
  E_Memo->setVisible(!arabic);
  QStringList titles;
  for (const std::string& title : c.columns)
    titles << Q(title);
  sg_Add->setHorizontalHeaderLabels(titles);
  sg_Ignore->setHorizontalHeaderLabels(titles);
  sg_Add->setToolTip(Q(c.addGridHint));
  sg_Ignore->setToolTip(Q(c.ignoreGridHint));
  RemoveOne_SpeedButton->setToolTip(Q(c.removeOneHint));
  RemoveAll_SpeedButton->setToolTip(Q(c.removeAllHint));
  AddOne_SpeedButton->setToolTip(Q(c.addOneHint));
  AddAll_SpeedButton->setToolTip(Q(c.addAllHint));
  StartUpdate_BitBtn->setText(Q(c.startUpdate));
  Cancel_BitBtn->setText(Q(c.close));
}

}  // namespace vek
