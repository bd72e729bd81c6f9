#include "report/timetable_view.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

#include "foundation/qt/qt_printer_info.h"
#include "foundation/qt/qt_strings.h"
#include "program/countdown.h"
#include "report/font_color_dialog.h"
#include "report/page_painter.h"
#include "report/print_options_dialog.h"
#include "report/print_preview.h"
#include "report/report_printing.h"
#include "report/timetable_export.h"

namespace vek {

namespace {

constexpr int kTableWidth = 600;  // the header's sections share it
constexpr int kRowHeight = 18;

Qt::Alignment CellAlignment(std::uint8_t alignment) {
  switch (alignment) {
    case AlignRight:
      return Qt::AlignRight | Qt::AlignVCenter | Qt::AlignAbsolute;
    case AlignCenter:
      return Qt::AlignHCenter | Qt::AlignVCenter;
    default:
      return Qt::AlignLeft | Qt::AlignVCenter | Qt::AlignAbsolute;
  }
}

}  // namespace

// The shown rows as a table: ten columns in the design's order, the cells' texts from the
// report, each column aligned as the design says.
class TKQViewForm::Rows : public QAbstractTableModel {
 public:
  Rows(const Timetable& report, QObject* parent) : QAbstractTableModel(parent), report_(report) {}

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : report_.DisplayedCount();
  }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : kReportColumns;
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid())
      return {};
    if (role == Qt::DisplayRole)
      return ToQString(report_.CellText(index.column(), index.row()));
    if (role == Qt::TextAlignmentRole)
      return QVariant::fromValue(Alignment(index.column()));
    return {};
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal)
      return {};
    if (role == Qt::DisplayRole)
      return ToQString(report_.SectionTitle(section));
    if (role == Qt::TextAlignmentRole)
      return QVariant::fromValue(Alignment(section));
    return {};
  }
  void Reset() {
    beginResetModel();
    endResetModel();
  }

 private:
  Qt::Alignment Alignment(int k) const {
    if (k < 0 || k >= kReportColumns)
      return Qt::AlignLeft;
    return CellAlignment(report_.Design().AlignmentField[static_cast<std::size_t>(k)]);
  }

  const Timetable& report_;
};

TKQViewForm::TKQViewForm(ReportContext context, ReportKind mode, QWidget* parent)
    : QDialog(parent),
      context_(std::move(context)),
      report_(std::make_unique<Timetable>(mode, context_.Source)) {
  setObjectName("TKQViewForm");
  FillDialogs();
  if (context_.Sections)
    report_->LoadDesigns(context_.Sections->File());
  BuildWidgets();
  FillDesignCombo();
  ApplyDesignToControls();
  UpdateColumns();
  SetCaptions();
}

TKQViewForm::~TKQViewForm() = default;

QString TKQViewForm::Text(const char* english, const char* arabic) const {
  return QByLanguage(context_.Source.Lang, english, arabic);
}

