// Tests of the application session: whatever step fails, what was opened is closed and quit once.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "automation/AutomationError.h"
#include "engine/ApplicationSession.h"
#include "support/FakeExcel.h"

namespace quorvex::engine {
namespace {

using Calls = std::vector<std::string>;

TEST(ApplicationSession, ClosesAndQuitsWhateverStepFails) {
  struct Case {
    std::string failing;  // the call made to throw; "work" throws between open and End
    Calls calls;
  };
  const Calls opened = {"Create(Excel.Application)", "Workbooks.Open(/in/Book.xlsx)", "DisplayAlerts=False"};
  const std::vector<Case> cases = {
      {"", {opened[0], opened[1], opened[2], "Close", "Quit"}},
      {"Workbooks.Open", {opened[0], opened[1], "Quit"}},
      {"DisplayAlerts=False", {opened[0], opened[1], opened[2], "Close", "Quit"}},
      {"work", {opened[0], opened[1], opened[2], "Close", "Quit"}},
      {"Close", {opened[0], opened[1], opened[2], "Close", "Quit"}},
      {"Quit", {opened[0], opened[1], opened[2], "Close", "Quit"}},
  };
  for (const Case& c : cases) {
    testing::FakeExcel excel;
    excel.AddWorkbook("/in/Book.xlsx", {"Sheet1"});
    if (!c.failing.empty() && c.failing != "work") excel.FailOn(c.failing, "failed");
    bool threw = false;
    try {
      ApplicationSession session(excel.Factory(), {});
      session.OpenWorkbook("/in/Book.xlsx");
      if (c.failing == "work") throw std::runtime_error("work failed");
      session.End();
    } catch (const std::exception&) {
      threw = true;
    }
    EXPECT_EQ(threw, !c.failing.empty()) << c.failing;
    EXPECT_EQ(excel.calls(), c.calls) << c.failing;
  }
}

TEST(ApplicationSession, NoInstanceFromTheFactoryIsAnAutomationError) {
  const automation::ApplicationFactory none = [](const std::string&, const automation::WarningSink&) {
    return nullptr;
  };
  EXPECT_THROW(ApplicationSession(none, {}), automation::AutomationError);
}

}  // namespace
}  // namespace quorvex::engine
