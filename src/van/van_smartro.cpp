// SMARTRO: one approval through the terminal, a KakaoPay inquiry first when it is KakaoPay.
#include "van/van_smartro.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

#include "chit/records.h"
#include "core/byte_text.h"
#include "core/card_ret.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "core/text_format.h"
#include "core/values.h"
#include "platform/colors.h"
#include "platform/datafolder.h"
#include "platform/dialogs.h"
#include "platform/widget_colors.h"
#include "van/SmtSndRcvVCAT.h"
#include "van/card_agent.h"
#include "van/card_log.h"
#include "van/card_state.h"
#include "van/frmCardChk.h"
#include "van/kis.h"
#include "van/van_approval.h"
#include "van/van_wait.h"

namespace dlg = orv::dialogs;

QString gsKzInqInfo1, gsKzInqInfo2;

QString SmtZeroPayData(const QString &barcode) {
  const QString digits = QString(barcode).remove(QLatin1Char('-'));
  if (barcode.startsWith(QLatin1String("3-"))) return QStringLiteral("86025ZERO") + digits;
  return QStringLiteral("86029ZEROB") + digits;
}

QString SmtKakaoInquiryData(const QString &amount) {
  return QStringLiteral("84023KAKAOREQ001") + (QStringLiteral("000000000000") + amount).right(12);
}

QString SmtKakaoApprovalData(const QString &kind, const QString &inqInfo1,
                             const QString &inqInfo2, const QString &inqCmitNo) {
  auto padCut = [](const QString &t, int n) { return t.leftJustified(n, QLatin1Char(' '), true); };
  const QString zeros = QStringLiteral("000000000000");
  if (kind == QLatin1String("C"))
    return QStringLiteral("84088KAKAOREQ002") + zeros + padCut(inqInfo1, 37) + padCut(inqInfo2, 16) +
           padCut(inqCmitNo, 12);
  if (kind == QLatin1String("M"))
    return QStringLiteral("84047KAKAOREQ003") + zeros + padCut(inqCmitNo, 12) + zeros;
  return {};
}

namespace {

void Stop(const QString &text, const QString &title) {
  ClearCardRet();
  dlg::MsgBox(text, dlg::kInformation, title);
}

}  // namespace

QString FillSmtCardRet(const QHash<int, QString> &reply, const QString &discount, int16_t months) {
  auto f = [&reply](int n) { return NzStr(reply.value(n)); };
  CardRetRec &r = gtCardRet;
  r.CardName = MidAnsi(f(14), 5);
  const QString meipCode = (QStringLiteral("0000") + LeftAnsi(KeepDigits(f(15), 0), 4)).right(4);
  r.MeipCode = meipCode;
  r.MeipName = MidAnsi(f(15), 5);
  if (giKzPayKind == 2) {
    r.MeipCode = QStringLiteral("7700");
    r.MeipName = QStringLiteral("제로[") + SqlStrCut(r.MeipName, 10) + QStringLiteral("]");
  } else if (giKzPayKind == 1) {
    r.MeipCode = QStringLiteral("3900");
    r.MeipName = QStringLiteral("카카오[") + SqlStrCut(r.MeipName, 10) + QStringLiteral("](") +
                 gsKzKakaoGbn + ":" + discount + ")";
  }
  if (giKzPayKind == 0) r.CardNo = f(3).left(16);
  else if (giKzPayKind == 2) r.CardNo = QStringLiteral("Z") + gsKzBarcode.left(12);
  else r.CardNo = QStringLiteral("K") + gsKzKakaoGbn + gsKzBarcode.left(12);
  r.CardDate = QStringLiteral("0000");
  r.Gum = NzCur(f(4));
  r.Halbu = months;
  r.CmitNo = f(8);
  r.CmitDate = f(9);
  r.GamyNo = f(12);
  if (giKzPayKind == 1) gsCardPrnMsg1.clear();
  else gsCardPrnMsg1 = NzStr2(reply.value(20));
  gsCardPrnMsg2.clear();
  return meipCode;
}

void SmtTerminalSignature(const RequestScreen &screen) {
  ShowSignPrompt(screen);
  screen.AxSmtSndRcvVCAT1->show();
}

void SmtSignatureOver(const RequestScreen &screen) {
  screen.fraSign->hide();
  giDspSignPlease = 2;
  screen.AxSmtSndRcvVCAT1->hide();
  screen.Kis->hide();
}

