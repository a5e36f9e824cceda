// The customer block, the goods edit from the grid, the sale grid's choosers, the card
// agent and the version row, on the demo shop's sale screen.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "chit/records.h"
#include "core/helpers.h"
#include "core/pos_settings.h"
#include "lookup/help_globals.h"
#include "platform/grid.h"
#include "platform/keys.h"
#include "lookup/frmCust.h"
#include "goods/GdsEditFrm.h"
#include "sale/goods_lookup.h"
#include "sale/sale_dialogs.h"
#include "sale_screen_fixture.h"
#include "van/card_agent.h"

using namespace orv;
using dialogs::Script;
using saletest::SaleScreenTest;

namespace {

QString Cell(frmMain &m, int row, int col) { return m.vaSpread1->CellValue(row, col); }

void TypeCode(frmMain &m, int row, const QString &code) {
  SetCellText(m.vaSpread1, row, ColCode, code);
  m.vaSpread1->SetActiveCell(ColCode, row);
  int key = keys::vbKeyReturn, shift = 0;
  m.vaSpread1_KeyDown(key, shift);
}

class ScriptedAgent : public van::CardAgent {
 public:
  explicit ScriptedAgent(int16_t result) : result_(result) {}
  int16_t Create(const QString &, const QString &) override { return result_; }
  int16_t Destroy() override { return result_; }

 private:
  int16_t result_;
};

}  // namespace

TEST_F(SaleScreenTest, CustomerBlockShowsTheCustomerAndClearingPutsTheWalkInPartnerBack) {
  Login();
  frmMain &m = *main_;
  const struct {
    const char *barcode;
    int16_t degree, stat;
    int zerdo, jumsu;
    const char *lpDate;
    const char *shownBarcode, *shownDegree, *shownStat, *shownZerdo, *shownDate;
  } cases[] = {
      {"2900000010019", 4, 2, 1234567, 0, "20240105", "290 0000 01001 9", "VIP고객", "중지",
       "1,234,567", "2024.01.05"},
      {"12345", 0, 4, 0, 0, "", "          1234 5", "", "", "", ""},
      {"", 2, 1, 0, 0, "", "                ", "특별고객", "삭제", "", ""},
  };
  for (const auto &c : cases) {
    ClearCstRecord();
    gtCstCode.CcdKey = Currency::Won(9);
    gtCstCode.CcdNo = Currency::Won(1001);
    gtCstCode.CcdName = QStringLiteral("홍길동");
    gtCstCode.CcdBarcode = c.barcode;
    gtCstCode.CcdDegree = c.degree;
    gtCstCode.CcdSss5 = c.stat;
    gtCstCode.CcdZerdo = Currency::Won(c.zerdo);
    gtCstCode.CcdJumsu = Currency::Won(c.jumsu);
    gtCstCode.CcdLpdate = c.lpDate;
    m.ShowCstInfo();
    EXPECT_EQ(m.lblCcdNo->text(), "1001");
    EXPECT_EQ(m.lblCcdName->text(), QStringLiteral("홍길동"));
    EXPECT_EQ(m.lblCcdBarcode->text(), c.shownBarcode) << c.barcode;
    EXPECT_EQ(m.lblCcdDegree->text(), QString::fromUtf8(c.shownDegree));
    EXPECT_EQ(m.lblCcdStat->text(), QString::fromUtf8(c.shownStat));
    EXPECT_EQ(m.lblCcdZerdo->text(), c.shownZerdo);
    EXPECT_EQ(m.lblCcdJumsu->text(), "");
    EXPECT_EQ(m.lblCcdLpDate->text(), c.shownDate);
  }

  m.txtTrsNo->setText("1002");
  m.txtTrsNo_LostFocus();
  EXPECT_EQ(m.lblTrsName->text(), QStringLiteral("중앙식당"));
  gcJumsuGum = Currency::Won(5000);
  gcGdsJumsu = Currency::Won(30);
  m.ClearCstInfo(0);
  EXPECT_TRUE(gcJumsuGum.IsZero());
  EXPECT_TRUE(gcGdsJumsu.IsZero());
  EXPECT_TRUE(gtCstCode.CcdKey.IsZero());
  EXPECT_EQ(m.txtTrsNo->text(), "88000");
  EXPECT_EQ(m.lblTrsName->text(), QStringLiteral("일반소매"));
  EXPECT_TRUE(m.frmTrsMast->isHidden());
  EXPECT_EQ(m.lblCcdName->text(), "");
  EXPECT_EQ(m.lblCcdDegree->text(), "");
}

