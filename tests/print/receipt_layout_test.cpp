// The sales receipt's layout over its two writers: golden bytes worked by hand for one
// small sale, and a table of copies and styles that checks the lines that differ.
#include <QDate>

#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/codepage.h"
#include "print/basPrinter.h"
#include "print/receipt_layout.h"
#include "print/receipt_reprint.h"
#include "print/receipt_text.h"
#include "print_support.h"
#include "../core/test_print.h"

using namespace orv::print;
using orv::Currency;
using printtest::Capture;

namespace {

Currency W(int v) { return Currency::Won(v); }

struct Sale {
  ReceiptData d;
  RcptOptions o;
  RcptSettings s;
};

// The sale of tests/fixtures/print/sale_receipt.md.
Sale FixtureSale() {
  Sale x;
  ReceiptData &d = x.d;
  d.kind = 0;
  RcptChit &c = d.chit;
  c.date = "20241205";
  c.chtNo = 57;
  c.wrtDate = "20241205";
  c.wrtTime = "143005";
  c.hab = W(4800);
  c.gum = W(3909);
  c.buga = W(391);
  c.ntx = W(500);
  c.rgum = W(5000);
  c.cgum = W(200);
  c.money = W(4800);
  c.dcAmt = W(700);
  c.trsKey = W(88000);
  c.cstKey = W(3);
  d.lines = {{W(11), W(2), W(800), W(1600), 0}, {W(12), W(1), W(500), W(500), 1},
             {}, {W(13), M("0.3"), W(10000), W(2700), 0}};
  d.list.gum[2] = W(43);
  d.list.gum[4] = W(2543);
  d.list.gum[9] = W(5);
  d.cst = {W(3), W(1003), "C1003", QStringLiteral("홍길동"), W(2500), W(0), W(12000)};
  d.partnerNo = W(88000);
  d.partnerName = QStringLiteral("일반소매");
  d.staffNo = W(1);
  d.staffName = QStringLiteral("김계산");
  d.checkDigits = 40;
  d.now = QDateTime(QDate(2024, 12, 6), QTime(9, 5, 7));
  d.shop = RcptShop{QStringLiteral("한빛마트"), "02-555-0100", QStringLiteral("서울시 중구 한빛로 1"),
                    "1234567890", QStringLiteral("이한빛"), QStringLiteral("소매"), QStringLiteral("식료품")};
  d.goods = [](Currency key) {
    if (key == W(11)) return RcptGoods{QStringLiteral("사과"), "1kg", "8801234567890", W(101), W(1000), 0};
    if (key == W(12)) return RcptGoods{QStringLiteral("생수"), "", "8800000000017", W(102), W(500), 1};
    if (key == W(13)) return RcptGoods{QStringLiteral("돼지고기"), "", "2400001000000", W(103), W(0), 0};
    return RcptGoods{};
  };
  d.receivables = [] { return RcptReceivables{W(1001), QStringLiteral("한빛식품"), W(50000), W(3000), W(10000)}; };
  x.o.cstPanPrt = 1;
  x.o.gdsBnsPoint = 1;
  x.o.heads = {QStringLiteral("어서오세요"), "", ""};
  x.o.msgs = {QStringLiteral("감사합니다"), QStringLiteral("또 오세요"), "", "", ""};
  x.s.van = 3;
  x.s.posNo = 1;
  x.s.onLine = 1;
  return x;
}

class ReceiptLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    orv::state::ResetProgramState();
    gsSetPrnPort = "COM1";  // the serial path sends each job unchanged
  }
  void TearDown() override { orv::state::ResetProgramState(); }

  QList<QByteArray> Print(Sale &x) {
    Capture cap;
    PrinterOut out;
    BuildReceipt(x.d, x.o, x.s, out);
    QList<QByteArray> jobs;
    for (const auto &j : cap.jobs) jobs << j.bytes;
    return jobs;
  }
  static QStringList Lines(const QByteArray &job) {
    return orv::codepage::Decode(job).split(QStringLiteral("\r\n"));
  }
  static bool Has(const QByteArray &job, const QString &text) { return orv::codepage::Decode(job).contains(text); }
};

TEST_F(ReceiptLayout, PrintedReceiptMatchesTheHandWorkedBytes) {
  Sale x = FixtureSale();
  const QList<QByteArray> jobs = Print(x);
  ASSERT_EQ(jobs.size(), 1);
  EXPECT_BYTES(printtest::Fixture("sale_receipt.bin"), jobs[0]);
}

