#pragma once
// Screen chits: what the screen goods print put on paper, kept in PanChitP and PanGodsP on
// the POS database so the sale screen can load it again by its identification number.
#include <QString>
#include <cstdint>

// The insert of gtPanChitP, and of line i (1..150) of gtPanGodsP. Texts only.
QString InsPanChitP();
QString InsPanGodsP(int32_t line);

namespace orv::chit {
// Writes gtPanChitP and every line of gtPanGodsP with a goods key on goDbPos in one
// transaction: a failure keeps none of it. Throws orv::db::DbError.
void WriteScreenChit();
}  // namespace orv::chit
