#pragma once
// NICE: the card reader's library stands here as an agent program (gsSetVanAgent) run once
// per call: the request telegram on its stdin; the result and the reply on its stdout
// (docs/van-wire.md).
#include <QByteArray>
#include <QString>
#include <cstdint>

class frmCardChk;

// The reply fields of the last split; all empty after ClearNiceReply.
extern QString gsNiceRet01, gsNiceRet02, gsNiceRet03, gsNiceRet04, gsNiceRet05, gsNiceRet06,
    gsNiceRet07, gsNiceRet08, gsNiceRet09, gsNiceRet10, gsNiceRet11, gsNiceRet12, gsNiceRet13,
    gsNiceRet14, gsNiceRet15, gsNiceRet16, gsNiceRet17;

namespace orv::van {
constexpr int kNiceReplyBytes = 1025;  // the receive buffer; a reply takes at most 1,024
constexpr int kNiceNoReply = -9;       // NICEVCAT: the agent gave no answer in time
}  // namespace orv::van

void ClearNiceReply();
// Cuts reply at each separator into the fields (only the first 17 are kept), stopping after
// count separators or at the end of the text; returns field 3.
QString SplitNiceReply(const QString &reply, const QString &separator, const int16_t &count);

// Runs the agent with the request; 1 and the reply in reply (zero bytes after it), or a
// failure: kNiceNoReply when it did not answer in time, another value for any other
// failure (a reply over 1,024 bytes or not CP949 among them). Throws VanError when the
// agent cannot be started (nothing was sent).
int NICEVCAT(QByteArray &request, QByteArray &reply);

// The approval's request telegram: 14 fields, each ended by FS.
QString NiceApprovalTelegram(const QString &amount, const QString &vat, const QString &months);

// Splits a card reply from the agent's buffer (cut at its first zero byte) and says whether
// it approves: code "0000" in a whole reply. A reply cut short is no approval, whatever its
// code says: it reads as code "-1".
bool NiceCardReplyApproved(const QByteArray &buffer);

// gtCardRet from the last split reply of an approval or a cancellation; the expiry from the
// card box's read (characters 18 to 21).
void FillNiceCardRet(const QString &cardText);

// The branch: 0 approved, 9999 failed.
int16_t ApproveNice(frmCardChk &form);
