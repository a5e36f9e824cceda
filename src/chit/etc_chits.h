#pragma once
// Held chits (WatChitT, WatGodsT, WatGodsTSpeed on the POS database) and open delivery
// chits (BdlChit, BdlGods, BdlGodsSpeed): the records both share, their savers, statement
// builders, row readers and clears.
#include <QString>
#include <array>
#include <cstdint>

#include "core/currency.h"
#include "platform/db.h"

inline constexpr int kEtcLines = 151;  // elements 0..150; lines use 1..150

#define ORV_ETC_CHIT_FIELDS(X) \
  X(int16_t, Year) X(int16_t, Mon) X(int16_t, Day) X(QString, Date) X(int32_t, ChtNo)      \
  X(int16_t, PosNo) X(orv::Currency, TrsKey) X(orv::Currency, PsnKey) X(orv::Currency, Hab) \
  X(orv::Currency, Tax) X(orv::Currency, Gum) X(orv::Currency, Buga) X(orv::Currency, Ntx)  \
  X(orv::Currency, GaSel) X(orv::Currency, HalSel) X(orv::Currency, CstKey)                 \
  X(QString, WrtDate) X(QString, WrtTime) X(int16_t, Commit) X(int16_t, Sss1)               \
  X(int16_t, Sss2) X(int16_t, Sss3) X(int16_t, Sss4) X(int16_t, Sss5)

#define ORV_ETC_GODS_FIELDS(X) \
  X(int16_t, Year) X(int16_t, Mon) X(int16_t, Day) X(QString, Date) X(int32_t, ChtNo)       \
  X(int16_t, SeqNo) X(orv::Currency, GdsKey) X(orv::Currency, Su) X(orv::Currency, Danga)   \
  X(orv::Currency, Gum) X(orv::Currency, Dc) X(orv::Currency, Tax) X(int16_t, Commit)       \
  X(int16_t, Sss1) X(int16_t, Sss2) X(int16_t, Sss3) X(int16_t, Sss4) X(int16_t, Sss5)

#define ORV_ETC_SPEED_FIELDS(X) \
  X(int16_t, Year) X(int16_t, Mon) X(int16_t, Day) X(QString, Date) X(int32_t, ChtNo)       \
  X(int16_t, SeqNo) X(QString, Text) X(int16_t, Commit) X(int16_t, Sss1) X(int16_t, Sss2)   \
  X(int16_t, Sss3) X(int16_t, Sss4) X(int16_t, Sss5)

struct EtcChitRec {
#define ORV_DECLARE_FIELD(type, name) type name{};
  ORV_ETC_CHIT_FIELDS(ORV_DECLARE_FIELD)
#undef ORV_DECLARE_FIELD
};

struct EtcGodsRec {
#define ORV_DECLARE_FIELD(type, name) std::array<type, kEtcLines> name{};
  ORV_ETC_GODS_FIELDS(ORV_DECLARE_FIELD)
#undef ORV_DECLARE_FIELD
};

struct EtcGodsSpeedRec {
#define ORV_DECLARE_FIELD(type, name) std::array<type, kEtcLines> name{};
  ORV_ETC_SPEED_FIELDS(ORV_DECLARE_FIELD)
#undef ORV_DECLARE_FIELD
};

extern EtcChitRec gtWatChit;
extern EtcGodsRec gtWatGods;
extern EtcGodsSpeedRec gtWatGodsSpeed;
extern EtcChitRec gtWatChitT;
extern EtcGodsRec gtWatGodsT;
extern EtcGodsSpeedRec gtWatGodsTSpeed;
extern EtcChitRec gtBdlChit;
extern EtcGodsRec gtBdlGods;
extern EtcGodsSpeedRec gtBdlGodsSpeed;

// Savers. owned 0: the saver begins, commits and rolls back its own transaction on
// goDbPos; any other value: the caller's transaction, which the saver never ends.
// "" on success, else the error text of the failing step (also in gsSaveErr).
// The held chit is written from copies (gtWatChitT…) and its records stay untouched; the
// delivery chit is written from its records, which a failure restores as on entry.
QString gsWatChitTInsert(int16_t owned);
QString gsBdlChitInsert(int16_t owned);

QString gsWatChitTInsSql();
QString gsWatGodsTInsSql(int32_t line);
QString gsWatGodsTSpeedInsSql(int32_t line);
QString gsBdlChitInsSql();
QString gsBdlGodsInsSql(int32_t line);
QString gsBdlGodsSpeedInsSql(int32_t line);

// The current row into the record (lines: into that element). Errors reach the caller.
void ReadWatChitRecord(const orv::db::Recordset &rs);
void ReadWatGodsRecord(const orv::db::Recordset &rs, int32_t line);
void ReadWatGodsSpeedRecord(const orv::db::Recordset &rs, int32_t line);
void ReadBdlChitRecord(const orv::db::Recordset &rs);
void ReadBdlGodsRecord(const orv::db::Recordset &rs, int32_t line);
void ReadBdlGodsSpeedRecord(const orv::db::Recordset &rs, int32_t line);

// Numbers 0, texts empty; line records only elements 1..150.
void ClearWatChitRecord();
void ClearWatGodsRecords();
void ClearWatGodsSpeedRecords();
void ClearWatChitTRecord();
void ClearWatGodsTRecords();
void ClearBdlChitRecord();
void ClearBdlGodsRecords();
void ClearBdlGodsSpeedRecords();

// The held and delivery records of the chit on screen, all emptied (the reset for a new sale).
void ClearEtcChitState();
