#pragma once
// The tables of one month (base name + yymm suffix: PanChit2401) and the month-less queue
// and grid-snapshot tables that the monthly pass makes with them.
// yymm is the month as a number, year modulo 100 times 100 plus month (2401, 505); 0 names
// the base table without a suffix. A yymm that does not give four digits, or a prefix that
// is not a plain name, raises DbError before anything is built from it.
#include <QString>
#include <cstdint>

namespace orv::schema {
// "" for 0, else four digits ("0505" for 505). Throws DbError outside 0..9999.
QString MonthSuffix(int yymm);
}  // namespace orv::schema

// Makes every missing table of the month on the working and the POS connection, and the
// month-less tables WatGodsSpeed, WatGodsTSpeed, PanChitOn, PanListOn, PanChitOff,
// PanListOff. yymm 0 does nothing. Errors go to the caller; the tables made before stay.
void CreateMonthTables(int16_t yymm);

// Probes return 1 when the month's table exists, else 0. onPos 0 is the working connection
// goDbMain, any other value the POS connection goDbPos.
int16_t ExistsPanChitTable(const QString &prefix, int16_t yymm, int16_t onPos);
int16_t ExistsPanListTable(const QString &prefix, int16_t yymm, int16_t onPos);
int16_t ExistsPanGodsTable(const QString &prefix, int16_t yymm, int16_t onPos);
int16_t ExistsPanCardTable(const QString &prefix, int16_t yymm, int16_t onPos);
int16_t ExistsPanMoneyTable(const QString &prefix, int16_t yymm, int16_t onPos);
int16_t ExistsDlvChitTable(const QString &prefix, int16_t yymm, int16_t onPos);
int16_t ExistsPosLogsTable(const QString &prefix, int16_t yymm, int16_t onPos);
void CreatePanChitTable(const QString &prefix, int16_t yymm, int16_t onPos);
void CreatePanListTable(const QString &prefix, int16_t yymm, int16_t onPos);
void CreatePanGodsTable(const QString &prefix, int16_t yymm, int16_t onPos);
void CreatePanCardTable(const QString &prefix, int16_t yymm, int16_t onPos);
void CreatePanMoneyTable(const QString &prefix, int16_t yymm, int16_t onPos);
void CreateDlvChitTable(const QString &prefix, int16_t yymm, int16_t onPos);
void CreatePosLogsTable(const QString &prefix, int16_t yymm, int16_t onPos);

// The checkout's own copies, on the POS connection only.
int16_t ExistsPanChitTTable(const QString &prefix, int16_t yymm);
int16_t ExistsPanListTTable(const QString &prefix, int16_t yymm);
int16_t ExistsPanGodsTTable(const QString &prefix, int16_t yymm);
int16_t ExistsPanCardTTable(const QString &prefix, int16_t yymm);
void CreatePanChitTTable(const QString &prefix, int16_t yymm);
void CreatePanListTTable(const QString &prefix, int16_t yymm);
void CreatePanGodsTTable(const QString &prefix, int16_t yymm);
void CreatePanCardTTable(const QString &prefix, int16_t yymm);

// The partner ledger of the month: on the working connection, and on the POS connection.
int16_t ExistsTrsMastTable(const QString &prefix, int16_t yymm);
int16_t ExistsTrsMastPosTable(const QString &prefix, int16_t yymm);
void CreateTrsMastTable(const QString &prefix, int16_t yymm);
void CreateTrsMastPosTable(const QString &prefix, int16_t yymm);

// Kind 1 makes the On queue, any other kind the Off queue (POS connection).
void CreatePanChitOnOffTable(int16_t kind);
void CreatePanListOnOffTable(int16_t kind);
// Grid snapshots of held chits: WatGodsSpeed on the working connection, WatGodsTSpeed on
// the POS connection.
void CreateWatGodsSpeedTable();
void CreateWatGodsTSpeedTable();
