#include "van/van_approval.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>

#include "chit/records.h"
#include "core/card_ret.h"
#include "core/pos_settings.h"
#include "platform/colors.h"
#include "platform/db.h"
#include "platform/settings_store.h"
#include "van/card_log.h"
#include "van/card_state.h"
#include "van/frmCardChk.h"

namespace {
void SetTextColour(QWidget *w, long bgr) {
  QPalette p = w->palette();
  p.setColor(QPalette::WindowText, orv::colors::FromBgr(bgr));
  w->setPalette(p);
}
}  // namespace

orv::Currency NextCardCount(orv::Currency last) {
  const int64_t n = last.RoundToInt() + 1;
  return orv::Currency::Won(n > 999999 || n < 1 ? 1 : n);
}

bool StartNetworkBranch(frmCardChk &form) {
  gcSetCdCount = NextCardCount(gcSetCdCount);
  if (!orv::settings_store::SaveSetting(QStringLiteral("gcSetCdCount"), gcSetCdCount.ToPlainText()))
    return false;
  form.fraSign->show();
  form.MtCardLbl->hide();
  SetTextColour(form.PlzSignLbl, orv::colors::kWhite);
  for (QWidget *w : {form.Kis, form.KisPosAgent1, form.AxSmtSndRcvVCAT1}) w->hide();
  gtPanList.PclSss2 = 1;
  return true;
}

void AskForSignature(frmCardChk &form) {
  if (form.miSignRequired != 1) return;
  const bool notUse = form.chkSignNotUse->isChecked();
  if (!notUse) {
    giDspSignPlease = 1;
    form.fraSign->show();
    form.MtCardLbl->hide();
    SetTextColour(form.PlzSignLbl, orv::colors::kBlack);
  }
  if (giSetVanDan == 0 || giSetVanDan == 1) {
    if (notUse && giSetSign0 == 0) gtPanList.PclSss2 = 0;
  } else {
    if (!notUse) form.miSignPadState = 0;
    if (giSetSign0 == 0) gtPanList.PclSss2 = 0;
  }
}

void KeepBarcode(frmCardChk &form) {
  try {
    WriteKzbBars(giKzPayKind, gtCardRet.CmitDate, gtCardRet.CmitNo, gsKzBarcode);
  } catch (const orv::db::DbError &e) {
    form.notKept << QStringLiteral("바코드 ") + gsKzBarcode + QStringLiteral(" (") + e.Description + ")";
  }
}
