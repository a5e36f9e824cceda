#include <QVariant>
#include <cmath>
#include <optional>

#include "chit/records.h"
#include "core/byte_text.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/text_format.h"
#include "core/values.h"
#include "platform/clock.h"
#include "platform/codepage.h"
#include "platform/db.h"
#include "platform/settings_store.h"
#include "print/basPrinter.h"
#include "print/delivery.h"
#include "print/receipt.h"
#include "print/receipt_text.h"

namespace {

using orv::Currency;
using orv::print::F;
using orv::print::R;

// A field of exactly n bytes: cut by bytes, padded with blanks, blanks kept.
QString cutPad(const QString &text, int n) {
  const QString s = MidH(text + QString(n, ' '), 1, n);
  return s.isEmpty() ? QString(n, ' ') : s;
}
QString rightPad(const QString &text, int n) {
  const QString s = RightH(QString(n, ' ') + text, n);
  return s.isEmpty() ? QString(n, ' ') : s;
}

QByteArray wide(const QString &text) {
  return gsPrnWide + orv::codepage::Encode(text) + gsPrnNormal;
}

void readCustomer(Currency key) {
  ClearCstRecord();
  ReadCstRecordByKey(key);
}

struct Shop {
  QString prtName, tel;
};
std::optional<Shop> readShop() {
  const auto shop = orv::print::ReadShop();
  if (!shop) return std::nullopt;
  return Shop{shop->prtName, shop->tel};
}

QString goodsText(orv::db::Connection &conn, const QString &sql, const QString &date, int32_t chitNo,
                  const char *su, const char *danga, const char *gum) {
  orv::db::Statement st = conn.Prepare(sql);
  st.Bind(0, date.left(4).toInt());
  st.Bind(1, date.mid(4, 2).toInt());
  st.Bind(2, date.mid(6, 2).toInt());
  st.Bind(3, chitNo);
  orv::db::Recordset rs = st.Query();
  QStringList lines;
  for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
    const QString name = NzStr(rs.Field(QStringLiteral("GcdName")));
    const QString kyg = NzStr(rs.Field(QStringLiteral("GcdKyg")));
    lines << cutPad(name + (kyg.isEmpty() ? QString() : "[" + kyg + "]"), 20) +
                 R(4, F(NzCur(rs.Field(QString::fromLatin1(su))))) +
                 R(8, F(NzCur(rs.Field(QString::fromLatin1(danga))))) +
                 R(8, F(NzCur(rs.Field(QString::fromLatin1(gum)))));
  }
  return lines.join('\'');
}

int copiesSetting() {
  const double n = NzCur(orv::settings_store::GetSetting(QStringLiteral("giBadalPrintSu"))).ToDouble();
  if (n < 1 || n > 3) return 2;
  return int(std::floor(n));
}

}  // namespace

QString DeliveryGoodsText(const QString &saleDate, int32_t chitNo) {
  const QString yymm = orv::print::MonthOf(saleDate);
  return goodsText(goDbMain,
                   QStringLiteral("SELECT B.GcdName, B.GcdKyg, A.PcgSeqNo, A.PcgSu, A.PcgDanga, A.PcgGum FROM PanGods") +
                       yymm +
                       " A LEFT JOIN GdsCode B ON A.PcgGdsKey = B.GcdKey"
                       " WHERE A.PcgYear = ? AND A.PcgMon = ? AND A.PcgDay = ? AND A.PcgChtNo = ?"
                       " ORDER BY A.PcgSeqNo",
                   saleDate, chitNo, "PcgSu", "PcgDanga", "PcgGum");
}

QString DeliveryWatGoodsText(const QString &saleDate, int32_t chitNo) {
  orv::print::MonthOf(saleDate);  // the date must be eight digits here too
  return goodsText(goDbPos,
                   QStringLiteral("SELECT B.GcdName, B.GcdKyg, A.WcgSeqNo, A.WcgSu, A.WcgDanga, A.WcgGum "
                                  "FROM WatGodsT A LEFT JOIN GdsCode B ON A.WcgGdsKey = B.GcdKey"
                                  " WHERE A.WcgYear = ? AND A.WcgMon = ? AND A.WcgDay = ? AND A.WcgChtNo = ?"
                                  " ORDER BY A.WcgSeqNo"),
                   saleDate, chitNo, "WcgSu", "WcgDanga", "WcgGum");
}

