// The card cancellation form through the SMARTRO terminal (the simulator).
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QCheckBox>

#include "chit/records.h"
#include "core/card_ret.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/datafolder.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "schema/tables.h"
#include "card_dialog_fixture.h"
#include "test_support.h"
#include "van/card_log.h"
#include "van/card_state.h"
#include "van/frmDisCard.h"
#include "van/van_wait.h"

namespace dlg = orv::dialogs;
using orv::Currency;
using vantest::SimProcess;
using Fields = QList<QPair<int, QString>>;

TEST(SmtCancelFields, ByKind) {
  const Fields card{{1, "2101"}, {2, "01"}, {6, "00"}, {3, "15000"}, {4, "1364"},
                    {13, "20240131"}, {12, "1234567890"}};
  const Fields zero{{1, "2101"}, {2, "55"}, {10, "86020ZERO2401311234567890"}, {6, "00"}, {3, "15000"},
                    {4, "1364"}, {13, "20240131"}, {12, "1234567890"}};
  const Fields kakao{{1, "4201"}, {2, "02"}, {6, "00"}, {3, "15000"}, {4, "1364"}, {13, "20240131"},
                     {12, "1234567890"}, {70, "BKB123"}, {10, "84012KAKAOREQ0041"}};
  const struct {
    int kind;
    const Fields &want;
  } cases[] = {{0, card}, {2, zero}, {1, kakao}};
  for (const auto &c : cases)
    EXPECT_EQ(SmtCancelFields(int16_t(c.kind), "00", "15000", "1364", "20240131", "1234567890", "KB123", "1"),
              c.want)
        << c.kind;
}