void TKQViewForm::BuildWidgets() {
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(8, 8, 8, 8);
  outer->setSpacing(6);

  KQBox = new QTableView;
  KQBox->setObjectName("KQBox");
  rows_ = new Rows(*report_, this);
  KQBox->setModel(rows_);
  // The design orders the columns (from right to left or not); the table never mirrors them.
  KQBox->setLayoutDirection(Qt::LeftToRight);
  KQBox->setSelectionBehavior(QAbstractItemView::SelectRows);
  KQBox->setSelectionMode(QAbstractItemView::SingleSelection);
  KQBox->setEditTriggers(QAbstractItemView::NoEditTriggers);
  KQBox->setShowGrid(false);
  KQBox->setWordWrap(false);
  KQBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  KQBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  KQBox->verticalHeader()->hide();
  KQBox->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  KQBox->verticalHeader()->setMinimumSectionSize(kRowHeight);
  KQBox->verticalHeader()->setDefaultSectionSize(kRowHeight);
  KQHeader = KQBox->horizontalHeader();
  KQHeader->setObjectName("KQHeader");
  KQHeader->setSectionResizeMode(QHeaderView::Interactive);
  KQHeader->setSectionsMovable(false);
  KQHeader->setSectionsClickable(true);
  KQHeader->setHighlightSections(false);
  KQHeader->setStretchLastSection(false);
  KQHeader->setMinimumSectionSize(0);
  KQBox->setFixedWidth(kTableWidth + 2 * KQBox->frameWidth() +
                       KQBox->verticalScrollBar()->sizeHint().width());
  KQBox->setMinimumHeight(20 * kRowHeight);
  connect(KQHeader, &QHeaderView::sectionClicked, this,
          [this](int section) { KQHeaderSectionClick(section); });
  outer->addWidget(KQBox, 1, Qt::AlignHCenter);

  Checks_P = new QGroupBox;
  auto* checks = new QGridLayout(Checks_P);
  checks->setHorizontalSpacing(14);
  checks->setVerticalSpacing(2);
  const auto box = [this](QCheckBox*& check, const char* name, void (TKQViewForm::*handler)()) {
    check = new QCheckBox;
    check->setObjectName(name);
    connect(check, &QCheckBox::toggled, this, [this, handler] {
      if (!applying_)
        (this->*handler)();
    });
  };
  box(DayNameCheck, "DayNameCheck", &TKQViewForm::DayNameCheckClick);
  box(HijriCheck, "HijriCheck", &TKQViewForm::HijriCheckClick);
  box(GregorianCheck, "GregorianCheck", &TKQViewForm::GregorianCheckClick);
  box(ImsakCheck, "ImsakCheck", &TKQViewForm::ImsakCheckClick);
  box(LeftCheck, "LeftCheck", &TKQViewForm::LeftCheckClick);
  box(C24H, "C24H", &TKQViewForm::C24HClick);
  box(AMPM, "AMPM", &TKQViewForm::AMPMClick);
  box(SavingCheck, "SavingCheck", &TKQViewForm::SavingCheckClick);
  box(PeaksCheck, "PeaksCheck", &TKQViewForm::PeaksCheckClick);
  box(PeaksOnlyCheck, "PeaksOnlyCheck", &TKQViewForm::PeaksOnlyCheckClick);
  CompleteDate = new QRadioButton;
  DayAndMonth = new QRadioButton;
  DayOnly = new QRadioButton;
  for (QRadioButton* radio : {CompleteDate, DayAndMonth, DayOnly})
    connect(radio, &QRadioButton::toggled, this, [this](bool on) {
      if (on && !applying_)
        DateFormatClick();
    });
  checks->addWidget(DayNameCheck, 0, 0);
  checks->addWidget(HijriCheck, 1, 0);
  checks->addWidget(GregorianCheck, 2, 0);
  checks->addWidget(ImsakCheck, 0, 1);
  checks->addWidget(LeftCheck, 1, 1);
  checks->addWidget(CompleteDate, 0, 2);
  checks->addWidget(DayAndMonth, 1, 2);
  checks->addWidget(DayOnly, 2, 2);
  checks->addWidget(C24H, 0, 3);
  checks->addWidget(AMPM, 1, 3);
  checks->addWidget(SavingCheck, 2, 3);
  checks->addWidget(PeaksCheck, 0, 4);
  checks->addWidget(PeaksOnlyCheck, 1, 4);
  outer->addWidget(Checks_P);

  auto* bottom = new QHBoxLayout;
  Design_P = new QGroupBox;
  auto* design = new QHBoxLayout(Design_P);
  DesignCombo = new QComboBox;
  DesignCombo->setObjectName("DesignCombo");
  DesignCombo->setMinimumWidth(180);
  UseDef = new QPushButton;
  UseDef->setObjectName("UseDef");
  // It replaces every edit of the design: never the button that Enter presses.
  UseDef->setAutoDefault(false);
  design->addWidget(DesignCombo, 1);
  design->addWidget(UseDef);
  connect(DesignCombo, &QComboBox::currentIndexChanged, this, [this] {
    if (!applying_)
      DesignComboChange();
  });
  connect(UseDef, &QPushButton::clicked, this, [this] { UseDefClick(); });
  bottom->addWidget(Design_P);
  bottom->addStretch(1);
  const auto button = [&bottom](QPushButton*& b, const char* name) {
    b = new QPushButton;
    b->setObjectName(name);
    bottom->addWidget(b);
  };
  button(PrintOptionsBtn, "PrintOptionsBtn");
  button(PrintPreviewBtn, "PrintPreviewBtn");
  button(PrintBtn, "PrintBtn");
  button(SaveToFileBtn, "SaveToFileBtn");
  button(CloseBtn, "CloseBtn");
  connect(PrintOptionsBtn, &QPushButton::clicked, this, [this] { PrintOptionsBtnClick(); });
  connect(PrintPreviewBtn, &QPushButton::clicked, this, [this] { PrintPreviewBtnClick(); });
  connect(PrintBtn, &QPushButton::clicked, this, [this] { PrintBtnClick(); });
  connect(SaveToFileBtn, &QPushButton::clicked, this, [this] { SaveToFileBtnClick(); });
  connect(CloseBtn, &QPushButton::clicked, this, &QDialog::accept);
  // Enter closes the window, which keeps the design as it is now.
  CloseBtn->setDefault(true);
  outer->addLayout(bottom);
}

