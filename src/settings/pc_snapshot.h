#pragma once
// A copy of a checkout PC's terminal settings in the main database (table OrvKorea), under
// a checkout number: one row per key, its key followed by the number ("giSetVan12").
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "platform/db.h"

namespace orv::settings {

enum class PcColumn { Int, Char, Text };

// One key of the copy. Keys of the settings set name their global; the two the set does
// not load carry their own name. `writtenAs` only where the copy writes another spelling.
struct PcSetKey {
  const void *global;
  const char *raw;
  PcColumn column;
  const char *writtenAs = nullptr;

  QString ReadName() const;     // to read the store and the rows
  QString WrittenName() const;  // to write the store and the rows
  bool Scrambled() const { return column == PcColumn::Text; }
};

inline constexpr int kPcSetKeys = 54;
std::span<const PcSetKey> PcSetKeys();

// The 54 values in the order of PcSetKeys(); the scrambled ones plain.
using PcSetRec = std::array<QString, kPcSetKeys>;

// The row accessors, on any connection. Rows are found by their key trimmed and without
// regard to letter case. The getters give 0 or "" for a missing row and on any error.
// The putters update the row (keeping its other columns and its own spelling) or insert
// it (other columns 0 or empty), each in a transaction of its own, creating OrvKorea when
// missing; false when the row could not be written (it stays as it was). PutPcRegChar
// trims and cuts to 50 code-page bytes of whole characters, PutPcRegText only trims.
int16_t GetPcRegInt(db::Connection &conn, const QString &key);
QString GetPcRegChar(db::Connection &conn, const QString &key);
QString GetPcRegText(db::Connection &conn, const QString &key);
bool PutPcRegInt(db::Connection &conn, const QString &key, int16_t value);
bool PutPcRegChar(db::Connection &conn, const QString &key, const QString &value);
bool PutPcRegText(db::Connection &conn, const QString &key, const QString &value);

PcSetRec LoadPcSetFromReg();
// False when the store could not be written; all keys go in one write.
bool SavePcSetToReg(const PcSetRec &rec);

struct PcSaveReport {
  QStringList failed;  // row keys not written
  QStringList cut;     // row keys whose value was cut at 50 bytes
};
// The 54 rows of n and the version row, each its own transaction.
PcSaveReport SavePcSetToDb(db::Connection &conn, int16_t n, const PcSetRec &rec);
// Every row of n read before anything is given back; nullopt when n was never saved (no
// row of giSetPosNo, or an empty main connection). Throws DbError when a read fails.
std::optional<PcSetRec> LoadPcSetFromDb(db::Connection &conn, int16_t n);
// The 54 setting rows of n in one transaction; the version row stays. Throws DbError.
void DeletePcSetFromDb(db::Connection &conn, int16_t n);

// "gsSetPosVersion" followed by n (nothing for 0).
QString PcVersionKey(int16_t n);

}  // namespace orv::settings
