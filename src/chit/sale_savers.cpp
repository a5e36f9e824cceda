#include "chit/sale_savers.h"

#include <QStringList>

#include "chit/chit_numbers.h"
#include "chit/etc_chits.h"
#include "chit/field_list.h"
#include "chit/records.h"
#include "chit/pan_money.h"
#include "chit/saver_state.h"
#include "chit/ts_records.h"
#include "chit/unique_key.h"
#include "core/card_ret.h"
#include "core/dates.h"
#include "core/globals.h"
#include "core/options.h"
#include "core/values.h"
#include "platform/clock.h"
#include "platform/dialogs.h"

using orv::chit::StepFailure;
using orv::db::Connection;
using orv::db::DbError;
using orv::db::SqlText;

namespace orv::chit {
PosHalfDeletes gPosHalfDeletes;
}

namespace {

constexpr int kHeaderTries = 5;
const QString kWatDelMsg = QStringLiteral("전표기록시 대기삭제중 오류");
const QString kBdlDelMsg = QStringLiteral("전표기록시 배달삭제중 오류");

template <class R>
QString Insert(const QString &table, const R &rec) {
  const auto fields = orv::chit::Fields<R>();
  return "Insert into " + table + orv::chit::WorkMonthSuffix() + "(" +
         orv::chit::ColumnList<R>(fields) + ") Values(" + orv::chit::ValueList<R>(rec, fields) +
         ")";
}

QString Delete(const QString &table, const QString &prefix, const PanChitRec &h) {
  return "Delete From " + table + orv::chit::WorkMonthSuffix() + " Where " +
         orv::chit::DateWhere(prefix, h.PctDate) + " And " + prefix +
         "ChtNo=" + QString::number(h.PctChtNo);
}

void Run(Connection &conn, const QString &label, const QString &sql) {
  try {
    conn.Execute(sql);
  } catch (const DbError &e) {
    throw StepFailure{label, e, sql};
  }
}

// A preparation of the point server's copy: its failure is the saver's under its name.
void Prepare(const char *label, void (*move)()) {
  try {
    move();
  } catch (const DbError &e) {
    throw StepFailure{QString::fromLatin1(label), e, {}};
  }
}

// Three deletes of a held or delivery chit: all run (each under a savepoint, so a failure
// does not stop the others on PostgreSQL); the first error fails the step.
void RunDeletes(Connection &conn, const QString &label, const QString &shown,
                const QStringList &sqls) {
  std::optional<DbError> first;
  for (const QString &sql : sqls) {
    std::optional<DbError> e = conn.TryExecute(sql);
    if (e && !first) first = e;
  }
  if (first) throw StepFailure{label, *first, shown};
}

// The deletes of a held (prefixes Wct, Wcg, WcgS) or delivery chit (Bct, Bcg, BcgS).
QStringList EtcDeletes(const QString &chit, const QString &gods, const QString &speed,
                       const QString &p, const QString &date, int32_t no) {
  const QString n = QString::number(no);
  const QString d = SqlText(date);
  const QString g = p.left(2) + "g";
  return {" Delete From " + chit + " Where " + orv::chit::DateWhere(p.left(2) + "t", date) +
              " And " + p.left(2) + "tChtNo=" + n,
          " Delete From " + gods + " Where " + g + "Date=" + d + " And " + g + "ChtNo=" + n,
          " Delete From " + speed + " Where " + g + "SDate=" + d + " And " + g + "SChtNo=" + n};
}

void ShowFailure(const StepFailure &f) {
  if (!f.shown.isEmpty()) orv::dialogs::MsgBox(f.shown, orv::dialogs::kOkOnly);
}

QString FailText(const StepFailure &f) {
  gsSaveErr = orv::chit::SaveErrText(f.label, f.error);
  glSaveChtNo = 0;
  return gsSaveErr;
}

int16_t WorkYyMm() { return YyMmNum(giWrkYear, giWrkMonth); }

}  // namespace

// ------------------------------------------------------------------ builders

