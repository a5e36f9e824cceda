#pragma once
// The KICC card agent on the shop PC, reached over HTTP: one POST per request whose query
// carries the REQ value as it stands ('^' unencoded), no body; the JSONP reply decoded from
// CP949 and read into the 37 reply fields.
#include <QString>

// The reply fields of the last parse; empty after ClearKiccReply.
extern QString gsKiccSUC, gsKiccMSG;
extern QString gsKiccRQ[16];  // [1]..[15]: RQ01..RQ15
extern QString gsKiccRS[21];  // [1]..[20]: RS01..RS20

void ClearKiccReply();
// Clears the fields, reads the reply into them and returns SUC (empty when missing). Never
// fails: what it cannot read is ignored.
QString ParseKiccReply(const QString &reply);

namespace orv::van {

// The request line's target for a REQ value (a blank goes as %20).
QString KiccTarget(const QString &req);
// The approval's REQ value: amount without commas and trimmed, the months as two digits,
// the VAT in whole won.
QString KiccApprovalReq(const QString &amountText, const QString &months, const QString &vat);

struct AgentAnswer {
  bool sent = false;     // the request left: a failure from here on may have charged a card
  bool replied = false;  // a reply came back; text holds it
  QString text;
  QString error;         // why nothing was sent or nothing came back
};
// gtCardRet from the last parsed reply of an approval or a cancellation; the expiry from the
// card box's read (characters 18 to 21).
void FillKiccCardRet(const QString &cardText);

// One request to the agent at gsSetServerIp:gsSetServerPort, waiting Timeouts().replyMs
// for the connection and again for the reply.
AgentAnswer KiccSend(const QString &req);
// KiccSend for a request that must reach the agent: one that was not sent throws VanError
// (-1, naming the agent's address).
AgentAnswer KiccSendOrThrow(const QString &req);

}  // namespace orv::van
