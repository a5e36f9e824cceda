#include "van/cash_receipt_record.h"

#include <QStringList>

#include "chit/pan_money.h"
#include "chit/pos_logs.h"
#include "chit/records.h"
#include "core/byte_text.h"
#include "core/dates.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/values.h"
#include "platform/clock.h"
#include "platform/db.h"
#include "platform/settings_store.h"
#include "print/basPrinter.h"
#include "print/receipt.h"
#include "print/receipt_text.h"

namespace pr = orv::print;

void FillCashReceiptRecord(const QString &memberNo) {
  const QDateTime now = orv::clock::Now();
  PanMoneyRec &m = gtPanMoney;
  m.PmoYear = giWrkYear;
  m.PmoMon = giWrkMonth;
  m.PmoDay = giWrkDay;
  m.PmoDate = QStringLiteral("%1%2%3")
                  .arg(giWrkYear, 4, 10, QChar('0'))
                  .arg(giWrkMonth, 2, 10, QChar('0'))
                  .arg(giWrkDay, 2, 10, QChar('0'));
  m.PmoNo = 0;
  m.PmoChtNo = 0;
  m.PmoPosNo = giSetPosNo;
  m.PmoPsnKey = gcLogPsnKey;
  m.PmoCardNo = memberNo;
  m.PmoWrtDate = now.toString(QStringLiteral("yyyyMMdd"));
  m.PmoWrtTime = now.toString(QStringLiteral("HHmmss"));
  m.PmoJunsong = 0;
  m.PmoSss1 = m.PmoSss2 = m.PmoSss3 = m.PmoSss4 = m.PmoSss5 = 0;
}

QStringList CashReceiptLines(int16_t saup, const QString &termNo, const QString &memberNo) {
  QString prtName, tel, addr, saupNo, psn, uptae, jongmok;
  auto rs = goDbMain.OpenRecordset(QStringLiteral("Select * From ComCode"));
  if (!rs.Eof()) {
    prtName = NzStr(rs.Field("ComPrtName"));
    tel = NzStr(rs.Field("ComTel"));
    addr = NzStr(rs.Field("ComAddr"));
    saupNo = NzStr(rs.Field("ComSaupNo"));
    psn = NzStr(rs.Field("ComPsn"));
    uptae = NzStr(rs.Field("ComUptae"));
    jongmok = NzStr(rs.Field("ComJongmok"));
  }
  const QString title = saup == 0   ? QStringLiteral("[소비자용현금영수증]")
                        : saup == 1 ? QStringLiteral("[사업자용현금영수증]")
                                    : QString();
  const QDateTime now = orv::clock::Now();
  const QString date = gtPanChit.PctWrtdate.trimmed().isEmpty()
                           ? now.toString(QStringLiteral("yyyyMMdd"))
                           : gtPanChit.PctWrtdate;
  const PanMoneyRec &m = gtPanMoney;
  QStringList l;
  l << MidH(title, 1, 20);
  l << QString();
  l << MidH(prtName, 1, 20);
  l << pr::L(20, QStringLiteral("Date: ") + FormatAt(date, QStringLiteral("@@@@.@@.@@"))) +
           pr::R(20, QStringLiteral("Tel: ") + tel);
  l << QStringLiteral("Time: ") + now.toString(QStringLiteral("HH:mm:ss"));
  l << pr::LB(40, addr);
  l << pr::L(20, pr::SaupNoText(saupNo)) + pr::LB(20, psn);
  l << pr::LB(20, uptae) + pr::LB(14, jongmok);
  l << pr::Dash();
  l << QStringLiteral("밴사제출  : ") + pr::RB(28, VanName(giSetVan));
  l << QStringLiteral("단말기번호: ") + pr::R(28, termNo);
  l << QStringLiteral("회원번호  : ") + pr::R(28, memberNo);
  l << QStringLiteral("승인번호  : ") + pr::R(28, m.PmoCmitNo);
  l << QStringLiteral("거래일시  : ") + pr::R(28, m.PmoCmitDate);
  l << QStringLiteral("승인금액  : ") + pr::R(28, pr::F(m.PmoHab));
  l << pr::Dash();
  return l;
}

void PrintCashReceipt(int16_t saup, const QString &termNo, const QString &memberNo) {
  const QStringList l = CashReceiptLines(saup, termNo, memberNo);
  PrnClear();
  for (int i = 0; i < l.size(); ++i) {
    // The title and the shop's name in double width.
    const bool wide = i == 0 || i == 2;
    if (wide) PrnAddBytes(gsPrnWide, 1);
    PrnAddLine(l[i], wide ? 1 : 0);
    if (wide) PrnAddBytes(gsPrnNormal, 0);
  }
  PrnFeedCut();
  PrnFlush();
}

void AddCashReceiptLog(int32_t logNo, int16_t kind, const QString &text1, const QString &text2,
                       const QString &text3) {
  // The last saved chit, as the settings store has it now (not this program's copy).
  const int32_t chtNo = int32_t(
      NzCur(orv::settings_store::GetSetting(QStringLiteral("goSetBFChtNo"))).RoundToInt());
  WritePosLogsRow(goDbMain, chtNo, logNo, kind, text1, text2, text3, 0);
}

QString CashReceiptLogText(const QString &memberNo) {
  const PanMoneyRec &m = gtPanMoney;
  return memberNo + "," + m.PmoHab.ToPlainText() + "," + m.PmoCmitDate + m.PmoCmitNo;
}