void TKQViewForm::FillDesignCombo() {
  const QSignalBlocker block(DesignCombo);
  DesignCombo->clear();
  for (int index : report_->DesignChoices())
    DesignCombo->addItem(ToQString(report_->Designs()[static_cast<std::size_t>(index)].Name),
                         index);
  DesignCombo->setCurrentIndex(DesignCombo->findData(report_->CurrentDesign()));
}

void TKQViewForm::ComputeReportRows() {
  if (context_.Locations)
    report_->ComputeReportRows(startDate_, *context_.Locations, context_.Engine);
  ApplyDesignToControls();
  Refresh();
}

void TKQViewForm::ApplyDesignToControls() {
  applying_ = true;
  TPrintOptions& d = report_->Design();
  LeftCheck->setChecked(d.PORight);
  PeaksCheck->setChecked(d.POPeaks);
  PeaksOnlyCheck->setChecked(d.POPeaksOnly);
  ImsakCheck->setChecked(d.POImsak);
  DayNameCheck->setChecked(d.PODayName);
  HijriCheck->setChecked(d.POHijri);
  GregorianCheck->setChecked(d.POGregorian);
  (d.PODateFormat == vek::CompleteDate  ? CompleteDate
   : d.PODateFormat == vek::DayAndMonth ? DayAndMonth
                                        : DayOnly)
      ->setChecked(true);
  // Without daylight saving at the location there is no letter to show.
  if (!report_->SavingAvailable())
    d.POSaving = false;
  SavingCheck->setEnabled(report_->SavingAvailable());
  SavingCheck->setChecked(d.POSaving);
  if (d.PO24H)
    d.POAMPM = false;
  C24H->setChecked(d.PO24H);
  AMPM->setChecked(d.POAMPM);
  AMPM->setEnabled(!d.PO24H);
  // Turning points belong to year reports.
  PeaksCheck->setEnabled(report_->IsYear());
  PeaksOnlyCheck->setEnabled(report_->IsYear());
  if (PrinterPresent())
    Printer().setPageOrientation(d.POPortraitOrientation ? QPageLayout::Portrait
                                                         : QPageLayout::Landscape);
  applying_ = false;
}

