// The report forms at the shipped cities: the location list read from the shipped file, the
// part of a report context every form test sets, and a form opened on its first day.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/calendar.h"
#include "report/timetable_view.h"
#include "support/locations_fixture.h"

namespace vek::testing {

class ReportFixture : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(LoadShippedLocations(list)); }

  // The report context at a shipped city on 10 December 2026, its messages kept in messages.
  ReportContext CityContext(const char* city, const char* country, Language lang,
                            const char* state = "") {
    list.CurrentIndex = list.Find(city, country, state);
    EXPECT_GE(list.CurrentIndex, 0) << city;
    ReportContext c;
    c.Source.Location = list.Current().Rec;
    c.Source.Lang = lang;
    c.Locations = &list;
    c.Today = EncodeDate(2026, 12, 10);
    c.ShowMessage = [this](const std::string& text) { messages.push_back(text); };
    return c;
  }

  // The form of kind from start, its rows computed.
  static std::unique_ptr<TKQViewForm> Open(ReportContext context, ReportKind kind, double start) {
    auto form = std::make_unique<TKQViewForm>(std::move(context), kind);
    form->SetStartDate(start);
    form->ComputeReportRows();
    return form;
  }

  TLocations list;
  std::vector<std::string> messages;
};

}  // namespace vek::testing
