#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "core/values.h"
#include "goods/frmGdsNew.h"
#include "goods_fixture.h"
#include "platform/dialogs.h"

using namespace orv;
using goodstest::GoodsDb;

namespace {

class GdsNew : public GoodsDb {
 protected:
  void SetUp() override {
    GoodsDb::SetUp();
    if (IsSkipped()) return;
    giOnLine = 1;
    clock::SetFixed(QDateTime(QDate(2026, 12, 9), QTime(15, 30, 0)));
    for (int seq : {1, 2, 3, 4, 6})
      Exec("INSERT INTO GdsCode (GcdKey, GcdNo, GcdName) VALUES (?, ?, 'x')", {seq, 990990000 + seq});
    Exec("INSERT INTO GdsCode (GcdKey, GcdNo, GcdName) VALUES (2612091530, 1, 'taken key')");
  }
  static void Type(frmGdsNew &f, const QString &name, const QString &meip, const QString &tax) {
    f.txtGcdName->setText(name);
    f.txtGcdKyg->setText("1kg");
    f.txtGcdTax->setText(tax);
    f.txtGcdMeip->setText(meip);
    f.txtGcdDanga->setText("1500");
    f.txtGcdBoxSu->setText("20");
  }
};

}  // namespace

TEST_P(GdsNew, SavesTheGoodsBarcodeAndNameRowsInOneGo) {
  frmGdsNew f;
  f.txtGcdBarCode->setText("2000099000057");
  Type(f, "할머니's 떡", "1,001", "0");
  ASSERT_TRUE(f.cmdSave_Click());
  EXPECT_EQ(f.txtGcdNo3->text(), "5");
  auto rs = goDbMain.OpenRecordset("SELECT * FROM GdsCode WHERE GcdNo = 990990005");
  ASSERT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(NzCur(rs.Field("GcdKey")), NzCur("2612091531")) << "15:30 was taken";
  EXPECT_EQ(NzStr(rs.Field("GcdName")), "할머니's 떡");
  EXPECT_EQ(NzCur(rs.Field("GcdDanga")), Currency::Won(1102));
  EXPECT_EQ(NzCur(rs.Field("GcdMeip")), Currency::Won(1001));
  EXPECT_EQ(NzCur(rs.Field("GcdMech")), Currency::Won(1500));
  EXPECT_TRUE(rs.Field("GcdMech2").isNull());
  EXPECT_EQ(Count("BarCode", "BarBarCode = '2000099000057' AND BarGdsKey = 2612091531"), 1);
  EXPECT_EQ(Count("GdsName", "GnaGdsName = '할머니''s 떡 1kg'"), 1);
}

TEST_P(GdsNew, RefusedOfflineAndOverWidthWithNothingWritten) {
  const int before = Count("GdsCode");
  frmGdsNew f;
  f.txtGcdBarCode->setText("20000990000571");  // 14 characters
  Type(f, "떡", "1000", "1");
  giOnLine = 2;
  dialogs::Script s;
  EXPECT_FALSE(f.cmdSave_Click());
  giOnLine = 1;
  EXPECT_FALSE(f.cmdSave_Click());
  f.txtGcdBarCode->setText("2000099000057");
  f.txtGcdName->setText(QString(26, QChar(u'가')));
  EXPECT_FALSE(f.cmdSave_Click());
  EXPECT_EQ(s.Texts(), QStringList({"오프라인중에는 신규상품 등록이 되지 않습니다.",
                                    "바 코 드: 은(는) 13바이트까지 입력할 수 있습니다",
                                    "상 품 명: 은(는) 50바이트까지 입력할 수 있습니다"}));
  EXPECT_EQ(s.Log()[0].title, "오프라인 정보");
  EXPECT_EQ(Count("GdsCode"), before);
  EXPECT_EQ(Count("BarCode") + Count("GdsName"), 0);
  EXPECT_EQ(f.txtGcdMeip->text(), "1,000") << "what was typed stays";

  // A failing insert rolls everything back.
  f.txtGcdName->setText("떡");
  Exec("INSERT INTO BarCode (BarBarCode, BarGubun, BarGdsKey) VALUES ('2000099000057', 0, 2612091531)");
  EXPECT_FALSE(f.cmdSave_Click());
  EXPECT_TRUE(s.Texts().last().startsWith("오류번호 : "));
  EXPECT_EQ(Count("GdsCode"), before);
  EXPECT_EQ(Count("GdsName"), 0);
}

TEST_P(GdsNew, BoxesFilterAmountsTaxAndMoveOnEnter) {
  frmGdsNew f;
  f.show();
  QApplication::setActiveWindow(&f);
  EXPECT_EQ(QApplication::focusWidget(), f.txtGcdName);
  QTest::keyClicks(f.txtGcdName, "bread");
  EXPECT_EQ(f.txtGcdName->text(), "bread") << "the $ started selected";
  QTest::keyClick(f.txtGcdName, Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), f.txtGcdKyg);
  QTest::keyClick(f.txtGcdKyg, Qt::Key_Up);
  EXPECT_EQ(QApplication::focusWidget(), f.txtGcdName);
  f.txtGcdMeip->setFocus();
  QTest::keyClicks(f.txtGcdMeip, "12a3");
  EXPECT_EQ(f.txtGcdMeip->text(), "123");
  f.txtGcdMeip->setText("1234567");
  EXPECT_EQ(f.txtGcdMeip->text(), "1,234,567");
  f.txtGcdMeip->setText("0");
  EXPECT_EQ(f.txtGcdMeip->text(), "");
  f.txtGcdTax->setText("2");
  EXPECT_EQ(f.txtGcdTax->text(), "");
  f.txtGcdTax->setText("1");
  EXPECT_EQ(f.txtGcdTax->text(), "1");
  QTest::keyClick(f.txtGcdName, Qt::Key_Escape);
  EXPECT_FALSE(f.isVisible());
}

INSTANTIATE_TEST_SUITE_P(Engines, GdsNew, ORV_BOTH_ENGINES);
