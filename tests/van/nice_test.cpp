// NICE: the reply split, the telegram, and the card dialog through the agent program.
#include <gtest/gtest.h>

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
#include "van/card_agent.h"
#include "van/card_log.h"
#include "van/card_state.h"
#include "van/frmCardChk.h"
#include "van/van_nice.h"
#include "van/van_wait.h"

namespace dlg = orv::dialogs;
using orv::Currency;

TEST(SplitNiceReply, StopsAtTheCountOrTheEndAndKeepsSeventeen) {
  const struct {
    QString reply;
    int16_t count;
    QString f1, f2, f3, f17, ret;
  } cases[] = {
      {"a|b|c|d", 2, "a", "b", "", "", ""},
      {"a|b|c|d", 3, "a", "b", "c", "", "c"},
      {"a||c|", 17, "a", "", "c", "", "c"},  // the end of the text comes first
      {"a|b", 17, "a", "", "", "", ""},
      {QString("f|").repeated(16) + "q|r|s|", 20, "f", "f", "f", "q", "f"},
  };
  for (const auto &c : cases) {
    gsNiceRet05 = "stale";
    EXPECT_EQ(SplitNiceReply(c.reply, "|", c.count), c.ret) << c.reply.toStdString();
    EXPECT_EQ(gsNiceRet01, c.f1) << c.reply.toStdString();
    EXPECT_EQ(gsNiceRet02, c.f2) << c.reply.toStdString();
    EXPECT_EQ(gsNiceRet03, c.f3) << c.reply.toStdString();
    EXPECT_EQ(gsNiceRet17, c.f17) << c.reply.toStdString();
    if (c.count < 5) {
      EXPECT_EQ(gsNiceRet05, "") << "cleared first";
    }
  }
}

TEST(NiceTelegram, FourteenFieldsEachEndedBySeparator) {
  const QString fs(QChar(0x1c));
  EXPECT_EQ(NiceApprovalTelegram("12000", "0", "00"),
            "0200" + fs + "10" + fs + "C" + fs + "12000" + fs + "0" + fs + "0" + fs + "00" + fs +
                fs + fs + fs + fs + fs + fs + "0" + fs);
}

namespace {

class NiceApproval : public vantest::CardDialogTest {
 protected:
  void SetUp() override {
    CardDialogTest::SetUp();
    giSetVan = 9;
    gsSetVanAgent = vantest::SimPath("orvvansim-nice");
    orv::van::Timeouts() = {2000, 600, 400, 400, 0};
    UseChildSim();
  }
  void Approve(int amount, const QString &months, const QString &card = {}) {
    gtCardRet.Gum = Currency::Won(amount);
    gtPanChit.PctHab = Currency::Won(amount);
    frmCardChk form;
    form.show();
    form.txtiCard->setText(card);
    form.txtiHalbu->setText(months);
    form.cmdiCommit_Click();
    closed_ = !form.isVisible();
  }
  QByteArray JournalBytes() {
    const QString line = child_->Journal().value(0);
    return QByteArray::fromHex(line.mid(line.lastIndexOf(" | ") + 3).toLatin1());
  }
};

}  // namespace

TEST_F(NiceApproval, ApprovesWithTheReplysFieldsAndTheTelegramOnStdin) {
  giPosCardTaxSelt = 0;
  Approve(12000, "3", "1234567890123456=2712");
  EXPECT_TRUE(closed_);
  EXPECT_EQ(giCardOk, 1);
  EXPECT_EQ(gtCardRet.CmitNo, "50000001");
  EXPECT_EQ(gtCardRet.CardNo, "****");
  EXPECT_EQ(gtCardRet.CardDate, "2712");
  EXPECT_EQ(gtCardRet.CardName, "시험카드");
  EXPECT_EQ(gtCardRet.MeipCode, "0012");
  EXPECT_EQ(gtCardRet.MeipName, "시험매입사");
  EXPECT_EQ(gtCardRet.GamyNo, "NICE001234");
  EXPECT_EQ(gtCardRet.CmitDate.size(), 6);
  EXPECT_EQ(gtCardRet.Halbu, 3);
  EXPECT_EQ(LogTexts(), (QStringList{"NICE_NICEVCAT : 00012000", "NICE_NICEVCAT_OutRet",
                                     "NICE_NICEVCAT_OutRet_Ok"}));
  EXPECT_EQ(JournalBytes(), QByteArray("0200\x1c" "10\x1c" "C\x1c" "12000\x1c" "0\x1c" "0\x1c" "03\x1c"
                                       "\x1c\x1c\x1c\x1c\x1c\x1c" "0\x1c"));
}

TEST_F(NiceApproval, EachFailureShowsItsCodeAndText) {
  const struct {
    const char *name, *scenario, *months;
    const char *text, *last;
  } cases[] = {
      {"declined", "", "99", "ErrCode [ 8099 ] - 할부개월 오류", "NICE_NICEVCAT_OutRet_Ok"},
      {"failed call", "result=0", "00", "ErrCode [ -1 ] - 알수없는오류(통신,전문)!", "NICE_NICEVCAT_OutRet_Err"},
      {"reply too long", "long", "00", "ErrCode [ -1 ] - 알수없는오류(통신,전문)!", "NICE_NICEVCAT_OutRet_Err"},
      {"not the code page", "garbage", "00", "ErrCode [ -1 ] - 알수없는오류", "NICE_NICEVCAT_OutRet_Err"},
      {"silence", "", "98", "ErrCode [ -1 ] - 응답이 없습니다", "NICE_NICEVCAT_OutRet_Err"},
      {"cut reply", "short", "00", "ErrCode [ -1 ] - 알수없는오류(통신,전문)!", "NICE_NICEVCAT_OutRet_Ok"},
  };
  for (const auto &c : cases) {
    goDbPos.Execute("Delete From CardLog");
    Scenario(c.scenario);
    qputenv("ORVVANSIM_STATE", dir_->filePath(QString("state-") + c.name).toUtf8());
    dlg::Script s;
    Approve(15000, c.months);
    EXPECT_FALSE(closed_) << c.name;
    EXPECT_EQ(giCardOk, 0) << c.name;
    EXPECT_TRUE(gtCardRet.CmitNo.isEmpty()) << c.name;
    ASSERT_EQ(s.Log().size(), 1) << c.name;
    EXPECT_EQ(s.Log()[0].title, "카드재승인요청") << c.name;
    EXPECT_TRUE(s.Log()[0].text.startsWith(QString("* 승인을 다시 하세요 !\r\n") + c.text))
        << c.name << ": " << s.Log()[0].text.toStdString();
    EXPECT_EQ(LogTexts().size(), 3) << c.name;
    EXPECT_EQ(LogTexts().last(), c.last) << c.name;
  }
}

TEST_F(NiceApproval, AMissingAgentEndsInTheErrorBoxWithOnlyTheRequestRow) {
  gsSetVanAgent = dir_->filePath("no-such-agent");
  dlg::Script s;
  Approve(15000, "00");
  EXPECT_FALSE(closed_);
  EXPECT_EQ(giCardOk, 0);
  ASSERT_EQ(s.Log().size(), 1);
  EXPECT_EQ(s.Log()[0].title, "승인실패");
  EXPECT_EQ(LogTexts(), QStringList{"NICE_NICEVCAT : 00015000"});
}
