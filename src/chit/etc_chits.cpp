#include "chit/etc_chits.h"

#include <QStringList>

#include "chit/chit_numbers.h"
#include "chit/field_list.h"
#include "chit/saver_state.h"
#include "core/globals.h"
#include "core/state.h"
#include "core/values.h"

EtcChitRec gtWatChit;
EtcGodsRec gtWatGods;
EtcGodsSpeedRec gtWatGodsSpeed;
EtcChitRec gtWatChitT;
EtcGodsRec gtWatGodsT;
EtcGodsSpeedRec gtWatGodsTSpeed;
EtcChitRec gtBdlChit;
EtcGodsRec gtBdlGods;
EtcGodsSpeedRec gtBdlGodsSpeed;

using orv::Currency;
using orv::db::DbError;
using orv::db::Recordset;

namespace {

void ReadInto(int16_t &f, const Recordset &rs, const QString &col) {
  f = orv::chit::NarrowWhole<int16_t>(NzCur(rs.Field(col)), "int16");
}
void ReadInto(int32_t &f, const Recordset &rs, const QString &col) {
  f = orv::chit::NarrowWhole<int32_t>(NzCur(rs.Field(col)), "int32");
}
void ReadInto(Currency &f, const Recordset &rs, const QString &col) { f = NzCur(rs.Field(col)); }
void ReadInto(QString &f, const Recordset &rs, const QString &col) { f = NzStr(rs.Field(col)); }

QString ValueText(int16_t v) { return QString::number(v); }
QString ValueText(int32_t v) { return QString::number(v); }
QString ValueText(Currency v) { return v.ToPlainText(); }
QString ValueText(const QString &v) { return orv::db::SqlText(v); }

// Prefixes of the columns: header, goods lines, snapshots.
struct Kind {
  const char *chitTable, *godsTable, *speedTable;
  const char *chit, *gods, *speed;
};
constexpr Kind kHeld{"WatChitT", "WatGodsT", "WatGodsTSpeed", "Wct", "Wcg", "WcgS"};
constexpr Kind kDelivery{"BdlChit", "BdlGods", "BdlGodsSpeed", "Bct", "Bcg", "BcgS"};

QString ChitInsert(const char *table, const char *prefix, const EtcChitRec &r) {
  QStringList cols, vals;
  const QString p = QString::fromLatin1(prefix);
#define ORV_ADD(type, name) cols << p + #name; vals << ValueText(r.name);
  ORV_ETC_CHIT_FIELDS(ORV_ADD)
#undef ORV_ADD
  return "Insert into " + QString::fromLatin1(table) + "(" + cols.join(", ") + ") Values(" +
         vals.join(",") + ")";
}

QString GodsInsert(const char *table, const char *prefix, const EtcGodsRec &r, int i) {
  QStringList cols, vals;
  const QString p = QString::fromLatin1(prefix);
#define ORV_ADD(type, name) cols << p + #name; vals << ValueText(r.name[i]);
  ORV_ETC_GODS_FIELDS(ORV_ADD)
#undef ORV_ADD
  return "Insert into " + QString::fromLatin1(table) + "(" + cols.join(", ") + ") Values(" +
         vals.join(",") + ")";
}

QString SpeedInsert(const char *table, const char *prefix, const EtcGodsSpeedRec &r, int i) {
  QStringList cols, vals;
  const QString p = QString::fromLatin1(prefix);
#define ORV_ADD(type, name) cols << p + #name; vals << ValueText(r.name[i]);
  ORV_ETC_SPEED_FIELDS(ORV_ADD)
#undef ORV_ADD
  return "Insert into " + QString::fromLatin1(table) + "(" + cols.join(", ") + ") Values(" +
         vals.join(",") + ")";
}

void ReadChit(const Recordset &rs, const char *prefix, EtcChitRec &r) {
  const QString p = QString::fromLatin1(prefix);
#define ORV_READ(type, name) ReadInto(r.name, rs, p + #name);
  ORV_ETC_CHIT_FIELDS(ORV_READ)
#undef ORV_READ
}
void ReadGods(const Recordset &rs, const char *prefix, EtcGodsRec &r, int i) {
  const QString p = QString::fromLatin1(prefix);
#define ORV_READ(type, name) ReadInto(r.name[i], rs, p + #name);
  ORV_ETC_GODS_FIELDS(ORV_READ)
#undef ORV_READ
}
void ReadSpeed(const Recordset &rs, const char *prefix, EtcGodsSpeedRec &r, int i) {
  const QString p = QString::fromLatin1(prefix);
#define ORV_READ(type, name) ReadInto(r.name[i], rs, p + #name);
  ORV_ETC_SPEED_FIELDS(ORV_READ)
#undef ORV_READ
}

template <class Lines>
void ClearLines(Lines &r) {
  const Lines empty{};
  // Element 0 stays as it is.
  auto keep = [&](auto &arr, const auto &blank) {
    for (int i = 1; i < kEtcLines; ++i) arr[i] = blank[i];
  };
  if constexpr (std::is_same_v<Lines, EtcGodsRec>) {
#define ORV_CLEAR(type, name) keep(r.name, empty.name);
    ORV_ETC_GODS_FIELDS(ORV_CLEAR)
#undef ORV_CLEAR
  } else {
#define ORV_CLEAR(type, name) keep(r.name, empty.name);
    ORV_ETC_SPEED_FIELDS(ORV_CLEAR)
#undef ORV_CLEAR
  }
}

// Runs the insert of one step; a failure becomes the step's failure.
void Run(const QString &label, const QString &sql) {
  try {
    goDbPos.Execute(sql);
  } catch (const DbError &e) {
    throw orv::chit::StepFailure{label, e, {}};
  }
}

// Numbers the header, then writes it, its goods lines and its snapshots.
void WriteEtcChit(const Kind &k, EtcChitRec &head, EtcGodsRec &gods, EtcGodsSpeedRec &speed,
                  int32_t (*next)(const QString &date)) {
  int32_t no = 0;
  try {
    no = next(head.Date);
  } catch (const DbError &e) {
    throw orv::chit::StepFailure{k.chit == kHeld.chit ? "gsWatChitTInsert" : "gsBdlChitInsert",
                                 e, {}};
  }
  if (no > 999999) no = 1;
  head.ChtNo = no;
  Run(k.chit == kHeld.chit ? "gsWatChitTInsSql" : "gsBdlChitInsSql",
      ChitInsert(k.chitTable, k.chit, head));
  const bool held = k.chit == kHeld.chit;
  for (int line = 1; line <= 150; ++line) {
    gods.ChtNo[line] = no;
    if (!gods.GdsKey[line].IsZero())
      Run(orv::chit::StepLabel(held ? "gsWatGodsTInsSql" : "gsBdlGodsInsSql", line),
          GodsInsert(k.godsTable, k.gods, gods, line));
    speed.ChtNo[line] = no;
    if (!speed.Text[line].isEmpty())
      Run(orv::chit::StepLabel(held ? "gsWatGodsTSpeedInsSql" : "gsBdlGodsSpeedInsSql", line),
          SpeedInsert(k.speedTable, k.speed, speed, line));
  }
}

QString Failed(const orv::chit::StepFailure &f) {
  gsSaveErr = orv::chit::SaveErrText(f.label, f.error);
  return gsSaveErr;
}

}  // namespace

