#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "closing/frmTerminate.h"
#include "closing_fixture.h"
#include "platform/colors.h"
#include "platform/dialogs.h"
#include "platform/grid.h"

using namespace orv::closing;
using closingtest::ClosingFixture;
namespace ss = orv::settings_store;

namespace {

class TerminateScreen : public ClosingFixture {
 protected:
  static QString Box(frmTerminate &f, const char *name) {
    return f.findChild<QLineEdit *>(name)->text();
  }
};

TEST_P(TerminateScreen, ShowsTheOpenDayAndClosesIt) {
  PlantDay();
  Held("20250115", 9, 15, 1);
  frmTerminate form;
  EXPECT_EQ(ss::GetSetting("TemChitLoad"), "0");
  form.Form_Activate();
  EXPECT_EQ(form.lblLoad->text(), "O");
  EXPECT_EQ(Box(form, "txtInitGum"), "100,000");
  EXPECT_EQ(Box(form, "txtMidGum"), "50,000");
  EXPECT_EQ(Box(form, "txtNowMoney"), "87,000");
  EXPECT_EQ(Box(form, "txtRealMoney"), "66,100");
  EXPECT_EQ(Box(form, "txtBanSu"), "2");
  EXPECT_EQ(Box(form, "txtBanGum"), "-5,000");
  EXPECT_EQ(Box(form, "txtCmsSu"), "1");
  EXPECT_EQ(Box(form, "txtDcGum"), "300");
  EXPECT_TRUE(form.txtDcGum->isHidden());
  ASSERT_EQ(form.vaSpread1->MaxRows(), 4);
  EXPECT_EQ(form.vaSpread1->CellValue(2, 2), "banana[1kg]");
  EXPECT_TRUE(form.vaSpread1->ColHidden(5));
  form.vaSpread1->SetRow(3);
  form.vaSpread1->SetCol(1);
  EXPECT_EQ(form.vaSpread1->BackColor(), 0x00FFFF) << "a returned goods row is yellow";
  form.vaSpread1->SetRow(4);
  EXPECT_EQ(form.vaSpread1->BackColor(), 0x00FF00) << "a coupon row is green";

  {  // No, a wrong password (case differs) and Cancel change nothing, silently.
    orv::dialogs::Script s;
    s.No().Yes().Input("pw1").Yes().InputCancel();
    form.cmdDelete_Click();
    form.cmdDelete_Click();
    form.cmdDelete_Click();
    EXPECT_EQ(s.Log().size(), 5);
    EXPECT_EQ(s.Log()[2].defaultText, "0");
    EXPECT_EQ(s.Log()[2].title, "비밀번호입력");
    EXPECT_EQ(s.Log()[2].echo, orv::dialogs::Echo::Password);
    EXPECT_EQ(Count(goDbPos, "InitGum"), 2);
  }
  {
    orv::dialogs::Script s;
    s.Yes().Input("Pw1");
    QTest::keyClick(&form, Qt::Key_F6);
  }
  EXPECT_EQ(Box(form, "txtInitGum"), "0");
  EXPECT_EQ(Box(form, "txtPctHab"), "0");
  EXPECT_EQ(Box(form, "txtNowMoney"), "0");
  EXPECT_EQ(form.vaSpread1->MaxRows(), 0);
  EXPECT_EQ(Count(goDbPos, "WatChitT"), 0);
  EXPECT_EQ(Count(goDbPos, "TemData"), 1);
}

TEST_P(TerminateScreen, ALoadedClosingIsNeitherRecomputedNorReset) {
  PlantDay();
  frmTerminate form;
  form.Form_Activate();
  ss::SaveSetting("TemChitLoad", "1");
  goDbPos.Execute("Delete From InitGum");
  form.Form_Activate();
  EXPECT_EQ(form.lblLoad->text(), "L");
  EXPECT_EQ(Box(form, "txtInitGum"), "100,000") << "activations leave a loaded closing alone";
  orv::dialogs::Script s;
  form.cmdDelete_Click();
  ASSERT_EQ(s.Log().size(), 1);
  EXPECT_EQ(s.Log()[0].text, "불러온 마감내역입니다. 마감화면을 다시 열고 삭제하세요.");
  EXPECT_EQ(Count(goDbPos, "PanChitT2501", "PctSss3 = 1"), 0);
}

TEST_P(TerminateScreen, AFailingRefreshSaysWhichAndStopsTheReset) {
  PlantDay();
  frmTerminate form;
  form.Form_Activate();
  goDbPos.Execute("DROP TABLE PanListT2501");
  orv::dialogs::Script s;
  form.cmdDelete_Click();
  ASSERT_EQ(s.Log().size(), 1);
  EXPECT_EQ(s.Log()[0].title, "fcPanChitSerch");
  EXPECT_EQ(Box(form, "txtPctHab"), "33,000") << "the figures stay as they were";
  EXPECT_EQ(Count(goDbPos, "InitGum"), 2);
}

INSTANTIATE_TEST_SUITE_P(Engines, TerminateScreen,
                         ::testing::Values(closingtest::kOffline[0]), closingtest::SetupName);

}  // namespace