TEST_F(SaleScreenTest, SpecialPricesFollowTheCustomersGrade) {
  Login();
  frmMain &m = *main_;
  struct Case {
    const char *cond;
    const char *qty;
    int amt;
    int16_t degree;  // 0: no customer
    bool repriced;
  } cases[] = {
      {"0,0", "1", 1000, 0, true},   {"1,2", "2", 2000, 1, false}, {"1,2", "2", 2000, 2, true},
      {"1,3", "1", 1000, 3, true},   {"1,4", "1", 1000, 4, true},  {"1,4", "1", 1000, 3, false},
      {"1,0", "1", 1000, 0, false},  {"2,0", "1", 1000, 4, false}, {"1,5", "1", 1000, 4, false},
      {"", "1", 1000, 4, false},
      {"0,0", "-1", -1000, 0, false},  // a return keeps its price: -1000 < -800
  };
  for (const Case &c : cases) {
    ClearGrid(m.vaSpread1);
    SetCellText(m.vaSpread1, 1, ColGdsKey, "1");
    SetCellText(m.vaSpread1, 1, ColQty, c.qty);
    SetCellText(m.vaSpread1, 1, ColPrice, "1000");
    SetCellText(m.vaSpread1, 1, ColAmt, QString::number(c.amt));
    SetCellText(m.vaSpread1, 1, ColEventPrice, "800");
    SetCellText(m.vaSpread1, 1, ColEventGbn, c.cond);
    ClearCstRecord();
    if (c.degree > 0) {
      gtCstCode.CcdKey = Currency::Won(1);
      gtCstCode.CcdDegree = c.degree;
    }
    m.ReplaceDangaToCust();
    const QString tag = QString("%1 grade %2").arg(c.cond).arg(c.degree);
    EXPECT_EQ(Cell(m, 1, ColPrice), c.repriced ? "800" : "1000") << tag.toStdString();
    if (c.repriced) {
      EXPECT_EQ(Cell(m, 1, ColAmt), QString::number(800 * QString(c.qty).toInt()));
    }
  }
}

TEST_F(SaleScreenTest, GoodsEditPutsTheSavedGoodsOnTheLineAgainAndLogsIt) {
  Login();
  goDbMain.Execute("UPDATE SleDate SET SldSaleSel = 9");
  frmMain &m = *main_;
  Script s;
  TypeCode(m, 1, "8801043014809");  // 신라면 900
  ASSERT_EQ(Cell(m, 1, ColPrice), "900");
  const int before = EventRows(2);

  // Cancelled: nothing changes.
  s.OnForm("GdsEditFrm", [](QWidget &f) { static_cast<QDialog &>(f).reject(); });
  m.vaSpread1->SetActiveCell(ColQty, 1);
  m.ShowGdsEdit(1, ColGdsKey);
  EXPECT_EQ(gcHelpKey, Currency::Won(1));
  EXPECT_EQ(EventRows(2), before);

  // Saved with a new price.
  Script saved;
  saved.OnForm("GdsEditFrm", [](QWidget &f) {
    auto &g = static_cast<GdsEditFrm &>(f);
    QApplication::setActiveWindow(&g);
    g.GdsMechTxt->setFocus();
    QTest::keyClicks(g.GdsMechTxt, "950");
    QTest::keyClick(g.GdsMechTxt, Qt::Key_F1);
  });
  m.vaSpread1->SetActiveCell(ColQty, 1);
  m.ShowGdsEdit(1, ColGdsKey);
  EXPECT_EQ(Cell(m, 1, ColPrice), "950");
  EXPECT_EQ(Cell(m, 1, ColGdsKey), "1");
  QString text;
  EXPECT_EQ(EventRows(2, &text), before + 1);
  EXPECT_EQ(text, "1,1,950,950;1,900,900");
}

