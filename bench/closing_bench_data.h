#pragma once
// The day-end closing's bench data on goDbPos: three months of chits (a list row and four
// goods lines each, ten cashiers), the logged-in cashier 15's open chits among them, 2,000
// goods in departments and suppliers, an opening cash, three open deposits, a month of cash
// history, and a saved closing of 20250116 listing the cashier's chits.
#include <algorithm>

#include "bench_support.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "print/basPrinter.h"
#include "platform/settings_store.h"
#include "schema/check_tables.h"
#include "schema/month_tables.h"

namespace closingbench {

inline const char *const kMonths[] = {"2412", "2501", "2502"};
constexpr int kGoods = 2000;
constexpr int kCashier = 15;

inline void FillCodes(orv::db::Connection &c) {
  orvbench::BatchInsert trs(c, "INSERT INTO TrsCode (TcdKey,TcdNo,TcdName)", 3, 50);
  for (int t = 1; t <= 50; ++t) trs.Add({500 + t, t, QString("매입처 %1").arg(t)});
  trs.Finish();
  orvbench::BatchInsert ext(c, "INSERT INTO ExtCode (EcdKey,EcdIO,EcdNo,EcdName)", 4, 60);
  for (int io = 101; io <= 103; ++io)
    for (int e = 1; e <= 20; ++e) ext.Add({io * 100 + e, io, e, QString("부문 %1-%2").arg(io).arg(e)});
  ext.Finish();
  orvbench::BatchInsert gds(c,
                            "INSERT INTO GdsCode (GcdKey,GcdNo,GcdName,GcdSel1,GcdMeipKey,GcdBmn1Key,"
                            "GcdBmn2Key,GcdBmn3Key)",
                            8, 100);
  for (int g = 1; g <= kGoods; ++g)
    gds.Add({g, g, QString("상품 %1").arg(g), g % 50 == 0 ? 9 : 0, 501 + g % 50, 10101 + g % 20,
             10201 + g % 20, 10301 + g % 20});
  gds.Finish();
  orvbench::BatchInsert psn(c, "INSERT INTO PsnCode (PcdKey,PcdNo,PcdName)", 3, 10);
  for (int p = 15; p <= 24; ++p) psn.Add({p, p, QString("계산원 %1").arg(p)});
  psn.Finish();
}

// chitsPerMonth chits in each of the three months; the cashier holds open of them, spread
// over the window; every other chit belongs to one of nine other cashiers and is closed.
inline void FillChits(orv::db::Connection &c, int chitsPerMonth, int open) {
  const int every = std::max(1, 3 * chitsPerMonth / std::max(open, 1));
  int mine = 0;
  for (int m = 0; m < 3; ++m) {
    const QString yymm = kMonths[m];
    const QString date = "20" + yymm + "15";
    const int year = 2000 + yymm.left(2).toInt(), mon = yymm.right(2).toInt();
    orvbench::BatchInsert chit(c,
                               "INSERT INTO PanChitT" + yymm +
                                   " (PctYear,PctMon,PctDay,PctDate,PctChtNo,PctPosNo,PctPsnKey,"
                                   "PctTrsKey,PctHab,PctMoney,PctCard,PctOiSang,PctRGum,PctGum,"
                                   "PctBuga,PctCdComNo,PctCdComName,PctSss2,PctSss3)",
                               19, 50);
    orvbench::BatchInsert list(c,
                               "INSERT INTO PanListT" + yymm +
                                   " (PclYear,PclMon,PclDay,PclDate,PclChtNo,PclPosNo,PclPsnKey,"
                                   "PclSel,PclJaSangPum)",
                               9, 100);
    orvbench::BatchInsert line(c,
                               "INSERT INTO PanGodsT" + yymm +
                                   " (PcgYear,PcgMon,PcgDay,PcgDate,PcgChtNo,PcgSeqNo,PcgGdsKey,"
                                   "PcgSu,PcgGum)",
                               9, 100);
    for (int n = 1; n <= chitsPerMonth; ++n) {
      const bool own = mine < open && n % every == 0;
      if (own) ++mine;
      const int psn = own ? kCashier : 16 + n % 9;
      const int card = n % 3 == 0 ? 10000 : 0, credit = n % 7 == 0 ? 5000 : 0;
      chit.Add({year, mon, 15, date, n, 3, psn, 501 + n % 60, 10000, 10000 - card - credit, card,
                credit, n % 11 == 0 ? 3000 : 0, 9091, 909,
                QString("%1").arg(n % 12, 4, 10, QChar('0')), QString("카드사 %1").arg(n % 12),
                n % 11 == 0 ? 9 : 0, own ? 0 : 1});
      list.Add({year, mon, 15, date, n, 3, psn, 0, n % 13 == 0 ? 1000 : 0});
      for (int s = 1; s <= 4; ++s)
        line.Add({year, mon, 15, date, n, s, 1 + (n * 4 + s) % kGoods, s == 4 ? -1 : 1,
                  s == 4 ? -2500 : 2500});
    }
    chit.Finish();
    list.Finish();
    line.Finish();
  }
}

// The cash side: an opening cash, three open deposits today, a month of closed history, and
// the saved closing 20250116 / 1 over the cashier's chits with its TemChit row.
inline void FillCash(orv::db::Connection &c) {
  c.Execute("INSERT INTO InitGum (IntPosNo,IntPsnKey,IntDate,IntTime,IntInitGum,IntMidGum) "
            "VALUES (3,15,'20250115','080000',100000,0)");
  orvbench::BatchInsert log(c,
                            "INSERT INTO InitGumLog (IntYear,IntMon,IntDay,IntDate,IntSeqNo,"
                            "IntPosNo,IntPsnKey,IntInitGum,IntMidGum,IntWrtdate,IntWrttime,IntGuBun,"
                            "IntGuBun1)",
                            13, 50);
  for (int d = 1; d <= 31; ++d) {
    const QString date = QString("202501%1").arg(d, 2, 10, QChar('0'));
    const bool today = d == 15;
    for (int s = 1; s <= 4; ++s)
      log.Add({2025, 1, d, date, s, 3, kCashier, s == 1 ? 100000 : 0, s == 1 ? 0 : 10000, date,
               QString("%1%2").arg(9 + s, 2, 10, QChar('0')).arg("0000"), s == 1 ? 1 : 0,
               today ? (s == 1 ? 0 : 2) : 1});
  }
  log.Finish();
  for (int m = 0; m < 3; ++m)
    c.Execute(QString("INSERT INTO TemDetail (TmdDate,TmdChtNo,TmdPsnKey,TmdSeq,TmdPctDate,"
                      "TmdPctChtNo) SELECT '20250116',1,15,PctChtNo+%2,PctDate,PctChtNo "
                      "FROM PanChitT%1 WHERE PctPsnKey=15")
                  .arg(kMonths[m])
                  .arg(m * 1000000));
  orvbench::BatchInsert tem(c, "INSERT INTO TemChit (TemDate,TemChtNo,TemPsnKey,TemTime,TemBigo)",
                            5, 50);
  for (int d = 1; d <= 31; ++d)
    tem.Add({QString("202501%1").arg(d, 2, 10, QChar('0')), 1, kCashier, "200000",
             QString("마감 %1").arg(d)});
  tem.Finish();
}

// A fresh POS database (SQLite, or PostgreSQL when pg) as goDbPos and goDbMain, filled, with
// the work date 2025-01-15 and cashier 15 logged in on POS 3.
inline void SetUp(orvbench::Databases &dbs, bool pg, int chitsPerMonth, int open) {
  orv::state::ResetProgramState();
  goDbPos.Close();
  goDbMain.Close();
  const QString text = dbs.New(pg);
  goDbPos.Open(text);
  goDbMain.Open(text);
  CheckDBTables();
  CreateWatGodsTSpeedTable();
  for (const char *m : kMonths) {
    CreatePanChitTTable({}, int16_t(QString(m).toInt()));
    CreatePanListTTable({}, int16_t(QString(m).toInt()));
    CreatePanGodsTTable({}, int16_t(QString(m).toInt()));
  }
  {
    orv::db::Transaction tx(goDbPos);
    FillCodes(goDbPos);
    FillChits(goDbPos, chitsPerMonth, open);
    FillCash(goDbPos);
    tx.Commit();
  }
  if (pg) goDbPos.Execute("ANALYZE");
  giWrkYear = 2025;
  giWrkMonth = 1;
  giWrkDay = 15;
  giSetPosNo = 3;
  gcLogPsnKey = orv::Currency::Won(kCashier);
  gcPcdNo = orv::Currency::Won(kCashier);
  gsPcdName = "계산원 15";
  giSetVan = 4;
  gsSetPrnPort = "LPT1";
  InitPrnCodes();
}

}  // namespace closingbench
