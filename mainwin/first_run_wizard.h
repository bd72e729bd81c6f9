// The first-run wizard TSelectLanguage_Form: a left panel with the product's title and logo, and
// on the right the language link, the page's header, one panel per page and the Back and
// Continue buttons. The form shows what its FirstRunWizardModel holds and passes the clicks on;
// right to left in Arabic.
#pragma once

#include <QDialog>

#include <memory>

#include "mainwin/first_run_wizard_model.h"

class QAction;
class QLabel;
class QPushButton;
class QRadioButton;
class QStackedWidget;

namespace vek {

class TSelectLanguage_Form : public QDialog {
  Q_OBJECT

 public:
  TSelectLanguage_Form(WizardContext context, QWidget* parent = nullptr);
  ~TSelectLanguage_Form() override;

  FirstRunWizardModel& Model() { return *model_; }

  // Handlers of the form and its controls; each passes on to the model and shows its state.
  void FormActivate();
  void Continue_BtnClick();
  void Back_BitBtnClick();
  void LanguageRadioButtonClick(Language lang);
  void ArEnLabelClick();
  void ChangeCityButtonClick();
  void TestSound_BitBtnClick();
  void YesButtonClick();
  void NoButtonClick();
  void MinToTray_YesClick();
  void MinToTray_NoClick();
  void StartupButtonClick();
  // Shows the model's state: captions, page, enabled controls, focus.
  void Render();

  // Closing runs the model's closing once, whatever closes the form; not while it waits.
  void done(int result) override;
  void reject() override;

  // The controls, named after the form's.
  QWidget* LeftPanel = nullptr;
  QLabel* Logo = nullptr;
  QLabel* ProductTitle = nullptr;
  QWidget* RightPanel = nullptr;
  QLabel* _ArEn_Label = nullptr;
  QAction* ArEn1 = nullptr;
  QLabel* Top_Panel = nullptr;
  QStackedWidget* Pages = nullptr;
  QWidget* MainLang_Panel = nullptr;
  QRadioButton* Ar_RadioButton = nullptr;
  QRadioButton* En_RadioButton = nullptr;
  QLabel* LanguageNote = nullptr;
  QWidget* MainCity_Panel = nullptr;
  QLabel* CityHeading = nullptr;
  QLabel* CityNameLabel = nullptr;
  QPushButton* ChangeCityButton = nullptr;
  QWidget* Mp3_Panel = nullptr;
  QLabel* TopInfo_Label = nullptr;
  QPushButton* YesButton = nullptr;
  QPushButton* NoButton = nullptr;
  QLabel* DontInstall_Label = nullptr;
  QLabel* DoInstall_Label = nullptr;
  QPushButton* TestSound_BitBtn = nullptr;
  QLabel* BottomHeader_Label = nullptr;
  QLabel* Bottom_Label1 = nullptr;
  QLabel* Bottom_Label2 = nullptr;
  QLabel* Bottom_Label4 = nullptr;
  QWidget* MinToTray_Panel = nullptr;
  QLabel* MinToTray_Label = nullptr;
  QRadioButton* MinToTray_Yes = nullptr;
  QRadioButton* MinToTray_No = nullptr;
  QLabel* NoTray_Label = nullptr;
  QWidget* MainAutoStart_Panel = nullptr;
  QLabel* IsAutoStartLabel = nullptr;
  QPushButton* StartupButton = nullptr;
  QLabel* a_Label1 = nullptr;  // the auto-start explanation, Arabic
  QLabel* e_Label7 = nullptr;  // the same in English
  QPushButton* Back_BitBtn = nullptr;
  QPushButton* Continue_Btn = nullptr;

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildWidgets();
  // After a handler: closes the form when the model asked, else shows the state.
  void AfterClick();

  std::unique_ptr<FirstRunWizardModel> model_;
};

}  // namespace vek
