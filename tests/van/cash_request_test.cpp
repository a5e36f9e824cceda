// The requests of the cash receipt and the cheque inquiry, network by network, and the
// card log viewer's reading of a log line.
#include <gtest/gtest.h>

#include "core/pos_settings.h"
#include "core/state.h"
#include "van/cash_receipt.h"
#include "van/frmCardCancel.h"
#include "van/supyo_query.h"

using orv::Currency;

namespace {

const QChar FS(28);

// "a|b|c" with FS in place of "|".
QString Fs(const char *text) { return QString::fromUtf8(text).replace('|', FS); }

CashReceiptInput Receipt(int amount, int vat = 0, int16_t saup = 0, const QString &id = {},
                         const QString &no = {}, const QString &date = {}) {
  CashReceiptInput in;
  in.idNo = id;
  in.gum = in.hab = Currency::Won(amount);
  in.vat = Currency::Won(vat);
  in.saup = saup;
  in.cancelNo = no;
  in.cancelDate = date;
  in.cancelReason = 1;
  return in;
}

QString Joined(const QList<QPair<int, QString>> &fields) {
  QStringList out;
  for (const auto &[n, v] : fields) out << QString::number(n) + "=" + v;
  return out.join(' ');
}

TEST(CashRequest, AmountDecidesIssueOrCancel) {
  const std::pair<int, CashKind> cases[] = {{5000, CashKind::Issue},   {10, CashKind::Issue},
                                            {9, CashKind::TooSmall},   {0, CashKind::TooSmall},
                                            {-9, CashKind::TooSmall},  {-10, CashKind::Cancel},
                                            {-5000, CashKind::Cancel}};
  for (const auto &[amount, kind] : cases)
    EXPECT_EQ(CashKindOf(Currency::Won(amount)), kind) << amount;
}

TEST(CashRequest, Kicc) {
  struct Case {
    const char *name;
    CashReceiptInput in;
    QString req;
  } cases[] = {
      {"issue, consumer", Receipt(5000), "B1^00^5000^^^^^^^^^30^M0"},
      {"issue with VAT", Receipt(5000, 455), "B1^00^5000^^^^^^^^^30^M455"},
      {"ten won", Receipt(10), "B1^00^10^^^^^^^^^30^M0"},
      {"cancel, business", Receipt(-5000, 0, 1, "", "123456789", "240115"),
       "B2^01^5000^^240115^123456789^^^^^^30^M0"},
      {"cancel VAT positive", Receipt(-10, -1, 0, "", "1", "240115"),
       "B2^00^10^^240115^1        ^^^^^^30^M1"},
      // An 8-digit date goes as its last six (the first six would be year and month).
      {"8-digit date", Receipt(-5000, 0, 0, "", "123456789", " 20240115 "),
       "B2^00^5000^^240115^123456789^^^^^^30^M0"},
      {"short date and number padded", Receipt(-5000, 0, 0, "", "12345", "2401"),
       "B2^00^5000^^2401  ^12345    ^^^^^^30^M0"},
      {"long number cut", Receipt(-5000, 0, 0, "", "12345678901", "240115"),
       "B2^00^5000^^240115^123456789^^^^^^30^M0"},
      {"empty number and date go", Receipt(-5000), "B2^00^5000^^      ^         ^^^^^^30^M0"},
  };
  for (const Case &c : cases) EXPECT_EQ(KiccCashRequest(c.in), c.req) << c.name;
}

TEST(CashRequest, KiccRefusesWhatWouldBreakTheRequestLine) {
  for (const char *ok : {"", "123456789", "240115", "AB 12"}) EXPECT_TRUE(KiccFieldSafe(ok)) << ok;
  for (const char *bad : {"12^3", "1&REQ=", "1#", "1%20", "1+2", "1\t", "12\n", "가1"})
    EXPECT_FALSE(KiccFieldSafe(QString::fromUtf8(bad))) << bad;
}

TEST(CashRequest, Kis) {
  gsSetServerIp = "127.0.0.1";
  gsSetServerPort = "8002";
  EXPECT_EQ(Joined(KisCashMembers(Receipt(5000))),
            "1=127.0.0.1 2=8002 36= 4=00 37=N 38= 3=CC 5=5000 6=0");
  // Cancel of a business receipt: the date's last six, the number trimmed, 13 of the id.
  EXPECT_EQ(Joined(KisCashMembers(Receipt(-5000, -455, 1, "1234567890123456", " 12345 ", "20240115"))),
            "1=127.0.0.1 2=8002 36=1234567890123 4=01 37=N 38= 3=CR 5=5000 6=455 8=240115 9=12345");
  EXPECT_EQ(KisCashMembers(Receipt(-5000, 0, 0, "", "1", "2401")).at(9).second, "  2401");
  orv::state::ResetProgramState();
}

TEST(CashRequest, Smartro) {
  struct Case {
    const char *name;
    CashReceiptInput in;
    QString kind, fields;
  } cases[] = {
      {"issue without id", Receipt(15000, 1364), "010102", "6=03 1=0101 2=02 9=1 3=15000 4=1364"},
      {"issue with id, business", Receipt(10, 0, 1, "01012345678"), "011102",
       "6=13 1=0111 2=02 9=3 68=01012345678 3=10 4=0"},
      {"cancel with id and reason", Receipt(-10, -1, 0, "01012345678", "123", " 20240115 "),
       "211102", "6=03 1=2111 2=02 9=3 68=01012345678 14=1 3=10 4=1 13=20240115 12=123"},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(SmtCashReqKind(c.in), c.kind) << c.name;
    EXPECT_EQ(Joined(SmtCashFields(c.in)), c.fields) << c.name;
  }
  CashReceiptInput none = Receipt(-5000, 0, 0, "", "9", "20240115");
  none.cancelReason = 0;
  EXPECT_EQ(SmtCashReqKind(none), "210102");
  EXPECT_EQ(Joined(SmtCashFields(none)), "6=03 1=2101 2=02 9=1 3=5000 4=0 13=20240115 12=9");
}

TEST(CashRequest, Nice) {
  EXPECT_EQ(NiceCashRequest(Receipt(15000, 1364, 0, "01012345678")),
            Fs("0200|21|P|15000|1364|0|01||||||01012345678|0|"));
  EXPECT_EQ(NiceCashRequest(Receipt(-15000, -1364, 0, "01012345678", "123456789", "20240115")),
            Fs("0420|21|P|15000|1364|0|01|123456789|20240115||||01012345678|0|"));
  CashReceiptInput k = Receipt(5000, 0, 1);
  EXPECT_EQ(NiceCashRequest(k), Fs("0200|21|K|5000|0|0|02|||||||0|"));
  k.signInputShown = true;
  EXPECT_EQ(NiceCashRequest(k), Fs("0200|21|C|5000|0|0|02|||||||0|"));
  EXPECT_EQ(NiceCashRequest(Receipt(5000, 0, 0, "12345678901234")),
            Fs("0200|21|P|5000|0|0|01||||||1234567890123|0|"));
}

SupyoInput Cheque(bool personal, int denomination = 0) {
  SupyoInput in;
  in.suNo = "12345678012345";
  in.balDate = "240115";
  in.gNo = "1234567";
  in.suGum = "1,500,000";
  in.jumin13 = "8001011234567";
  in.personal = personal;
  in.denomination = denomination;
  return in;
}

TEST(ChequeRequest, EachNetwork) {
  gsSetServerIp = "127.0.0.1";
  gsSetServerPort = "8002";
  EXPECT_EQ(KiccSupyoRequest(Cheque(false, 2)),
            "C1^^500000^15^240115^^^^^^^^^^^^^^^12345678012345");
  EXPECT_EQ(KiccSupyoRequest(Cheque(true, 3)),
            "C1^^1500000^42^240115^^^^^^^^^^^^^^^12345678012345");
  EXPECT_EQ(Joined(KisSupyoMembers(Cheque(true, 1))),
            "1=127.0.0.1 2=8002 3=C1 40=12345678012345 41=240115 42=14 5=300000 42=19 "
            "5=1,500,000 43=1234567");
  EXPECT_EQ(Joined(SmtSupyoFields(Cheque(true, 3))),
            "1=0401 56=00 57=12345678012345123456 58=240115 59=16 60=1000000");
  SupyoInput shortAccount = Cheque(false);
  shortAccount.gNo = "12";
  EXPECT_EQ(SmtSupyoFields(shortAccount).at(2).second, "1234567801234512    ");
  EXPECT_EQ(NiceSupyoRequest(Cheque(false)),
            Fs("0200|20|K|00|13|12345678012345|240115|             |100000|1234567|"));
  EXPECT_EQ(NiceSupyoRequest(Cheque(true, 1)),
            Fs("0200|20|K|01|14|12345678012345|240115|8001011234567|300000|1234567|"));
  orv::state::ResetProgramState();
}

TEST(CardLogViewer, DecodesEachKindOfLine) {
  struct Case {
    const char *name;
    int16_t van;
    QString data;
    int16_t kind;
    std::array<const char *, 7> cols;
    bool tinted;
  } cases[] = {
      {"5 request", 5, Fs("a|b|c|ABCDEFGHIJKLMNOPQRST|d|00015000"), 0,
       {"ABCDEFGHIJKLMNOP", "", "", "15000", "", "", "승인요청"}, true},
      {"5 reply", 5, Fs("a|b|c|20240131|REMARK|x|VISA|26|x|x|30001234"), 1,
       {"승인응답", "24.01.31", "30001234", "", "VISA", "0026", "REMARK"}, false},
      {"5 reply, long acquirer", 5, Fs("a|b|c|240131|r|x|n|12345|x|x|9"), 3,
       {"취소응답", "24.01.31", "9", "", "n", "2345", "r"}, false},
      {"5 reply short of fields", 5, Fs("a|b|c|240131"), 1,
       {"승인응답", "24.01.31", "", "", "", "0000", ""}, false},
      {"3 request", 3, Fs("X1234567890123456789|00012000"), 2,
       {"1234567890123456", "", "", "12000", "", "", "취소요청"}, true},
      {"3 reply", 3, Fs("240131123000|a|b|c|d|e|77|f|OK|g|BC|7"), 1,
       {"승인응답", "24.01.31", "77", "", "BC", "0007", "OK"}, false},
      {"FS line under another network", 1, Fs("a|b|c|d"), 0, {"", "", "", "", "", "", ""}, false},
      {"request tag", 1, "KIS_Approval : 00012345", 0,
       {"", "", "", "12345", "", "", "KIS_Approval"}, true},
      {"outcome tag", 5, "SMT_SendToVCat_OutRet_Ok", 2,
       {"", "", "", "", "", "", "SMT_SendToVCat_OutRet_Ok"}, false},
      {"tag without digits", 3, "WinHttpOpenPOST : ", 0,
       {"", "", "", "", "", "", "WinHttpOpenPOST"}, true},
  };
  for (const Case &c : cases) {
    const CardLogCells got = DecodeCardLogRow(c.van, c.data, c.kind);
    for (int col = 1; col <= 7; ++col)
      EXPECT_EQ(got.col[col], QString::fromUtf8(c.cols[col - 1])) << c.name << " column " << col;
    EXPECT_EQ(got.tinted, c.tinted) << c.name;
  }
}

}  // namespace
