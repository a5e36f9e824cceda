// The sale grid's keys on the real screen: keys typed as the cashier types them.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "checkout/checkout_globals.h"
#include "chit/records.h"
#include "core/helpers.h"
#include "core/values.h"
#include "core/pos_settings.h"
#include "lookup/help_globals.h"
#include "platform/grid.h"
#include "platform/keys.h"
#include "chit/pos_event.h"
#include "sale/sale_dialogs.h"
#include "sale_screen_fixture.h"

using saletest::SaleScreenTest;
namespace dialogs = orv::dialogs;

namespace {

class SaleKeysTest : public SaleScreenTest {
 protected:
  void Open(bool offline = false) {
    Login(offline);
    ASSERT_NE(main_, nullptr);
    goDbMain.Execute("UPDATE SleDate SET SldSaleSel = 9");  // list prices here
    m = main_;
    m->show();
    m->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m));
    m->vaSpread1->setFocus();
    m->vaSpread1->SetActiveCell(ColCode, 1);
  }
  QWidget *Focus() const { return QApplication::focusWidget(); }
  void Press(Qt::Key key, Qt::KeyboardModifiers mods = {}) {
    QTest::keyClick(Focus(), key, mods);
    QApplication::processEvents();
  }
  void Type(const QString &s) {
    for (QChar ch : s) QTest::keyClick(Focus(), ch.toLatin1());
  }
  void Enter(const QString &code) {
    Type(code);
    Press(Qt::Key_Return);
  }
  QString Cell(int row, int col) const { return m->vaSpread1->CellValue(row, col); }
  int Row() const { return m->vaSpread1->ActiveRow(); }
  int Col() const { return m->vaSpread1->ActiveCol(); }

  frmMain *m = nullptr;
};

}  // namespace

TEST_F(SaleKeysTest, TypedCodesOfEveryFormBecomeLinesAndStrangersOpenTheNewGoodsForm) {
  Open();
  goDbMain.Execute("UPDATE GdsCode SET GcdBarcode = '0012345678905' WHERE GcdKey = 3");
  dialogs::Script s;
  QStringList newGoods;
  s.OnForm("frmGdsNew", [&](QWidget &f) {
    newGoods << "x";
    f.close();
  });
  struct Case {
    QString typed;
    QString code;  // what the line's code cell then holds ("" no line)
    QString price;
  } cases[] = {
      {"8801043014809", "8801043014809", "900"},  // EAN-13
      {"012345678905", "0012345678905", "1800"},  // 12 digits get a leading 0
      {"880105603886-", "8801056038861", "1700"}, // 12 digits and "-": check digit completed
      {"88012346", "88012346", "800"},            // a short barcode
      {"0000000007", "8801043015653", "1500"},    // 10 characters: a goods number
      {"88010430148090", "8801043014809", "900"}, // longer than 13: cut to 13
  };
  int row = 1;
  for (const Case &c : cases) {
    Enter(c.typed);
    EXPECT_EQ(Cell(row, ColCode), c.code) << c.typed.toStdString();
    EXPECT_EQ(Cell(row, ColPrice), c.price) << c.typed.toStdString();
    ++row;
    EXPECT_EQ(Row(), row);
    EXPECT_EQ(Col(), ColCode);
  }
  EXPECT_EQ(EventRows(1), row - 1);
  EXPECT_TRUE(newGoods.isEmpty());

  // Nothing on file: the new-goods form, then an empty code cell on the same line.
  Enter("8809999999999");
  EXPECT_EQ(newGoods.size(), 1);
  EXPECT_EQ(Cell(row, ColCode), "");
  EXPECT_EQ(Row(), row);
}

