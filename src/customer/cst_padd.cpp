#include "customer/cst_padd.h"

#include <QRegularExpression>
#include <optional>

#include "core/byte_text.h"
#include "core/dates.h"
#include "core/globals.h"
#include "core/money_ops.h"
#include "core/pos_settings.h"
#include "core/text_format.h"
#include "core/values.h"
#include "customer/cst_points.h"
#include "customer/ts_tables.h"
#include "platform/db.h"
#include "print/basPrinter.h"

namespace orv::padd {

using money::operator+;

namespace {

db::Connection &CstConn(bool ts) { return ts ? goDbTs : goDbMain; }

QString Yymm(int year, int mon) { return FmtYyMm(int16_t(year), int16_t(mon)); }

void BindKey(db::Statement &st, int from, int year, int mon, int day, int32_t chtNo) {
  st.Bind(from, year);
  st.Bind(from + 1, mon);
  st.Bind(from + 2, day);
  st.Bind(from + 3, chtNo);
}

QString Last(const QString &pad, const QString &text, int n) { return (pad + text).right(n); }

QString HeadLine(const PrintInput &in) {
  const QString date = Last("0000", QString::number(in.wrkYear), 4) + QStringLiteral("년 ") +
                       Last("00", QString::number(in.wrkMonth), 2) + QStringLiteral("월 ") +
                       Last("00", QString::number(in.wrkDay), 2) + QStringLiteral("일");
  return LeftH(date + QString(20, ' '), 20) + (QString(20, ' ') + in.time).right(20);
}

QString PointLine(const char *label, Currency v) {
  return QString::fromUtf8(label) + (QString(27, ' ') + FmtAmt(v, 0)).right(27);
}

QStringList CustomerLines(const Customer &c) {
  return {QStringLiteral("고 객 번 호: ") + QString::number(c.no),
          QStringLiteral("바  코  드 : ") + c.barcode,
          QStringLiteral("성명 (상호): ") + c.name + " (" + NzStr(c.email) + ")",
          QStringLiteral("전 화 번 호: ") + c.tel,
          QStringLiteral("핸  드  폰 : ") + c.hp};
}

QString ClosingLine(const PrintInput &in) {
  const QString left = LeftH(QStringLiteral("계산대:") + Last("0000", QString::number(in.posNo), 4) +
                                 QString(20, ' '),
                             18);
  const QString right = RightH(QString(22, ' ') + QStringLiteral("계산원:") + "(" +
                                   Last("0000", in.pcdNo.ToPlainText(), 4) + ")" + in.pcdName,
                               22);
  return left + right;
}

const QString kRule(40, '-');

}  // namespace

std::optional<ReceiptCode> ParseReceiptCode(const QString &digits) {
  static const QRegularExpression fourteen(QStringLiteral("^[0-9]{14}$"));
  if (!fourteen.match(digits).hasMatch()) return std::nullopt;
  return ReceiptCode{2000 + digits.mid(0, 2).toInt(), digits.mid(2, 2).toInt(),
                     digits.mid(4, 2).toInt(), digits.mid(6, 6).toInt(),
                     digits.mid(12, 2).toInt()};
}

ChitPoints ReadPanChitPoint(int year, int mon, int day, int32_t chtNo, bool ts) {
  ChitPoints out;
  if (year == 0 || mon == 0 || day == 0 || chtNo == 0) return out;
  if (mon < 1 || mon > 12 || year < 2000 || year > 2099) return out;
  const QString table = "PanChit" + Yymm(year, mon);
  if (!goDbMain.TableExists(table)) return out;
  db::Statement st = goDbMain.Prepare(" Select PctHab, PctChk, PctCstKey From " + table +
                                      " Where PctYear=? And PctMon=? And PctDay=? And PctChtNo=? ");
  BindKey(st, 0, year, mon, day, chtNo);
  const db::Recordset rs = st.Query();
  if (rs.RecordCount() == 0) return out;
  out.hab = NzCur(rs.Field("PctHab"));
  out.chk = NzCur(rs.Field("PctChk"));
  out.cstKey = NzCur(rs.Field("PctCstKey"));
  if (!out.cstKey.IsZero()) {
    db::Statement c = CstConn(ts).Prepare(" Select CcdNo, CcdName From CstCode Where CcdKey=? ");
    c.Bind(0, BindCur(out.cstKey));
    const db::Recordset crs = c.Query();
    if (crs.RecordCount() > 0) {
      out.cstNo = int32_t(NzCur(crs.Field("CcdNo")).RoundToInt());
      out.cstName = NzStr(crs.Field("CcdName"));
    }
  }
  return out;
}

Customer ReadCstForPoints(int kind, int32_t number, const QString &text, bool ts) {
  Customer out;
  if ((kind == 0 && number == 0) || (kind != 0 && text.isEmpty())) return out;
  db::Connection &conn = CstConn(ts);
  db::Statement st;
  if (kind == 0) {
    st = conn.Prepare(" Select * From CstCode Where CcdNo=? ");
    st.Bind(0, number);
  } else if (kind == 1) {
    st = conn.Prepare(" Select * From CstCode Where CcdBarcode=? ");
    st.Bind(0, text);
  } else {
    st = conn.Prepare(" Select * From CstCode Where CcdNo=? Or CcdBarcode=? ");
    st.Bind(0, ValAbsLng(text));
    st.Bind(1, text);
  }
  const db::Recordset rs = st.Query();
  if (rs.RecordCount() == 0) return out;
  out.key = NzCur(rs.Field("CcdKey"));
  out.no = int32_t(NzCur(rs.Field("CcdNo")).RoundToInt());
  out.zerdo = NzCur(rs.Field("CcdZerdo"));
  out.jumsu = NzCur(rs.Field("CcdJumsu"));
  out.barcode = NzStr(rs.Field("CcdBarcode"));
  out.name = NzStr(rs.Field("CcdName"));
  out.email = NzStr(rs.Field("CcdEMail"));
  out.tel = NzStr(rs.Field("CcdTel"));
  out.hp = NzStr(rs.Field("CcdHp"));
  out.juso = NzStr(rs.Field("CcdJuso"));
  return out;
}

QString CheckCredit(int32_t chtNo, const ChitPoints &chit, const Customer &cst, int year,
                    int mon, int day, int wrkYear, int wrkMonth) {
  if (chtNo == 0) return QStringLiteral("* 판매 전표가 없습니다 ..... !");
  if (chit.chk.IsZero()) return QStringLiteral("* 판매 포인트가 없습니다 ..... !");
  if (!chit.cstKey.IsZero()) return QStringLiteral("* 이미 등록한 전표입니다 ..... !");
  if (cst.key.IsZero() || cst.no == 0) return QStringLiteral("* 고객을 선택 하십시오 ..... !");
  int py = wrkYear, pm = wrkMonth - 1;
  if (pm == 0) {
    pm = 12;
    --py;
  }
  const QString first = FmtYmd(int16_t(py), int16_t(pm), 1, 0, 0);
  if (FmtYmd(int16_t(year), int16_t(mon), int16_t(day), 0, 0) < first)
    return QStringLiteral("* 기일경과 (당월,전월만 해당됨) ..... !");
  return {};
}

CreditResult CreditChit(int year, int mon, int day, int32_t chtNo, const ChitPoints &chit,
                        Currency cstKey, bool ts) {
  const QString yymm = Yymm(year, mon);
  const QString chitTable = "PanChit" + yymm;
  if (ts) EnsureTsMonth(int16_t(yymm.toInt()));
  db::Connection &cc = CstConn(ts);
  const QString ledger = ts ? "CstWnjgT" + yymm : QStringLiteral("CstWnjg");
  auto claim = [&](Currency key, Currency where) {
    db::Statement st = goDbMain.Prepare(
        " Update " + chitTable + " Set PctCstKey=? Where PctYear=? And PctMon=? And PctDay=? "
        "And PctChtNo=? And " +
        (where.IsZero() ? QStringLiteral("(PctCstKey=0 Or PctCstKey Is Null)")
                        : QStringLiteral("PctCstKey=?")) +
        " ");
    st.Bind(0, BindCur(key));
    BindKey(st, 1, year, mon, day, chtNo);
    if (!where.IsZero()) st.Bind(5, BindCur(where));
    return st.Execute();
  };
  {
    db::Transaction tm(goDbMain);
    std::optional<db::Transaction> tt;
    if (ts) tt.emplace(cc);
    if (claim(cstKey, {}) != 1) return CreditResult::AlreadyCredited;
    db::Statement read = cc.Prepare(" Select * From CstCode Where CcdKey=? ");
    read.Bind(0, BindCur(cstKey));
    const db::Recordset rs = read.Query();
    if (rs.RecordCount() == 0) return CreditResult::NoCustomer;
    const Currency t = NzCur(rs.Field("CcdTzerdo")), tj = NzCur(rs.Field("CcdTjumsu"));
    const Currency y = NzCur(rs.Field("CcdZerdo")), yj = NzCur(rs.Field("CcdJumsu"));
    const Currency amount = chit.hab, points = chit.chk;
    db::Statement up = cc.Prepare(
        " Update CstCode Set CcdTzerdo=?,CcdTjumsu=?,CcdZerdo=?,CcdJumsu=? Where CcdKey=? ");
    up.Bind(0, BindCur(amount > Currency() ? t + amount : t));
    up.Bind(1, BindCur(points > Currency() ? tj + points : tj));
    up.Bind(2, BindCur(y + amount));
    up.Bind(3, BindCur(yj + points));
    up.Bind(4, BindCur(cstKey));
    up.Execute();
    LedgerRow row;
    row.key = cstKey;
    row.goods = QStringLiteral("고객점수추가(영수증)");
    row.yZerdo = y;
    row.yJumsu = yj;
    row.zerdo = amount;
    row.jumsu = points;
    row.bigo = "Pos[" + QString::number(giLogPosNo) + "]";
    row.kind = 1;
    InsertLedgerRow(cc, ledger, row, ts);
    tm.Commit();
    if (!tt) return CreditResult::Credited;
    try {
      tt->Commit();
      return CreditResult::Credited;
    } catch (const db::DbError &) {
      // The shop's side is committed: take the claim back where it still holds.
      db::Transaction back(goDbMain);
      claim(Currency(), cstKey);
      back.Commit();
      throw;
    }
  }
}

QStringList PointAddedLines(const PrintInput &in) {
  QStringList l{QStringLiteral("점 수 추 가(영수증)"), kRule, HeadLine(in), kRule,
                QStringLiteral("전 표 번 호: ") + in.chitLine};
  l << CustomerLines(in.cst);
  l << PointLine("이 전 점 수: ", in.yPoint) << PointLine("추 가 점 수: ", in.point)
    << PointLine("현 재 점 수: ", in.nPoint) << kRule << ClosingLine(in);
  return l;
}

QStringList CurrentPointLines(const PrintInput &in) {
  QStringList l{QStringLiteral("고객 점수 확인"), kRule, HeadLine(in), kRule};
  l << CustomerLines(in.cst);
  l << PointLine("현 재 점 수: ", in.nPoint) << kRule << ClosingLine(in);
  return l;
}

void PrintLines(const QStringList &lines) {
  if (giSetPrint == 0 || lines.isEmpty()) return;
  PrnClear();
  PrnAddBytes(gsPrnWide, 1);
  PrnAddLine(lines.first(), 1);
  PrnAddBytes(gsPrnNormal);
  for (int i = 1; i < lines.size(); ++i) PrnAddLine(lines[i]);
  PrnFeedCut();
  PrnFlush();
}

}  // namespace orv::padd
