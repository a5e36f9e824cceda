#pragma once
// The OneMoa loyalty service's wire side: the four requests (member lookup, sale header,
// goods line, registration) as GET queries on /ONE/C100.mart, the JSON reply, and the log
// of the sale requests. The screens that send them are the sale screen and CstOneMoaFrm.
#include <QHash>
#include <QList>
#include <QString>
#include <cstdint>
#include <optional>

#include "core/currency.h"

namespace orv::onemoa {

// Every byte of the UTF-8 text except A-Z a-z 0-9 - _ . ~ as %XX (upper-case hex).
QString UrlEncodeUtf8(const QString &text);
// A value that goes in "as typed": only what a query value cannot carry becomes %XX (blank,
// & = # + %, control characters, and non-ASCII as its UTF-8 bytes); the rest keeps its
// bytes. A typed "&" would otherwise cut the query.
QString QueryValue(const QString &text);

// "2024-01-05 13:07:42" from "20240105" and "130742".
QString BuyDateTime(const QString &date, const QString &time);
// The time one second before hhmmss, as the cancellation sends it; an hour that would fall
// below 1 becomes 24 (01:00:00 and 00:00:00 both give 245959).
QString CancelTime(const QString &hhmmss);
// A member code of exactly 13 digits as its first seven and last six digits; nullopt for
// anything else (such a code cannot be rebuilt from the two numbers).
struct CodeParts {
  int32_t first7 = 0;
  int32_t last6 = 0;
};
std::optional<CodeParts> SplitMemberCode(const QString &code);
// The 13-character code rebuilt from the two numbers, each zero-padded.
QString JoinMemberCode(int64_t first7, int64_t last6);
// A member code shown on screen: the first 9 characters and "****"; empty stays empty.
QString MaskMemberCode(const QString &code);
// 1 when the text holds more than 12 digits (a card number), else 0.
int16_t CardKeyOf(const QString &findKey);

// The terminal setting of the server's address (a row of the PC's device settings).
inline constexpr char kServerKey[] = "gsSetOneMoaServer";
// The server: "http://host[:port]", the terminal setting gsSetOneMoaServer. Empty when the
// setting is missing or not of that form: every request then fails at once.
QString ServerAddress();
void SetRequestTimeoutMs(int ms);  // 10 s unless a test says otherwise

// ---- the four queries (complete addresses, keys in the server's order) ----
QString FindQuery(const QString &server, const QString &number, const QString &clientCode);

struct SaleHeader {
  QString clientCode;
  QString personCode;
  Currency total;
  QString dateTime;  // BuyDateTime
  QString usePoint;  // whole number text
  QString cashier;   // staff name
  QString pcIp;
};
QString SaleHeaderQuery(const QString &server, const SaleHeader &h);

struct SaleLine {
  QString clientCode;
  QString personCode;
  QString goodsCode;
  QString goodsName;
  Currency price;
  Currency qty;
  QString dateTime;
};
QString SaleLineQuery(const QString &server, const SaleLine &l);

struct Registration {
  QString clientCode;
  QString name;
  QString tel;
  QString points;  // plain number text, "0" for none
  int32_t year = 0, month = 0, day = 0;
  bool male = false;
  QString address1, address2;
  QString orderTel;
};
QString RegisterQuery(const QString &server, const Registration &r);

// ---- one exchange ----
struct Exchange {
  bool ok = false;        // a JSON array of objects (or an empty object) came back
  int elements = 0;       // how many objects it held
  QHash<QString, QString> last;  // the last object's members, trimmed, quotes made safe
  QString Value(const QString &key) const { return last.value(key); }
};
// GET of the complete address; a failed request, or a reply that is not a JSON array of
// objects (HTML, empty, cut, a hang past the time-out) gives ok false. Never throws for
// the network; never shows a box.
Exchange Send(const QString &url);
// The reply text alone, as Send reads it.
Exchange ReadReply(const QString &body);

// Appends "O"/"X",date,time,chitNo,tag,address,message to
// <data>/OrvBackup/OneMoaError<date>.Txt in the Korean code page. Throws when the file
// cannot be written.
void LogOneMoaOk(const QString &date, const QString &time, const QString &chitNo,
                 const QString &tag, const QString &address, const QString &message);
void LogOneMoaErr(const QString &date, const QString &time, const QString &chitNo,
                  const QString &tag, const QString &address, const QString &message);

}  // namespace orv::onemoa

// ---- sale report and cancellation ----
namespace orv::db {
class Connection;
}

namespace orv::onemoa {

// The wait after a report's header and after its last line (half a second; tests set 0).
// Input is dropped while it runs.
void SetPauseMs(int ms);
void Pause();

struct ReportLine {
  int index = 0;  // the chit line, 1 to 150
  QString code, name;
  Currency price, qty;
};

// What one report or cancellation sends: the header, then each line.
struct Report {
  bool cancel = false;
  QString server, clientCode, personCode;
  QString date;    // yyyymmdd: buy_datetime and the log file
  QString time;    // hhmmss as sent
  QString chitNo;  // for the log
  Currency total;  // as sent (the cancellation's is negated by the caller)
  QString usePoint;
  QString cashier, pcIp;
  QList<ReportLine> lines;
};

// One request's outcome: failed when the exchange failed or resultcode is not "0"; the
// message is the server's returnmsg of a failed answer.
struct SendOutcome {
  bool fail = false;
  QString message;
};
SendOutcome SendOneMoaChit(const QString &url);

// Sends every request once, each logged, pausing after the header and after the lines; a
// failure does not stop the rest. True when every request succeeded.
bool SendReport(const Report &r);

struct ChitKey {
  int year = 0, mon = 0, day = 0;
  int32_t chtNo = 0;
};

// PctSss1 = 2 on PanChit<yymm> (goDbMain, mainKey) and PanChitT<yymm> (goDbPos, posKey), one
// transaction each, main committed first; a failure rolls both back and goes on (DbError).
void MarkOneMoaSending(db::Connection &main, db::Connection &pos, const QString &yymm,
                       const ChitKey &mainKey, const ChitKey &posKey);
// PctSss1 = 1 (allSent) or 2, and the member code's two parts into the list and goods rows
// of both databases. A code that is not 13 digits is not written (logged): its parts would
// not give it back. Same transactions as MarkOneMoaSending.
void MarkOneMoaSent(db::Connection &main, db::Connection &pos, const QString &yymm,
                    const ChitKey &mainKey, const ChitKey &posKey, bool allSent,
                    const QString &personCode);

}  // namespace orv::onemoa