TEST_F(SaleScreenTest, SeveralGoodsOnOneKeyAreListedAndOnlyThePickIsLoaded) {
  Login();
  giSetKey = 0;
  goDbMain.Execute("INSERT INTO KeyCode(KeySel, KeyNo, KeyValue, KeyGcdKey, GcdSss2) VALUES(3, 41, 0, 3, 0)");
  goDbMain.Execute("INSERT INTO KeyCode(KeySel, KeyNo, KeyValue, KeyGcdKey, GcdSss2) VALUES(3, 41, 0, 4, 0)");
  Script s;
  int rows = -1;
  s.OnForm("frmKeylist", [&](QWidget &f) {
    auto &k = static_cast<frmKeylist &>(f);
    rows = k.lstKey->rowCount();
    EXPECT_EQ(k.lstKey->item(1, 1)->text(), QStringLiteral("칠성사이다"));
    EXPECT_EQ(k.lstKey->item(1, 2)->text(), "1700");
    k.lstKey->setCurrentCell(1, 0);
    QTest::keyClick(k.lstKey, Qt::Key_Return);
  });
  EXPECT_EQ(FindGdsByKeyNo(Currency::Won(41), 0), 1);
  EXPECT_EQ(rows, 2);
  EXPECT_EQ(gtGdsCode.GcdKey, Currency::Won(4));

  Script esc;
  esc.OnForm("frmKeylist", [](QWidget &f) { QTest::keyClick(&f, Qt::Key_Escape); });
  EXPECT_EQ(FindGdsByKeyNo(Currency::Won(41), 0), 0);
  EXPECT_EQ(esc.Log().size(), 1);
}

TEST_F(SaleScreenTest, PackChooserFillsItsButtonsAndTakesTheKeyChosen) {
  Login();
  goDbMain.Execute("UPDATE GdsCode SET GcdName = 'A아주아주긴이름의상품명입니다', GcdMech2 = 1500 WHERE GcdKey = 3");
  goDbMain.Execute("UPDATE GdsCode SET GcdMech2 = 0 WHERE GcdKey = 5");
  const char *packs[] = {"INSERT INTO KeyCode2(Key2Sel, Key2No, Key2Pack, Key2GcdKey) VALUES(3, 9, 2, 4)",
                         "INSERT INTO KeyCode2(Key2Sel, Key2No, Key2Pack, Key2GcdKey) VALUES(3, 9, 3, 5)",
                         "INSERT INTO KeyCode2(Key2Sel, Key2No, Key2Pack, Key2GcdKey) VALUES(3, 9, 7, 6)",
                         "INSERT INTO KeyCode2(Key2Sel, Key2No, Key2Pack, Key2GcdKey) VALUES(3, 9, 8, 999)",
                         "INSERT INTO KeyCode2(Key2Sel, Key2No, Key2Pack, Key2GcdKey) VALUES(3, 9, 61, 6)"};
  for (const char *sql : packs) goDbMain.Execute(QString::fromUtf8(sql));
  Script s;
  QStringList captions;
  s.OnForm("frmGdsSelect", [&](QWidget &f) {
    auto &g = static_cast<frmGdsSelect &>(f);
    for (int i = 1; i <= 10; ++i) captions << g.GdsNameCmd[size_t(i)]->text();
    EXPECT_EQ(g.Group(), 1);
    QTest::keyClick(&f, Qt::Key_F3);
    EXPECT_EQ(g.Group(), 3);
    auto marked = [&](int i) { return g.GdsNameCmd[size_t(i)]->styleSheet().contains("#c0ffc0"); };
    QTest::keyClick(&f, Qt::Key_0);
    EXPECT_TRUE(marked(30));
    QTest::keyClick(&f, Qt::Key_5);
    EXPECT_TRUE(marked(25));
    EXPECT_FALSE(marked(30));
    g.FocusButton(47);  // as by Tab
    QTest::keyClick(&f, Qt::Key_1);
    EXPECT_TRUE(marked(41));
    QTest::keyClick(&f, Qt::Key_F1);
    g.GdsNameCmd_Click(8);  // goods gone: nothing happens
    EXPECT_TRUE(g.isVisible());
    QTest::keyClick(&f, Qt::Key_7);
    EXPECT_EQ(g.Group(), 1);
    g.GdsNameCmd_Click(7);
  });
  EXPECT_EQ(SelectPackGoods(Currency::Won(3), 3, 9), Currency::Won(6));
  ASSERT_EQ(captions.size(), 10);
  // 26 bytes cut a syllable in half: a blank, then the one before the size.
  EXPECT_EQ(captions[0], QStringLiteral("A아주아주긴이름의상품명입  500ml [1800/1500]"));
  EXPECT_EQ(captions[1], QStringLiteral("칠성사이다 500ml [1700/1650]"));
  EXPECT_EQ(captions[2], QStringLiteral("삼다수 2L [1100]"));
  EXPECT_EQ(captions[3], "");
  EXPECT_EQ(captions[7], "[0]");

  Script esc;
  esc.OnForm("frmGdsSelect", [](QWidget &f) { QTest::keyClick(&f, Qt::Key_Escape); });
  EXPECT_EQ(SelectPackGoods(Currency::Won(3), 3, 9), Currency::Won(-1));
}

