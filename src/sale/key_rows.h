#pragma once
// Per-checkout key rows in OrvKorea on the working database: the keys carry the POS number.
#include <QString>

// Updates the row of key (keeping its other columns) or inserts it; the value is trimmed
// and cut to 50 bytes of whole characters. Never reports a failure: a failed look-up or
// write leaves the table as it was.
void PutOrvKoreaRow(const QString &key, const QString &value, int unused = 0);

// The key of this checkout's version row.
QString PosVersionKey();