QString gsWatChitTInsSql() { return ChitInsert(kHeld.chitTable, kHeld.chit, gtWatChitT); }
QString gsWatGodsTInsSql(int32_t line) {
  return GodsInsert(kHeld.godsTable, kHeld.gods, gtWatGodsT, line);
}
QString gsWatGodsTSpeedInsSql(int32_t line) {
  return SpeedInsert(kHeld.speedTable, kHeld.speed, gtWatGodsTSpeed, line);
}
QString gsBdlChitInsSql() { return ChitInsert(kDelivery.chitTable, kDelivery.chit, gtBdlChit); }
QString gsBdlGodsInsSql(int32_t line) {
  return GodsInsert(kDelivery.godsTable, kDelivery.gods, gtBdlGods, line);
}
QString gsBdlGodsSpeedInsSql(int32_t line) {
  return SpeedInsert(kDelivery.speedTable, kDelivery.speed, gtBdlGodsSpeed, line);
}

QString gsWatChitTInsert(int16_t owned) {
  gsSaveErr.clear();
  gtWatChitT = gtWatChit;
  gtWatGodsT = gtWatGods;
  gtWatGodsTSpeed = gtWatGodsSpeed;
  try {
    orv::chit::OwnTransaction tx(goDbPos, owned == 0);
    WriteEtcChit(kHeld, gtWatChitT, gtWatGodsT, gtWatGodsTSpeed,
                 [](const QString &date) { return NextWatChtNo(date, 1); });
    tx.Commit();
    return {};
  } catch (const orv::chit::StepFailure &f) {
    return Failed(f);
  } catch (const DbError &e) {
    return Failed({"gsWatChitTInsert", e, {}});
  }
}