TEST_F(SaleScreenTest, ScanErrorWindowClosesOnlyWithEsc) {
  Login();
  gsErrDispMsg = QStringLiteral("* 고객바코드 중복 [2]건 *");
  gsErrDispCode = "2900000010019";
  Script s;
  s.OnForm("frmErrDisp", [](QWidget &f) {
    auto &e = static_cast<frmErrDisp &>(f);
    EXPECT_EQ(e.ErrDataLbl->text(), "2900000010019");
    QTest::keyClick(&f, Qt::Key_Return);
    EXPECT_TRUE(f.isVisible());
    QTest::keyClick(&f, Qt::Key_Escape);
    EXPECT_FALSE(f.isVisible());
  });
  ShowfrmErrDisp(main_);
  EXPECT_EQ(s.Log().size(), 1);
}

TEST_F(SaleScreenTest, CardAgentFailuresShowTheirNumber) {
  Login();
  for (int16_t result : {0, 1, 5, -2}) {
    van::SetCardAgent(std::make_unique<ScriptedAgent>(result));
    Script s;
    main_->StartWin4Pos();
    main_->StopWin4Pos();
    if (result == 0 || result == 1) {
      EXPECT_TRUE(s.Texts().isEmpty()) << result;
    } else {
      EXPECT_EQ(s.Texts(), QStringList({QString("Win4POS 구동 실패(%1)").arg(result),
                                        QString("Win4POS 종료 실패(%1)").arg(result)}));
      EXPECT_TRUE(s.Log()[0].title.isEmpty());
    }
  }
  van::SetCardAgent(std::make_unique<van::SimulatedCardAgent>());
  auto &sim = static_cast<van::SimulatedCardAgent &>(van::CurrentCardAgent());
  gsSetServerIp = "10.0.0.5";
  gsSetServerPort = "9000";
  main_->StartWin4Pos();
  EXPECT_TRUE(sim.Running());
  EXPECT_EQ(sim.Server(), "10.0.0.5:9000");
}

TEST_F(SaleScreenTest, OnlineLoginWritesThisCheckoutsVersionRowOfflineNot) {
  Login(/*offline=*/true);
  EXPECT_FALSE(goDbMain.TableExists("OrvKorea") &&
               goDbMain.OpenRecordset("SELECT * FROM OrvKorea").RecordCount() > 0);
  delete main_;
  main_ = nullptr;
  saletest::ResetAll();
  Login();
  auto rs = goDbMain.OpenRecordset("SELECT regKey, regChar FROM OrvKorea");
  ASSERT_EQ(rs.RecordCount(), 1);
  rs.MoveFirst();
  EXPECT_EQ(NzStr(rs.Field("regKey")), "gsSetPosVersion" + QString::number(giSetPosNo));
  EXPECT_EQ(NzStr(rs.Field("regChar")), "Ver 2024.01.30");
}