TEST_F(ReceiptLayout, ReceiptFileMatchesTheHandWorkedBytesAndPrintsWithItsBarcode) {
  Sale x = FixtureSale();
  FileOut out;
  EXPECT_EQ(BuildReceipt(x.d, x.o, x.s, out), "24120500005740");
  const QByteArray file = printtest::Fixture("sale_receipt_file.txt");
  EXPECT_BYTES(file, out.bytes);

  // Printed from the file with barcodes on a model-5 printer: the control lines become
  // their bytes and the id line gets its CODE128 barcode, data without a code-set prefix.
  const QByteArray job = ReceiptFileJob(file, 0, 1, 5);
  const QByteArray idLine = printtest::Cp949(QStringLiteral("식별번호: 24120500005740")) + "\r\n";
  EXPECT_TRUE(job.startsWith(QByteArray("\x1b!\x20", 3) + printtest::Cp949(QStringLiteral("한빛마트")) +
                             "\r\n" + QByteArray("\x1b!\x00", 3)));
  EXPECT_TRUE(job.contains(QByteArray("\x1b!\x20", 3) + printtest::Cp949(QStringLiteral("총액:")) +
                           QByteArray("\x1b!\x00", 3) + "       3" + QByteArray("\x1b!\x20", 3) +
                           "      4,800\r\n" + QByteArray("\x1b!\x00", 3)));
  EXPECT_TRUE(job.contains(idLine + QByteArray::fromHex("1d683c1d77021d48001d6b490e") + "24120500005740\r\n\r\n"));
  EXPECT_TRUE(job.endsWith("\r\n\r\n\x1b\x64\x03\x1bi"));
}