int TKQViewForm::DayNameWidth() const {
  const NameLists& names = report_->Source().Names;
  // Each name as the table's cells draw it, with their margins.
  QStyleOptionViewItem cell;
  cell.initFrom(KQBox);
  cell.features = QStyleOptionViewItem::HasDisplay;
  int widest = 0;
  for (const std::string& name : Arabic() ? names.ADays : names.EDays) {
    cell.text = ToQString(name);
    widest = std::max(
        widest,
        KQBox->style()->sizeFromContents(QStyle::CT_ItemViewItem, &cell, QSize(), KQBox).width());
  }
  return widest;
}

void TKQViewForm::UpdateColumns() {
  const std::array<int, kReportColumns> widths = report_->ColumnWidths(DayNameWidth());
  for (int k = 0; k < kReportColumns; ++k) {
    const int width = widths[static_cast<std::size_t>(k)];
    KQHeader->setSectionHidden(k, width == 0);
    if (width > 0)
      KQHeader->resizeSection(k, width);
  }
  emit rows_->headerDataChanged(Qt::Horizontal, 0, kReportColumns - 1);
}

void TKQViewForm::SetCaptions() {
  const bool arabic = Arabic();
  setLayoutDirection(LayoutDirectionOf(context_.Source.Lang));
  setWindowTitle(Text("Zurivo Zazir Report", "تقرير أوقات الصلاة"));
  DayNameCheck->setText(Text("Day Name", "اسم اليوم"));
  HijriCheck->setText(Text("Hijri", "هجري"));
  GregorianCheck->setText(Text("Gregorian", "ميلادي"));
  ImsakCheck->setText(Text("Imsak", "إمساك"));
  LeftCheck->setText(Text("From right to left", "من اليمين إلى اليسار"));
  CompleteDate->setText(Text("Complete Date (7/8/1998)", "تاريخ كامل (7/8/1998)"));
  DayAndMonth->setText(Text("Day and Month (7/8)", "يوم وشهر (7/8)"));
  DayOnly->setText(Text("Day Only (7)", "يوم فقط (7)"));
  C24H->setText(Text("24H", "24 ساعة"));
  AMPM->setText(Text("AM/PM", "ص/م"));
  SavingCheck->setText(Text("S/N", "ش/ص"));
  PeaksCheck->setText(Text("Peaks", "نقاط التحول"));
  PeaksOnlyCheck->setText(Text("Peaks Only", "نقاط التحول فقط"));
  Design_P->setTitle(Text("Design", "التصميم"));
  UseDef->setText(Text("&Load Defaults", "&القيم الافتراضية"));
  CloseBtn->setText(Text("Close", "إغلاق"));
  PrintBtn->setText(Text("Print", "طباعة"));
  PrintOptionsBtn->setText(Text("Design", "تصميم"));
  PrintPreviewBtn->setText(Text("Preview", "عرض"));
  SaveToFileBtn->setText(Text("Save", "حفظ"));
  const bool hints = context_.ShowHint;
  const std::string rlm(kRlm);
  SaveToFileBtn->setToolTip(
      hints ? (arabic ? ToQString(rlm + "احفظ في ملف (يمكنك الطباعة منه مستقبلا)" + rlm)
                      : QStringLiteral("Save to file (you can print from it later)"))
            : QString());
  KQHeader->setToolTip(
      hints ? Text("Click to change text justification", "إضغط لتغيير ضبط النص حسب الرغبة")
            : QString());
}

void TKQViewForm::Refresh() {
  report_->DesignChanged();
  rows_->Reset();
  UpdateColumns();
}

void TKQViewForm::HijriCheckClick() {
  report_->Design().POHijri = HijriCheck->isChecked();
  Refresh();
}

void TKQViewForm::GregorianCheckClick() {
  report_->Design().POGregorian = GregorianCheck->isChecked();
  Refresh();
}

void TKQViewForm::DayNameCheckClick() {
  report_->Design().PODayName = DayNameCheck->isChecked();
  Refresh();
}

