// The card cancellation form through the NICE agent program (the simulator).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>

#include "chit/records.h"
#include "core/card_ret.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "schema/tables.h"
#include "card_dialog_fixture.h"
#include "test_support.h"
#include "van/card_log.h"
#include "van/card_state.h"
#include "van/frmDisCard.h"
#include "van/van_nice.h"
#include "van/van_wait.h"

namespace dlg = orv::dialogs;
using orv::Currency;

namespace {

TEST(NiceCancelTelegram, FourteenFieldsEachEndedBySeparator) {
  const QString fs(QChar(0x1c));
  EXPECT_EQ(NiceCancelTelegram("11000", "1000", "00", "12345678", "240124", "0"),
            "0420" + fs + "10" + fs + "C" + fs + "11000" + fs + "1000" + fs + "0" + fs + "00" + fs +
                "12345678" + fs + "240124" + fs + fs + fs + fs + fs + "0" + fs);
}

class NiceCancel : public vantest::CardDialogTest {
 protected:
  void SetUp() override {
    CardDialogTest::SetUp();
    giSetVan = 9;
    gsSetVanAgent = vantest::SimPath("orvvansim-nice");
    giPosCardTaxSelt = 1;
    orv::van::Timeouts() = {2000, 600, 400, 400, 0};
    UseChildSim();
    giCardCallMode = 0;
  }
  // The approval to cancel and the months; whether the form closed.
  bool Cancel(int months) {
    CardReturn(11000, "12345678", "240124", months);
    return RunCancel();
  }
  QString LastRequest() { return child_->Journal().value(child_->Journal().size() - 1); }
};

TEST_F(NiceCancel, CancelsWithTheTypedApproval) {
  EXPECT_TRUE(Cancel(3));
  EXPECT_EQ(giCardOk, 1);
  EXPECT_EQ(gtCardRet.CardNo, "****");
  EXPECT_EQ(gtCardRet.CmitNo, "50000001");
  EXPECT_EQ(gtCardRet.CmitDate.size(), 6);
  EXPECT_EQ(gtCardRet.MeipCode, "0012");
  EXPECT_EQ(gtCardRet.Gum, Currency::Won(-11000));
  EXPECT_TRUE(gtCardRet.CardDate.isEmpty()) << "no card read";
  EXPECT_TRUE(gsCardPrnMsg1.isEmpty());
  EXPECT_TRUE(LastRequest().startsWith("0420 | 10 | C | 11000 | 1000 | 0 | 03 | 12345678 | 240124 |"))
      << LastRequest().toStdString();
  EXPECT_EQ(LogTexts(), (QStringList{"NICE_NICEVCAT : 00011000", "NICE_NICEVCAT_OutRet",
                                     "NICE_NICEVCAT_OutRet_Ok"}));
}

TEST_F(NiceCancel, RefusalsSilenceAndACutReplyHandNothingBack) {
  Scenario("delay=0\ndelay=0\nresult=-5\nshort\n");
  const struct {
    const char *name;
    int months;
    const char *code, *text, *lastRow;
  } cases[] = {
      {"declined", 99, "8099", "할부개월 오류", "NICE_NICEVCAT_OutRet_Ok"},
      {"silent", 98, "-1", "취소 여부를 확인하세요", "NICE_NICEVCAT_OutRet_Err"},
      {"failed call", 0, "-1", "알수없는오류(통신,전문)!", "NICE_NICEVCAT_OutRet_Err"},
      {"cut reply", 0, "-1", "알수없는오류(통신,전문)!", "NICE_NICEVCAT_OutRet_Ok"},
  };
  for (const auto &c : cases) {
    dlg::Script s;
    EXPECT_FALSE(Cancel(c.months)) << c.name;
    EXPECT_EQ(giCardOk, 0) << c.name;
    EXPECT_EQ(gtCardRet.CmitNo, "12345678") << c.name;
    EXPECT_TRUE(gtCardRet.CardNo.isEmpty()) << c.name;
    ASSERT_EQ(s.Log().size(), 1) << c.name;
    EXPECT_EQ(s.Log()[0].title, "카드재승인요청");
    EXPECT_TRUE(s.Log()[0].text.contains(QString("ErrCode [ ") + c.code + " ] - ")) << c.name;
    EXPECT_TRUE(s.Log()[0].text.contains(c.text)) << c.name << s.Log()[0].text.toStdString();
    EXPECT_EQ(LogTexts().last(), c.lastRow) << c.name;
  }
}

}  // namespace
