// The daily code copy: the POS code tables become the main database's, all or nothing,
// customers with their totals at 0 (or left alone while the POS holds totals).
#include <gtest/gtest.h>

#include "../chit/chit_fixture.h"
#include "core/values.h"
#include "platform/dialogs.h"
#include "sync/basCC.h"
#include "sync/code_copy.h"
#include "sync/frmMsgReceive.h"

#include <QLabel>
#include <QProgressBar>

using chittest::ChitFixture;
using orv::sync::CopyCodesFromMain;
using orv::sync::CustomerCopy;

class CodeCopy : public ChitFixture {
 protected:
  void SetUp() override {
    ChitFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    gsSetPosDB = posText_;
    gsSetMainDB = mainText_;
    for (int k = 1; k <= 3; ++k)
      goDbMain.Execute(QString("Insert Into GdsCode(GcdKey, GcdNo, GcdName) Values(%1, %1, "
                               "'Kim''s %1')").arg(k));
    goDbMain.Execute(
        "Insert Into CstCode(CcdKey, CcdNo, CcdName, CcdTcnt, CcdZerdo, CcdJumsu, CcdLpdate) "
        "Values(7, 7, 'Hong', 4, 5000, 50, '20240301')");
    goDbPos.Execute("Insert Into GdsCode(GcdKey, GcdNo, GcdName) Values(99, 99, 'OLD')");
  }
  QString PosNames() {
    auto rs = goDbPos.OpenRecordset("Select GcdName From GdsCode Order By GcdKey");
    QStringList out;
    for (; !rs.Eof(); rs.MoveNext()) out << NzStr(rs.Field(0));
    return out.join(",");
  }
};

TEST_P(CodeCopy, EveryTableBecomesTheMainDatabasesWithCustomerTotalsAtZero) {
  std::vector<std::pair<int, QString>> steps;
  CopyCodesFromMain(CustomerCopy::Always, [&](int step, const QString &t) {
    steps.push_back({orv::sync::CodeCopyProgress(step), t});
  });
  EXPECT_EQ(PosNames(), "Kim's 1,Kim's 2,Kim's 3");
  auto rs = goDbPos.OpenRecordset("Select CcdName, CcdTcnt, CcdZerdo, CcdJumsu, CcdLpdate From CstCode");
  ASSERT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(NzStr(rs.Field(0)), "Hong");
  EXPECT_EQ(NzCur(rs.Field(1)).RoundToInt() + NzCur(rs.Field(2)).RoundToInt() +
                NzCur(rs.Field(3)).RoundToInt(),
            0);
  EXPECT_EQ(NzStr(rs.Field(4)), "20240301");
  ASSERT_EQ(steps.size(), 23u);
  EXPECT_EQ(steps[0], std::make_pair(4, QString("ComCode")));
  EXPECT_EQ(steps[2], std::make_pair(13, QString("OrvEnvironment")));
  EXPECT_EQ(steps[21], std::make_pair(95, QString("CstCode")));
  EXPECT_EQ(steps[22], std::make_pair(100, QString("TrsMast")));
  EXPECT_TRUE(orv::schema::ExistsTable(goDbPos, "TrsMast2403"));

  // While a POS customer holds totals, the bulk-copy way leaves the customers alone.
  goDbPos.Execute("Update CstCode Set CcdJumsu=3");
  goDbMain.Execute("Update GdsCode Set GcdName='new' Where GcdKey=1");
  CopyCodesFromMain(CustomerCopy::WhenNoPosTotals);
  EXPECT_EQ(PosNames(), "new,Kim's 2,Kim's 3");
  EXPECT_EQ(Count(goDbPos, "CstCode", "CcdJumsu=3"), 1);
}

TEST_P(CodeCopy, AFailureLeavesEveryPosTableAsItWasAndIsShownOnce) {
  goDbMain.Execute("Drop Table BsnCode");
  try {
    CopyCodesFromMain(CustomerCopy::Always);
    FAIL() << "the copy went through";
  } catch (const orv::db::DbError &e) {
    EXPECT_TRUE(e.Description.startsWith("BsnCode: ")) << e.Description.toStdString();
  }
  EXPECT_EQ(PosNames(), "OLD");
  EXPECT_EQ(goDbPos.TransLevel(), 0);

  orv::dialogs::Script script;
  EXPECT_FALSE(CopyCodesByBcp());
  ASSERT_EQ(script.Log().size(), 1);
  EXPECT_EQ(script.Log()[0].title, "전송오류!!");
  EXPECT_EQ(PosNames(), "OLD");
}

// A main database text that names the POS database itself (the login's and CC's guard
// compare texts only): the POS code tables stay as they are.
TEST_P(CodeCopy, AMainDatabaseThatIsThePosDatabaseLeavesItsTablesAlone) {
  gsSetMainDB = posText_;
  CopyCodesFromMain(CustomerCopy::Always);
  EXPECT_EQ(PosNames(), "OLD");
  EXPECT_EQ(goDbPos.TransLevel(), 0);
}

TEST_P(CodeCopy, TheReceiveDialogCopiesAndCloses) {
  orv::dialogs::Script script;
  QString last;
  int value = -1;
  script.OnForm("frmMsgReceive", [&](QWidget &w) {
    auto &form = static_cast<frmMsgReceive &>(w);
    EXPECT_EQ(form.DspTitleLbl->text(), "* 코드 데이타 불러 오는 중 *");
    form.ReceiveCodeTables();
    last = form.MsgTextLbl->text();
    value = form.ProgressBar1->value();
  });
  EXPECT_TRUE(ShowMsgReceive());
  EXPECT_EQ(last, "TrsMast");
  EXPECT_EQ(value, 100);
  EXPECT_EQ(PosNames(), "Kim's 1,Kim's 2,Kim's 3");
}

// The main database on either engine; the POS database is the program's SQLite or the
// same engine.
INSTANTIATE_TEST_SUITE_P(Setups, CodeCopy,
                         ::testing::Values(chittest::Setup{orv::db::Engine::SQLite, true},
                                           chittest::Setup{orv::db::Engine::PostgreSQL, true}),
                         chittest::SetupName);
