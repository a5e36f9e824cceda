// The delivery chit printout and its delivery record.
#include "chit/records.h"
#include "core/values.h"
#include "platform/settings_store.h"
#include "print/basPrinter.h"
#include "print/delivery.h"
#include "print_db.h"
#include "print_support.h"

using orv::Currency;
using printtest::Capture;
using printtest::Cp949;

namespace {

namespace store = orv::settings_store;

QByteArray Wide(const QString &s) { return QByteArray("\x1b!\x20", 3) + Cp949(s) + QByteArray("\x1b!\x00", 3); }

class DeliveryChit : public printtest::PrintDb {
 protected:
  void SetUp() override {
    PrintDb::SetUp();
    if (IsSkipped()) return;
    PlantShop();
    PlantSale(57);
    store::SaveSetting("giBadalPrintSu", "2");
  }
  static QString Item() { return orv::print::BdlPrnLine(QStringLiteral("사과"), "1kg", "2"); }
  // The clock runs on from 14:30:05 while the test runs: the printed seconds are set back.
  static QByteArray AtFive(QByteArray job) {
    const qsizetype at = job.indexOf("14:30:0");
    if (at >= 0 && at + 7 < job.size()) job[at + 7] = '5';
    return job;
  }
};

TEST_P(DeliveryChit, TwoCopiesMatchTheHandWorkedChit) {
  if (IsSkipped()) return;
  gsBdlPrnText = Item();
  gtCstCode.CcdName = QStringLiteral("화면고객");
  Capture cap;
  PrintDeliveryChit(Currency::Won(3), "20241205", 57, Currency::Won(4800), 1);
  ASSERT_EQ(cap.jobs.size(), 2);
  const QByteArray first = printtest::Fixture("delivery_chit.bin");
  EXPECT_BYTES(first, AtFive(cap.jobs[0].bytes));
  EXPECT_EQ(gtCstCode.CcdName, QStringLiteral("홍길동"));  // the printout loads the chit's customer

  // The second copy: its own title, the marked line without the empty lines, no goods.
  QByteArray second = first;
  second.replace(Cp949(QStringLiteral("(배송용)")), Cp949(QStringLiteral("(접수증)")));
  second.replace(QByteArray("\r\n").repeated(10), "");
  second.truncate(second.indexOf(Cp949(QStringLiteral("김계산"))) + 6);
  second += QByteArray("\r\n").repeated(6) + "\x1bi";
  EXPECT_BYTES(second, AtFive(cap.jobs[1].bytes));
}

TEST_P(DeliveryChit, CopiesTitlesAndTheContentsBlock) {
  if (IsSkipped()) return;
  struct Case {
    const char *setting;
    QStringList titles;
  };
  const QString t1 = QStringLiteral("배 달 전 표(배송용)"), t2 = QStringLiteral("배 달 전 표(접수증)"),
                t3 = QStringLiteral("배 달 전 표(보관용)");
  const Case cases[] = {{"", {t1, t2}}, {"0", {t1, t2}}, {"4", {t1, t2}}, {"1", {t1}}, {"3", {t1, t2, t3}}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.setting);
    store::SaveSetting("giBadalPrintSu", c.setting);
    Capture cap;
    PrintDeliveryChit(Currency::Won(3), "20241205", 57, Currency::Won(4800), 1);
    ASSERT_EQ(cap.jobs.size(), c.titles.size());
    for (int i = 0; i < c.titles.size(); ++i) EXPECT_TRUE(cap.jobs[i].bytes.startsWith(Wide(c.titles[i])));
    // No marked line: copies 1 and 3 keep the contents line and 12 empty lines, copy 2 has none.
    for (int i = 0; i < c.titles.size(); ++i) {
      const QByteArray &job = cap.jobs[i].bytes;
      const QByteArray block = Wide(QStringLiteral("내용: ")) + "\r\n" + QByteArray("\r\n").repeated(12) + "-";
      EXPECT_EQ(job.contains(block), i != 1) << i;
      EXPECT_EQ(job.contains(Wide(QStringLiteral("내용: "))), i != 1) << i;
      // Goods only on the first copy.
      EXPECT_EQ(job.contains(Cp949(QStringLiteral("돼지고기"))), i == 0) << i;
    }
  }
}

TEST_P(DeliveryChit, ItemsZeroTotalAndNoChit) {
  if (IsSkipped()) return;
  QStringList items;
  for (int i = 1; i <= 7; ++i) items << orv::print::BdlPrnLine(QStringLiteral("품목%1").arg(i), "", "1");
  gsBdlPrnText = items.join('\'');
  store::SaveSetting("giBadalPrintSu", "1");
  Capture cap;
  PrintDeliveryChit(Currency::Won(3), "20241205", 0, Currency(), 1);
  ASSERT_EQ(cap.jobs.size(), 1);
  const QByteArray &job = cap.jobs[0].bytes;
  // Seven items: 14 wide lines, and straight on to the rule.
  EXPECT_TRUE(job.contains(Wide(QStringLiteral("품목7") + QString(15, ' ')) + "\r\n" +
                           Wide(QString(19, ' ') + "1") + "\r\n" + Cp949(QString(40, '-'))));
  EXPECT_TRUE(job.contains(Cp949(QStringLiteral("전 표 번 호: 000000(Off)\r\n"))));
  EXPECT_TRUE(job.contains(Wide(QStringLiteral("합 계: ") + QString(12, ' ') + QStringLiteral("원"))));
  EXPECT_FALSE(job.contains(Cp949(QStringLiteral("사과[1kg]"))));  // chit 0: no goods, whatever the flag
}