TEST_F(SaleKeysTest, ScaleCodesPriceTheLineByTheirAmount) {
  Open();
  goDbMain.Execute("UPDATE OrvRegistry SET RegChar = '2122' WHERE RegKey = 'PosJulBarcode'");
  goDbMain.Execute("UPDATE OrvRegistry SET RegInt = 1 WHERE RegKey = 'PosJulGumSize2'");
  goDbMain.Execute("UPDATE GdsCode SET GcdBarcode = '2101234000000' WHERE GcdKey = 19");
  goDbMain.Execute("UPDATE GdsCode SET GcdBarcode = '2200123000000' WHERE GcdKey = 20");
  dialogs::Script s;
  QStringList errors;
  s.OnForm("frmGdsNew", [](QWidget &f) { f.close(); });
  s.OnForm("frmCash", [](QWidget &f) { f.close(); });
  s.OnForm("frmErrDisp", [&](QWidget &f) {
    errors << gsErrDispMsg;
    f.close();
  });
  // Narrow: item 01234, amount 04500; the check digit of 210123404500 is 8.
  Enter("2101234045008");
  EXPECT_EQ(Cell(1, ColGdsKey), "19");
  EXPECT_EQ(Cell(1, ColPrice), "4500");
  // Wide, typed with dashes: 22-123-3250.
  Enter("22-123-3250");
  EXPECT_EQ(Cell(2, ColGdsKey), "20");
  EXPECT_EQ(Cell(2, ColPrice), "3250");
  // A wrong check digit with an amount: the error window, no line.
  Enter("2101234045005");
  EXPECT_EQ(errors, QStringList{QStringLiteral("* 저울바코드 오류발생 *")});
  EXPECT_EQ(Cell(3, ColCode), "");
  EXPECT_EQ(Cell(3, ColGdsKey), "");
}

TEST_F(SaleKeysTest, CustomerBarcodeSetsTheCustomerAndLogsIt) {
  Open();
  dialogs::Script s;
  Enter("2900000010026");
  EXPECT_EQ(gtCstCode.CcdName, QStringLiteral("김영희"));
  EXPECT_EQ(Cell(1, ColCode), "");
  EXPECT_EQ(Cell(1, ColGdsKey), "");
  QString text;
  EXPECT_EQ(EventRows(101, &text), 1);
  EXPECT_EQ(text, QStringLiteral("1,1002,김영희"));
  // A quote in a code is a value, not SQL: nobody matches, the new-goods form opens.
  int forms = 0;
  s.OnForm("frmGdsNew", [&](QWidget &f) {
    ++forms;
    f.close();
  });
  SetCellText(m->vaSpread1, 1, ColCode, "290000001'026");
  int key = orv::keys::vbKeyReturn, shift = 0;
  m->vaSpread1_KeyDown(key, shift);
  EXPECT_EQ(forms, 1);
  EXPECT_EQ(gtCstCode.CcdName, QStringLiteral("김영희"));
}

TEST_F(SaleKeysTest, QuantityPriceAndAmountEdits) {
  Open();
  dialogs::Script s;
  Enter("8801043014809");  // 900
  // Enter on the goods line's code: to the quantity, fresh; the first digit replaces.
  m->vaSpread1->SetActiveCell(ColCode, 1);
  Press(Qt::Key_Return);
  EXPECT_EQ(Row(), 1);
  EXPECT_EQ(Col(), ColQty);
  Type("x5");
  EXPECT_EQ(Cell(1, ColQty), "5");
  Press(Qt::Key_Return);
  EXPECT_EQ(Cell(1, ColAmt), "4500");
  EXPECT_EQ(m->lblHabGum->text(), "4,500");
  QString text;
  EXPECT_EQ(EventRows(2, &text), 1);
  EXPECT_EQ(text, "1,5,900,4500;1,900,900");
  EXPECT_EQ(Row(), 2);
  EXPECT_EQ(Col(), ColCode);

  // The amount: the price follows it.
  m->vaSpread1->SetActiveCell(ColAmt, 1);
  Type("4000");
  Press(Qt::Key_Return);
  EXPECT_EQ(Cell(1, ColPrice), "800");
  EXPECT_EQ(Cell(1, ColAmt), "4000");

  // The price with the "00" key (=) and the "000" key (.).
  m->vaSpread1->SetActiveCell(ColPrice, 1);
  Type("7");
  Press(Qt::Key_Equal);
  EXPECT_EQ(Cell(1, ColPrice), "700");
  Press(Qt::Key_Period);
  EXPECT_EQ(Cell(1, ColPrice), "700000");
  // In the quantity the "00" key does nothing.
  m->vaSpread1->SetActiveCell(ColQty, 1);
  Press(Qt::Key_Equal);
  EXPECT_EQ(Cell(1, ColQty), "5");
}

