#pragma once
// SMARTRO: card, ZeroPay and KakaoPay approvals through the terminal (SmtSndRcvVCAT.h).
#include <QHash>
#include <QString>
#include <cstdint>

class QLineEdit;
class frmCardChk;
class SmtReplyState;
struct RequestScreen;

// The branch: 0 approved, 9999 failed.
int16_t ApproveSmartro(frmCardChk &form);

// Field 10 of the requests: the tag, three length digits fixed per request, the data.
QString SmtZeroPayData(const QString &barcode);
QString SmtKakaoInquiryData(const QString &amount);
// kind "C" or "M"; empty for any other kind (the approval then goes without field 10).
QString SmtKakaoApprovalData(const QString &kind, const QString &inqInfo1,
                             const QString &inqInfo2, const QString &inqCmitNo);

// gtCardRet and the print lines from an approved reply of an approval or a cancellation, by
// giKzPayKind; KakaoPay's acquirer name ends with the Kakao kind and discount. The acquirer
// code as received: the form's label shows it, not the barcode payment's fixed one.
QString FillSmtCardRet(const QHash<int, QString> &reply, const QString &discount, int16_t months);

// The two pieces of the KakaoPay inquiry that go into its approval.
extern QString gsKzInqInfo1, gsKzInqInfo2;

// The signature of a card or ZeroPay request: its mode ("1" none, "2" on the terminal, "4"
// an image) and for mode "4" the encrypted image for fields 68 and 69.
struct SmtSignature {
  QString mode = QStringLiteral("1");
  QString a, b;
};
// Takes it as the settings and the no-signature box say (the KIS pad with the form's card
// and amount boxes). An image is encrypted with the terminal's working key, fetched first
// when it is not known. False when the request stopped with its own box (no key, no image):
// nothing is to be sent.
bool SmtTakeSignature(const RequestScreen &screen, bool signRequired, bool signNotUse,
                      QLineEdit *cardBox, QLineEdit *amountBox, int16_t &padState,
                      SmtReplyState &smt, SmtSignature *sig);
// The customer signs on the terminal while the request is under way.
void SmtTerminalSignature(const RequestScreen &screen);
// The reply is in: the prompt, the terminal and the pad are put away.
void SmtSignatureOver(const RequestScreen &screen);