bool SmtTakeSignature(const RequestScreen &screen, bool signRequired, bool notUse,
                      QLineEdit *cardBox, QLineEdit *amountBox, int16_t &padState,
                      SmtReplyState &smt, SmtSignature *sig) {
  QString image;
  if (!signRequired) return true;
  if (giSetVanDan == 0 || giSetVanDan == 1) {
    if (!notUse) {
      SmtTerminalSignature(screen);
      sig->mode = QStringLiteral("2");
      return true;
    }
    if (giSetSign0 == 0) {
      gtPanList.PclSss2 = 0;
      return true;
    }
    image = QStringLiteral("sign0.bmp");
  } else {
    smt.msSmtWorkKey.clear();
    smt.msSmtKeyIndex.clear();
    if (!notUse) {
      smt.SmtQueryMerchantInfo();
      if (smt.msSmtWorkKey.isEmpty() || smt.msSmtKeyIndex.isEmpty()) {
        Stop(QStringLiteral("* 승인을 다시 하세요 (워킹키&인덱스받기오류) !"), QStringLiteral("워킹키오류"));
        return false;
      }
      if (RunKisSignPad(screen, cardBox, amountBox, padState)) {
        image = QStringLiteral("sign.bmp");
      } else if (giSetSign0 != 0) {
        image = QStringLiteral("sign0.bmp");
      } else {
        gtPanList.PclSss2 = 0;
        dlg::MsgBox(QStringLiteral("* 카드사에 문의하세요 !"), dlg::kInformation, QStringLiteral("카드사문의요망"));
        return true;
      }
    } else if (giSetSign0 != 0) {
      image = QStringLiteral("sign0.bmp");
    } else {
      gtPanList.PclSss2 = 0;
      return true;
    }
  }
  // The image is encrypted with the terminal's working key: fetch it when it is not known.
  if (smt.msSmtWorkKey.isEmpty() || smt.msSmtKeyIndex.isEmpty()) {
    smt.SmtQueryMerchantInfo();
    if (smt.msSmtWorkKey.isEmpty() || smt.msSmtKeyIndex.isEmpty()) {
      Stop(QStringLiteral("* 승인을 다시 하세요 (워킹키&인덱스받기오류) !"), QStringLiteral("워킹키오류"));
      return false;
    }
  }
  QString path = orv::datafolder::Path(image);
  if (smt.control()->SmtEncryptSign(smt.msSmtWorkKey, smt.msSmtKeyIndex, path, sig->a, sig->b) <= 0) {
    Stop(QStringLiteral("* 승인을 다시 하세요 (사인암호화오류) !"), QStringLiteral("사인오류"));
    return false;
  }
  sig->mode = QStringLiteral("4");
  return true;
}