TEST_F(SaleKeysTest, TypedPriceBecomesAnEightyEightGoodsShopPriceOnlyWhenAboveZero) {
  Open();
  goDbMain.Execute("UPDATE GdsCode SET GcdMech = 0, GcdMech2 = 0, GcdMech3 = 0 WHERE GcdKey = 7");
  dialogs::Script s;
  Enter("8801043015653");
  // No price: the cursor waits in the price cell.
  EXPECT_EQ(Col(), ColPrice);
  for (const char *typed : {"-500", "1200"}) {
    m->vaSpread1->SetActiveCell(ColPrice, 1);
    Type(typed);
    Press(Qt::Key_Return);
  }
  orv::db::Recordset rs = goDbMain.OpenRecordset("SELECT GcdMech FROM GdsCode WHERE GcdKey = 7");
  EXPECT_EQ(NzCur(rs.Field("GcdMech")).ToPlainText(), "1200");
  // Once it has a price, a typed one no longer replaces it.
  m->vaSpread1->SetActiveCell(ColPrice, 1);
  Type("1300");
  Press(Qt::Key_Return);
  rs = goDbMain.OpenRecordset("SELECT GcdMech FROM GdsCode WHERE GcdKey = 7");
  EXPECT_EQ(NzCur(rs.Field("GcdMech")).ToPlainText(), "1200");
}

TEST_F(SaleKeysTest, NegativeTypedPriceIsNotWrittenBack) {
  Open();
  goDbMain.Execute("UPDATE GdsCode SET GcdMech = 0, GcdMech2 = 0, GcdMech3 = 0 WHERE GcdKey = 7");
  dialogs::Script s;
  Enter("8801043015653");
  m->vaSpread1->SetActiveCell(ColPrice, 1);
  Type("-500");
  Press(Qt::Key_Return);
  EXPECT_EQ(Cell(1, ColAmt), "-500");
  orv::db::Recordset rs = goDbMain.OpenRecordset("SELECT GcdMech FROM GdsCode WHERE GcdKey = 7");
  EXPECT_TRUE(NzCur(rs.Field("GcdMech")).IsZero());
}

TEST_F(SaleKeysTest, HandScannerBoxEntersItsDigitsIntoTheActiveRow) {
  Open();
  dialogs::Script s;
  Press(Qt::Key_Insert);
  ASSERT_TRUE(m->BarScanFme->isVisible());
  EXPECT_EQ(Focus(), m->BarScanTxt);
  Type("8801-0430-14809");
  Press(Qt::Key_Return);
  EXPECT_FALSE(m->BarScanFme->isVisible());
  EXPECT_EQ(Cell(1, ColCode), "8801043014809");
  EXPECT_EQ(Cell(1, ColGdsKey), "1");
  // Five digits or fewer are dropped.
  Press(Qt::Key_Insert);
  EXPECT_EQ(m->BarScanTxt->text(), "");
  Type("12345");
  Press(Qt::Key_Return);
  EXPECT_EQ(Cell(2, ColCode), "");
  EXPECT_TRUE(m->vaSpread1->isAncestorOf(Focus()) || Focus() == m->vaSpread1);
}

