#include "locations/dialogs/new_location_dialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <deque>
#include <memory>
#include <string>

#include "support/fake_ui.h"

namespace vek {
namespace {

QString U(const char* utf8) {
  return QString::fromUtf8(utf8);
}

TEST(NewNameTest, CaptionsAndOkOnlyWithText) {
  for (Language lang : {Language::English, Language::Arabic}) {
    SCOPED_TRACE(static_cast<int>(lang));
    const bool arabic = lang == Language::Arabic;
    TNewName dialog(lang);
    EXPECT_EQ(dialog.windowTitle(), U(arabic ? "اسم جديد" : "New Name"));
    EXPECT_EQ(dialog.layoutDirection(), arabic ? Qt::RightToLeft : Qt::LeftToRight);
    EXPECT_EQ(dialog.OK->text(), U(arabic ? "مــوافــق" : "Ok"));
    EXPECT_EQ(dialog.CancelBtn->text(), U(arabic ? "إلغاء الأمر" : "Cancel"));

    dialog.Text->setText("left over");
    dialog.Prepare("Enter a new city name please:");
    dialog.show();
    EXPECT_EQ(dialog.Msg->text(), "Enter a new city name please:");
    EXPECT_TRUE(dialog.Text->text().isEmpty());
    EXPECT_FALSE(dialog.OK->isEnabled());
    dialog.Text->insert(" ");
    EXPECT_TRUE(dialog.OK->isEnabled());
    dialog.Text->clear();
    EXPECT_FALSE(dialog.OK->isEnabled());
  }
}

class NewLocationDialogTest : public ::testing::Test {
 protected:
  NewLocationDialogTest() {
    const struct {
      const char *city, *state, *country;
    } names[] = {{"ALEXANDRIA", "", "EGYPT"}, {"CAIRO", "", "EGYPT"}, {"Boston", "MA", "USA"}};
    for (const auto& n : names) {
      TLocationRec r;
      r.City = n.city;
      r.State = n.state;
      r.Country = n.country;
      list.Append(std::make_unique<TLocation>(r));
    }
    context.Locations = &list;
    context.Ui = &ui;
  }

  // The new-name prompt answering from names, and noting the prompts it was given.
  void Answer(TNewLocation& dialog) {
    dialog.AskNewName = [this](const std::string& prompt) {
      prompts.push_back(prompt);
      std::string answer = names.empty() ? std::string() : names.front();
      if (!names.empty())
        names.pop_front();
      return answer;
    };
  }

  TLocations list;
  testing::FakeUi ui;
  LocationDialogContext context;
  std::deque<std::string> names;
  std::vector<std::string> prompts;
};

TEST_F(NewLocationDialogTest, Captions) {
  struct Case {
    Language lang;
    const char* texts[7];  // labels, then buttons
  };
  const Case cases[] = {
      {Language::English,
       {"Country:", "State:", "City:", "New Country", "New City", "Add Location", "Cancel"}},
      {Language::Arabic,
       {"الدولة", "الولاية", "المدينة", "دولة جديدة", "مدينة جديدة", "إضـافة الموقع",
        "إلغـاء الأمر "}},
  };
  for (const Case& c : cases) {
    context.Lang = c.lang;
    TNewLocation dialog(context);
    EXPECT_EQ(dialog.windowTitle(), "Add New Location");
    EXPECT_EQ(dialog.layoutDirection(),
              c.lang == Language::Arabic ? Qt::RightToLeft : Qt::LeftToRight);
    const QString shown[] = {dialog.Country_L->text(),  dialog.State_L->text(),
                             dialog.City_L->text(),     dialog.NewCountryBtn->text(),
                             dialog.NewCityBtn->text(), dialog.AddBtn->text(),
                             dialog.CancelBtn->text()};
    for (int i = 0; i < 7; ++i)
      EXPECT_EQ(shown[i], U(c.texts[i]));
  }
}

TEST_F(NewLocationDialogTest, NewCountryThenNewCityInArabic) {
  context.Lang = Language::Arabic;
  TNewLocation dialog(context);
  Answer(dialog);
  dialog.Reset(1);  // CAIRO
  dialog.show();
  EXPECT_EQ(dialog.Country->currentText(), "EGYPT");
  EXPECT_EQ(dialog.City->currentText(), "CAIRO");
  EXPECT_FALSE(dialog.State->isEnabled());
  EXPECT_FALSE(dialog.AddBtn->isEnabled());

  names = {"narnia", "cair paravel"};
  dialog.NewCountryBtn->click();
  EXPECT_EQ(prompts.back(), "أدخل اسم البلد الجديد من فضلك");
  EXPECT_EQ(ui.messages,
            std::vector<std::string>{"يجب إضافة مدينة واحدة على الأقل إلى هذا البلد الجديد"});
  EXPECT_EQ(dialog.Country->currentText(), "NARNIA");
  EXPECT_EQ(dialog.City->count(), 0);
  EXPECT_FALSE(dialog.Country->isEnabled());
  EXPECT_FALSE(dialog.NewCountryBtn->isEnabled());
  EXPECT_FALSE(dialog.AddBtn->isEnabled());

  dialog.NewCityBtn->click();
  EXPECT_EQ(prompts.back(), "أدخل اسم المدينة  الجديدة من فضلك");
  EXPECT_EQ(dialog.City->currentText(), "Cair paravel");
  EXPECT_TRUE(dialog.AddBtn->isEnabled());
  EXPECT_FALSE(dialog.NewCityBtn->isEnabled());
  EXPECT_FALSE(dialog.City->isEnabled());
}

TEST_F(NewLocationDialogTest, ExecuteGivesTheNamesOnlyAfterAdd) {
  TNewLocation dialog(context);
  Answer(dialog);
  std::string country = "unset", state = "unset", city = "unset";
  bool isNewCountry = true;

  // Cancel: the outputs stay as they were.
  QTimer::singleShot(0, &dialog, [&] { dialog.CancelBtn->click(); });
  EXPECT_FALSE(dialog.Execute(2, country, isNewCountry, state, city));
  EXPECT_EQ(city, "unset");

  names = {"worcester"};
  QTimer::singleShot(0, &dialog, [&] {
    EXPECT_EQ(dialog.State->currentText(), "Massachusetts");
    dialog.NewCityBtn->click();
    dialog.AddBtn->click();
  });
  EXPECT_TRUE(dialog.Execute(2, country, isNewCountry, state, city));  // Boston
  EXPECT_EQ(country, "USA");
  EXPECT_EQ(state, "MA");
  EXPECT_EQ(city, "Worcester");
  EXPECT_FALSE(isNewCountry);
}

}  // namespace
}  // namespace vek
