#pragma once
// SMARTRO: card, ZeroPay and KakaoPay approvals through the terminal (SmtSndRcvVCAT.h).
#include <QString>
#include <cstdint>

class frmCardChk;

// The branch: 0 approved, 9999 failed.
int16_t ApproveSmartro(frmCardChk &form);

// Field 10 of the requests: the tag, three length digits fixed per request, the data.
QString SmtZeroPayData(const QString &barcode);
QString SmtKakaoInquiryData(const QString &amount);
// kind "C" or "M"; empty for any other kind (the approval then goes without field 10).
QString SmtKakaoApprovalData(const QString &kind, const QString &inqInfo1,
                             const QString &inqInfo2, const QString &inqCmitNo);

// The two pieces of the KakaoPay inquiry that go into its approval.
extern QString gsKzInqInfo1, gsKzInqInfo2;