TEST_P(DeliveryChit, HeldChitCustomerSourcesAndAnEmptyShop) {
  if (IsSkipped()) return;
  store::SaveSetting("giBadalPrintSu", "1");
  Exec("INSERT INTO WatGodsT (WcgYear, WcgMon, WcgDay, WcgDate, WcgChtNo, WcgSeqNo, WcgGdsKey, WcgSu, WcgDanga, "
       "WcgGum) VALUES (2024, 12, 5, '20241205', 9, 1, 12, 3, 500, 1500)");
  Exec("INSERT INTO CstCodeTs (CcdKey, CcdNo, CcdName) VALUES (3, 77, 'POS고객')");
  Exec("DELETE FROM ComCode");
  giOnLine = 1;
  giBdlPrnCard = 1;
  giCstTsMode = 1;
  Capture cap;
  PrintDeliveryChit(Currency::Won(3), "20241205", 9, Currency::Won(1500), 1);
  ASSERT_EQ(cap.jobs.size(), 1);
  const QByteArray &job = cap.jobs[0].bytes;
  EXPECT_TRUE(job.contains(Wide(QStringLiteral("내용: 카드판매"))));
  EXPECT_TRUE(job.contains(Cp949(QStringLiteral("생수") + QString(16, ' ') + "   3     500   1,500\r\n")));
  EXPECT_TRUE(job.contains(Cp949(QStringLiteral("전 표 번 호: 000009\r\n"))));
  EXPECT_TRUE(job.contains(Cp949(QStringLiteral("고 객 번 호: 77\r\n성명(상호) : POS고객()\r\n"))));
  // No shop row: the shop line is left out, the rules around it stay.
  const QByteArray rule = Cp949(QString(40, '-')) + "\r\n";
  EXPECT_TRUE(job.contains(rule + rule + Cp949(QStringLiteral("계산대:0001"))));

  // A customer key with no row prints "0" and empty texts; an unknown mode reads nobody.
  for (int16_t mode : {int16_t(1), int16_t(5)}) {
    giCstTsMode = mode;
    cap.jobs.clear();
    PrintDeliveryChit(Currency::Won(mode == 1 ? 99 : 3), "20241205", 0, Currency(), 0);
    ASSERT_EQ(cap.jobs.size(), 1);
    EXPECT_TRUE(cap.jobs[0].bytes.contains(Cp949(QStringLiteral("고 객 번 호: 0\r\n성명(상호) : ()\r\n"))));
    EXPECT_TRUE(gtCstCode.CcdKey.IsZero());
  }
}

TEST_P(DeliveryChit, APortFailureReachesTheCallerAfterTheCopiesSent) {
  if (IsSkipped()) return;
  Capture cap(2);
  EXPECT_THROW(PrintDeliveryChit(Currency::Won(3), "20241205", 57, Currency::Won(4800), 0),
               orv::printer_port::PortError);
  EXPECT_EQ(cap.jobs.size(), 1);
  EXPECT_THROW(DeliveryGoodsText("2024125", 57), orv::db::DbError);  // no table from a bad date
}

TEST_P(DeliveryChit, TheRecordIsWrittenOncePerChit) {
  if (IsSkipped()) return;
  Exec("UPDATE CstCode SET CcdName = 'O''Neil 홍길동의 아주 긴 이름입니다' WHERE CcdKey = 3");
  {
    Capture cap;
    PrintDeliveryChit(Currency::Won(3), "20241205", 57, Currency::Won(4800), 0);
  }
  orv::clock::SetFixed(QDateTime(QDate(2024, 12, 6), QTime(9, 1, 2)));
  EXPECT_TRUE(SaveDlvChit("20241205", 57, Currency::Won(4800)));
  EXPECT_EQ(gtDlvChit.DlvCstKey, Currency::Won(3));
  auto rs = goDbMain.OpenRecordset("SELECT * FROM DlvChit2412");
  ASSERT_EQ(rs.RecordCount(), 1);
  ReadDlvChitRecord(rs);
  const DlvChitRec r = gtDlvChit;
  EXPECT_EQ(r.DlvDate, "20241205");
  EXPECT_EQ(r.DlvDay, 5);
  EXPECT_EQ(r.DlvNo, 57);
  EXPECT_EQ(r.DlvPosNo, 1);
  EXPECT_EQ(r.DlvPsnKey, Currency::Won(1));
  EXPECT_EQ(r.DlvBdlKey, Currency::Won(1003));
  EXPECT_EQ(r.DlvHab, Currency::Won(4800));
  // Name and trade name cut to 30 bytes of whole characters, the quote stored as typed.
  EXPECT_EQ(r.DlvName, QStringLiteral("O'Neil 홍길동의 아주 긴 이름입"));
  EXPECT_EQ(r.DlvTele, "C1003");
  EXPECT_EQ(r.DlvPost, "100101");
  EXPECT_EQ(r.DlvJuso, QStringLiteral("서울시 중구 1"));
  EXPECT_EQ(r.DlvWrtDate, "20241206");
  EXPECT_TRUE(r.DlvWrtTime.startsWith("0901")) << r.DlvWrtTime.toStdString();
  EXPECT_EQ(r.DlvSss5, 3);
  // The same chit again (another POS, same day and number) writes nothing.
  giSetPosNo = 2;
  EXPECT_FALSE(SaveDlvChit("20241205", 57, Currency::Won(1)));
  EXPECT_EQ(Count("DlvChit2412"), 1);
}

INSTANTIATE_TEST_SUITE_P(Engines, DeliveryChit, ORV_BOTH_ENGINES);

}  // namespace
