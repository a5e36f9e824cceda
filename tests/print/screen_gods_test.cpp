// The printed list of the goods on the sale screen: layout, tax split, identification.
#include "core/state.h"
#include "print/basPrinter.h"
#include "print/screen_gods.h"
#include "print_support.h"

using orv::Currency;
using printtest::Cp949;

namespace {

using namespace orv::print;

Currency Won(double v) { return Currency::FromDouble(v).value(); }

TEST(ScreenGods, TaxSplitRoundsHalvesToEven) {
  struct Case {
    double total, taxFree, supply, tax;
  };
  // 1,000/1.1 + 0.5 = 909.59…; 11,000/1.1 + 0.5 is exactly 10,000.5, which goes to the even.
  const Case cases[] = {{1000, 0, 910, 90}, {11000, 0, 10000, 1000}, {10000, 2000, 7273, 727}, {0, 0, 0, 0}};
  for (const Case &c : cases) {
    const TaxSplit s = ScreenTaxSplit(Won(c.total), Won(c.taxFree));
    EXPECT_EQ(s.supply, Won(c.supply)) << c.total;
    EXPECT_EQ(s.tax, Won(c.tax)) << c.total;
  }
  EXPECT_EQ(ScreenGodsIdNo(QDateTime(QDate(2024, 12, 5), QTime(14, 30, 5)), 12), "2412051430052");
}

// Worked by hand: the shop name 한빛마트 (8 bytes) gains a blank each side until it is 22
// bytes, so its first 20 bytes are 7 blanks, the name, 5 blanks; row 3 is empty, so the
// marks read 1, 2, 4; the weighed 0.3 prints blank; supply from 4,300: 3,909.09 + 0.5
// rounds to 3,910, tax 390.
TEST(ScreenGods, OneCopyByTheBytes) {
  orv::state::ResetProgramState();
  ScreenGodsSheet s;
  s.shop = RcptShop{QStringLiteral("한빛마트"), "02-555-0100", QStringLiteral("서울시 중구 한빛로 1"), "1234567890",
                    QStringLiteral("이한빛"), QStringLiteral("소매"), QStringLiteral("식료품")};
  s.lines = {{1, "8801234567890", QStringLiteral("사과 1kg"), Won(2), Won(800), Won(1600), false, false},
             {2, "8800000000017", QStringLiteral("생수"), Won(1), Won(500), Won(500), true, true},
             {4, "2400001000000", QStringLiteral("돼지고기"), Won(0.3), Won(10000), Won(2700), false, false}};
  s.habText = "4,800";
  s.suText = "3";
  s.msgs = {QStringLiteral("감사합니다"), "", "", "", ""};
  s.posNo = 1;
  s.pcdNo = Won(1);
  s.pcdName = QStringLiteral("김계산");
  s.today = QDate(2024, 12, 5);
  s.idNo = "2412051430051";
  s.printBarcode = 1;
  s.printModel = 5;
  PrnClear();
  AddScreenGodsJob(s);

  const QByteArray W("\x1b!\x20", 3), N("\x1b!\x00", 3), E("\r\n");
  auto line = [&](const QString &t) { return Cp949(t) + E; };
  const QString rule(40, '-');
  QByteArray x = W + Cp949(QString(7, ' ') + QStringLiteral("한빛마트") + QString(5, ' ')) + N + E;
  x += line(QStringLiteral("[화 면 상 품 인 쇄]"));
  x += line("Date: 2024.12.05    " + QString(4, ' ') + "Tel: 02-555-0100");
  x += line(QStringLiteral("서울시 중구 한빛로 1") + QString(20, ' '));
  x += line("123-45-67890" + QString(8, ' ') + QStringLiteral("이한빛") + QString(14, ' '));
  x += line(QStringLiteral("소매") + QString(16, ' ') + QStringLiteral("식료품") + QString(8, ' ') + "     1");
  x += line(rule);
  x += line(QStringLiteral("  1: 사과 1kg") + QString(26, ' '));
  x += line("8801234567890    2       800       1,600");
  x += line(QStringLiteral("  2*@생수") + QString(30, ' '));
  x += line("8800000000017    1       500         500");
  x += line(QStringLiteral("  4: 돼지고기") + QString(26, ' '));
  x += line("2400001000000         10,000       2,700");
  x += line(rule);
  x += line(QStringLiteral("[공급가    3910세액     390면세     500]"));
  x += W + Cp949(QStringLiteral("총액:")) + N + "       3" + W + "      4,800" + N + E;
  x += line(rule);
  x += line(QStringLiteral("상품명 앞 *표시는 면세제품임."));
  x += line(QStringLiteral("상품명 앞 @표시는 고객점수제외 제품임."));
  x += line(QStringLiteral("계 산 원:00001(김계산") + QString(18, ' ') + ")");
  x += line(rule);
  x += line(QStringLiteral("감사합니다"));
  x += E + line(QStringLiteral("식별번호: 2412051430051"));
  x += QByteArray("\x1dh\x3c\x1dw\x02\x1dH\x00\x1dk\x49\x0d", 13) + "2412051430051" + E;
  x += E + E.repeated(5) + "\x1bi";
  EXPECT_BYTES(x, gsPrnBuf);

  // No shop row: no header, the list starts with the rule; barcodes off: no barcode.
  s.shop.reset();
  s.printBarcode = 0;
  PrnClear();
  AddScreenGodsJob(s);
  EXPECT_TRUE(gsPrnBuf.startsWith(Cp949(rule) + E));
  EXPECT_FALSE(gsPrnBuf.contains("\x1dk"));
}

}  // namespace