void PrintDeliveryChit(Currency cstKey, const QString &saleDate, int32_t chitNo, Currency total,
                       int16_t goodsFlag) {
  const int copies = copiesSetting();
  readCustomer(cstKey);
  const CstCodeRec cst = gtCstCode;
  // An empty shop table leaves the shop line out instead of failing the printout.
  const std::optional<Shop> shop = readShop();
  const QString rule = orv::print::Dash();
  const QString date = QString::number(giWrkYear) + QStringLiteral("년") + QString::number(giWrkMonth) +
                       QStringLiteral("월") + QString::number(giWrkDay) + QStringLiteral("일");
  const QString time = orv::clock::Now().toString(QStringLiteral("HH:mm:ss"));

  SplitText2(gsBdlPrnText, 0, 1);
  QStringList items;
  for (int i = 1; i <= giSplitItemCount; ++i) items << gsSplitItem[i];

  for (int copy = 1; copy <= copies; ++copy) {
    PrnClear();
    const char *const titles[] = {"배 달 전 표(배송용)", "배 달 전 표(접수증)", "배 달 전 표(보관용)"};
    PrnAddBytes(wide(QString::fromUtf8(titles[copy - 1])));
    PrnAddLine(rule);
    PrnAddLine(cutPad(date, 20) + R(20, time));
    PrnAddLine(rule);
    PrnAddLine(QStringLiteral("전 표 번 호: ") + ("000000" + QString::number(chitNo)).right(6) +
               (giOnLine == 2 ? QStringLiteral("(Off)") : QString()));
    PrnAddLine(QStringLiteral("고 객 번 호: ") + cst.CcdNo.ToPlainText());
    PrnAddLine(QStringLiteral("성명(상호) : ") + cst.CcdName + "(" + cst.CcdEMail + ")");
    PrnAddLine(QStringLiteral("전 화 번 호: ") + cst.CcdTel);
    PrnAddLine(QStringLiteral("핸  드  폰 : ") + cst.CcdHp);
    PrnAddBytes(orv::codepage::Encode(QStringLiteral("주      소 : ")) + QByteArray("\x1b!\x20", 3) +
                orv::codepage::Encode(cst.CcdJuso) + QByteArray("\x1b!\x00", 3));
    PrnAddBytes(wide(QStringLiteral("합 계: ") + R(12, F(total)) + QStringLiteral("원")));
    PrnAddLine(QStringLiteral("지 불 여 부: 완불,미불") + QString(17, ' ') + QStringLiteral("원"));

    if (copy != 2 || !items.isEmpty()) {
      PrnAddLine(rule);
      PrnAddBytes(wide(QStringLiteral("내용: ") + (giBdlPrnCard == 1 ? QStringLiteral("카드판매") : QString())));
      for (const QString &item : items) {
        PrnAddBytes(wide(MidH(item, 1, 20)));
        PrnAddBytes(wide(rightPad(MidH(item, 21, 20).trimmed(), 20)));
      }
      if (copy != 2)
        for (int i = 0; i < 12 - 2 * int(items.size()); ++i) PrnAddLine(QString());
    }
    PrnAddLine(rule);
    if (shop) PrnAddLine(cutPad(shop->prtName, 20) + rightPad(QStringLiteral(" Tel. ") + shop->tel, 20));
    PrnAddLine(rule);
    PrnAddLine(cutPad(QStringLiteral("계산대:") + ("0000" + QString::number(giSetPosNo)).right(4), 18) +
               rightPad(QStringLiteral("계산원:(") + ("0000" + gcPcdNo.ToPlainText()).right(4) + ")" + gsPcdName,
                        22));
    if (copy == 1 && goodsFlag == 1 && chitNo != 0) {
      PrnAddLine(QString());
      const QString goods =
          giBdlPrnCard != 0 ? DeliveryWatGoodsText(saleDate, chitNo) : DeliveryGoodsText(saleDate, chitNo);
      SplitText2(goods, 0, 1);
      for (int i = 1; i <= giSplitItemCount; ++i) PrnAddLine(gsSplitItem[i]);
    }
    PrnFeedCut();
    PrnFlush();
  }
}

void SetBaDalPrintRec(const QString &saleDate, int32_t chitNo, Currency total) {
  const CstCodeRec &c = gtCstCode;
  DlvChitRec r;
  r.DlvYear = int16_t(saleDate.left(4).toInt());
  r.DlvMon = int16_t(saleDate.mid(4, 2).toInt());
  r.DlvDay = int16_t(saleDate.mid(6, 2).toInt());
  r.DlvDate = saleDate;
  r.DlvNo = chitNo;
  r.DlvChtNo = 0;
  r.DlvPosNo = giSetPosNo;
  r.DlvPsnKey = gcLogPsnKey;
  r.DlvBdlKey = c.CcdNo;
  r.DlvCstKey = c.CcdKey;
  r.DlvHab = total;
  r.DlvName = LeftByte(c.CcdName + (c.CcdEMail.isEmpty() ? QString() : "[" + c.CcdEMail + "]"), 30).trimmed();
  r.DlvTele = c.CcdBarcode;
  r.DlvPost = c.CcdPost.trimmed();
  r.DlvJuso = c.CcdJuso.trimmed();
  const QDateTime now = orv::clock::Now();
  r.DlvWrtDate = now.toString(QStringLiteral("yyyyMMdd"));
  r.DlvWrtTime = now.toString(QStringLiteral("HHmmss"));
  r.DlvSss5 = c.CcdDegree;
  gtDlvChit = r;
}

bool SaveDlvChit(const QString &saleDate, int32_t chitNo, Currency total) {
  SetBaDalPrintRec(saleDate, chitNo, total);
  orv::db::Transaction tx(goDbMain);
  if (orv::print::DlvChitExists(gtDlvChit)) return false;
  orv::print::InsertDlvChitRow(gtDlvChit);
  tx.Commit();
  return true;
}