QString gsPanChitInsSql() { return Insert("PanChit", gtPanChit); }
QString gsPanListInsSql() { return Insert("PanList", gtPanList); }
QString gsPanCardInsSql(int16_t slot) { return Insert("PanCard", gtPanCard[slot]); }
QString gsPanGodsInsSql(int32_t line) {
  PanGodsLine l = gtPanGods[line];
  l.PcgChtNo = glSaveChtNo;
  return Insert("PanGods", l);
}
QString gsPanChitDelSql() { return Delete("PanChit", "Pct", gtPanChit); }
QString gsPanListDelSql() { return Delete("PanList", "Pcl", gtPanChit); }
QString gsPanGodsDelSql() { return Delete("PanGods", "Pcg", gtPanChit); }

QString gsPanChitTInsSql() { return Insert("PanChitT", gtPanChitT); }
QString gsPanListTInsSql() { return Insert("PanListT", gtPanListT); }
QString gsPanCardTInsSql(int32_t slot) { return Insert("PanCardT", gtPanCardT[slot]); }
QString gsPanGodsTInsSql(int32_t line) {
  PanGodsLine l = gtPanGodsT[line];
  l.PcgChtNo = glSaveChtNo;
  return Insert("PanGodsT", l);
}
QString gsPanChitTDelSql() { return Delete("PanChitT", "Pct", gtPanChitT); }
QString gsPanGodsTDelSql() { return Delete("PanGodsT", "Pcg", gtPanChitT); }
QString gsPanListTDelSql() { return Delete("PanListT", "Pcl", gtPanChitT); }

// ------------------------------------------------------------------ numbering

int32_t NextPanChtNo(const QString &date, int16_t source, int16_t yymm) {
  return orv::chit::NextPanChtNoFor(date, source, yymm, !gtPanChit.PctOisang.IsZero());
}

namespace orv::chit {

int32_t ChooseSaleChitNo(bool allowPick) {
  int32_t no = 0;
  if (giOnLine == 1) {
    if (allowPick && giOisangPick != 0 && glOisangChtNo != 0)
      no = glOisangChtNo;
    else if (giChitNoSeq == 0)
      no = NewChitNo(1);
    else
      no = NextPanChtNo(gtPanChit.PctDate, 0, WorkYyMm());
  } else {
    no = giChitNoSeq == 0 ? NewChitNo(2) : NextPanChtNo(gtPanChit.PctDate, 1, WorkYyMm());
  }
  if (no > 999999) no = 1;
  return no;
}

}  // namespace orv::chit

// ------------------------------------------------------------------ the sale chit

namespace {

void SetNumber(int32_t no) {
  gtPanChit.PctChtNo = no;
  glSaveChtNo = no;
}

// The header insert. A key violation means another checkout took the number between the
// choice and the insert: choose again (never the picked credit chit's number) and retry
// under a savepoint.
void InsertHeader() {
  for (int attempt = 1;; ++attempt) {
    const QString sql = gsPanChitInsSql();
    std::optional<DbError> e = goDbMain.TryExecute(sql);
    if (!e) return;
    if (!orv::chit::IsUniqueKeyError(*e) || attempt >= kHeaderTries)
      throw StepFailure{"gsPanChitInsSql", *e, sql};
    try {
      // The rule may count other rows than the table written (offline it counts the POS
      // copies): move on past the numbers this table holds.
      SetNumber(orv::chit::FirstFreeChitNo(goDbMain, "PanChit" + orv::chit::WorkMonthSuffix(),
                                           "Pct", gtPanChit.PctDate,
                                           orv::chit::ChooseSaleChitNo(false)));
    } catch (const DbError &ce) {
      throw StepFailure{"gsPanChitInsert", ce, {}};
    }
  }
}

void WriteSaleChit(int16_t kind) {
  InsertHeader();
  Prepare("gtMovePanChitTs", &gtMovePanChitTs);
  gtPanList.PclChtNo = glSaveChtNo;
  Run(goDbMain, "gsPanListInsSql", gsPanListInsSql());
  Prepare("gtMovePanListTs", &gtMovePanListTs);
  for (int16_t slot = 0; slot < kMaxCardSlots; ++slot) {
    if (!gtPanCard[slot].InUse()) continue;
    gtPanCard[slot].PcdChtNo = glSaveChtNo;
    Run(goDbMain, orv::chit::StepLabel("gsPanCardInsSql", slot), gsPanCardInsSql(slot));
  }
  if (!gtCstCode.CcdKey.IsZero()) {
    gtCstCode.CcdLpdate = orv::clock::Now().date().toString("yyyyMMdd");
    const QString sql = gsCstCodeUptSql();
    if (giCstTsMode == 0) Run(goDbMain, "gsCstCodeUptSql", sql);
    Prepare("gtMoveCstCodeTs", &gtMoveCstCodeTs);
  }
  for (int line = 1; line <= kMaxChitLines; ++line) {
    if (gtPanGods[line].PcgGdsKey.IsZero()) continue;
    gtPanGods[line].PcgChtNo = glSaveChtNo;
    Run(goDbMain, orv::chit::StepLabel("gsPanGodsInsSql", line), gsPanGodsInsSql(line));
  }
  if (kind == 0 && gtWatChit.ChtNo != 0) {
    const QString d = SqlText(gtWatChit.Date);
    const QString n = QString::number(gtWatChit.ChtNo);
    RunDeletes(goDbMain, "gsWatChitDelSql", kWatDelMsg,
               {" Delete From WatChit Where WctDate=" + d + " And WctChtNo=" + n + " ",
                " Delete From WatGods Where WcgDate=" + d + " And WcgChtNo=" + n + " ",
                " Delete From WatGodsSpeed Where WcgSDate=" + d + " And WcgSChtNo=" + n + " "});
  }
}

}  // namespace