TEST_F(SaleScreenTest, DemoShopHasABundleAMembersPriceAndAPartnerLedger) {
  Login();
  frmMain &m = *main_;
  Script s;
  // Partner 1002: its ledger of the month (100,000), credit sales of 50,700, 30,000 collected.
  m.txtTrsNo->setText("1002");
  m.txtTrsNo_LostFocus();
  EXPECT_EQ(m.lblTrsMisu->text(), "120,700");
  EXPECT_FALSE(m.frmTrsMast->isHidden());
  m.ClearCstInfo(0);

  // Three bags of 새우깡 (1,450 each in the sale period) for 4,000.
  for (int row = 1; row <= 3; ++row) TypeCode(m, row, "8801043015653");
  ASSERT_EQ(Cell(m, 3, ColGdsKey), "7");
  m.mcBsnNo = Currency::Won(1);
  m.CalcBsnDanga();
  EXPECT_EQ(Cell(m, 1, ColAmt), "1334");
  EXPECT_EQ(Cell(m, 2, ColAmt), "1333");
  EXPECT_EQ(Cell(m, 3, ColAmt), "1333");

  // 초코파이 B: marked with the members' price, which a grade-2 customer then gets.
  TypeCode(m, 4, "8801117752811");
  EXPECT_EQ(Cell(m, 4, ColEventGbn), "1,2");
  gtCstCode.CcdKey = Currency::Won(2);
  gtCstCode.CcdDegree = 2;
  m.ReplaceDangaToCust();
  EXPECT_EQ(Cell(m, 4, ColPrice), "4200");
}

TEST_F(SaleScreenTest, CustomerBoxListsWhatTheSearchFound) {
  Login();
  frmMain &m = *main_;
  // Two customers carry 5678 in their phones; "-5678" wants it at the end.
  goDbMain.Execute("UPDATE CstCode SET CcdTel = '02-5678-0001' WHERE CcdKey = 1");
  int rows = -1;
  QString name;
  Script s;
  s.OnForm("frmCust", [&](QWidget &f) {
    auto &c = static_cast<frmCust &>(f);
    rows = c.vaSpread1->MaxRows();
    for (int col = 1; col <= c.vaSpread1->MaxCols(); ++col)
      if (c.vaSpread1->CellValue(1, col) == QStringLiteral("홍성민")) name = QStringLiteral("홍성민");
    c.reject();
  });
  m.fraCST->show();
  m.txtCstNo->setText("-5678");
  QTest::keyClick(m.txtCstNo, Qt::Key_Return);
  EXPECT_EQ(rows, 1);
  EXPECT_EQ(name, QStringLiteral("홍성민"));
}

TEST_F(SaleScreenTest, OneMoaMemberIsLookedUpByTheFirstPhoneStartingWith010) {
  Login();
  frmMain &m = *main_;
  const struct {
    const char *client, *barcode, *hp, *tel;
    const char *findKey;  // after the show; "kept" when untouched
    bool memberCleared;
  } cases[] = {
      // No service answers here: a lookup leaves no member.
      {"C77", "2900000010019", "010-1111-2222", "010-9", "010-1111-2222", true},
      {"C77", "2900000010019", "011-1111-2222", " 010-5555-6666 ", "010-5555-6666", true},
      {"C77", "2900000010019", "011-1", "02-555", "kept", false},
      {"C77", " ", "010-1111-2222", "", "", true},
      {"", "", "010-1111-2222", "", "kept", false},
  };
  for (const auto &c : cases) {
    gsOneMoaClientCode = c.client;
    gsOneMoaFindKey = "kept";
    gsOneMoaPersonCode = "M1";
    ClearCstRecord();
    gtCstCode.CcdKey = Currency::Won(1);
    gtCstCode.CcdBarcode = c.barcode;
    gtCstCode.CcdHp = c.hp;
    gtCstCode.CcdTel = c.tel;
    m.ShowCstInfo();
    EXPECT_EQ(gsOneMoaFindKey, QString(c.findKey)) << c.hp;
    EXPECT_EQ(gsOneMoaPersonCode.isEmpty(), c.memberCleared) << c.hp;
  }
  gsOneMoaPersonCode = "M1";
  m.ClearCstInfo(1);
  EXPECT_EQ(gsOneMoaPersonCode, "M1");
  m.ClearCstInfo(0);
  EXPECT_TRUE(gsOneMoaPersonCode.isEmpty());
}