namespace {

// The request fields every approval and the KakaoPay inquiry carry.
void AmountFields(frmCardChk &form, SmtSndRcvVCAT &c, const QString &amount) {
  c.SmtSetField(6, form.Months());
  c.SmtSetField(3, amount);
  c.SmtSetField(4, QString::number(form.mcTaxGum.RoundToInt()));
}

// Card and ZeroPay: true when approved; code is the reply code.
bool CardPath(frmCardChk &form, SmtReplyState &smt, const QString &amount, QString *code,
              bool *stopped) {
  SmtSndRcvVCAT &c = *smt.control();
  SmtSignature sig;
  // The signature comes first: fetching the working key uses the terminal's request, and
  // the approval is then built whole.
  if (!SmtTakeSignature(ScreenOf(form), form.miSignRequired == 1, form.chkSignNotUse->isChecked(),
                        form.txtiCard, form.txtiGum, form.miSignPadState, smt, &sig)) {
    *stopped = true;
    return false;
  }
  smt.msSmtReqKind = QStringLiteral("010101");
  c.SmtClear();
  c.SmtSetField(1, QStringLiteral("0101"));
  if (giKzPayKind == 2) {
    c.SmtSetField(2, QStringLiteral("55"));
    c.SmtSetField(10, SmtZeroPayData(gsKzBarcode));
  } else {
    c.SmtSetField(2, QStringLiteral("01"));
  }
  AmountFields(form, c, amount);
  c.SmtSetField(9, sig.mode);
  if (sig.mode == QLatin1String("4")) {
    c.SmtSetField(68, sig.b);
    c.SmtSetField(69, sig.a);
  }
  CardLogRow(CardLogRequestText(QStringLiteral("SMT_SendToVCat"), form.txtiGum->text()), 0);
  *code = smt.SendAndWait();
  form.LogRow(QStringLiteral("SMT_SendToVCat_OutRet"), 1);
  SmtSignatureOver(ScreenOf(form));
  const bool ok = *code == QLatin1String("00");
  form.LogRow(ok ? QStringLiteral("SMT_SendToVCat_OutRet_Ok") : QStringLiteral("SMT_SendToVCat_OutRet_Err"), 2);
  return ok;
}

bool KakaoPath(frmCardChk &form, SmtReplyState &smt, const QString &amount, QString *code) {
  SmtSndRcvVCAT &c = *smt.control();
  auto request = [&] {
    smt.msSmtReqKind = QStringLiteral("010101");
    c.SmtClear();
    c.SmtSetField(1, QStringLiteral("4101"));
    c.SmtSetField(2, QStringLiteral("02"));
    AmountFields(form, c, amount);
    c.SmtSetField(70, QStringLiteral("B") + gsKzBarcode);
  };
  request();
  c.SmtSetField(10, SmtKakaoInquiryData(amount));
  *code = smt.SendAndWait();
  if (*code != QLatin1String("00")) {
    form.LogRow(QStringLiteral("SMT_SendToVCat_OutRet_Err"), 2);
    return false;
  }
  orv::van::Pause(orv::van::Timeouts().pauseMs);
  const QString print = NzStr2(smt.msSmtReply.value(20));
  gtCardRet.Gum = NzCur(smt.msSmtReply.value(4));
  gtCardRet.Halbu = int16_t(form.Months().toInt());
  gtCardRet.CmitNo = NzStr(smt.msSmtReply.value(8));
  gtCardRet.CmitDate = NzStr(smt.msSmtReply.value(9));
  gsCardPrnMsg1 = print;
  gsKzKakaoGbn = print.mid(11, 1);
  gcKzDcGum = NzCur(print.mid(12, 12));
  gsKzInqInfo1 = print.mid(24, 37);
  gsKzInqInfo2 = print.mid(61, 16);

  request();
  const QString data = SmtKakaoApprovalData(gsKzKakaoGbn, gsKzInqInfo1, gsKzInqInfo2, gtCardRet.CmitNo);
  if (!data.isEmpty()) c.SmtSetField(10, data);
  QString mode = QStringLiteral("1");
  if (form.miSignRequired == 1) {
    if (!form.chkSignNotUse->isChecked()) {
      SmtTerminalSignature(ScreenOf(form));
      mode = QStringLiteral("2");
    } else {
      gtPanList.PclSss2 = 0;
    }
  }
  c.SmtSetField(9, mode);
  CardLogRow(CardLogRequestText(QStringLiteral("SMT_SendToVCatKAO"), form.txtiGum->text()), 0);
  *code = smt.SendAndWait();
  form.LogRow(QStringLiteral("SMT_SendToVCatKAO_OutRet"), 1);
  SmtSignatureOver(ScreenOf(form));
  if (*code != QLatin1String("00")) {
    form.LogRow(QStringLiteral("SMT_SendToVCatKAO_OutRet_Err"), 2);
    return false;
  }
  form.LogRow(QStringLiteral("SMT_SendToVCatKAO_OutRet_Ok"), 2);
  gsCardPrnMsg1 = NzStr2(smt.msSmtReply.value(20));
  if (gsKzKakaoGbn == QLatin1String("M")) gcKzDcGum = NzCur(gsCardPrnMsg1.mid(11, 12));
  return true;
}

}  // namespace

int16_t ApproveSmartro(frmCardChk &form) {
  SmtReplyState &smt = *form.smt;
  const QString amount = form.AmountText().trimmed();
  QString code;
  bool stopped = false;
  const bool ok = giKzPayKind == 1 ? KakaoPath(form, smt, amount, &code)
                                   : CardPath(form, smt, amount, &code, &stopped);
  if (stopped) return 9999;
  if (ok) {
    const QString meipCode = FillSmtCardRet(smt.msSmtReply, gcKzDcGum.ToPlainText(), int16_t(form.Months().toInt()));
    form.ShowResult();
    form.lblMeipCode->setText(meipCode);
    if (giKzPayKind > 0) KeepBarcode(form);
    return 0;
  }
  ClearCardRet();
  for (int i = 0; i < 5; ++i) orv::van::Pause(0);
  // A terminal that never answered says so instead of an older reply's screen message.
  const QString last = code == QLatin1String("-9") ? orv::van::NoReplyText() : smt.msSmtReply.value(18);
  dlg::MsgBox(QStringLiteral("* 승인을 다시 하세요 !\nErrCode [ ") + code + QStringLiteral(" ] - ") +
                  SmtResultText(code) + "\n" + last,
              dlg::kCritical, QStringLiteral("카드재승인요청"));
  return 9999;
}

namespace {
void ResetInq() {
  gsKzInqInfo1.clear();
  gsKzInqInfo2.clear();
}
const bool kResetRegistered = orv::state::RegisterReset(&ResetInq);
}  // namespace
