#pragma once
// The cash receipt's network work: one function per network over one plain input record,
// and the requests they send, built by pure functions. A branch shows the network's own
// message when it refuses; recording and printing an approved receipt is the form's.
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <cstdint>

#include "core/currency.h"

class QWidget;
class SmtReplyState;

struct CashReceiptInput {
  QString idNo;             // the trimmed identification number (msMoneyIdNo)
  orv::Currency hab;        // the amount as typed, with its sign
  orv::Currency gum;        // the amount to send: negative for a cancellation
  orv::Currency vat;        // its VAT part, with the amount's sign
  int16_t saup = 0;         // chkSaup: 0 consumer, 1 business
  int16_t cancelReason = 0; // 1 거래취소, 2 오류발급, 3 기타, 0 none chosen
  QString cancelNo;         // txtiNo as typed
  QString cancelDate;       // txtiDate as typed
  bool signInputShown = false;  // cmdSignInput visible (NICE chooses "C" or "K" by it)
  QWidget *owner = nullptr;     // the form, parent of the messages
  SmtReplyState *smt = nullptr; // the form's SMARTRO terminal and its reply
};

struct CashReceiptResult {
  int16_t code = -1;  // 0 approved, 9999 refused or failed, -1 nothing sent
  QString termNo;     // msMoneyTermNo
  QString memberNo;   // msMoneyMemberNo
  QString cmitNo;
  QString cmitDate;
  // Card-log rows after the request went out that could not be written.
  QStringList notKept;
};

enum class CashKind { Issue, Cancel, TooSmall };
// 10 won or more issues, -10 or less cancels, anything between is too small.
CashKind CashKindOf(orv::Currency gum);
// The amount and VAT as the network receives them: positive for a cancellation.
orv::Currency CashSendAmount(orv::Currency value);
// "* 승인금액이 적습니다 !" titled "승인금액오류".
void ShowCashAmountTooSmall();

// KICC: the REQ text of B1 (issue) or B2 (cancellation), 13 fields joined by "^". The
// cancelled receipt's date goes as six characters (a longer one its last six, a shorter one
// padded with blanks), its number padded to nine and cut to nine.
QString KiccCashRequest(const CashReceiptInput &in);
// Whether a cancelled receipt's number or date may go into a KICC request: no "^", "&",
// "#", "%", "+", control character or character outside ASCII.
bool KiccFieldSafe(const QString &text);

// First Data: the inputs of the "CSH" transaction, in order.
QList<QPair<QString, QString>> FdkCashInputs(const CashReceiptInput &in);

// KIS: the agent's members in the order they are set (method 33 first, 34 not included).
QList<QPair<int, QString>> KisCashMembers(const CashReceiptInput &in);

// SMARTRO: the request kind and the fields in the order they are set.
QString SmtCashReqKind(const CashReceiptInput &in);
QList<QPair<int, QString>> SmtCashFields(const CashReceiptInput &in);

// NICE: the fourteen fields, each followed by FS.
QString NiceCashRequest(const CashReceiptInput &in);

// The branch of each network; CashReceiptBranchOf(giSetVan) is null for a value without one.
using CashReceiptBranch = CashReceiptResult (*)(CashReceiptInput &in);
CashReceiptResult CashReceiptFdk(CashReceiptInput &in);
CashReceiptResult CashReceiptSmt(CashReceiptInput &in);
CashReceiptResult CashReceiptKicc(CashReceiptInput &in);
CashReceiptResult CashReceiptKis(CashReceiptInput &in);
CashReceiptResult CashReceiptNice(CashReceiptInput &in);
CashReceiptBranch CashReceiptBranchOf(int16_t van);

#include <functional>
namespace orv::van {
// Tests: every network's branch runs this instead (an empty function puts them back).
void SetCashReceiptBranchHook(std::function<CashReceiptResult(CashReceiptInput &)> hook);
const std::function<CashReceiptResult(CashReceiptInput &)> &CashReceiptBranchHook();
}  // namespace orv::van
