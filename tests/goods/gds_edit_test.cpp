#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "core/pos_settings.h"
#include "goods/GdsEditFrm.h"
#include "goods_fixture.h"
#include "platform/dialogs.h"
#include "lookup/help_globals.h"

using namespace orv;
using goodstest::GoodsDb;

namespace {

class GdsEdit : public GoodsDb {
 protected:
  void SetUp() override {
    GoodsDb::SetUp();
    Exec("INSERT INTO GdsCode (GcdKey, GcdNo, GcdName, GcdKyg, GcdBarcode, GcdTax, GcdBoxsu, GcdDanga, "
         "GcdMech, GcdMech2, GcdSalega, GcdSaleSel, GcdStdtsale, GcdEddtsale, GcdSttmsale1, GcdEdtmsale1, "
         "GcdSttmsale2, GcdEdtmsale2, GcdSttmsale3, GcdEdtmsale3) VALUES (7, 12345, ' 신라면 ', '120g', "
         "'8801043014809', 1, 20, 1000, 1250, 0, 900, 1, '20241201', '20241231', '1000', '1200', '0', '0', "
         "'0', '0')");
    gcHelpKey = Currency::Won(7);
  }
  // Shows the popup; `drive` works it.
  int16_t Show(const std::function<void(GdsEditFrm &)> &drive) {
    dialogs::Script s;
    s.OnForm("GdsEditFrm", [&](QWidget &f) {
      auto &g = static_cast<GdsEditFrm &>(f);
      QApplication::setActiveWindow(&g);
      drive(g);
      if (g.isVisible()) g.reject();
    });
    return ShowGdsEditFrm(nullptr);
  }
  static QString Mech(const char *col = "GcdMech") {
    return Value(QString("SELECT %1 FROM GdsCode WHERE GcdKey = 7").arg(col)).toString();
  }
};

}  // namespace

TEST_P(GdsEdit, ShowsTheRowWithMarginsAndTheEventInForce) {
  Show([](GdsEditFrm &g) {
    EXPECT_EQ(g.GdsNo0Txt->text(), "000");
    EXPECT_EQ(g.GdsNo1Txt->text(), "001");
    EXPECT_EQ(g.GdsNo2Txt->text(), "2345");
    EXPECT_EQ(g.GdsNameTxt->text(), "신라면");
    EXPECT_EQ(g.GdsBoxsuTxt->text(), "20");
    EXPECT_TRUE(g.GdsTax2Opt->isChecked());
    EXPECT_EQ(g.GdsMechTxt->text(), "1,250");
    EXPECT_EQ(g.GdsIrt1Txt->text(), "20.00");
    EXPECT_EQ(g.GdsIrt2Txt->text(), "25.00");
    EXPECT_EQ(g.GdsIrt21Txt->text(), "0.00");
    EXPECT_EQ(g.GdsIrt22Txt->text(), "-100.00");
    EXPECT_EQ(g.GdsSaleDateTxt->text(), "2024.12.01~2024.12.31(행사기간 설정)") << "10:30 lies in 10:00-12:00";
    EXPECT_EQ(QApplication::focusWidget(), g.GdsMech2Txt);
  });
  clock::SetFixed(QDateTime(QDate(2024, 12, 5), QTime(12, 1, 0)));
  Show([](GdsEditFrm &g) { EXPECT_EQ(g.GdsSaleDateTxt->text(), "2024.12.01~2024.12.31"); });
}

TEST_P(GdsEdit, MasksThePurchasePriceAndMarginsOnlyWhenTheOptionIsOne) {
  for (int opt : {1, 2}) {
    Exec("DELETE FROM OrvRegistry");
    Exec("INSERT INTO OrvRegistry (RegKey, RegInt) VALUES ('PosGdsDangaNot', ?)", {opt});
    Show([&](GdsEditFrm &g) {
      EXPECT_EQ(g.GdsDangaTxt->text(), opt == 1 ? "*****" : "1,000") << opt;
      EXPECT_EQ(g.GdsIrt1Txt->text(), opt == 1 ? "*****" : "20.00") << opt;
      EXPECT_EQ(g.GdsIrt32Txt->text(), opt == 1 ? "******" : "-10.00") << opt;
      EXPECT_EQ(g.GdsMechTxt->text(), "1,250");
    });
  }
}

