#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include "core/options.h"
#include "lookup/CstHelpFrm.h"
#include "lookup/DirectGoFrm.h"
#include "lookup/TrsHelpFrm.h"
#include "lookup/help_forms.h"
#include "lookup_fixture.h"
#include "platform/dialogs.h"
#include "platform/list_grid.h"

using namespace orv;
using namespace orv::lookup;
using dialogs::Script;

namespace {

class TrsHelpTest : public lookuptest::LookupDb {
 protected:
  void Demo() {
    Exec("INSERT INTO PsnCode (PcdKey, PcdNo, PcdName) VALUES (5, 55, '김담당')");
    Partner(1, 12, "상회", 0, "Kim", 1, 5);
    Partner(2, 88000, "가나상사", 1, "Lee", 5);
    Partner(3, 1234567, "bob's mart", 1, "O'Neil", 7);
    Partner(4, 40, "Apple", 1, "", 8);
    Partner(5, 50, "없음", 2);
    Exec("UPDATE TrsCode SET TcdTele1 = '02-123 4567', TcdDegree = 99 WHERE TcdKey = 1");
  }
  static QStringList Names(ListGrid *g) {
    QStringList out;
    for (int r = 1; r <= g->MaxRows(); ++r) out << g->CellValue(r, 2);
    return out;
  }
  QStringList Query(const TrsQueryState &s) {
    PagedReader r(goDbMain, BuildTrsSql(goDbMain.dialect(), s), [&](QVector<ListFields>) {});
    QStringList out;
    PagedQuery q = BuildTrsSql(goDbMain.dialect(), s);
    q.pageSize = 0;
    QVariantList args;
    auto rs = QueryBound(goDbMain, PageSql(goDbMain.engine(), q, {}, args), args);
    for (; !rs.Eof(); rs.MoveNext()) out << rs.Field("TcdName").toString();
    return out;
  }
};

TEST_P(TrsHelpTest, StatementRows) {
  if (IsSkipped()) return;
  Demo();
  TrsQueryState s;
  EXPECT_EQ(Query(s), (QStringList{"Apple", "bob's mart", "가나상사", "상회"}));
  s.filterMode = 1;
  EXPECT_EQ(Query(s), QStringList{"상회"});
  s.filterMode = 2;
  s.normalOnly = true;
  EXPECT_EQ(Query(s), (QStringList{"Apple", "bob's mart", "가나상사"}));
  s = {};
  s.filterText = "o'neil";  // a quote is a plain value; case folded
  EXPECT_EQ(Query(s), QStringList{"bob's mart"});
  s.filterText = "1234567";  // telephone with its blank removed
  EXPECT_EQ(Query(s), QStringList{"상회"});
  s.filterText = "%";
  EXPECT_EQ(Query(s), QStringList{});
  s.filterText = ";";  // the staff restriction of a marker key
  s.markerKey = *Currency::FromWhole(5);
  EXPECT_EQ(Query(s), QStringList{"상회"});
  s.sortMode = 0;
  s.markerKey = {};
  EXPECT_EQ(Query(s), (QStringList{"상회", "Apple", "가나상사", "bob's mart"}));
}

TEST_P(TrsHelpTest, OpensTakesAndReturnsTheWholeNumber) {
  if (IsSkipped()) return;
  Demo();
  SetEnvironment(gsLogID, "TrsHelpOrder", 5);  // read as 0: name order
  giHelpSubMode = 2;
  gsHelpStart.clear();
  TrsHelpFrm f;
  EXPECT_TRUE(f.SortOpts[1]->isChecked());
  EXPECT_TRUE(f.FilterOpts[2]->isChecked());
  EXPECT_EQ(Names(f.vaSpread1), (QStringList{"Apple", "bob's mart", "가나상사"}));
  EXPECT_EQ(f.vaSpread1->CellValue(2, 1), "1234567");  // never cut to six digits
  EXPECT_EQ(f.vaSpread1->CellValue(1, 9), "");
  f.show();
  f.vaSpread1->SetActiveCell(1, 2);
  f.vaSpread1->setFocus();
  QTest::keyClick(f.vaSpread1->view(), Qt::Key_Return);
  EXPECT_EQ(giHelpRet, 1);
  EXPECT_EQ(gcHelpNo, *Currency::FromWhole(1234567));
  EXPECT_EQ(gcHelpKey, *Currency::FromWhole(3));
  EXPECT_EQ(giHelpNo2, 123);
  EXPECT_EQ(giHelpNo3, 4567);
  EXPECT_EQ(gsHelpTrsPrice, "소매#A");
  EXPECT_FALSE(f.isVisible());
}

TEST_P(TrsHelpTest, PurchaseRowsKeysSortAndJumpInTheListsOrder) {
  if (IsSkipped()) return;
  Demo();
  giHelpSubMode = 0;
  TrsHelpFrm f;
  f.show();
  ASSERT_EQ(f.vaSpread1->MaxRows(), 4);
  EXPECT_EQ(f.vaSpread1->CellValue(4, 1), "000012~");
  EXPECT_EQ(f.vaSpread1->Cell(4, 3).back, 0xC0FFC0);
  EXPECT_EQ(f.vaSpread1->Cell(4, 3).fore, 0xC0C0FF);  // grade 99
  // The jump compares in the list's order: "b" stops on "bob's mart", not on a Hangul name.
  Script s;
  s.OnForm("DirectGoFrm", [](QWidget &w) {
    auto &d = static_cast<DirectGoFrm &>(w);
    d.InputTxt->setText("B");
    d.Command1->click();
  });
  QTest::keyClick(f.vaSpread1->view(), Qt::Key_Slash);
  EXPECT_EQ(f.vaSpread1->ActiveRow(), 2);
  // F2 toggles to the number order and sorts in place; F3 moves the filter on.
  QTest::keyClick(f.vaSpread1->view(), Qt::Key_F2);
  EXPECT_TRUE(f.SortOpts[0]->isChecked());
  EXPECT_EQ(f.vaSpread1->CellValue(1, 1), "000012~");
  EXPECT_EQ(GetEnvInt(gsLogID, "TrsHelpOrder"), 1);
  QTest::keyClick(f.vaSpread1->view(), Qt::Key_F3);
  EXPECT_EQ(f.FilterMode(), 1);
  EXPECT_EQ(Names(f.vaSpread1), QStringList{"상회"});
  // Seek by start text walks down, exact case.
  QTest::keyClick(f.vaSpread1->view(), Qt::Key_F4);  // show all (purchase)
  f.FilterOpts[0]->setChecked(true);
  f.vaSpread1->SetActiveCell(1, 1);
  f.StartTxt->setText("mart");
  QTest::keyClick(f.StartTxt, Qt::Key_Return);
  EXPECT_EQ(f.vaSpread1->CellValue(f.vaSpread1->ActiveRow(), 2), "bob's mart");
  f.StartTxt->setText("MART");
  const int at = f.vaSpread1->ActiveRow();
  QTest::keyClick(f.StartTxt, Qt::Key_Return);
  EXPECT_EQ(f.vaSpread1->ActiveRow(), at);
  QTest::keyClick(f.StartTxt, Qt::Key_Escape);
  EXPECT_EQ(giHelpRet, 0);
}

TEST_P(TrsHelpTest, ClosingWaysGuardAndWidths) {
  if (IsSkipped()) return;
  Demo();
  {
  Script s;
  // The close box after a confirmed condition search still returns 0.
  s.OnForm("DirectGoFrm", [](QWidget &w) {
    auto &d = static_cast<DirectGoFrm &>(w);
    d.InputTxt->setText("상");
    d.Command1->click();
  });
  s.OnForm("TrsHelpFrm", [](QWidget &w) {
    auto &f = static_cast<TrsHelpFrm &>(w);
    QCoreApplication::processEvents();  // activation: the direct-go start
    EXPECT_EQ(f.vaSpread1->MaxRows(), 2);
    f.vaSpread1->SetColWidth(2, 30);
    f.close();
  });
  gsHelpStart = QString::fromUtf8("*{바로가기}*");
  EXPECT_TRUE(OpenHelp(MakeTrsHelpFrm));
  EXPECT_EQ(giHelpRet, 0);
  EXPECT_EQ(giHelpOpen, 0);
  }
  // Widths came back; a stale guard at activation closes at once.
  Script s;
  s.OnForm("TrsHelpFrm", [](QWidget &w) {
    auto &f = static_cast<TrsHelpFrm &>(w);
    EXPECT_DOUBLE_EQ(f.vaSpread1->ColWidth(2), 30);
    giHelpOpen = 1;
    QCoreApplication::processEvents();
    EXPECT_FALSE(f.isVisible());
  });
  gsHelpStart.clear();
  OpenHelp(MakeTrsHelpFrm);
  EXPECT_EQ(giHelpOpen, 0);
  EXPECT_EQ(giHelpRet, 0);
}

TEST_P(TrsHelpTest, FailedFirstQueryIsAFailedShowAndLaterFailuresAreShown) {
  if (IsSkipped()) return;
  Demo();
  Script s;
  s.StrictOk().Ok().Ok();
  gsHelpStart.clear();
  {
    TrsHelpFrm f;
    goDbMain.Execute("ALTER TABLE PsnCode RENAME TO PsnGone");
    QTest::keyClick(f.vaSpread1->view(), Qt::Key_F4);  // show all fails: shown, still open
    EXPECT_EQ(s.Texts().size(), 1);
    EXPECT_FALSE(f.result());
  }
  EXPECT_FALSE(OpenHelp(MakeTrsHelpFrm));
  EXPECT_EQ(giHelpRet, 0);
  EXPECT_EQ(giHelpOpen, 0);
  EXPECT_EQ(s.Texts().size(), 2);
}

INSTANTIATE_TEST_SUITE_P(Engines, TrsHelpTest, ORV_BOTH_ENGINES);

TEST(CstPhoneSearch, StartTexts) {
  EXPECT_EQ(CstPhoneSearch("*{+010-12"), (std::pair<int, QString>{1, "010-12"}));
  EXPECT_EQ(CstPhoneSearch("*{-5678"), (std::pair<int, QString>{2, "5678"}));
  EXPECT_EQ(CstPhoneSearch("*{+  ").first, 0);
  EXPECT_EQ(CstPhoneSearch("홍").first, 0);
}

class CstHelpTest : public lookuptest::LookupDb {
 protected:
  void Demo() {
    Customer("CstCode", 1, 101, "홍길동", "2000000000017", "010-1234-5678", "02-555-1234");
    Customer("CstCode", 2, 102, "김 철수", "", "010-9999-5678");
    Customer("CstCode", 3, 0, "영번", "", "");
    Customer("CstCode", 4, 11, "Ann", "", "");
  }
};

TEST_P(CstHelpTest, PhoneSearchIgnoresDashesInTheTypedNumber) {
  if (IsSkipped()) return;
  Demo();
  gsHelpStart = "*{+010-12";
  CstHelpFrm f;
  ASSERT_EQ(f.vaSpread1->MaxRows(), 1);
  EXPECT_EQ(f.vaSpread1->CellValue(1, 3), "홍길동");
  f.ShowAll();  // the phone search belonged to the first query
  EXPECT_EQ(f.vaSpread1->MaxRows(), 4);
  gsHelpStart = "*{-5678";
  CstHelpFrm g;
  EXPECT_EQ(g.vaSpread1->MaxRows(), 2);
  gsHelpStart = QString::fromUtf8("김철수");  // blanks ignored
  CstHelpFrm h;
  ASSERT_EQ(h.vaSpread1->MaxRows(), 1);
  EXPECT_EQ(h.vaSpread1->CellValue(1, 3), "김 철수");
}

TEST_P(CstHelpTest, UnfilledStartTakeRefusalsAndBarcode) {
  if (IsSkipped()) return;
  Demo();
  Script s;
  s.OnForm("DirectGoFrm", [](QWidget &w) { static_cast<DirectGoFrm &>(w).Command2->click(); });
  gsHelpStart.clear();
  CstHelpFrm f;  // CstHelpStartList not set: unfilled, condition search at activation
  f.show();
  QCoreApplication::processEvents();
  EXPECT_EQ(f.vaSpread1->MaxRows(), 0);
  f.TakeAction();
  EXPECT_TRUE(f.isVisible());
  f.StartChk->setChecked(true);
  f.ShowAll();
  EXPECT_EQ(f.vaSpread1->MaxRows(), 4);
  EXPECT_EQ(f.vaSpread1->CellValue(1, 3), "Ann");  // name order by default
  const int zero = [&] {
    for (int r = 1; r <= 4; ++r)
      if (f.vaSpread1->CellValue(r, 3) == QString::fromUtf8("영번")) return r;
    return 0;
  }();
  f.vaSpread1->SetActiveCell(1, zero);
  f.TakeAction();  // number 0 cannot be taken
  EXPECT_TRUE(f.isVisible());
  f.vaSpread1->SetActiveCell(1, 4);
  f.TakeAction();
  EXPECT_EQ(giHelpRet, 1);
  EXPECT_EQ(gsHelpCstName, "2000000000017");
  EXPECT_EQ(gcHelpNo, *Currency::FromWhole(101));
  EXPECT_EQ(GetEnvInt(gsLogID, "CstHelpStartList"), 1);
  gsHelpStart.clear();
  CstHelpFrm g;  // now listed at load
  EXPECT_EQ(g.vaSpread1->MaxRows(), 4);
}

INSTANTIATE_TEST_SUITE_P(Engines, CstHelpTest, ORV_BOTH_ENGINES);

}  // namespace
