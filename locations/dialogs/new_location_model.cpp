#include "locations/dialogs/new_location_model.h"

#include <algorithm>

#include "foundation/cp1256.h"
#include "foundation/text.h"
#include "locations/location_record.h"

namespace vek {

namespace {

bool Holds(const std::vector<std::string>& items, const std::string& name) {
  return std::find(items.begin(), items.end(), name) != items.end();
}

}  // namespace

std::string NewCountryPrompt(Language lang) {
  return lang == Language::Arabic ? "أدخل اسم البلد الجديد من فضلك"
                                  : "Enter a new country name please:";
}

std::string NewCityPrompt(Language lang) {
  return lang == Language::Arabic ? "أدخل اسم المدينة  الجديدة من فضلك"
                                  : "Enter a new city name please:";
}

std::string NewCountryReminder(Language lang) {
  return lang == Language::Arabic ? "يجب إضافة مدينة واحدة على الأقل إلى هذا البلد الجديد"
                                  : "You must add at least one city to this new country.";
}

std::string BlankNameMessage(Language lang) {
  return lang == Language::Arabic ? "لا يمكن أن يكون الاسم فارغاً أو مؤلفاً من مسافات فقط."
                                  : "The name cannot be empty or consist of blanks only.";
}

std::string NotCp1256NameMessage(Language lang) {
  return lang == Language::Arabic
             ? "يحتوي الاسم على أحرف لا يمكن حفظها في ملف المواقع. يرجى استخدام الحروف العربية "
               "أو اللاتينية."
             : "The name contains characters that cannot be saved in the location file. Please "
               "use Arabic or Latin letters.";
}

NewLocationModel::NewLocationModel(const LocationDialogContext& context)
    : context_(context), cascade_(*context.Locations) {}

void NewLocationModel::Reset(int index) {
  NewCountryAdded = false;
  NewCityAdded = false;
  NewCountry.clear();
  NewCity.clear();
  NewState.clear();
  cascade_.SelIndex = index;
  cascade_.LoadSelectedNames();
  cascade_.FillLists();
}

void NewLocationModel::CountryChange(const std::string& country) {
  // The names of a new country match no location: the location shown stays.
  cascade_.ChooseCountry(country, !NewCountryAdded);
}

void NewLocationModel::StateChange(const std::string& stateName) {
  cascade_.ChooseState(stateName, !NewCountryAdded);
}

void NewLocationModel::CityChange(const std::string& city) {
  cascade_.ChooseCity(city, !NewCityAdded);
}

bool NewLocationModel::Accept(const std::string& typed, std::string& name) {
  const NewName clean = CleanNewName(typed);
  switch (clean.Status) {
    case NewNameStatus::Cancelled:
      return false;
    case NewNameStatus::Blank:
      context_.Ui->ShowMessage(BlankNameMessage(context_.Lang));
      return false;
    case NewNameStatus::NotCp1256:
      context_.Ui->ShowMessage(NotCp1256NameMessage(context_.Lang));
      return false;
    case NewNameStatus::Ok:
      break;
  }
  if (clean.Cut)
    context_.Ui->Beep();
  name = clean.Name;
  return true;
}

void NewLocationModel::NewCountryEntered(const std::string& typed) {
  std::string name;
  if (!Accept(typed, name))
    return;
  name = AsciiUpper(name);
  if (!Holds(cascade_.Countries(), name)) {
    cascade_.AddCountryItem(name);
    NewCountryAdded = true;
    context_.Ui->ShowMessage(NewCountryReminder(context_.Lang));
  }
  CountryChange(name);
}

void NewLocationModel::NewCityEntered(const std::string& typed) {
  std::string name;
  if (!Accept(typed, name))
    return;
  name[0] = AsciiUpperChar(name[0]);
  const std::vector<std::string>& cities = cascade_.Cities();
  const std::string upper = AsciiUpper(name);
  if (Holds(cities, name)) {
    // An existing city is only chosen.
  } else if (Holds(cities, upper)) {
    name = upper;
  } else {
    cascade_.AddCityItem(name);
    NewCityAdded = true;
    NewCountry = cascade_.SelCountry;
    NewState = cascade_.SelState;
    NewCity = name;
  }
  CityChange(name);
}

NewLocationControls NewLocationModel::Controls() const {
  NewLocationControls c;
  c.AddBtn = NewCityAdded;
  c.NewCountryBtn = !NewCountryAdded && !NewCityAdded;
  c.NewCityBtn = !NewCityAdded;
  c.Country = !NewCountryAdded;
  c.City = !NewCityAdded;
  c.State = cascade_.StateEnabled() && !NewCityAdded;
  return c;
}

}  // namespace vek