TEST_F(SaleKeysTest, NavigationKeys) {
  Open();
  dialogs::Script s;
  Enter("8801043014809");
  Enter("8801094013007");
  struct Case {
    int startRow, startCol;
    Qt::Key key;
    int row, col;
  } cases[] = {
      {3, ColCode, Qt::Key_Up, 2, ColCode},   {1, ColCode, Qt::Key_Up, 1, ColCode},
      {2, ColAmt, Qt::Key_Up, 1, ColCode},    {2, ColQty, Qt::Key_Up, 2, ColQty},
      {2, ColPrice, Qt::Key_Down, 2, ColPrice}, {150, ColCode, Qt::Key_Down, 150, ColCode},
      {1, ColCode, Qt::Key_Down, 2, ColCode}, {2, ColCode, Qt::Key_Right, 2, ColCode},
      {2, ColQty, Qt::Key_Left, 2, ColQty},   {2, ColCode, Qt::Key_Tab, 2, ColCode},
  };
  for (const Case &c : cases) {
    m->vaSpread1->SetActiveCell(c.startCol, c.startRow);
    Press(c.key);
    EXPECT_EQ(Row(), c.row) << c.key << " from " << c.startRow << "," << c.startCol;
    EXPECT_EQ(Col(), c.col) << c.key << " from " << c.startRow << "," << c.startCol;
  }
  // A click elsewhere leaves the cursor where it was.
  m->vaSpread1->SetActiveCell(ColCode, 3);
  QTableWidget *t = m->vaSpread1->table();
  const QRect r = t->visualRect(t->model()->index(0, ColQty - 1));
  QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, r.center());
  EXPECT_EQ(Row(), 3);
  EXPECT_EQ(Col(), ColCode);
}

TEST_F(SaleKeysTest, FunctionKeysDeleteDiscountAndToggleReturnMode) {
  Open();
  dialogs::Script s;
  Enter("8801043014809");  // 900
  Enter("8801094013007");  // 1800
  Enter("8801056038861");  // 1700
  // F10 deletes the line above the cursor (line 3), F9 the active line.
  Press(Qt::Key_F10);
  QString text;
  EXPECT_EQ(EventRows(3, &text), 1);
  EXPECT_EQ(text, "4,1,1700,1700");
  EXPECT_EQ(Cell(3, ColGdsKey), "");
  m->vaSpread1->SetActiveCell(ColCode, 1);
  Press(Qt::Key_F9);
  EXPECT_EQ(Cell(1, ColGdsKey), "3");
  EXPECT_EQ(m->lblHabGum->text(), "1,800");

  // F7: 10 percent typed under the line of 3 at 1,250.
  goDbMain.Execute("UPDATE GdsCode SET GcdMech = 1250 WHERE GcdKey = 2");
  m->vaSpread1->SetActiveCell(ColCode, 2);
  Enter("8801045520117");
  m->vaSpread1->SetActiveCell(ColQty, 2);
  Type("3");
  Press(Qt::Key_Return);
  EXPECT_EQ(Cell(2, ColAmt), "3750");
  m->vaSpread1->SetActiveCell(ColCode, 3);
  Type("10");
  Press(Qt::Key_F7);
  EXPECT_EQ(Cell(2, ColAmt), "3370");
  EXPECT_EQ(Cell(2, ColDc), "10");
  EXPECT_EQ(Cell(3, ColCode), "");
  EXPECT_EQ(Row(), 3);

  // F12: return mode, new lines count -1, the mark turns coloured and back.
  Press(Qt::Key_F12);
  EXPECT_EQ(m->miReturnMode, 1);
  Enter("8801043014809");
  EXPECT_EQ(Cell(3, ColQty), "-1");
  Press(Qt::Key_F12);
  EXPECT_EQ(m->miReturnMode, 0);

  // F8 writes the drawer event for the row.
  Press(Qt::Key_F8);
  EXPECT_EQ(EventRows(6), 1);
}

