// Re-sending a day: the POS copies of the day's chits are posted again through the saver,
// each record cleared per chit, the work date kept, a chit too long for the saver refused.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDateEdit>
#include <QProgressBar>
#include <QPushButton>

#include "../chit/chit_fixture.h"
#include "../chit/sale_fill.h"
#include "platform/dialogs.h"
#include "sync/frmDataRebuild.h"
#include "sync/resend_day.h"

using chittest::ChitFixture;

class ResendDay : public ChitFixture {
 protected:
  void SetUp() override {
    ChitFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    gsSetPosDB = posText_;
    gsSetMainDB = mainText_;
    giOnLine = 1;
    chittest::SetOption("PosChitNoSeq", 1);
    goDbMain.Execute(
        "Insert Into CstCode(CcdKey, CcdNo, CcdName, CcdTcnt, CcdCnt, CcdTzerdo, CcdZerdo, "
        "CcdTjumsu, CcdJumsu) Values(77, 77, 'Hong', 0, 0, 0, 0, 0, 0)");
  }
  // A POS copy of a sale: header, lines and a list row.
  void Copy(int no, int lines, int cst = 0, const QString &date = "20240315") {
    const QString d = "2024,3," + QString::number(date.right(2).toInt()) + ",'" + date + "'";
    goDbPos.Execute("Insert Into PanChitT2403(PctYear,PctMon,PctDay,PctDate,PctChtNo,PctPosNo,"
                    "PctPsnKey,PctCstKey,PctMoney,PctCmitNo,PctJunsong) Values(" + d + "," +
                    QString::number(no) + ",3,5," + QString::number(cst) + ",1500,'C" +
                    QString::number(no) + "',0)");
    for (int i = 1; i <= lines; ++i)
      goDbPos.Execute("Insert Into PanGodsT2403(PcgYear,PcgMon,PcgDay,PcgDate,PcgChtNo,PcgSeqNo,"
                      "PcgGdsKey,PcgJunsong) Values(" + d + "," + QString::number(no) + "," +
                      QString::number(i) + "," + QString::number(1000 + i) + ",0)");
    goDbPos.Execute("Insert Into PanListT2403(PclYear,PclMon,PclDay,PclDate,PclChtNo,PclPosNo,"
                    "PclPsnKey,PclSel,PclGum01,PclGum02) Values(" + d + "," + QString::number(no) +
                    ",3,5,0,1000,10)");
  }
  QString Totals() {
    auto rs = goDbMain.OpenRecordset(
        "Select CcdTcnt, CcdCnt, CcdTzerdo, CcdZerdo, CcdTjumsu, CcdJumsu From CstCode Where CcdKey=77");
    QStringList out;
    for (int i = 0; i < 6; ++i) out << NzCur(rs.Field(i)).ToPlainText();
    return out.join(",");
  }
};

TEST_P(ResendDay, TheDaysChitsArePostedAgainWithTheirCustomers) {
  Copy(4, 2, 77);
  Copy(5, 3);
  Copy(6, 1, 77);
  Copy(7, 1, 0, "20240314");  // another day
  // Left behind by the sale screen: a customer and a card of another sale, another date.
  gtCstCode.CcdKey = orv::Currency::Won(77);
  gtCstCode.CcdTcnt = orv::Currency::Won(500);
  giWrkDay = 10;

  std::vector<int> shown;
  auto out = orv::sync::ResendDayData(QDate(2024, 3, 15), true, [&](int v) { shown.push_back(v); });
  EXPECT_TRUE(out.failure.isEmpty()) << out.failure.toStdString();
  EXPECT_EQ(out.posted, 3);
  EXPECT_EQ(shown, (std::vector<int>{33, 67, 100}));
  EXPECT_EQ(Count(goDbMain, "PanChit2403", "PctJunsong=1"), 3);
  EXPECT_EQ(Count(goDbMain, "PanChit2403", "PctCmitNo='C7'"), 0);
  EXPECT_EQ(Count(goDbMain, "PanGods2403", "PcgJunsong=1"), 6);
  EXPECT_EQ(Count(goDbMain, "PanList2403"), 3);
  EXPECT_EQ(Totals(), "2,2,2000,2000,20,20") << "one visit per chit of the customer, nothing stale";
  EXPECT_EQ(Count(goDbPos, "PanChitT2403", "PctJunsong=0"), 4) << "the copies stay as they were";
  EXPECT_EQ(giWrkDay, 10);

  // Again without customers: posted twice more, the totals alone.
  out = orv::sync::ResendDayData(QDate(2024, 3, 15), false);
  EXPECT_EQ(Count(goDbMain, "PanChit2403"), 6);
  EXPECT_EQ(Totals(), "2,2,2000,2000,20,20");
}

TEST_P(ResendDay, RefusalsAndFailuresLeaveTheRestUntouched) {
  Copy(4, 1);
  Copy(5, 151);  // more than the saver holds
  Copy(6, 1);
  giWrkDay = 10;
  frmDataRebuild form;
  form.dtpFromDate->setDate(QDate(2024, 3, 15));
  orv::dialogs::Script script;
  script.Yes();
  form.cmdOK->click();
  ASSERT_EQ(script.Log().size(), 2);
  EXPECT_EQ(script.Log()[1].title, QStringLiteral("데이타전송 실패"));
  EXPECT_TRUE(script.Log()[1].text.contains("20240315-5")) << script.Log()[1].text.toStdString();
  EXPECT_EQ(Count(goDbMain, "PanChit2403"), 1) << "the chit before it stays posted";
  EXPECT_EQ(Count(goDbMain, "PanGods2403"), 1);
  EXPECT_EQ(goDbMain.TransLevel(), 0);
  EXPECT_EQ(giWrkDay, 10);
  EXPECT_TRUE(form.cmdOK->isEnabled());
  EXPECT_EQ(form.Prs->value(), 33);

  // A month without copies: nothing, no box.
  EXPECT_TRUE(orv::sync::ResendDayData(QDate(2023, 1, 5), false).failure.isEmpty());
  // Offline the day would be posted into the POS database's own tables.
  goDbMain.Open(posText_);
  giOnLine = 2;
  const auto out = orv::sync::ResendDayData(QDate(2024, 3, 15), false);
  EXPECT_EQ(out.failure, QStringLiteral("온라인에서만 재전송할 수 있습니다"));
  EXPECT_EQ(Count(goDbPos, "PanChit2403"), 0);
}

INSTANTIATE_TEST_SUITE_P(Setups, ResendDay,
                         ::testing::Values(chittest::Setup{orv::db::Engine::SQLite, true},
                                           chittest::Setup{orv::db::Engine::PostgreSQL, true}),
                         chittest::SetupName);
