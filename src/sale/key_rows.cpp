#include "sale/key_rows.h"

#include "core/globals.h"
#include "core/pos_settings.h"
#include "settings/pc_snapshot.h"

QString PosVersionKey() { return orv::settings::PcVersionKey(giSetPosNo); }

void PutOrvKoreaRow(const QString &key, const QString &value, int) {
  orv::settings::PutPcRegChar(goDbMain, key, value);
}