TEST_F(SaleKeysTest, EndAndHomeApplyAndTakeBackTheWholeChitDiscount) {
  Open();
  dialogs::Script s;
  Enter("8801094013007");  // 1800
  Enter("88012346");       // 800, an 8-character barcode
  m->fraHelp->show();
  m->PanDcTxt->setFocus();
  Type("35");
  m->vaSpread1->setFocus();
  EXPECT_EQ(m->PanDcTxt->text(), "");
  EXPECT_TRUE(giZerdoAllDc.IsZero());
  m->PanDcTxt->setText("10");
  m->PanDcTxt->setFocus();
  Type("5");  // the first key replaces the old rate
  m->vaSpread1->setFocus();
  EXPECT_EQ(m->PanDcTxt->text(), "5");
  m->vaSpread1->SetActiveCell(ColCode, 3);
  Press(Qt::Key_End);
  EXPECT_EQ(Cell(1, ColAmt), "1710");
  EXPECT_EQ(Cell(2, ColAmt), "760");
  EXPECT_EQ(m->lblHabGum->text(), "2,470");
  Press(Qt::Key_Home);
  EXPECT_EQ(Cell(1, ColAmt), "1800");
  EXPECT_EQ(Cell(2, ColAmt), "800");
}

TEST_F(SaleKeysTest, LayoutOneMapsItsKeysAndItsF10TypesAMinus) {
  giSetKey = 1;
  Open();
  giSetKey = 1;
  dialogs::Script s;
  Enter("8801043014809");
  Enter("8801094013007");
  Press(Qt::Key_F4);  // F8: the drawer event
  EXPECT_EQ(EventRows(6), 1);
  Press(Qt::Key_F7);  // F10: deletes the line above
  EXPECT_EQ(Cell(2, ColGdsKey), "");
  m->vaSpread1->SetActiveCell(ColQty, 1);
  Press(Qt::Key_F10);  // types a minus sign into the cell
  Type("2");
  EXPECT_EQ(Cell(1, ColQty), "-2");
  Press(Qt::Key_Return);
  EXPECT_EQ(Cell(1, ColAmt), "-1800");
}

TEST_F(SaleKeysTest, F3sEnterComesAfterItsTailsPasswordBox) {
  Open();
  dialogs::Script s;
  Enter("8801043014809");
  // What reaches the grid, and how many boxes were answered by then.
  struct Recorder : QObject {
    dialogs::Script *script;
    std::vector<std::pair<int, int>> keys;
    bool eventFilter(QObject *, QEvent *e) override {
      if (e->type() == QEvent::KeyPress)
        keys.push_back({static_cast<QKeyEvent *>(e)->key(), int(script->Log().size())});
      return false;
    }
  } rec;
  rec.script = &s;
  bool partnerLookup = false;
  s.OnForm("frmTrsHelp", [&](QWidget &f) {
    partnerLookup = true;
    f.close();
  });
  m->vaSpread1->table()->installEventFilter(&rec);
  // The work date was moved: the tail of F3 asks for the password first.
  const QDate d = orv::clock::Now().date().addDays(-2);
  giWrkYear = int16_t(d.year());
  giWrkMonth = int16_t(d.month());
  giWrkDay = int16_t(d.day());
  giWrkDateChanged = 1;
  s.Input("1234");
  Press(Qt::Key_F3);
  // The box took the password, not the Enter; the Enter reached the grid after it.
  EXPECT_EQ(s.Remaining(), 0);
  const std::vector<std::pair<int, int>> expected = {{Qt::Key_F3, 0}, {Qt::Key_Return, 1}};
  EXPECT_EQ(rec.keys, expected);
  m->vaSpread1->table()->removeEventFilter(&rec);
  // 2800 is the partner lookup's code: it opened and the code was taken.
  EXPECT_TRUE(partnerLookup);
  EXPECT_EQ(Cell(2, ColCode), "");
}

