#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include "core/options.h"
#include "lookup/DirectGoFrm.h"
#include "lookup/GdsHelpFrm.h"
#include "lookup/help_forms.h"
#include "lookup_fixture.h"
#include "platform/dialogs.h"
#include "platform/list_grid.h"

using namespace orv;
using namespace orv::lookup;
using dialogs::Script;

namespace {

class GdsHelpTest : public lookuptest::LookupDb {
 protected:
  void Demo() {
    Partner(9, 88000, "상회", 1);
    Goods(1, 1000000000, "식품", {});
    Goods(2, 1001000000 + 0, "라면류", {});
    Goods(3, 1001010001, "신라면", "8801043014809", "120g");
    Goods(4, 1001010002, "O'Neil 라면", "8801043000000", "");
    Goods(5, 1001010003, "50% 할인 라면", {}, "5입");
    Goods(6, 1002010001, "Box 라면", "8801043999999", "");
    Goods(7, 123, "짧은번호", "1234", "");
    Exec("INSERT INTO BoxCode (BoxNo, BoxNo2) VALUES (6, 1), (6, 2)");
    Exec("INSERT INTO TrsPris (TpsTrsKey, TpsGdsKey, TpsMech1) VALUES (9, 3, 950)");
    Exec("INSERT INTO TrsPris (TpsTrsKey, TpsGdsKey, TpsMech1) VALUES (8, 4, 900)");
    Exec("INSERT INTO TrsGods (TgoIO, TgoTrsKey, TgoGdsKey, TgoSelt) VALUES (2, 9, 4, 1)");
    Exec("INSERT INTO GdsLmch (LmcKey, LmcTrsKey, LmcDate, LmcDanga) VALUES (5, 9, '20240110', 880)");
  }
  QStringList Names(const GdsQueryState &s) {
    PagedQuery q = BuildGdsSql(goDbMain.dialect(), s);
    q.pageSize = 0;
    QVariantList args;
    auto rs = QueryBound(goDbMain, PageSql(goDbMain.engine(), q, {}, args), args);
    QStringList out;
    for (; !rs.Eof(); rs.MoveNext()) out << rs.Field("GcdName").toString();
    return out;
  }
};

TEST_P(GdsHelpTest, QueryRowSets) {
  if (IsSkipped()) return;
  Demo();
  GdsQueryState s;
  s.TrsKey = *Currency::FromWhole(9);
  s.SortMode = 0;
  // The panel's defaults: numbers of eight digits and more; the box twice (two BoxCode rows).
  EXPECT_EQ(Names(s), (QStringList{"식품", "라면류", "신라면", "O'Neil 라면", "50% 할인 라면",
                                    "Box 라면", "Box 라면"}));
  s.Cond.GdsSeltChk = true;
  EXPECT_EQ(Names(s), (QStringList{"식품", "라면류"}));
  s.Cond = {};
  s.Cond.SetGno1 = 100;
  s.Cond.SetGno2 = 100;
  s.Cond.SetGname = QString::fromUtf8("라면");
  s.Cond.SetGname1 = "box";
  EXPECT_EQ(Names(s), (QStringList{"Box 라면", "Box 라면"}));
  s.Cond = {};
  s.StartText = "o'neil";  // bound: a quote is only a character
  EXPECT_EQ(Names(s), QStringList{"O'Neil 라면"});
  s.StartText = "50%";  // "%" matches itself
  EXPECT_EQ(Names(s), QStringList{"50% 할인 라면"});
  s.StartText = "~0430~";
  EXPECT_EQ(Names(s), (QStringList{"신라면", "O'Neil 라면"}));
  s.OptStBar = true;
  s.StartText = "~1234~";
  EXPECT_EQ(Names(s), QStringList{"짧은번호"});
  s.OptStBar = false;
  s.OptStName = true;
  s.StartText = QString::fromUtf8("라면");
  EXPECT_EQ(Names(s), QStringList{"라면류"});
  s.OptStName = false;
  s.OptMulti = true;
  s.StartText = QString::fromUtf8("라면  box");
  EXPECT_EQ(Names(s), (QStringList{"Box 라면", "Box 라면"}));
  s.OptMulti = false;
  s.StartText.clear();
  s.OptDelt = true;
  Exec("UPDATE GdsCode SET GcdPsel1 = 1 WHERE GcdKey = 3");
  EXPECT_FALSE(Names(s).contains(QString::fromUtf8("신라면")));
  // The name order folds case: "Box" and "O'Neil" sort among the Latin names, before Hangul.
  s.OptDelt = false;
  s.SortMode = 1;
  s.StartText = QString::fromUtf8("라면");
  EXPECT_EQ(Names(s), (QStringList{"50% 할인 라면", "Box 라면", "Box 라면", "O'Neil 라면", "라면류",
                                    "신라면"}));
  s.SortMode = 3;  // last sale first, never-sold after
  EXPECT_EQ(Names(s).first(), QString::fromUtf8("50% 할인 라면"));
}

TEST(GdsHelpCell, ColoursInTheirOrder) {
  // Fields as the statement gives them.
  auto row = [](qlonglong no, const QString &bar, int tax, int ztax, int psel, int boxNo2,
                QVariant mech1, QVariant mcSelt) {
    ListFields f(31);
    f[0] = 1;
    f[1] = no;
    f[2] = "name";
    f[5] = bar;
    f[7] = psel;
    f[8] = tax;
    f[9] = ztax;
    f[17] = boxNo2 ? QVariant(boxNo2) : QVariant();
    f[27] = mech1;
    f[30] = mcSelt;
    return f;
  };
  // A group row: purple on grey.
  ListCell c = GdsHelpCell(row(1000000000, "", 0, 0, 0, 0, {}, {}), 4, 2);
  EXPECT_EQ(c.fore, 0xC000C0);
  EXPECT_EQ(c.back, 0xB0B0B0);
  c = GdsHelpCell(row(1001000000, "", 0, 0, 0, 0, {}, {}), 4, 2);
  EXPECT_EQ(c.fore, 0xC00000);
  // Tax-free: 면세 and a teal number; zero-rated 영세.
  EXPECT_EQ(GdsHelpCell(row(1001010001, "", 1, 0, 0, 0, {}, {}), 11, 2).text, "면세");
  EXPECT_EQ(GdsHelpCell(row(1001010001, "", 1, 1, 0, 0, {}, {}), 11, 2).text, "영세");
  EXPECT_EQ(GdsHelpCell(row(1001010001, "", 1, 0, 0, 0, {}, {}), 1, 2).fore, 0x808000);
  // Barcodes: a wrong check digit red, a 13-digit one ending in 000000 teal.
  EXPECT_EQ(GdsHelpCell(row(1001010001, "12345678", 0, 0, 0, 0, {}, {}), 5, 2).fore, 0x0000FF);
  EXPECT_EQ(GdsHelpCell(row(1001010001, "8801043000001", 0, 0, 0, 0, {}, {}), 5, 2).fore, 0x0000FF);
  EXPECT_EQ(GdsHelpCell(row(1001010001, "1234567000000", 0, 0, 0, 0, {}, {}), 5, 2).fore, 0x808000);
  // Partner marks on the name: P magenta, G orange-brown, both purple.
  EXPECT_EQ(GdsHelpCell(row(1001010001, "", 0, 0, 0, 0, 100, {}), 3, 2).fore, 0xFF00FF);
  EXPECT_EQ(GdsHelpCell(row(1001010001, "", 0, 0, 0, 0, {}, 1), 3, 2).fore, 0x0040C0);
  EXPECT_EQ(GdsHelpCell(row(1001010001, "", 0, 0, 0, 0, 100, 1), 3, 2).fore, 0xC000C0);
  EXPECT_EQ(GdsHelpCell(row(1001010001, "", 0, 0, 0, 0, 100, 1), 12, 2).text, "*");
  // No side: no marks, eight blanks for the date.
  EXPECT_EQ(GdsHelpCell(row(1001010001, "", 0, 0, 0, 0, 100, 1), 12, 0).text, "");
  EXPECT_EQ(GdsHelpCell(row(1001010001, "", 0, 0, 0, 0, {}, {}), 14, 0).text, QString(8, ' '));
  // Discontinued wins over the marks; a box's number on silver.
  EXPECT_EQ(GdsHelpCell(row(1001010001, "", 0, 0, 1, 0, 100, 1), 3, 2).fore, 0xC0C0FF);
  EXPECT_EQ(GdsHelpCell(row(1001010001, "", 0, 0, 0, 3, {}, {}), 1, 2).back, 0xC0C0C0);
  EXPECT_EQ(GdsHelpCell(row(12345, "", 0, 0, 0, 0, {}, {}), 1, 2).text, "0000012345");
}

TEST_P(GdsHelpTest, ACodeWithOneRowIsTakenAtOnce) {
  if (IsSkipped()) return;
  Demo();
  Script s;
  s.OnForm("GdsHelpFrm", [](QWidget &w) {
    QCoreApplication::processEvents();
    EXPECT_FALSE(w.isVisible());
  });
  gsHelpStart = "~8801043014809~";
  giHelpSubMode = 2;
  gcHelpTrsKey = *Currency::FromWhole(9);
  EXPECT_TRUE(OpenHelp(MakeGdsHelpFrm));
  EXPECT_EQ(giHelpRet, 1);
  EXPECT_EQ(gsHelpGdsBar, "8801043014809");
  EXPECT_EQ(gcHelpNo, *Currency::FromWhole(1001010001));
  EXPECT_EQ(giHelpNo1, 100);
  EXPECT_EQ(giHelpNo2, 101);
  EXPECT_EQ(giHelpNo3, 1);
}

TEST_P(GdsHelpTest, ListMovesMarksAndTakes) {
  if (IsSkipped()) return;
  Demo();
  SetEnvironment(gsLogID, "GdsHelpOrder", 5);  // read as 0: the name order
  gsHelpStart = "~80~";
  giHelpSubMode = 2;
  gcHelpTrsKey = *Currency::FromWhole(9);
  GdsHelpFrm f;
  EXPECT_TRUE(f.GdsHelp2Opt->isChecked());
  ASSERT_EQ(f.vaSpread1->MaxRows(), 4);
  f.show();
  QCoreApplication::processEvents();
  EXPECT_TRUE(f.isVisible());  // not digits only between the tildes? "80" is: but 4 rows
  // The first marked row (신라면 has a price of the partner) took the cursor.
  EXPECT_EQ(f.vaSpread1->CellValue(f.vaSpread1->ActiveRow(), 3), "O'Neil 라면");
  f.GdsHomeCmd->click();
  EXPECT_EQ(f.vaSpread1->ActiveRow(), 1);
  f.GdsPgdnCmd->click();
  EXPECT_EQ(f.vaSpread1->ActiveRow(), 4);
  f.GdsPgupCmd->click();
  EXPECT_EQ(f.vaSpread1->ActiveRow(), 1);
  f.GdsStartTxt->setText("8801043");
  QTest::keyClick(f.GdsStartTxt, Qt::Key_Return);
  EXPECT_EQ(f.vaSpread1->ActiveRow(), 2);
  // Group marks: every goods row of the same six digits, none of the group rows.
  f.MarkGroupRows(0);
  int marked = 0;
  for (int r = 1; r <= 4; ++r) marked += f.vaSpread1->Checked(r);
  EXPECT_EQ(marked, 2);  // the two Box rows are 100201..., the others 100101...
  f.ClearMarks();
  f.MarkAll();
  for (int r = 1; r <= 4; ++r) EXPECT_TRUE(f.vaSpread1->Checked(r));
  // Number order in place.
  f.GdsHelp1Opt->setChecked(true);
  EXPECT_EQ(f.vaSpread1->CellValue(1, 1), "1001010001");
  EXPECT_EQ(GetEnvInt(gsLogID, "GdsHelpOrder"), 1);
  f.vaSpread1->SetActiveCell(1, 1);
  QTest::keyClick(f.vaSpread1->view(), Qt::Key_Return);
  EXPECT_EQ(giHelpRet, 1);
  EXPECT_EQ(gsHelpGdsBar, "8801043014809");
}

TEST_P(GdsHelpTest, DesignatedOnlyViewAndEmptyStart) {
  if (IsSkipped()) return;
  Demo();
  gsHelpStart = QString::fromUtf8("라면");
  giHelpSubMode = 12;
  gcHelpTrsKey = *Currency::FromWhole(9);
  {
    GdsHelpFrm f;
    EXPECT_TRUE(f.DesignatedView());
    int shown = 0;
    for (int r = 1; r <= f.vaSpread1->MaxRows(); ++r) shown += !f.vaSpread1->RowHidden(r);
    EXPECT_EQ(shown, 2);  // 신라면 (P) and O'Neil (G); the last price alone does not keep a row
    f.CancelAction();
  }
  // Without a start text the panel opens at the first activation; a take of nothing is no pick.
  gsHelpStart.clear();
  giHelpSubMode = 2;
  GdsHelpFrm g;
  g.show();
  QCoreApplication::processEvents();
  EXPECT_TRUE(g.GdsSetFme->isVisible());
  g.TakeAction();
  EXPECT_TRUE(g.isVisible());
  g.GdsSetGnameTxt->setText("box");
  QTest::keyClick(g.GdsSetGnameTxt, Qt::Key_PageDown);
  EXPECT_FALSE(g.GdsSetFme->isVisible());
  EXPECT_EQ(g.vaSpread1->MaxRows(), 2);
  g.close();
  EXPECT_EQ(giHelpRet, 0);
}

INSTANTIATE_TEST_SUITE_P(Engines, GdsHelpTest, ORV_BOTH_ENGINES);

}  // namespace