namespace {

class SmartroCancel : public vantest::CardDialogTest {
 protected:
  void SetUp() override {
    CardDialogTest::SetUp();
    giSetVan = 5;
    giPosCardTaxSelt = 1;
    orv::van::Timeouts() = {2000, 400, 400, 400, 0};
    gsSetServerIp = "127.0.0.1";
    QFile::remove(orv::datafolder::Path("sign0.bmp"));
    giCardCallMode = 0;
  }
  void TearDown() override {
    QFile::remove(orv::datafolder::Path("sign0.bmp"));
    CardDialogTest::TearDown();
  }
  void Sim(const QString &scenario = {}) { StartAgent("orvvansim-smartro", scenario); }
  // Opens the form on the return of a chit paid with cardNo, and cancels.
  bool Cancel(int amount, const QString &cardNo = {}, bool signNotUse = false, int months = 0) {
    CardReturn(amount, "1234567890", "20240131", months, cardNo);
    return RunCancel([signNotUse](frmDisCard &f) { f.chkSignNotUse->setChecked(signNotUse); });
  }
  QStringList Requests() { return sim_->Requests(); }
};

TEST_F(SmartroCancel, CardZeroPayAndKakaoPayAtTheTerminal) {
  QString zeroBarcode = "8000123456789012345";
  WriteKzbBars(2, "20240131", "1234567890", zeroBarcode);
  QString kakaoBarcode = "KAKAO-BARCODE-0001";
  WriteKzbBars(1, "20240131", "1234567890", kakaoBarcode);
  Sim();
  const struct {
    const char *cardNo, *request, *tag, *meipCode, *cardBack, *prn;
  } cases[] = {
      {"", "REQ | 1=2101 | 2=01 | 3=15000 | 4=1364 | 6=00 | 9=1 | 12=1234567890 | 13=20240131",
       "SMT_SendToVCat", "0201", "941012******1234", "감사합니다"},
      {"Z8000123456", "REQ | 1=2101 | 2=55 | 3=15000 | 4=1364 | 6=00 | 9=1 | 10=86020ZERO2401311234567890 | "
                      "12=1234567890 | 13=20240131",
       "SMT_SendToVCat", "7700", "Z800012345678", "감사합니다"},
      {"K1KAKAO-BAR", "REQ | 1=4201 | 2=02 | 3=15000 | 4=1364 | 6=00 | 9=1 | 10=84012KAKAOREQ0041 | "
                      "12=1234567890 | 13=20240131 | 70=BKAKAO-BARCODE-0001",
       "SMT_SendToVCatKAO", "3900", "K1KAKAO-BARCOD", ""},
  };
  for (const auto &c : cases) {
    goDbPos.Execute("Delete From CardLog");
    EXPECT_TRUE(Cancel(15000, c.cardNo)) << c.cardNo;
    EXPECT_EQ(giCardOk, 1);
    EXPECT_EQ(Requests().last(), c.request);
    EXPECT_EQ(gtCardRet.MeipCode, c.meipCode) << c.cardNo;
    EXPECT_EQ(gtCardRet.CardNo, c.cardBack) << c.cardNo;
    EXPECT_EQ(gtCardRet.Gum, Currency::Won(-15000));
    EXPECT_EQ(gsCardPrnMsg1, c.prn) << c.cardNo;
    EXPECT_EQ(LogTexts(), (QStringList{QString(c.tag) + " : 00015000", QString(c.tag) + "_OutRet",
                                       QString(c.tag) + "_OutRet_Ok"}));
  }
  EXPECT_TRUE(gtCardRet.MeipName.endsWith("](1:?)"));
}

TEST_F(SmartroCancel, ErrorsAndSilenceShowTheirWords) {
  Sim("error=-30\ndelay=0\n");
  const struct {
    const char *cardNo;
    int months;
    const char *text, *lastRow;
  } cases[] = {
      {"", 0, "ErrCode [ -30 ] - 서버 연결 실패", "SMT_SendToVCat_OutRet_Err"},
      {"", 98, "ErrCode [ -9 ] - TimerOut\n응답이 없습니다. 단말기에서 취소 여부를 확인하세요",
       "SMT_SendToVCat_OutRet_Err"},
      {"K1KAKAO", 99, "ErrCode [ 51 ] - \n할부개월 오류", "SMT_SendToVCaKAOt_OutRet_Err"},
  };
  for (const auto &c : cases) {
    dlg::Script s;
    EXPECT_FALSE(Cancel(15000, c.cardNo, false, c.months)) << c.text;
    EXPECT_EQ(giCardOk, 0);
    EXPECT_EQ(gtCardRet.CmitNo, "1234567890");
    EXPECT_TRUE(gtCardRet.CardNo.isEmpty());
    ASSERT_EQ(s.Log().size(), 1) << c.text;
    EXPECT_EQ(s.Log()[0].title, "카드재승인요청");
    EXPECT_TRUE(s.Log()[0].text.contains(QString::fromUtf8(c.text))) << s.Log()[0].text.toStdString();
    EXPECT_EQ(LogTexts().last(), c.lastRow);
  }
}

TEST_F(SmartroCancel, AStoredSignatureFetchesTheKeyFirstOrStopsBeforeSending) {
  giSetVanDan = 0;
  giSetSign0 = 1;
  QFile f(orv::datafolder::Path("sign0.bmp"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("BM-signature");
  f.close();
  Sim("delay=0\ndelay=0\nnokey\n");
  EXPECT_TRUE(Cancel(60000, "Z8000123", true));
  QStringList r = Requests();
  ASSERT_EQ(r.size(), 2);
  EXPECT_EQ(r[0], "REQ | 1=5201");
  EXPECT_TRUE(r[1].startsWith("REQ | 1=2101 | 2=55 | 3=60000 | 4=5455 | 6=00 | 9=4 | "
                              "10=86020ZERO2401311234567890 | 12=1234567890 | 13=20240131 | 68="))
      << r[1].toStdString();
  EXPECT_EQ(gtPanList.PclSss2, 1);

  // A query without a key: nothing is sent, no row written, the count still raised.
  goDbPos.Execute("Delete From CardLog");
  dlg::Script s;
  EXPECT_FALSE(Cancel(60000, "", true));
  EXPECT_EQ(Requests().size(), 3);
  ASSERT_EQ(s.Log().size(), 1);
  EXPECT_EQ(s.Log()[0].title, "워킹키오류");
  EXPECT_TRUE(LogTexts().isEmpty());
  EXPECT_EQ(gcSetCdCount, Currency::Won(2));
}

}  // namespace