TEST_F(SaleKeysTest, F1TakesTheLookupsPickIntoTheFirstEmptyLine) {
  Open();
  dialogs::Script s;
  s.OnForm("frmGdsHelp", [&](QWidget &f) {
    gsGdsHelpCode = "8801094013007";
    f.close();
  });
  Press(Qt::Key_F1);
  EXPECT_EQ(Cell(1, ColGdsKey), "3");
  EXPECT_EQ(Row(), 2);
  EXPECT_TRUE(gsGdsHelpCode.isEmpty());
}

TEST_F(SaleKeysTest, CheckChitSumComparesTheTotalWithTheLines) {
  Open();
  dialogs::Script s;
  EXPECT_FALSE(m->CheckChitSum());
  EXPECT_TRUE(s.Log().isEmpty());
  Enter("8801043014809");
  EXPECT_TRUE(m->CheckChitSum());
  SetCellText(m->vaSpread1, 1, ColAmt, "901");
  EXPECT_FALSE(m->CheckChitSum());
  ASSERT_EQ(s.Log().size(), 1);
  EXPECT_EQ(s.Log()[0].text, QStringLiteral("* 판매금액(합계) 오류발생 !"));
  EXPECT_EQ(s.Log()[0].title, QStringLiteral("확인요망"));
}

TEST_F(SaleKeysTest, HotKeysByCharacterAndByShiftCombination) {
  Open();
  goDbMain.Execute("INSERT INTO KeyCode (KeySel, KeyNo, KeyValue, KeyGcdKey, GcdSss1, GcdSss2) VALUES "
                   "(3, 1, 97, 1, 0, 0), (2, 1, 112, 3, 1, 0)");
  dialogs::Script s;
  // Layout 0: the letter a is goods 1; the letter is not typed, the line is logged.
  Type("a");
  EXPECT_EQ(Cell(1, ColGdsKey), "1");
  EXPECT_EQ(Cell(1, ColCode), "8801043014809");
  EXPECT_EQ(EventRows(1), 1);
  EXPECT_EQ(Row(), 2);
  // A letter bound to nothing leaves an empty code cell.
  Type("b");
  EXPECT_EQ(Cell(2, ColCode), "");
  // Shift combinations do nothing on layout 0.
  Press(Qt::Key_F1, Qt::ShiftModifier);
  EXPECT_EQ(Cell(2, ColGdsKey), "");

  // Layout 3: Shift+F1 is goods 3, without an event row; Shift alone looks nothing up.
  giSetKey = 3;
  Press(Qt::Key_Shift, Qt::ShiftModifier);
  EXPECT_EQ(Cell(2, ColGdsKey), "");
  Press(Qt::Key_F1, Qt::ShiftModifier);
  EXPECT_EQ(Cell(2, ColGdsKey), "3");
  EXPECT_EQ(EventRows(1), 1);
  EXPECT_EQ(m->lblHabGum->text(), "2,700");
}

TEST_F(SaleKeysTest, PaymentKeyFillsTheChitRecordsOrRefuses) {
  Open();
  dialogs::Script s;
  int payScreens = 0;
  s.OnForm("frmCash", [&](QWidget &f) {
    ++payScreens;
    f.close();
  });
  // Nothing to pay: Esc sends the focus to the closing button, no message.
  Press(Qt::Key_Escape);
  EXPECT_EQ(Focus(), static_cast<QWidget *>(m->cmdTerMinate));
  EXPECT_TRUE(s.Log().isEmpty());
  m->vaSpread1->setFocus();
  Enter("8801043014809");
  Enter("8801094013007");
  // Enter on the empty code cell hands the sale over.
  Press(Qt::Key_Return);
  EXPECT_EQ(gtPanChit.PctHab, orv::Currency::Won(2700));
  EXPECT_EQ(gcTotSu, orv::Currency::Won(2));
  // The payment screen opened; closed unpaid, the sale stays.
  EXPECT_EQ(payScreens, 1);
  EXPECT_EQ(Cell(1, ColGdsKey), "1");
}
