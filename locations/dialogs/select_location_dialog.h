// The select-location dialog: every location in four columns (number, city, country, state),
// sorted by a click on a column heading and searched by typing, with today's times of the
// highlighted location and the date panel of the main window. Select makes the highlighted
// location the current one; Edit opens the change-location dialog for it. Arabic or English,
// right to left in Arabic.
#pragma once

#include <QDialog>
#include <QString>

#include <array>
#include <memory>

#include "locations/dialogs/dialog_context.h"
#include "locations/dialogs/select_location_model.h"

class QHeaderView;
class QLabel;
class QPushButton;
class QTableView;

namespace vek {

class TimesPanel;

class TSelectLocation : public QDialog {
  Q_OBJECT

 public:
  // Reads and sorts context.Locations; the list's current index changes only through Select
  // (accepted) or a double click on a row.
  TSelectLocation(const LocationDialogContext& context, QWidget* parent = nullptr);
  ~TSelectLocation() override;

  // Called by the main window while the dialog is showing: the date caption (and, with it,
  // the current time), and the time at each new minute.
  void UpdateDateDisplay(const QString& dateText);
  void UpdateClockDisplay();

  SelectLocationModel& Model() { return *model_; }

  // Handlers of the controls.
  void FormActivate();
  void LocationsClick(int row);
  void LocationsDblClick(int row);
  void LocationsKeyPress(char32_t key);
  void LocationsHeaderSectionClick(int section);
  void SelectBtnClick();
  void EditBtnClick();
  void DateBtnClick();
  void UpdateDateButtonCaption();

  // The controls, named after the form's.
  QTableView* Locations = nullptr;
  QHeaderView* LocationsHeader = nullptr;
  QLabel* CityLabel = nullptr;  // the search labels above the three name columns
  QLabel* CountryLabel = nullptr;
  QLabel* StateLabel = nullptr;
  QLabel* City_L = nullptr;            // "Times for city"
  QLabel* City = nullptr;              // the previewed location
  TimesPanel* KQ_P = nullptr;          // the preview's times; Imsak shows in Ramadan only
  std::array<QLabel*, 7> SlotNames{};  // Imsak .. Isha: the panel's labels
  std::array<QLabel*, 7> SlotTimes{};
  QLabel* Date = nullptr;
  QLabel* Time = nullptr;
  QPushButton* DateBtn = nullptr;
  QPushButton* SelectBtn = nullptr;
  QPushButton* CloseBtn = nullptr;
  QPushButton* EditBtn = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  class Rows;
  class RowPainter;

  void BuildWidgets();
  void ApplyLanguage();
  void ShowSearchLabels();
  void ShowPreview();
  void ShowHighlight();
  QString Text(const char* english, const char* arabic) const;

  std::unique_ptr<SelectLocationModel> model_;
  Rows* rows_ = nullptr;
  bool syncing_ = false;  // the view follows the model; its own signals are not handlers then
  bool centred_ = false;
};

}  // namespace vek
