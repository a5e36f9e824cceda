#pragma once
// What every network branch of the card approval shares.
#include <QList>
#include <QPair>
#include <QStringList>
#include <QString>
#include <cstdint>

#include "core/currency.h"

class frmCardChk;
class QFrame;
class QLabel;

class QWidget;

// The next request number after last: 1 after 999999 (and for 0 or less).
orv::Currency NextCardCount(orv::Currency last);

// The controls a card form shows around a network request.
struct RequestScreen {
  QFrame *fraSign;
  QLabel *MtCardLbl, *PlzSignLbl;
  QWidget *Kis, *KisPosAgent1, *AxSmtSndRcvVCAT1;
};
// Raises gcSetCdCount and saves it, shows the sign frame with its prompt white, hides the
// networks' components and sets the chit's signature flag. False (nothing may be sent) when
// the number could not be saved.
bool StartNetworkRequest(const RequestScreen &screen);
RequestScreen ScreenOf(frmCardChk &form);
// Shows "서명해주세요~~" on the form and asks the customer display for a signature.
void ShowSignPrompt(const RequestScreen &screen);

// What a request that only prompts for a signature (no pad exchange) does about it.
struct SignPlan {
  bool prompt = false;         // show the prompt
  bool clearSignFlag = false;  // the chit's PclSss2 becomes 0: no signature goes with it
  bool resetPadState = false;  // the pad's state starts again at 0
};
SignPlan PromptSignPlan(bool signNeed, int16_t vanDan, bool signNotUse, int16_t sign0);
// Raises gcSetCdCount and saves it, shows the sign frame with its prompt white and hides the
// networks' components. False (nothing may be sent) when the number could not be saved.
bool StartNetworkBranch(frmCardChk &form);
// The signature prompt of a request whose amount needs one.
void AskForSignature(frmCardChk &form);
// Keeps the barcode of an approved barcode payment; a failure is named after the dialog.
void KeepBarcode(frmCardChk &form);

// Once a network's reply is in, it decides: a card-log row that cannot be written is added
// to notKept instead of undoing the card. False when it was not written.
bool CardLogRowKept(const QString &text, int16_t kind, QStringList &notKept);
// The one warning (box and daily-log line) that names what was not kept of a done
// approval or cancellation (what: "승인은" or "취소는"). Nothing when notKept is empty.
void ReportNotKept(const QStringList &notKept, const QString &what, const QString &cmitNo,
                   orv::Currency gum);

// First Data: whether a reply code approves (digits only, value 0), and a request's inputs.
bool FdkCodeApproves(const QString &code);
// One Win4POS transaction up to the send: Status, MkTranId, Init with msgCmd, then the
// inputs in order. The failure text of the first step that failed, or empty.
QString FdkOpenTransaction(const QString &msgCmd, const QList<QPair<QString, QString>> &inputs);
// Execute; on failure the text naming it with the agent's message, else empty.
QString FdkExecute();
// One output of the reply, without NULs.
QString FdkReadField(const QString &key);
// Reads a card reply into the gsFdk globals: the outputs every reply has, up to
// "마스킹카드번호", then the agent's months for a card, or for a barcode payment the
// request's months with the Kakao kind and the discount.
void FdkReadCardReply(int16_t payKind, const QString &months);
// gtCardRet from the reply of an approval or a cancellation: gum and months as the request
// carried them; a barcode payment's number from gsKzBarcode, KakaoPay's acquirer name with
// gsKzKakaoGbn and gcKzDcGum.
void FillFdkCardRet(int16_t payKind, orv::Currency gum, const QString &months);
// A request that failed before a reply: the code ("9998" before Execute, "9999" after) and
// the text of the failed step take the reply's place.
void FdkFailReply(const QString &code, const QString &text);
// The closing failure of a request: the card result emptied, the box shown; 9999.
int16_t FdkFailTail();
QList<QPair<QString, QString>> FdkApprovalInputs(int16_t payKind, orv::Currency reqGum,
                                                 orv::Currency taxGum, const QString &months,
                                                 const QString &barcode);