QString gsPanChitInsert(int16_t owned, int16_t kind) {
  gsSaveErr.clear();
  giChitNoSeq = int16_t(GetRegInt("PosChitNoSeq"));
  const PanChitRec chit = gtPanChit;
  const PanGodsRec gods = gtPanGods;
  glSaveChtNo = gtPanChit.PctChtNo;
  try {
    orv::chit::OwnTransaction tx(goDbMain, owned == 0);
    try {
      SetNumber(orv::chit::ChooseSaleChitNo(true));
    } catch (const DbError &e) {
      throw StepFailure{"gsPanChitInsert", e, {}};
    }
    if (kind == 0) {
      auto withVouchers = orv::Currency::Add(gtPanChit.PctMoney, gtPanList.PclJaSangPum);
      if (withVouchers) withVouchers = orv::Currency::Add(*withVouchers, gtPanList.PclTaSangPum);
      if (!withVouchers)
        throw StepFailure{"gsPanChitInsert", DbError(6, QStringLiteral("오버플로: PctMoney")), {}};
      gtPanChit.PctMoney = *withVouchers;
    }
    WriteSaleChit(kind);
    tx.Commit();
    return {};
  } catch (const StepFailure &f) {
    ShowFailure(f);
    const QString text = FailText(f);
    gtPanChit = chit;
    gtPanGods = gods;
    return text;
  } catch (const DbError &e) {
    const QString text = FailText({"gsPanChitInsert", e, {}});
    gtPanChit = chit;
    gtPanGods = gods;
    return text;
  }
}

// ------------------------------------------------------------------ the POS copy

namespace orv::chit {

void WritePosCopy(int32_t number, const PosHalfDeletes &deletes) {
  gtPanChitT.PctChtNo = number;
  glSaveChtNo = number;
  Run(goDbPos, "gsPanChitTInsSql", gsPanChitTInsSql());
  gtPanListT.PclChtNo = number;
  Run(goDbPos, "gsPanListTInsSql", gsPanListTInsSql());
  for (int slot = 0; slot < kMaxCardSlots; ++slot) {
    if (!gtPanCardT[slot].InUse()) continue;
    gtPanCardT[slot].PcdChtNo = number;
    Run(goDbPos, StepLabel("gsPanCardTInsSql", slot), gsPanCardTInsSql(slot));
  }
  for (int line = 1; line <= kMaxChitLines; ++line) {
    if (gtPanGodsT[line].PcgGdsKey.IsZero()) continue;
    gtPanGodsT[line].PcgChtNo = number;
    Run(goDbPos, StepLabel("gsPanGodsTInsSql", line), gsPanGodsTInsSql(line));
  }
  if (!deletes.watDate.isEmpty())
    RunDeletes(goDbPos, "gsWatChitTDelSql", kWatDelMsg,
               EtcDeletes("WatChitT", "WatGodsT", "WatGodsTSpeed", "Wc", deletes.watDate,
                          deletes.watNo));
  if (!deletes.bdlDate.isEmpty())
    RunDeletes(goDbPos, "gsBdlChitDelSql", kBdlDelMsg,
               EtcDeletes("BdlChit", "BdlGods", "BdlGodsSpeed", "Bc", deletes.bdlDate,
                          deletes.bdlNo));
}

}  // namespace orv::chit