TEST_F(ReceiptLayout, CopiesAndStyles) {
  auto card = [](Sale &x) {
    x.d.chit.card = W(4800);
    x.d.chit.money = W(0);
    x.d.chit.cardNo = "9410123456789012";
    x.d.chit.cmitNo = "12345678";
    x.d.chit.cdGubun = "00";
    x.d.list.sss2 = 1;
    x.s.van = 10;
  };
  struct Case {
    const char *name;
    std::function<void(Sale &)> set;
    int jobs;
    std::function<void(const QList<QByteArray> &)> check;
  };
  const QString sign = QStringLiteral("서        명 : ");
  const QString goodsLine = QStringLiteral("8801234567890");
  const QString customer = QStringLiteral("고객 바코드 : ");
  const Case cases[] = {
      {"cash sale", [](Sale &) {}, 1, nullptr},
      {"card sale: a signed copy, then a masked one", card, 2,
       [&](const QList<QByteArray> &j) {
         EXPECT_TRUE(Has(j[0], "9410123456789012"));
         EXPECT_TRUE(Has(j[0], sign));
         EXPECT_FALSE(Has(j[0], customer));  // not on a card sale's signed copy
         EXPECT_TRUE(Has(j[1], "941012345678****"));
         EXPECT_FALSE(Has(j[1], sign));
         EXPECT_TRUE(Has(j[1], customer));
         EXPECT_TRUE(Has(j[0], QStringLiteral("밴 사  제 출 : ") + QString(22, ' ') + "KiS"));
       }},
      {"card sale under PosCardFreeze: a short first copy",
       [&](Sale &x) { card(x); x.o.cardFreeze = 1; }, 2,
       [&](const QList<QByteArray> &j) {
         EXPECT_FALSE(Has(j[0], goodsLine));
         EXPECT_FALSE(Has(j[0], QStringLiteral("식별번호")));
         EXPECT_TRUE(Has(j[0], QStringLiteral("[공급가")));
         EXPECT_TRUE(Has(j[0], sign));
         EXPECT_TRUE(Has(j[1], goodsLine));
         EXPECT_TRUE(Has(j[1], QStringLiteral("식별번호: 24120500005740")));
       }},
      {"signed on the pad with PosCardCnt 1: one masked copy",
       [&](Sale &x) { card(x); x.o.cardCnt = 1; }, 1,
       [&](const QList<QByteArray> &j) {
         EXPECT_TRUE(Has(j[0], "941012345678****"));
         EXPECT_FALSE(Has(j[0], sign));
       }},
      {"credit sale with two extra copies",
       [](Sale &x) { x.d.chit.oisang = W(4800); x.d.chit.rgum = W(4800); x.s.oiPrnSu = 2; }, 4,
       [&](const QList<QByteArray> &j) {
         EXPECT_TRUE(Has(j[0], QStringLiteral("[외상판매]")));
         EXPECT_TRUE(Has(j[3], QStringLiteral("외상금액:") + QString(26, ' ') + "4,800"));
         EXPECT_TRUE(Has(j[0], QStringLiteral("받은금액:") + QString(31, ' ')));
       }},
      {"credit on a pad-signed card sale: one plus the extra copies",
       [&](Sale &x) { card(x); x.o.cardCnt = 1; x.d.chit.oisang = W(100); x.s.oiPrnSu = 1; }, 2, nullptr},
      {"a partner: a second copy and the receivables",
       [](Sale &x) { x.d.chit.trsKey = W(1001); x.d.partnerNo = W(1001); }, 2,
       [](const QList<QByteArray> &j) {
         const QStringList l = Lines(j[0]);
         const int at = int(l.indexOf(QStringLiteral("거 래 처  No : ") + QString(21, ' ') + "1001"));
         ASSERT_GE(at, 0);
         EXPECT_EQ(l[at + 1], QStringLiteral("거 래 처  명 : ") + QString(17, ' ') + QStringLiteral("한빛식품"));
         // M − V − credit, V, total, paid, …, S, M − S
         EXPECT_EQ(l[at + 2], QStringLiteral("이 전  미 수 : ") + R(25, "47,000"));
         EXPECT_EQ(l[at + 3], QStringLiteral("금 일  미 수 : ") + R(25, "3,000"));
         EXPECT_EQ(l[at + 4], QStringLiteral("판 매  금 액 : ") + R(25, "4,800"));
         EXPECT_EQ(l[at + 5], QStringLiteral("입 금  금 액 : ") + R(25, "4,600"));
         EXPECT_EQ(l[at + 6], QStringLiteral("입 금  누 계 : ") + R(25, "10,000"));
         EXPECT_EQ(l[at + 7], QStringLiteral("현 재  미 수 : ") + R(25, "40,000"));
         EXPECT_EQ(l[at + 8], QString(40, '-'));
       }},
      {"a partner under SetTrsPrtNot and giSetMisuNotPrn",
       [](Sale &x) { x.d.chit.trsKey = W(1001); x.d.partnerNo = W(1001); x.o.trsPrtNot = 1; x.s.misuNotPrn = 1; }, 1,
       [](const QList<QByteArray> &j) {
         const QStringList l = Lines(j[0]);
         const int at = int(l.indexOf(QStringLiteral("거 래 처  명 : ") + QString(17, ' ') + QStringLiteral("한빛식품")));
         ASSERT_GE(at, 0);
         EXPECT_NE(l[at + 1], QString(40, '-'));
       }},
      {"manual card sale on network 3: two copies",
       [](Sale &x) { x.d.chit.card = W(4800); x.d.chit.money = W(0); }, 2,
       [](const QList<QByteArray> &j) {
         EXPECT_TRUE(Has(j[0], QStringLiteral("카 드  매 출 : ") + R(25, "4,800")));
         EXPECT_FALSE(Has(j[0], QStringLiteral("고객 바코드")));
         EXPECT_TRUE(Has(j[1], QStringLiteral("고객 바코드")));
       }},
      {"kind 6: banner, issue time, no 이 전 line", [](Sale &x) { x.d.kind = 6; }, 1,
       [](const QList<QByteArray> &j) {
         EXPECT_TRUE(Has(j[0], QStringLiteral("\r\n[재 발 행 영 수 증]\r\n")));
         EXPECT_TRUE(Has(j[0], QStringLiteral("발행일시 : 2024년12월06일-09시05분07초\r\n----")));
         EXPECT_FALSE(Has(j[0], QStringLiteral("이 전  점 수")));
       }},
      {"kind 8: the collected amount in place of goods and totals",
       [](Sale &x) { x.d.kind = 8; x.d.chit.hab = W(0); x.d.chit.rgum = W(30000); }, 1,
       [&](const QList<QByteArray> &j) {
         EXPECT_TRUE(Has(j[0], QStringLiteral("[외매회수 영 수 증]")));
         EXPECT_TRUE(j[0].contains(QByteArray("\x1b!\x20", 3) + printtest::Cp949(QStringLiteral("외매회수:")) +
                                   "     30,000" + QByteArray("\x1b!\x00", 3)));
         EXPECT_FALSE(Has(j[0], goodsLine));
         EXPECT_FALSE(Has(j[0], QStringLiteral("받은금액")));
       }},
      {"offline, no shop row, compact lines",
       [](Sale &x) { x.s.onLine = 2; x.d.shop.reset(); x.o.prnFreeze = 1; }, 1,
       [](const QList<QByteArray> &j) {
         const QStringList l = Lines(j[0]);
         EXPECT_EQ(l[0], QStringLiteral("\x1b!\x20[오 프 라 인 모 드]\x1b!").append(QChar(0)));
         EXPECT_FALSE(Has(j[0], QStringLiteral("Date:")));
         EXPECT_TRUE(l.contains(QStringLiteral("사과[1kg]") + QString(11, ' ') + "   2     800   1,600"));
         EXPECT_FALSE(Has(j[0], QStringLiteral("상품명 앞")));
       }},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    Sale x = FixtureSale();
    c.set(x);
    const QList<QByteArray> jobs = Print(x);
    ASSERT_EQ(jobs.size(), c.jobs);
    for (const QByteArray &j : jobs) EXPECT_TRUE(j.endsWith("\r\n\r\n\r\n\r\n\r\n\x1bi"));
    if (c.check) c.check(jobs);
  }
}

