// The goods dialog's condition panel, selected goods and grid keys.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include "core/options.h"
#include "lookup/DirectGoFrm.h"
#include "lookup/ExtHelpFrm.h"
#include "lookup/GdsHelpFrm.h"
#include "lookup/TrsHelpFrm.h"
#include "lookup_fixture.h"
#include "platform/dialogs.h"
#include "platform/list_grid.h"

using namespace orv;
using namespace orv::lookup;
using dialogs::Script;

namespace {

TEST(GdsPanelValues, TradeWindowAndDepartmentNumbers) {
  struct {
    int y, m, n;
    const char *from, *to;
  } windows[] = {{2024, 1, 3, "20231001", "20240131"},
                 {2024, 1, 12, "20230101", "20240131"},
                 {2024, 5, 6, "20231101", "20240531"},
                 {2024, 12, 12, "20231201", "20241231"}};
  for (const auto &w : windows) {
    const TradeWindow t = LastTradeWindow(w.y, w.m, w.n);
    EXPECT_EQ(t.from, w.from) << w.y << "/" << w.m << " " << w.n;
    EXPECT_EQ(t.to, w.to);
  }
  EXPECT_EQ(DeptNoOf("1", "2", "3"), 10020003LL);
  EXPECT_EQ(DeptNoOf("1", "", "3"), 10000003LL);
  EXPECT_EQ(DeptNoOf("100", "", "3"), 1000000003LL);
  EXPECT_EQ(DeptNoOf("", "", ""), 0);
  EXPECT_EQ(DeptNoOf("999", "999", "9999"), 9999999999LL);
}

class GdsPanelTest : public lookuptest::LookupDb {
 protected:
  void SetUp() override {
    LookupDb::SetUp();
    if (IsSkipped()) return;
    for (const char *t : {"MipChit", "MipGods"}) orv::schema::CreateTable(goDbMain, t);
    giWrkYear = 2024;
    giWrkMonth = 1;
    giWrkDay = 15;
  }
  void Demo() {
    Partner(9, 88000, "상회", 1);
    Partner(20, 500, "매입처A", 0);
    Goods(1, 1000000000, "식품", {});
    Goods(2, 1001000000, "라면류", {});
    Goods(3, 1001010001, "신라면", "8801043014809", "120g", 20);
    Goods(4, 1001010002, "진라면", "8801043000000", "", 20);
    Goods(5, 1001010003, "너구리 라면", {}, "5입");
    Goods(6, 1002010001, "Box 라면", "8801043999999", "");
    Exec("UPDATE GdsCode SET GcdBmn1Key = 71, GcdSss4 = 1 WHERE GcdKey = 4");
    Exec("UPDATE GdsCode SET GcdSss4 = 0 WHERE GcdKey = 3");
    Exec("INSERT INTO ExtCode (EcdIO, EcdKey, EcdNo, EcdName) VALUES (101, 71, 1000000003, "
         "'부문가'), (102, 72, 1000000003, '다른부문')");
    Exec("INSERT INTO TrsPris (TpsTrsKey, TpsGdsKey, TpsMech1) VALUES (9, 3, 950)");
    Exec("INSERT INTO TrsGods (TgoIO, TgoTrsKey, TgoGdsKey, TgoSelt) VALUES (2, 9, 5, 1)");
    // Sales to partner 9: goods 3 in December (twice), goods 6 in March, goods 4 to another.
    auto chit = [](int y, int m, int d, int no, int trs, int gds) {
      const QString date = QString("%1%2%3").arg(y).arg(m, 2, 10, QChar('0')).arg(d, 2, 10, QChar('0'));
      Exec("INSERT INTO MipChit (MctYear, MctMon, MctIO, MctDay, MctDate, MctChtNo, MctTrsKey) "
           "VALUES (?, ?, 2, ?, ?, ?, ?)",
           {y, m, d, date, no, trs});
      Exec("INSERT INTO MipGods (McgYear, McgMon, McgIO, McgDay, McgDate, McgChtNo, McgSeq, "
           "McgGdsKey) VALUES (?, ?, 2, ?, ?, ?, 1, ?), (?, ?, 2, ?, ?, ?, 2, ?)",
           {y, m, d, date, no, gds, y, m, d, date, no, gds});
    };
    chit(2023, 12, 5, 1, 9, 3);
    chit(2023, 3, 9, 2, 9, 6);
    chit(2023, 12, 6, 3, 8, 4);
    chit(2022, 12, 6, 4, 9, 5);
    chit(2023, 10, 1, 5, 9, 4);   // the first day of a three-month window
    chit(2023, 9, 30, 6, 9, 5);   // the day before it
  }
  QStringList Names(const GdsQueryState &s) {
    PagedQuery q = BuildGdsSql(goDbMain.dialect(), s);
    QStringList out;
    PagedReader r(goDbMain, q, [&](QVector<ListFields> rows) {
      for (const ListFields &f : rows) out << f.value(2).toString();
    });
    r.Start();
    r.LoadAll();
    return out;
  }
  static QStringList GridNames(ListGrid *g) {
    QStringList out;
    for (int r = 1; r <= g->MaxRows(); ++r) out << g->CellValue(r, 3);
    return out;
  }
  static void Key(QWidget *w, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QTest::keyClick(w, k, m);
  }
  static void Activate(QWidget &w) {
    w.show();
    QApplication::setActiveWindow(&w);
    QCoreApplication::processEvents();
  }
  static int RowOf(ListGrid *g, const QString &name) {
    for (int r = 1; r <= g->MaxRows(); ++r)
      if (g->CellValue(r, 3) == name) return r;
    return 0;
  }
};

TEST_P(GdsPanelTest, RecentTradeFlagsAndKeysInTheStatement) {
  if (IsSkipped()) return;
  Demo();
  GdsQueryState s;
  s.TrsKey = *Currency::FromWhole(9);
  s.SortMode = 0;
  s.WrkYear = 2024;
  s.WrkMonth = 1;
  // Within three months the sales to this partner from 1 October on; a goods item on two
  // lines of a chit is listed once.
  s.TrsMonths = 3;
  EXPECT_EQ(Names(s), (QStringList{"신라면", "진라면"}));
  s.TrsMonths = 12;
  s.JegoTable = "no_such_table";  // the recent-trade list joins no stock
  EXPECT_EQ(Names(s), (QStringList{"신라면", "진라면", "너구리 라면", "Box 라면"}));
  s.JegoTable.clear();
  s.StartText = "box";  // the start text narrows the recent-trade list too
  EXPECT_EQ(Names(s), QStringList{"Box 라면"});
  s.StartText.clear();
  s.TrsMonths = 0;
  struct {
    int selt1;
    QStringList names;
  } flags[] = {{1, {"진라면"}}, {2, {"식품", "라면류", "신라면", "너구리 라면", "Box 라면"}}};
  for (const auto &f : flags) {
    s.Cond.Selt1 = f.selt1;
    EXPECT_EQ(Names(s), f.names) << f.selt1;
  }
  s.Cond = {};
  s.Cond.SetMeipKey = *Currency::FromWhole(20);
  EXPECT_EQ(Names(s), (QStringList{"신라면", "진라면"}));
  s.Cond.SetBmn1Key = *Currency::FromWhole(71);
  EXPECT_EQ(Names(s), QStringList{"진라면"});
}

TEST_P(GdsPanelTest, BoxesNormaliseAndLookUpByNumber) {
  if (IsSkipped()) return;
  Demo();
  gsHelpStart = QString::fromUtf8("라면");
  GdsHelpFrm f;
  Activate(f);
  f.OpenGdsConditions();
  ASSERT_TRUE(f.GdsSetFme->isVisible());
  EXPECT_EQ(f.GdsSetGno1Txt->text(), "1");
  EXPECT_EQ(f.GdsSetGno2Txt->text(), "999");
  // Out of range gives 0, an empty box; the limits per box.
  struct {
    QLineEdit *box;
    const char *typed, *shown;
  } cases[] = {{f.GdsSetGno1Txt, "1000", ""},       {f.GdsSetGno2Txt, "12", "12"},
               {f.GdsSetB1noTxt[0], "12345", ""},  {f.GdsSetB1noTxt[2], "12345", ""},
               {f.GdsSetB1noTxt[5], "9999", "9999"}, {f.GdsSetB1noTxt[4], "-3", ""}};
  for (const auto &c : cases) {
    c.box->setFocus();
    c.box->setText(c.typed);
    f.GdsSetGkygTxt->setFocus();
    EXPECT_EQ(c.box->text(), c.shown) << c.box->objectName().toStdString() << " " << c.typed;
  }
  EXPECT_EQ(f.Conditions().SetGno1, 0);
  EXPECT_EQ(f.Conditions().SetB2no, 9999);
  // A partner by number: found, its key and name; not found, key 0 and the number stays.
  f.GdsSetTnoTxt->setFocus();
  f.GdsSetTnoTxt->setText("500");
  Key(f.GdsSetTnoTxt, Qt::Key_Return);
  EXPECT_EQ(f.GdsSetTnameTxt->text(), QString::fromUtf8("매입처A"));
  EXPECT_EQ(f.Conditions().SetMeipKey, *Currency::FromWhole(20));
  EXPECT_TRUE(f.GdsSetB1noTxt[0]->hasFocus());
  f.GdsSetTnoTxt->setFocus();
  f.GdsSetTnoTxt->setText("501");
  f.GdsSetGkygTxt->setFocus();
  EXPECT_EQ(f.GdsSetTnoTxt->text(), "501");
  EXPECT_EQ(f.GdsSetTnameTxt->text(), "");
  EXPECT_TRUE(f.Conditions().SetMeipKey.IsZero());
  // A department of levels 1, nothing, 3 is found under its own department only.
  f.GdsSetB1noTxt[0]->setFocus();
  f.GdsSetB1noTxt[0]->setText("100");
  f.GdsSetB1noTxt[1]->setText("");
  f.GdsSetB1noTxt[2]->setText("3");
  f.GdsSetB1noTxt[2]->setFocus();
  f.GdsSetGkygTxt->setFocus();
  EXPECT_EQ(f.Conditions().SetB1no, 1000000003LL);
  EXPECT_EQ(f.GdsSetB1noTxt[1]->text(), "");
  EXPECT_EQ(f.GdsSetB1nameTxt->text(), QString::fromUtf8("부문가"));
  EXPECT_EQ(f.Conditions().SetBmn1Key, *Currency::FromWhole(71));
  // A text box is made safe when left.
  f.GdsSetGbarTxt->setFocus();
  f.GdsSetGbarTxt->setText("88'01");
  EXPECT_EQ(f.BarSizeLbl->text(), "5");
  f.GdsSetGkygTxt->setFocus();
  EXPECT_EQ(f.GdsSetGbarTxt->text(), "88`01");
  // Reopening resets every box and does not query.
  const int rows = f.vaSpread1->MaxRows();
  f.GdsSeltCmd->click();
  EXPECT_FALSE(f.GdsSetFme->isVisible());
  f.GdsSeltCmd->click();
  EXPECT_EQ(f.GdsSetGno2Txt->text(), "999");
  EXPECT_EQ(f.GdsSetTnoTxt->text(), "");
  EXPECT_EQ(f.GdsSetB1nameTxt->text(), "");
  EXPECT_EQ(f.vaSpread1->MaxRows(), rows);
  f.CancelAction();
}

TEST_P(GdsPanelTest, PanelKeysConfirmAndClose) {
  if (IsSkipped()) return;
  Demo();
  gsHelpStart.clear();
  gcHelpTrsKey = *Currency::FromWhole(9);
  giHelpSubMode = 2;
  GdsHelpFrm f;
  EXPECT_TRUE(f.TrsMonFme->isEnabled());
  Activate(f);
  ASSERT_TRUE(f.GdsSetFme->isVisible());  // opened at the first activation
  // The first key replaces a number box's value, the second appends; Delete first empties.
  f.GdsSetGno1Txt->setFocus();
  QTest::keyClicks(f.GdsSetGno1Txt, "10");
  EXPECT_EQ(f.GdsSetGno1Txt->text(), "10");
  f.GdsSetGno2Txt->setFocus();
  Key(f.GdsSetGno2Txt, Qt::Key_Delete);
  EXPECT_EQ(f.GdsSetGno2Txt->text(), "");
  // F2 in a text box picks the three-month window without a query.
  f.GdsSetGnameTxt->setFocus();
  Key(f.GdsSetGnameTxt, Qt::Key_F2);
  EXPECT_TRUE(f.TrsMon3Opt->isChecked());
  EXPECT_EQ(f.vaSpread1->MaxRows(), 0);
  Key(f.GdsSetGnameTxt, Qt::Key_Down);
  EXPECT_TRUE(f.GdsSetGkygTxt->hasFocus());
  Key(f.GdsSetGkygTxt, Qt::Key_Up);
  EXPECT_TRUE(f.GdsSetGnameTxt->hasFocus());
  // Esc closes without a query; PageDown reads the box it is typed in, then queries.
  Key(f.GdsSetGnameTxt, Qt::Key_Escape);
  EXPECT_FALSE(f.GdsSetFme->isVisible());
  EXPECT_EQ(f.vaSpread1->MaxRows(), 0);
  f.GdsSetFme->show();
  f.GdsSetGno1Txt->setText("100");
  f.GdsSetGno2Txt->setText("100");
  f.GdsSetGnameTxt->setFocus();
  f.GdsSetGnameTxt->setText("RA");  // never left
  Key(f.GdsSetGnameTxt, Qt::Key_PageDown);
  EXPECT_FALSE(f.GdsSetFme->isVisible());
  EXPECT_EQ(GridNames(f.vaSpread1), QStringList{});  // "ra" is in no name; the window holds 신라면 only
  f.TrsMon0Opt->setChecked(true);
  f.GdsSetFme->show();
  f.GdsSetGnameTxt->setFocus();
  f.GdsSetGnameTxt->setText(QString::fromUtf8("라면"));
  f.GdsSetEnterCmd->click();
  EXPECT_EQ(GridNames(f.vaSpread1).size(), 5);  // prefix 100: 라면류 .. Box 라면
  // "전체" (F4 in the grid) clears every condition and queries.
  Key(f.vaSpread1->view(), Qt::Key_F4, Qt::ShiftModifier);  // Shift+F4 does nothing
  EXPECT_EQ(GridNames(f.vaSpread1).size(), 5);
  Key(f.vaSpread1->view(), Qt::Key_F4);
  EXPECT_EQ(GridNames(f.vaSpread1).size(), 6);
  EXPECT_EQ(f.GdsSetGnameTxt->text(), "");
  // F3 in the grid opens the panel with the focus in it, and closes it again.
  Key(f.vaSpread1->view(), Qt::Key_F3);
  EXPECT_TRUE(f.GdsSetFme->isVisible());
  EXPECT_TRUE(f.GdsSetGnameTxt->hasFocus());
  Key(f.vaSpread1->view(), Qt::Key_F3);
  EXPECT_FALSE(f.GdsSetFme->isVisible());
  f.CancelAction();
}

TEST_P(GdsPanelTest, PickersKeepOrTakeTheNumber) {
  if (IsSkipped()) return;
  Demo();
  giHelpSubMode = 2;
  gsHelpStart = QString::fromUtf8("라면");
  GdsHelpFrm f;
  Activate(f);
  f.OpenGdsConditions();
  {
    Script s;
    s.OnForm("TrsHelpFrm", [](QWidget &w) {
      auto &t = static_cast<TrsHelpFrm &>(w);
      QCoreApplication::processEvents();
      ASSERT_EQ(t.vaSpread1->MaxRows(), 1);  // the purchase partners only
      t.vaSpread1->SetActiveCell(1, 1);
      t.TakeAction();
    });
    f.GdsSetTnoTxt->setFocus();
    Key(f.GdsSetTnoTxt, Qt::Key_F1);
  }
  EXPECT_EQ(f.GdsSetTnoTxt->text(), "500");
  EXPECT_EQ(f.GdsSetTnameTxt->text(), QString::fromUtf8("매입처A"));
  EXPECT_EQ(giHelpSubMode, 2);  // put back
  EXPECT_EQ(gsHelpStart, QString::fromUtf8("라면"));
  {
    Script s;
    s.OnForm("ExtHelpFrm", [](QWidget &w) {
      EXPECT_EQ(giHelpEcdIO, 101);
      static_cast<ExtHelpFrm &>(w).CancelAction();
    });
    f.GdsSetB1helpCmd->click();
  }
  EXPECT_EQ(f.GdsSetTnoTxt->text(), "500");  // a cancelled picker changes nothing
  EXPECT_EQ(f.focusWidget(), f.GdsSetB1noTxt[0]);
  // Refused while another lookup is open: no dialog, the number looked up again.
  giHelpOpen = 1;
  {
    Script s;
    f.GdsSetThelpCmd->click();
    EXPECT_TRUE(s.Log().isEmpty());
  }
  giHelpOpen = 0;
  EXPECT_EQ(f.Conditions().SetMeipKey, *Currency::FromWhole(20));
  f.GdsSetEnterCmd->click();
  EXPECT_EQ(GridNames(f.vaSpread1), (QStringList{"신라면", "진라면"}));
  // A look-up by number that fails at the database says why and sets no condition.
  goDbMain.Execute("DROP TABLE ExtCode");
  {
    Script s;
    s.StrictOk().Ok();
    f.GdsSetFme->show();
    f.GdsSetB1noTxt[0]->setText("100");
    Key(f.GdsSetB1noTxt[0], Qt::Key_PageDown);
    ASSERT_EQ(s.Texts().size(), 1);
    EXPECT_TRUE(s.Texts()[0].startsWith("오류번호 : "));
  }
  EXPECT_TRUE(f.Conditions().SetBmn1Key.IsZero());
  EXPECT_EQ(f.GdsSetB1noTxt[0]->text(), "100");
  f.CancelAction();
}

TEST_P(GdsPanelTest, SelectedGoodsAndMultiPick) {
  if (IsSkipped()) return;
  Demo();
  gsHelpStart = QString::fromUtf8("라면");
  giHelpSubMode = 2;
  gcHelpTrsKey = *Currency::FromWhole(9);
  gsHelpKeys = "untouched";
  GdsHelpFrm f;
  Activate(f);
  QWidget *grid = f.vaSpread1->view();
  // F6 on an empty list: nothing.
  Key(grid, Qt::Key_F6);
  EXPECT_TRUE(f.isVisible());
  EXPECT_EQ(gsHelpKeys, "untouched");
  // F1 on a group row does nothing; on a goods row it adds, twice removes.
  f.vaSpread1->SetActiveCell(1, RowOf(f.vaSpread1, QString::fromUtf8("라면류")));
  Key(grid, Qt::Key_F1);
  EXPECT_EQ(f.vaSpread2->MaxRows(), 0);
  EXPECT_FALSE(f.GdsSeltFme->isVisible());
  const int shin = RowOf(f.vaSpread1, QString::fromUtf8("신라면"));
  f.vaSpread1->SetActiveCell(1, shin);
  Key(grid, Qt::Key_F1);
  EXPECT_TRUE(f.vaSpread1->Checked(shin));
  EXPECT_TRUE(f.GdsSeltFme->isVisible());
  Key(grid, Qt::Key_F1);
  EXPECT_FALSE(f.vaSpread1->Checked(shin));
  EXPECT_EQ(f.vaSpread2->MaxRows(), 0);
  EXPECT_FALSE(f.GdsSeltFme->isVisible());
  // Three goods, in the order they were ticked.
  for (const char *n : {"진라면", "신라면", "Box 라면"}) {
    f.vaSpread1->SetActiveCell(1, RowOf(f.vaSpread1, QString::fromUtf8(n)));
    Key(grid, Qt::Key_F1);
  }
  f.ToggleSeltGds(0, "1001010001", "dup", "", "", "3");  // already listed: nothing
  f.ToggleSeltGds(1, "9999999999", "", "", "", "");      // not listed: nothing
  ASSERT_EQ(f.vaSpread2->MaxRows(), 3);
  // "D" deletes the active row; "선택상품 다시 보여주기" rebuilds the list from the checks.
  f.vaSpread2->SetActiveCell(1, 1);
  f.SelDelt1Cmd->click();
  EXPECT_EQ(f.vaSpread2->MaxRows(), 2);
  EXPECT_TRUE(f.vaSpread1->Checked(RowOf(f.vaSpread1, QString::fromUtf8("진라면"))));
  f.MoveSeltCmd->click();
  EXPECT_EQ(f.vaSpread2->MaxRows(), 3);
  EXPECT_EQ(f.vaSpread2->CellValue(1, 1), "1002010001");  // grid order: Box first by name
  // "삭제" empties and hides; the grid keeps its checks.
  f.SelDeltCmd->click();
  EXPECT_FALSE(f.GdsSeltFme->isVisible());
  EXPECT_TRUE(f.vaSpread1->Checked(shin));
  f.MoveSeltCmd->click();
  Key(grid, Qt::Key_F6);
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(giHelpRet, 2);
  EXPECT_EQ(gsHelpNos, "1002010001,1001010001,1001010002");
  EXPECT_EQ(gsHelpKeys, "6,3,4");
  EXPECT_TRUE(gcHelpNo.IsZero());
}

TEST_P(GdsPanelTest, OneRowPickAndCloseBox) {
  if (IsSkipped()) return;
  Demo();
  gsHelpStart = QString::fromUtf8("라면");
  {
    GdsHelpFrm f;
    Activate(f);
    f.vaSpread1->SetActiveCell(1, RowOf(f.vaSpread1, QString::fromUtf8("진라면")));
    f.ChtSeltCmd->click();
    // "D" on the only row leaves an empty list in a visible frame; "확인" then does nothing.
    f.SelDelt1Cmd->click();
    EXPECT_TRUE(f.GdsSeltFme->isVisible());
    f.SelEnterCmd->click();
    EXPECT_TRUE(f.isVisible());
    f.ChtSeltCmd->click();  // unticks
    f.ChtSeltCmd->click();  // ticks and lists again
    f.SelEnterCmd->click();
    EXPECT_EQ(giHelpRet, 2);
    EXPECT_EQ(gsHelpNos, "1001010002");
    EXPECT_EQ(gsHelpKeys, "4");
  }
  gsHelpNos.clear();
  gsHelpStart = QString::fromUtf8("라면");
  GdsHelpFrm g;
  Activate(g);
  g.vaSpread1->SetActiveCell(1, 2);
  g.ChtSeltCmd->click();
  g.close();
  EXPECT_EQ(giHelpRet, 0);
  EXPECT_EQ(gsHelpNos, "");
}

TEST_P(GdsPanelTest, GridKeys) {
  if (IsSkipped()) return;
  Demo();
  gsHelpStart = QString::fromUtf8("라면");
  giHelpSubMode = 2;
  gcHelpTrsKey = *Currency::FromWhole(9);
  SetEnvironment(gsLogID, "GdsHelpOrder", 1);  // by number
  GdsHelpFrm f;
  Activate(f);
  QWidget *grid = f.vaSpread1->view();
  // Number order: 라면류, 신라면 (P), 진라면, 너구리 (G), Box.
  ASSERT_EQ(f.vaSpread1->CellValue(2, 3), QString::fromUtf8("신라면"));
  // F2 switches name and number; from barcode or last trade it goes to name.
  Key(grid, Qt::Key_F2);
  EXPECT_TRUE(f.GdsHelp2Opt->isChecked());
  Key(grid, Qt::Key_F2);
  EXPECT_TRUE(f.GdsHelp1Opt->isChecked());
  Key(grid, Qt::Key_F7);
  EXPECT_TRUE(f.GdsHelp3Opt->isChecked());
  Key(grid, Qt::Key_F2);
  EXPECT_TRUE(f.GdsHelp2Opt->isChecked());
  Key(grid, Qt::Key_F8);
  EXPECT_TRUE(f.GdsHelp4Opt->isChecked());
  // The last-trade order takes no seek-jump: no jump-to box opens.
  {
    Script s;
    Key(grid, Qt::Key_Slash);
    EXPECT_TRUE(s.Log().isEmpty());
  }
  f.GdsHelp1Opt->setChecked(true);
  // "." and "," switch the start-of-name and barcode-prefix options, stored at once.
  const bool stName = f.GdsStartChk->isChecked();
  Key(grid, Qt::Key_Period);
  EXPECT_NE(f.GdsStartChk->isChecked(), stName);
  EXPECT_EQ(GetEnvInt(gsLogID, "GdsHelpStName"), stName ? 0 : 1);
  Key(grid, Qt::Key_Comma);
  EXPECT_TRUE(f.BarStartChk->isChecked());
  // Marked rows: "+" and Delete go to the next, "-" to the previous; none past the ends.
  f.vaSpread1->SetActiveCell(1, 1);
  Key(grid, Qt::Key_Plus);
  EXPECT_EQ(f.vaSpread1->ActiveRow(), 2);
  Key(grid, Qt::Key_Delete);
  EXPECT_EQ(f.vaSpread1->ActiveRow(), 4);
  Key(grid, Qt::Key_Plus);
  EXPECT_EQ(f.vaSpread1->ActiveRow(), 4);
  Key(grid, Qt::Key_Minus);
  EXPECT_EQ(f.vaSpread1->ActiveRow(), 2);
  Key(grid, Qt::Key_Minus);
  EXPECT_EQ(f.vaSpread1->ActiveRow(), 2);
  EXPECT_EQ(f.vaSpread1->MaxRows(), 5);  // Delete deletes nothing
  // Ctrl+F1 ticks every goods row, Ctrl+F2 clears, Alt+F1 the active row's group.
  Key(grid, Qt::Key_F1, Qt::ControlModifier);
  EXPECT_TRUE(f.vaSpread1->Checked(2));
  EXPECT_FALSE(f.vaSpread1->Checked(1));
  Key(grid, Qt::Key_F2, Qt::ControlModifier);
  EXPECT_FALSE(f.vaSpread1->Checked(2));
  Key(grid, Qt::Key_F1, Qt::AltModifier);
  EXPECT_TRUE(f.vaSpread1->Checked(3));
  EXPECT_FALSE(f.vaSpread1->Checked(5));
  Key(grid, Qt::Key_F2, Qt::AltModifier);
  EXPECT_FALSE(f.vaSpread1->Checked(3));
  Key(grid, Qt::Key_F1, Qt::ShiftModifier);
  EXPECT_EQ(f.vaSpread2->MaxRows(), 0);  // Shift+F1 and the group keys list nothing
  // The jump: a confirmed text searches again; a cancelled one over a normal list changes
  // nothing but hides the panel.
  f.GdsSetFme->show();
  {
    Script s;
    s.OnForm("DirectGoFrm", [](QWidget &w) {
      static_cast<DirectGoFrm &>(w).Command2_Click();
    });
    Key(grid, Qt::Key_Space);
  }
  EXPECT_FALSE(f.GdsSetFme->isVisible());
  EXPECT_EQ(f.vaSpread1->MaxRows(), 5);
  {
    Script s;
    s.OnForm("DirectGoFrm", [](QWidget &w) {
      auto &d = static_cast<DirectGoFrm &>(w);
      d.InputTxt->setText(QString::fromUtf8("너구리"));
      d.Command1_Click();
    });
    f.GdsNameCmd->click();
  }
  EXPECT_EQ(GridNames(f.vaSpread1), QStringList{QString::fromUtf8("너구리 라면")});
  EXPECT_EQ(giHelpRet, 0);
  // The seek-jump by number: the first row not below the typed number.
  Key(grid, Qt::Key_F4);
  {
    Script s;
    s.OnForm("DirectGoFrm", [](QWidget &w) {
      auto &d = static_cast<DirectGoFrm &>(w);
      d.InputTxt->setText("1001010002");
      d.Command1_Click();
    });
    Key(grid, Qt::Key_Slash);
  }
  EXPECT_EQ(f.vaSpread1->CellValue(f.vaSpread1->ActiveRow(), 1), "1001010002");
  f.CancelAction();
}

TEST_P(GdsPanelTest, CancelledJumpOverAnEmptyNumberSearchesAgain) {
  if (IsSkipped()) return;
  Demo();
  Goods(8, 0, "번호없음", {});
  gsHelpStart = QString::fromUtf8("번호");
  SetEnvironment(gsLogID, "GdsHelpOrder", 1);
  GdsHelpFrm f;
  Activate(f);
  ASSERT_EQ(f.vaSpread1->MaxRows(), 1);
  Script s;
  s.OnForm("DirectGoFrm", [](QWidget &w) { static_cast<DirectGoFrm &>(w).Command2_Click(); });
  f.GdsNameCmd->click();
  // The panel's defaults list from number 10000000 on: the number-0 row is gone.
  EXPECT_EQ(f.vaSpread1->MaxRows(), 6);
  f.CancelAction();
}

TEST_P(GdsPanelTest, ColumnResetAsksAndStoresBothGrids) {
  if (IsSkipped()) return;
  Demo();
  gsHelpStart = QString::fromUtf8("라면");
  {
    GdsHelpFrm f;
    const double design = f.vaSpread1->ColWidth(3);
    f.vaSpread1->SetColWidth(3, 30);
    f.vaSpread2->SetColWidth(2, 25);
    {
      Script s;
      s.No();
      f.InitColsRtn->click();
      EXPECT_EQ(s.Texts(), QStringList{"칼럼 사이즈를 초기화할까요 ?"});
    }
    EXPECT_EQ(f.vaSpread1->ColWidth(3), 30);
    {
      Script s;
      s.Yes();
      f.InitColsRtn->click();
    }
    EXPECT_EQ(f.vaSpread1->ColWidth(3), design);
    EXPECT_EQ(f.vaSpread2->ColWidth(2), 25);
    f.CancelAction();
  }
  gsHelpStart = QString::fromUtf8("라면");
  GdsHelpFrm g;
  EXPECT_EQ(g.vaSpread2->ColWidth(2), 25);  // the list's widths kept under their own name
  {
    Script s;
    s.Yes();
    g.InitCol2Rtn->click();
  }
  EXPECT_NE(g.vaSpread2->ColWidth(2), 25);
  g.CancelAction();
}

INSTANTIATE_TEST_SUITE_P(Engines, GdsPanelTest, ORV_BOTH_ENGINES);

}  // namespace