void TKQViewForm::ImsakCheckClick() {
  report_->Design().POImsak = ImsakCheck->isChecked();
  Refresh();
}

void TKQViewForm::LeftCheckClick() {
  report_->Design().PORight = LeftCheck->isChecked();
  Refresh();
}

void TKQViewForm::DateFormatClick() {
  report_->Design().PODateFormat = CompleteDate->isChecked()  ? vek::CompleteDate
                                   : DayAndMonth->isChecked() ? vek::DayAndMonth
                                                              : vek::DayOnly;
  Refresh();
}

void TKQViewForm::C24HClick() {
  TPrintOptions& d = report_->Design();
  d.PO24H = C24H->isChecked();
  if (d.PO24H) {
    d.POAMPM = false;
    const QSignalBlocker block(AMPM);
    AMPM->setChecked(false);
  }
  AMPM->setEnabled(!d.PO24H);
  Refresh();
}

void TKQViewForm::AMPMClick() {
  report_->Design().POAMPM = AMPM->isChecked();
  Refresh();
}

void TKQViewForm::SavingCheckClick() {
  report_->Design().POSaving = SavingCheck->isChecked();
  Refresh();
}

void TKQViewForm::PeaksCheckClick() {
  report_->Design().POPeaks = PeaksCheck->isChecked();
  Refresh();
}

void TKQViewForm::PeaksOnlyCheckClick() {
  report_->Design().POPeaksOnly = PeaksOnlyCheck->isChecked();
  Refresh();
}

void TKQViewForm::KQHeaderSectionClick(int section) {
  if (section < 0 || section >= kReportColumns)
    return;
  std::uint8_t& alignment = report_->Design().AlignmentField[static_cast<std::size_t>(section)];
  alignment = alignment == AlignLeft     ? AlignCenter
              : alignment == AlignCenter ? AlignRight
                                         : AlignLeft;
  rows_->Reset();
  UpdateColumns();
}

void TKQViewForm::DesignComboChange() {
  const QVariant index = DesignCombo->currentData();
  if (!index.isValid() || !report_->SelectDesign(index.toInt()))
    return;
  ApplyDesignToControls();
  Refresh();
}

void TKQViewForm::UseDefClick() {
  report_->UseDefaults();
  ApplyDesignToControls();
  Refresh();
}

