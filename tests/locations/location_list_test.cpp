#include "locations/location_list.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace vek {
namespace {

TLocationRec Named(const std::string& city, const std::string& country,
                   const std::string& state = "", int latDeg = 0) {
  TLocationRec r;
  r.City = city;
  r.Country = country;
  r.State = state;
  r.LatDeg = static_cast<std::uint8_t>(latDeg);
  return r;
}

TLocations ListOf(std::initializer_list<TLocationRec> recs) {
  TLocations list;
  for (const TLocationRec& r : recs)
    list.Append(std::make_unique<TLocation>(r));
  return list;
}

std::vector<std::string> Cities(const TLocations& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.Count(); ++i)
    out.push_back(list.GetItem(i).Rec.City);
  return out;
}

TEST(LocationList, SortOrdersIgnoreCase) {
  TLocations list = ListOf({Named("paris", "FRANCE"), Named("Aleppo", "SYRIA"),
                            Named("BOSTON", "USA", "MA"), Named("austin", "USA", "TX"),
                            Named("ALGIERS", "algeria"), Named("Albany", "USA", "NY")});
  list.SortByCity();
  EXPECT_EQ((std::vector<std::string>{"Albany", "Aleppo", "ALGIERS", "austin", "BOSTON", "paris"}),
            Cities(list));
  list.SortByCountry();
  EXPECT_EQ((std::vector<std::string>{"ALGIERS", "paris", "Aleppo", "BOSTON", "Albany", "austin"}),
            Cities(list));
  list.SortByState();  // US locations first by state, then the rest by country
  EXPECT_EQ((std::vector<std::string>{"BOSTON", "Albany", "austin", "ALGIERS", "paris", "Aleppo"}),
            Cities(list));
}

TEST(LocationList, CurrentLocationFollowsItsItemThroughSortsEvenAmongNamesakes) {
  // Two entries with the same names; the second (by its latitude) is current.
  TLocations list = ListOf({Named("HOMS", "SYRIA", "", 1), Named("ZARQA", "JORDAN"),
                            Named("HOMS", "SYRIA", "", 2), Named("AMMAN", "JORDAN")});
  list.CurrentIndex = 2;
  list.SortByCity();
  EXPECT_EQ("HOMS", list.Current().Rec.City);
  EXPECT_EQ(2, list.Current().Rec.LatDeg);
  list.SortByCountry();
  EXPECT_EQ(2, list.Current().Rec.LatDeg);
  list.SortByState();
  EXPECT_EQ(2, list.Current().Rec.LatDeg);
}

TEST(LocationList, FindIsExact) {
  const TLocations list = ListOf({Named("Damascus", "SYRIA"), Named("DAMASCUS", "SYRIA")});
  EXPECT_EQ(1, list.Find("DAMASCUS", "SYRIA", ""));
  EXPECT_EQ(-1, list.Find("damascus", "SYRIA", ""));
  EXPECT_EQ(-1, list.Find("DAMASCUS", "SYRIA", "DC"));
}

TEST(LocationList, AddInheritsCurrentSettingsCutsNamesAndReturnsFirstEqual) {
  TLocations list = ListOf({Named("CAIRO", "EGYPT", "", 30), Named("AMMAN", "JORDAN", "", 31)});
  list.CurrentIndex = 1;  // AMMAN
  list.Modified = false;
  const int added = list.Add("A COUNTRY NAME LONGER THAN EIGHTEEN", "NEW TOWN", "XYZ");
  const TLocation& item = list.GetItem(added);
  EXPECT_EQ("NEW TOWN", item.Rec.City);
  EXPECT_EQ("A COUNTRY NAME LON", item.Rec.Country);
  EXPECT_EQ("XY", item.Rec.State);
  EXPECT_EQ(31, item.Rec.LatDeg);
  EXPECT_TRUE(list.Modified);
  EXPECT_EQ("AMMAN", list.Current().Rec.City);  // still current after the sort

  // A name triple that already exists: the index of the first of the equal entries.
  list.CurrentIndex = list.Find("CAIRO", "EGYPT", "");
  const int again = list.Add("JORDAN", "AMMAN", "");
  EXPECT_EQ(list.Find("AMMAN", "JORDAN", ""), again);
  EXPECT_EQ(31, list.GetItem(again).Rec.LatDeg);  // the original one, not the copy of CAIRO
}

TEST(LocationList, AddToAnEmptyListStartsFromABlankRecord) {
  TLocations list;
  EXPECT_EQ(0, list.Add("SYRIA", "DAMASCUS", ""));
  EXPECT_EQ(1, list.Count());
}

TEST(LocationList, EditsMarkModifiedAndBadIndexesThrow) {
  TLocations list = ListOf({Named("A", "X"), Named("B", "X")});
  list.SetItem(1, Named("C", "X"));
  EXPECT_TRUE(list.Modified);
  list.Modified = false;
  list.Delete(0);
  EXPECT_TRUE(list.Modified);
  EXPECT_EQ((std::vector<std::string>{"C"}), Cities(list));
  EXPECT_THROW(list.GetItem(1), std::out_of_range);
  EXPECT_THROW(list.Delete(-1), std::out_of_range);
  list.CurrentIndex = 5;
  EXPECT_THROW(list.Current(), std::out_of_range);
  list.SortByCity();  // an invalid current index is left alone, not dereferenced
  EXPECT_EQ(5, list.CurrentIndex);
}

}  // namespace
}  // namespace vek
