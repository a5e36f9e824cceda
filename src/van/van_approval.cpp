#include "van/van_approval.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QStringList>

#include "chit/records.h"
#include "core/card_ret.h"
#include "core/pos_settings.h"
#include "core/daily_log.h"
#include "core/text_format.h"
#include "platform/colors.h"
#include "platform/widget_colors.h"
#include "platform/dialogs.h"
#include "platform/db.h"
#include "platform/settings_store.h"
#include "van/card_log.h"
#include "van/card_state.h"
#include "van/frmCardChk.h"

orv::Currency NextCardCount(orv::Currency last) {
  const int64_t n = last.RoundToInt() + 1;
  return orv::Currency::Won(n > 999999 || n < 1 ? 1 : n);
}

bool StartNetworkRequest(const RequestScreen &screen) {
  gcSetCdCount = NextCardCount(gcSetCdCount);
  if (!orv::settings_store::SaveSetting(QStringLiteral("gcSetCdCount"), gcSetCdCount.ToPlainText()))
    return false;
  screen.fraSign->show();
  screen.MtCardLbl->hide();
  orv::colors::SetFore(screen.PlzSignLbl, orv::colors::kWhite);
  for (QWidget *w : {screen.Kis, screen.KisPosAgent1, screen.AxSmtSndRcvVCAT1}) w->hide();
  gtPanList.PclSss2 = 1;
  return true;
}

void ShowSignPrompt(const RequestScreen &screen) {
  giDspSignPlease = 1;
  screen.fraSign->show();
  screen.MtCardLbl->hide();
  orv::colors::SetFore(screen.PlzSignLbl, orv::colors::kBlack);
}

SignPlan PromptSignPlan(bool signNeed, int16_t vanDan, bool signNotUse, int16_t sign0) {
  SignPlan p;
  if (!signNeed) return p;
  p.prompt = !signNotUse;
  if (vanDan == 0 || vanDan == 1) {
    p.clearSignFlag = signNotUse && sign0 == 0;
  } else {
    p.resetPadState = !signNotUse;
    p.clearSignFlag = sign0 == 0;
  }
  return p;
}

RequestScreen ScreenOf(frmCardChk &form) { return form.Screen(); }

bool StartNetworkBranch(frmCardChk &form) { return StartNetworkRequest(ScreenOf(form)); }

void AskForSignature(frmCardChk &form) {
  const SignPlan plan = PromptSignPlan(form.miSignRequired == 1, giSetVanDan,
                                       form.chkSignNotUse->isChecked(), giSetSign0);
  if (plan.prompt) ShowSignPrompt(ScreenOf(form));
  if (plan.resetPadState) form.miSignPadState = 0;
  if (plan.clearSignFlag) gtPanList.PclSss2 = 0;
}

void KeepBarcode(frmCardChk &form) {
  try {
    WriteKzbBars(giKzPayKind, gtCardRet.CmitDate, gtCardRet.CmitNo, gsKzBarcode);
  } catch (const orv::db::DbError &e) {
    form.notKept << QStringLiteral("바코드 ") + gsKzBarcode + QStringLiteral(" (") + e.Description + ")";
  }
}

bool CardLogRowKept(const QString &text, int16_t kind, QStringList &notKept) {
  try {
    CardLogRow(text, kind);
    return true;
  } catch (const orv::db::DbError &e) {
    notKept << text + QStringLiteral(" (") + e.Description + QStringLiteral(")");
    return false;
  }
}

void ReportNotKept(const QStringList &notKept, const QString &what, const QString &cmitNo,
                   orv::Currency gum) {
  if (notKept.isEmpty()) return;
  const QString text = QStringLiteral("승인번호 ") + cmitNo + QStringLiteral(", 금액 ") +
                       FmtAmt(gum, 0) + QStringLiteral(" 의 ") + what +
                       QStringLiteral(" 되었으나 기록하지 못했습니다: ") +
                       notKept.join(QStringLiteral(", "));
  try {
    WriteLog(9, text);
  } catch (const std::exception &) {
    // The box below still tells the cashier.
  }
  orv::dialogs::MsgBox(text, orv::dialogs::kExclamation, QStringLiteral("카드기록 실패"));
}