QString gsBdlChitInsert(int16_t owned) {
  gsSaveErr.clear();
  const EtcChitRec head = gtBdlChit;
  const EtcGodsRec gods = gtBdlGods;
  const EtcGodsSpeedRec speed = gtBdlGodsSpeed;
  auto restore = [&] {
    gtBdlChit = head;
    gtBdlGods = gods;
    gtBdlGodsSpeed = speed;
  };
  try {
    orv::chit::OwnTransaction tx(goDbPos, owned == 0);
    WriteEtcChit(kDelivery, gtBdlChit, gtBdlGods, gtBdlGodsSpeed, NextBdlChtNo);
    tx.Commit();
    return {};
  } catch (const orv::chit::StepFailure &f) {
    restore();
    return Failed(f);
  } catch (const DbError &e) {
    restore();
    return Failed({"gsBdlChitInsert", e, {}});
  }
}

void ReadWatChitRecord(const Recordset &rs) { ReadChit(rs, "Wct", gtWatChit); }
void ReadWatGodsRecord(const Recordset &rs, int32_t line) { ReadGods(rs, "Wcg", gtWatGods, line); }
void ReadWatGodsSpeedRecord(const Recordset &rs, int32_t line) {
  ReadSpeed(rs, "WcgS", gtWatGodsSpeed, line);
}
void ReadBdlChitRecord(const Recordset &rs) { ReadChit(rs, "Bct", gtBdlChit); }
void ReadBdlGodsRecord(const Recordset &rs, int32_t line) { ReadGods(rs, "Bcg", gtBdlGods, line); }
void ReadBdlGodsSpeedRecord(const Recordset &rs, int32_t line) {
  ReadSpeed(rs, "BcgS", gtBdlGodsSpeed, line);
}

void ClearWatChitRecord() { gtWatChit = EtcChitRec{}; }
void ClearWatGodsRecords() { ClearLines(gtWatGods); }
void ClearWatGodsSpeedRecords() { ClearLines(gtWatGodsSpeed); }
void ClearWatChitTRecord() { gtWatChitT = EtcChitRec{}; }
void ClearWatGodsTRecords() { ClearLines(gtWatGodsT); }
void ClearBdlChitRecord() { gtBdlChit = EtcChitRec{}; }
void ClearBdlGodsRecords() { ClearLines(gtBdlGods); }
void ClearBdlGodsSpeedRecords() { ClearLines(gtBdlGodsSpeed); }

void ClearEtcChitState() {
  gtWatChit = gtWatChitT = gtBdlChit = EtcChitRec{};
  gtWatGods = gtWatGodsT = gtBdlGods = EtcGodsRec{};
  gtWatGodsSpeed = gtWatGodsTSpeed = gtBdlGodsSpeed = EtcGodsSpeedRec{};
}
static const bool kResetRegistered = orv::state::RegisterReset(&ClearEtcChitState);