namespace {

// The held or delivery chit the sale was recalled from, found by its write date, time and
// total (the delivery chit by its number too). A failing look-up fails the save: passing
// it over would leave the chit to be paid again. Only "no row" goes on.
void FindRecalledChits(orv::chit::PosHalfDeletes &out) {
  if (gtWatChit.ChtNo != 0) {
    try {
      orv::db::Recordset rs = goDbPos.OpenRecordset(
          " Select * From WatChitT Where WctWrtDate=" + SqlText(gtWatChit.WrtDate) +
          " And WctWrtTime=" + SqlText(gtWatChit.WrtTime) +
          " And WctHab=" + gtWatChit.Hab.ToPlainText() + " Order By WctChtNo");
      if (rs.RecordCount() > 0) {
        out.watDate = NzStr(rs.Field("WctDate"));
        out.watNo = orv::chit::NarrowWhole<int32_t>(NzCur(rs.Field("WctChtNo")), "WctChtNo");
      }
    } catch (const DbError &e) {
      throw StepFailure{"gsWatChitTDelSql", e, kWatDelMsg};
    }
  }
  if (gtBdlChit.ChtNo != 0) {
    try {
      orv::db::Recordset rs = goDbPos.OpenRecordset(
          " Select * From BdlChit Where BctWrtDate=" + SqlText(gtBdlChit.WrtDate) +
          " And BctChtno=" + QString::number(gtBdlChit.ChtNo) +
          " And BctWrtTime=" + SqlText(gtBdlChit.WrtTime) +
          " And BctHab=" + gtBdlChit.Hab.ToPlainText() + " Order By BctDate");
      if (rs.RecordCount() > 0) {
        out.bdlDate = NzStr(rs.Field("BctDate"));
        out.bdlNo = orv::chit::NarrowWhole<int32_t>(NzCur(rs.Field("BctChtNo")), "BctChtNo");
      }
    } catch (const DbError &e) {
      throw StepFailure{"gsBdlChitDelSql", e, kBdlDelMsg};
    }
  }
}

}  // namespace

QString gsPanChitTInsert(int16_t owned) {
  gsSaveErr.clear();
  giChitNoSeq = int16_t(GetRegInt("PosChitNoSeq"));
  gtPanChitT = gtPanChit;
  gtPanGodsT = gtPanGods;
  gtPanListT = gtPanList;
  gtPanCardT = gtPanCard;
  orv::chit::gPosHalfDeletes = {};
  try {
    orv::chit::OwnTransaction tx(goDbPos, owned == 0);
    int32_t no = gtPanChitT.PctChtNo;
    try {
      if (gtPanChitT.PctOisang.IsZero()) {
        no = giChitNoSeq != 0
                 ? orv::chit::NextPanChtNoFor(gtPanChitT.PctDate, 1, WorkYyMm(), false)
                 : FreePanChtNoT(gtPanChitT.PctChtNo);
      }
    } catch (const DbError &e) {
      throw StepFailure{"gsPanChitTInsert", e, {}};
    }
    if (giOnLine == 1 && giOisangPick != 0 && glOisangChtNo != 0) no = glOisangChtNo;
    if (no > 999999) no = 1;
    orv::chit::PosHalfDeletes deletes;
    FindRecalledChits(deletes);
    orv::chit::WritePosCopy(no, deletes);
    orv::chit::gPosHalfDeletes = deletes;
    tx.Commit();
    return {};
  } catch (const StepFailure &f) {
    ShowFailure(f);
    return FailText(f);
  } catch (const DbError &e) {
    return FailText({"gsPanChitTInsert", e, {}});
  }
}

void ClearSaleRecords() {
  ClearPanChitRecord();
  ClearPanGodsRecords();
  ClearPanChitTRecord();
  ClearPanGodsTRecords();
  ClearWatChitRecord();
  ClearWatGodsRecords();
  ClearWatGodsSpeedRecords();
  ClearBdlChitRecord();
  ClearBdlGodsRecords();
  ClearBdlGodsSpeedRecords();
  ClearPanListRecord();
  ClearPanListTRecord();
  ClearCstRecord();
  ClearGdsRecord();
  ClearPanMoneyRecord();
  ClearCardRet();
}