TEST_P(GdsEdit, TypedPriceReplacesTheOldOneAndSaveWritesBothPrices) {
  const int16_t ret = Show([](GdsEditFrm &g) {
    g.GdsMechTxt->setFocus();
    QTest::keyClicks(g.GdsMechTxt, "1500.75");
    QTest::keyClick(g.GdsMechTxt, Qt::Key_Return);  // on to the second price
    EXPECT_EQ(g.GdsMechTxt->text(), "1,500");
    EXPECT_EQ(g.GdsIrt1Txt->text(), "33.33");
    QTest::keyClick(g.GdsMech2Txt, Qt::Key_End);  // a moving key first keeps the text
    QTest::keyClicks(g.GdsMech2Txt, "5");
    QTest::keyClick(g.GdsMech2Txt, Qt::Key_F1);
  });
  EXPECT_EQ(ret, 1);
  EXPECT_EQ(giHelpRet, 1);
  EXPECT_EQ(NzCur(Mech()), Currency::Won(1500));
  EXPECT_EQ(NzCur(Mech("GcdMech2")), Currency::Won(5)) << "\"0\" with 5 typed after it";
}

TEST_P(GdsEdit, EscWritesNothingEnterRightAwaySavesAsLoaded) {
  EXPECT_EQ(Show([](GdsEditFrm &g) {
              QTest::keyClicks(g.GdsMech2Txt, "777");
              QTest::keyClick(g.GdsMech2Txt, Qt::Key_Escape);
            }),
            0);
  EXPECT_EQ(NzCur(Mech("GcdMech2")), Currency());
  EXPECT_EQ(Show([](GdsEditFrm &g) { QTest::keyClick(g.GdsMech2Txt, Qt::Key_Return); }), 1);
  EXPECT_EQ(NzCur(Mech()), Currency::Won(1250));
}

TEST_P(GdsEdit, F10TypesAMinusOnlyWithKeyboardKindOne) {
  for (int kind : {0, 1}) {
    giSetKey = int16_t(kind);
    Show([&](GdsEditFrm &g) {
      QTest::keyClick(g.GdsMech2Txt, Qt::Key_F10);
      EXPECT_EQ(g.GdsMech2Txt->text(), kind == 1 ? "-" : "0") << kind;
    });
  }
}

TEST_P(GdsEdit, MissingRowOrFailedReadReportsZeroWithoutShowing) {
  gcHelpKey = Currency::Won(99);
  dialogs::Script none;  // no form may show
  EXPECT_EQ(ShowGdsEditFrm(nullptr), 0);

  gcHelpKey = Currency::Won(7);
  goDbMain.Execute("DROP TABLE GdsCode");
  dialogs::Script s;
  EXPECT_EQ(ShowGdsEditFrm(nullptr), 0);
  ASSERT_EQ(s.Log().size(), 1);
  EXPECT_TRUE(s.Log()[0].text.startsWith("오류번호 : "));
  EXPECT_EQ(s.Log()[0].title, "상품등록정보 (J)");
}

TEST_P(GdsEdit, FailedUpdateKeepsThePopupOpenAndReportsZero) {
  int16_t ret = Show([](GdsEditFrm &g) {
    goDbMain.Execute("DROP TABLE GdsCode");
    dialogs::Script err;
    QTest::keyClick(g.GdsMech2Txt, Qt::Key_F1);
    EXPECT_EQ(err.Log().size(), 1);
    EXPECT_TRUE(g.isVisible());
  });
  EXPECT_EQ(ret, 0);
}

INSTANTIATE_TEST_SUITE_P(Sqlite, GdsEdit, ::testing::Values(orv::db::Engine::SQLite), orvtest::EngineName);