void TKQViewForm::SaveToFileBtnClick() {
  std::string chosen;
  if (context_.AskSaveFileName) {
    chosen = context_.AskSaveFileName();
  } else {
    // The filter's suffix is added by the dialog, so that its overwrite question names the file
    // that is written.
    QFileDialog dialog(this, Text("Save report as text", "حفظ التقرير كنص"), QString(),
                       QStringLiteral("Text File (*.TXT)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("TXT"));
    if (RunModal(context_.Dialogs.RunModal, dialog) == QDialog::Accepted &&
        !dialog.selectedFiles().isEmpty())
      chosen = ToUtf8(dialog.selectedFiles().constFirst());
  }
  if (chosen.empty())
    return;
  const std::filesystem::path file = ExportFileName(chosen);
  if (const int e = SaveTimetableText(*report_, file, Files()); e != 0 && context_.ShowMessage)
    context_.ShowMessage(ExportFailureText(file, e, context_.Source.Lang));
}

void TKQViewForm::FillDialogs() {
  ReportDialogs& d = context_.Dialogs;
  const Language lang = context_.Source.Lang;
  if (!d.Print)
    d.Print = [this, lang](QPrinter& printer, int pageCount) {
      return RunPrintDialog(printer, pageCount, lang, this, context_.Dialogs.RunModal);
    };
  if (!d.PageSetup)
    d.PageSetup = [this](QPrinter& printer) {
      return RunPageSetupDialog(printer, this, context_.Dialogs.RunModal);
    };
  if (!d.AskPdfFileName)
    d.AskPdfFileName = [this, lang](const std::string& suggested) {
      std::string name = suggested;
      if (name.empty())
        name = ToUtf8(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                      QStringLiteral("/timetable.pdf"));
      return AskPdfFileNameDialog(name, lang, this, context_.Dialogs.RunModal);
    };
  if (!d.ChooseFont)
    d.ChooseFont = [this, lang](const FontSpec& font) {
      return ChooseFontDialog(font, lang, this, context_.Dialogs.RunModal);
    };
  if (!d.RunModal)
    d.RunModal = [](QDialog& dialog) { return dialog.exec(); };
}

void TKQViewForm::ShowMessage(const std::string& text) const {
  if (context_.ShowMessage)
    context_.ShowMessage(text);
}

const PrinterInfo& TKQViewForm::Printers() const {
  return context_.Printers ? *context_.Printers : SystemPrinters();
}

FileSystem& TKQViewForm::Files() const {
  return context_.Files ? *context_.Files : RealFileSystem();
}

QPrinter& TKQViewForm::Printer() {
  if (!context_.Printer)
    context_.Printer = MakeRunPrinter(Printers());
  return *context_.Printer;
}

bool TKQViewForm::PrinterPresent() const {
  return Printers().PrinterPresent();
}

QImage TKQViewForm::PreviewPage(int page) {
  return PaintPreviewPage(*report_, Printer(), page, ScreenPixelsPerInch());
}

bool TKQViewForm::RunPageSetup() {
  return context_.Dialogs.PageSetup(Printer());
}

bool TKQViewForm::PrintReport(bool askForPages) {
  const Language lang = context_.Source.Lang;
  report_->DesignChanged();
  const int count = report_->PageCount();
  QPrinter& printer = Printer();
  std::vector<PageRange> chosen;
  if (askForPages) {
    if (!context_.Dialogs.Print(printer, count))
      return false;
    chosen = ChosenPageRanges(printer);
  } else if (PrintsToPdf(printer)) {
    // The PDF writer starts no job without a file name: the user names the file first.
    const std::string name = context_.Dialogs.AskPdfFileName(ToUtf8(printer.outputFileName()));
    if (name.empty())
      return false;
    printer.setOutputFileName(ToQString(name));
  }
  const std::vector<int> pages = PagesToPrint(count, chosen);
  if (pages.empty()) {
    ClearPageSelection(printer);
    ShowMessage(PrintFailureText(NoChosenPageText(count, lang), lang));
    return false;
  }
  const PrintOutcome outcome =
      PrintTimetable(*report_, printer, pages, ScreenPixelsPerInch(), Files(), Printers(), lang);
  if (!outcome.Printed) {
    ShowMessage(PrintFailureText(outcome.Message, lang));
    return false;
  }
  // A job that waits for a stopped printer.
  if (!outcome.Message.empty())
    ShowMessage(outcome.Message);
  return true;
}

void TKQViewForm::PrintBtnClick() {
  if (!PrinterPresent()) {
    ShowMessage(NoPrinterText(context_.Source.Lang));
    return;
  }
  PrintReport(true);
}

void TKQViewForm::PrintPreviewBtnClick() {
  if (!PrinterPresent()) {
    ShowMessage(NoPrinterText(context_.Source.Lang));
    return;
  }
  report_->DesignChanged();
  TVEKPreView preview(*this, this);
  preview.SetPageCount(report_->PageCount());
  if (context_.Dialogs.RunModal(preview) == QDialog::Accepted)
    PrintBtnClick();
}

void TKQViewForm::PrintOptionsBtnClick() {
  TPrintOptionsDlg dialog(*report_, context_, Printer(), this);
  context_.Dialogs.RunModal(dialog);
  Refresh();
}

void TKQViewForm::done(int result) {
  if (context_.Sections)
    context_.Sections->Write([this](IniFile& ini) { report_->SaveDesigns(ini); });
  QDialog::done(result);
}

}  // namespace vek
