#include <gtest/gtest.h>

#include <QWidget>

#include "closing/closing_print.h"
#include "closing/closing_reports.h"
#include "core/state.h"
#include "platform/dialogs.h"
#include "platform/settings_store.h"
#include "test_support.h"

using namespace orv::closing;
namespace ss = orv::settings_store;

TEST(ClosingPrintTest, DispatchesByModeAndLayoutAndResetsTheConfirmation) {
  auto dir = orvtest::MakeTempDir();
  ss::SetFilePath(dir->path() + "/OrvZerdo.ini");
  orv::state::ResetProgramState();
  struct Case {
    const char *load, *layout;
    bool confirm;
    const char *printed;
  } cases[] = {
      {"0", "0", true, "PrintTerminate"},
      {"0", "1", true, "PrintTerminateByTender"},
      {"1", "0", true, "PrintTemTerminate"},
      {"1", "2", true, "PrintTemTerminateByTender"},
      {"", "", true, "PrintTerminate"},
      {"0", "0", false, ""},
      {"1", "1", false, ""},
  };
  for (const Case &c : cases) {
    ss::SaveSetting("TemChitLoad", c.load);
    ss::SaveSetting("PosSalePrn8", c.layout);
    ss::SaveSetting("PosSalePrnOK", "0");
    orv::dialogs::Script script;
    script.OnForm("frmSelPrint", [&](QWidget &form) {
      if (c.confirm) ss::SaveSetting("PosSalePrnOK", "1");
      form.close();
    });
    RunClosingPrint(nullptr, {}, {});
    const QStringList calls = TakeReportCalls();
    if (*c.printed)
      EXPECT_EQ(calls, QStringList{c.printed}) << c.load << "/" << c.layout;
    else
      EXPECT_TRUE(calls.isEmpty()) << c.load << "/" << c.layout;
    EXPECT_EQ(ss::GetSetting("PosSalePrnOK"), "0");
  }
  ss::SetFilePath({});
}