TEST_F(ReceiptLayout, PointUseStatementAndCustomerLines) {
  Sale x = FixtureSale();
  x.d.list.gum[5] = W(2000);  // paid with points
  x.d.list.gum[9] = W(5);
  x.o.gdsBnsPoint = 0;
  x.o.bnsMnySel = 1;
  x.o.bnsJumsu = W(1000);
  x.o.bnsGum = W(10000);
  x.o.bnsMoney = W(1000);
  x.d.cst.zerdo = W(10000);
  const QList<QByteArray> jobs = Print(x);
  ASSERT_EQ(jobs.size(), 2);
  const QStringList st = Lines(jobs[0]);
  EXPECT_EQ(st[0], QStringLiteral("\x1b!\x20[고객점수 사용내역]\x1b!").append(QChar(0)));
  EXPECT_TRUE(st.contains(QStringLiteral("사용 점수(-) : ") + R(25, "\\2,000 (2,000)")));
  EXPECT_TRUE(st.contains(QStringLiteral("현 재  점 수 : ") + R(25, "2,500")));  // the customer's points
  EXPECT_TRUE(st.contains(QStringLiteral("사용가능금액 : ") + R(25, "2,000")));   // 2,500 points
  EXPECT_TRUE(st.contains(QStringLiteral("상품 점수(+) : ") + R(25, "(5)")));     // before the receipt
  // The receipt's customer block drops goods points, for this and later copies.
  EXPECT_FALSE(Has(jobs[1], QStringLiteral("상품 점수")));
  EXPECT_TRUE(x.d.list.gum[9].IsZero());
  // Used 2,000 points: sale points 43 − 0 − 0 − 0 − 0 + 2,000.
  EXPECT_TRUE(Has(jobs[1], QStringLiteral("판매 점수(+) : ") + R(25, "(2,043)")));

  // Amount mode: the statement's bonus is the amount's.
  Sale y = FixtureSale();
  y.d.list.gum[5] = W(2000);
  y.o = x.o;
  y.o.cstPanPrt = 0;
  y.d.cst.zerdo = W(10000);
  const QList<QByteArray> j2 = Print(y);
  ASSERT_EQ(j2.size(), 2);
  EXPECT_TRUE(Lines(j2[0]).contains(QStringLiteral("사용가능금액 : ") + R(25, "1,000")));
  EXPECT_TRUE(Lines(j2[0]).contains(QStringLiteral("사용 금액(-) : ") + R(25, "(20,000)")));
}

TEST(ReceiptPieces, DiscountPercentVanNameAndProRata) {
  struct Case {
    const char *name;
    RcptLine line;
    RcptGoods goods;
    int dcPrint, expect;
  };
  const Case cases[] = {
      {"below the regular price", {W(1), W(1), W(800), W(800)}, {"", "", "8801", W(0), W(1000)}, 0, 20},
      {"PosDcPrint hides it", {W(1), W(1), W(800), W(800)}, {"", "", "8801", W(0), W(1000)}, 1, 0},
      {"amount below quantity × price", {W(1), W(3), W(1000), W(2500)}, {"", "", "8801", W(0), W(0)}, 0, 17},
      {"weighed barcode", {W(1), M("0.3"), W(10000), W(2700)}, {"", "", "24000000000", W(0), W(0)}, 0, 10},
      {"weighed, worth nothing by price (left open: 0)", {W(1), W(0), W(1000), W(500)}, {"", "", "2000000", W(0), W(0)}, 0, 0},
      {"a half goes to the even neighbour", {W(1), W(1), W(875), W(875)}, {"", "", "1", W(0), W(1000)}, 0, 12},
      {"no discount", {W(1), W(2), W(500), W(1000)}, {"", "", "1", W(0), W(500)}, 0, 0},
  };
  for (const Case &c : cases) EXPECT_EQ(DiscountPercent(c.line, c.goods, c.dcPrint), c.expect) << c.name;
  EXPECT_EQ(VanName(1), "KiCC");
  EXPECT_EQ(VanName(10), "KiS");
  EXPECT_EQ(VanName(3), "");
  EXPECT_EQ(ProRataPoints(W(2500), W(1000), W(300)), W(750));
  EXPECT_EQ(ProRataPoints(W(999), W(1000), W(1)), W(0));  // rounded down
  EXPECT_EQ(ProRataAmount(W(2500), W(0), W(300)), W(0));
  EXPECT_EQ(IdNumber("20241205", 1234567, 7), "24120523456707");
}

}  // namespace
