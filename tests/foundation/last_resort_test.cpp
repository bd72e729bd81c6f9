#include "foundation/last_resort.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "support/fake_ui.h"

namespace vek {
namespace {

TEST(LastResort, AnEscapedErrorIsShownInTheUsersLanguageAndEndsWithOne) {
  testing::FakeUi ui;
  EXPECT_EQ(7, RunShowingEscapedErrors([] { return 7; }, ui, {}));
  EXPECT_TRUE(ui.messages.empty());

  Language lang = Language::Arabic;
  const auto loop = [&]() -> int {
    lang = Language::English;  // the settings were read before the error
    throw std::filesystem::filesystem_error(
        "status", std::filesystem::path("/x/LOOP"),
        std::make_error_code(std::errc::too_many_symbolic_link_levels));
  };
  EXPECT_EQ(1, RunShowingEscapedErrors(loop, ui, [&] { return lang; }));
  ASSERT_EQ(1u, ui.messages.size());
  EXPECT_EQ(0u, ui.messages[0].find("The program met an error")) << ui.messages[0];
  EXPECT_NE(std::string::npos, ui.messages[0].find("/x/LOOP"));

  EXPECT_EQ(1,
            RunShowingEscapedErrors([]() -> int { throw 3; }, ui, [] { return Language::Arabic; }));
  ASSERT_EQ(2u, ui.messages.size());
  EXPECT_EQ(0u, ui.messages[1].find("واجه البرنامج"));
}

}  // namespace
}  // namespace vek
