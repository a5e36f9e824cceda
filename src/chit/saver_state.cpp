#include "chit/saver_state.h"

#include "chit/etc_chits.h"
#include "chit/pan_money.h"
#include "chit/pos_logs.h"
#include "chit/read_back.h"
#include "chit/records.h"
#include "chit/tem_data.h"
#include "core/dates.h"
#include "core/globals.h"
#include "core/state.h"

QString gsSaveErr;
int32_t glSaveChtNo = 0;
int16_t giChitNoSeq = 0;
int16_t giOisangPick = 0;
int32_t glOisangChtNo = 0;
orv::Currency gcOisangTrsNo;

namespace orv::chit {

QString SaveErrText(const QString &label, long number, const QString &description) {
  return "[" + label + ":" + QString::number(number) + ":" + description + "]";
}

QString WorkMonthSuffix() { return FmtYyMm(giWrkYear, giWrkMonth); }
QString WorkDateText() { return FmtYmd(giWrkYear, giWrkMonth, giWrkDay, 0, 0); }

}  // namespace orv::chit

namespace orv::state {
void ResetChitState() {
  gtPosLogs = PosLogsRec{};
  orv::chit::ResetChitRecords();
  gtTemData = TemDataRec{};
  gtPanMoney = PanMoneyRec{};
  ClearEtcChitState();
  ResetReadBackState();
  gsSaveErr.clear();
  glSaveChtNo = 0;
  giChitNoSeq = 0;
  giOisangPick = 0;
  glOisangChtNo = 0;
  gcOisangTrsNo = {};
}
}  // namespace orv::state

namespace {
const bool kResetRegistered = orv::state::RegisterReset(&orv::state::ResetChitState);
}