namespace {

TEST_P(GdsHelpTest, TradeGoodsMarkAndJump) {
  if (IsSkipped()) return;
  Demo();
  gsHelpStart = QString::fromUtf8("라면");
  giHelpSubMode = 2;
  gcHelpTrsKey = *Currency::FromWhole(9);
  GdsHelpFrm f;
  f.show();
  EXPECT_TRUE(f.TgoSeltCmd->isEnabled());
  // Name order: 50%, Box, Box, O'Neil, 라면류, 신라면. Mark 신라면 (it has the P mark): purple.
  int row = 0;
  for (int r = 1; r <= f.vaSpread1->MaxRows(); ++r)
    if (f.vaSpread1->CellValue(r, 3) == QString::fromUtf8("신라면")) row = r;
  ASSERT_GT(row, 0);
  f.vaSpread1->SetActiveCell(1, row);
  QTest::keyClick(f.vaSpread1->view(), Qt::Key_F9);
  EXPECT_EQ(f.vaSpread1->CellValue(row, 13), "*");
  EXPECT_EQ(f.vaSpread1->Cell(row, 3).fore, 0xC000C0);
  EXPECT_EQ(Count("SELECT 1 FROM TrsGods WHERE TgoIO = 2 AND TgoTrsKey = 9 AND TgoGdsKey = 3"), 1);
  QTest::keyClick(f.vaSpread1->view(), Qt::Key_F9);
  EXPECT_EQ(f.vaSpread1->CellValue(row, 13), "");
  EXPECT_EQ(f.vaSpread1->Cell(row, 3).fore, 0xFF00FF);
  EXPECT_EQ(Count("SELECT 1 FROM TrsGods WHERE TgoGdsKey = 3"), 0);
  // A write that fails puts the mark back and says why.
  goDbMain.Execute("DROP TABLE TrsGods");
  {
    Script s;
    s.StrictOk().Ok();
    QTest::keyClick(f.vaSpread1->view(), Qt::Key_F9);
    EXPECT_EQ(s.Texts().size(), 1);
  }
  EXPECT_EQ(f.vaSpread1->CellValue(row, 13), "");
  EXPECT_EQ(f.vaSpread1->Cell(row, 3).fore, 0xFF00FF);
  // The jump stops on the first name at or after the text in the list's order.
  Script s;
  s.OnForm("DirectGoFrm", [](QWidget &w) {
    auto &d = static_cast<DirectGoFrm &>(w);
    d.InputTxt->setText("o");
    d.Command1->click();
  });
  QTest::keyClick(f.vaSpread1->view(), Qt::Key_Slash);
  EXPECT_EQ(f.vaSpread1->CellValue(f.vaSpread1->ActiveRow(), 3), "O'Neil 라면");
  EXPECT_EQ(giHelpRet, 0);
}


}  // namespace
