#include "customer/onemoa.h"

#include <QFile>
#include <QRegularExpression>

#include "core/json.h"
#include "core/text_format.h"
#include "core/values.h"
#include "platform/codepage.h"
#include "platform/datafolder.h"
#include "platform/http.h"
#include "platform/settings_store.h"

namespace orv::onemoa {

namespace {

int gTimeoutMs = 10000;

QString Hex(uint8_t b) {
  static const char digits[] = "0123456789ABCDEF";
  QString s(QLatin1Char('%'));
  s += QLatin1Char(digits[b >> 4]);
  s += QLatin1Char(digits[b & 15]);
  return s;
}

QString Encode(const QString &text, bool unreservedOnly) {
  QString out;
  const QByteArray utf8 = text.toUtf8();
  for (char ch : utf8) {
    const auto b = uint8_t(ch);
    const bool unreserved = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') ||
                            (b >= '0' && b <= '9') || b == '-' || b == '_' || b == '.' ||
                            b == '~';
    bool keep = unreserved;
    if (!unreservedOnly)
      keep = b > 0x20 && b < 0x7F && b != '&' && b != '=' && b != '#' && b != '+' && b != '%';
    out += keep ? QString(QLatin1Char(char(b))) : Hex(b);
  }
  return out;
}

QString Two(int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); }

QString Base(const QString &server, const char *mode) {
  return server + QStringLiteral("/ONE/C100.mart?mode=") + QLatin1String(mode);
}

QString Pair(const char *key, const QString &value) {
  return QLatin1Char('&') + QLatin1String(key) + QLatin1Char('=') + value;
}

QString MemberText(const orv::json::Value &v) {
  QString s;
  if (v.IsText())
    s = v.AsText();
  else if (v.IsNumber())
    s = v.AsNumber().ToText();
  else if (v.IsBoolean())
    s = v.AsBoolean() ? QStringLiteral("True") : QStringLiteral("False");
  return SqlText(s, 0);
}

void Log(const char *mark, const QString &date, const QString &time, const QString &chitNo,
         const QString &tag, const QString &address, const QString &message) {
  QFile f(orv::datafolder::Path(QStringLiteral("OrvBackup/OneMoaError") + date +
                                QStringLiteral(".Txt")));
  if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
    throw std::runtime_error("OneMoa log not writable: " + f.fileName().toStdString());
  const QString line = QLatin1String(mark) + ',' + date + ',' + time + ',' + chitNo + ',' + tag +
                       ',' + address + ',' + message + QStringLiteral("\r\n");
  const QByteArray bytes = orv::codepage::Encode(line);
  if (f.write(bytes) != bytes.size())
    throw std::runtime_error("OneMoa log not written: " + f.fileName().toStdString());
}

}  // namespace

QString UrlEncodeUtf8(const QString &text) { return Encode(text, true); }

QString QueryValue(const QString &text) { return Encode(text, false); }

QString BuyDateTime(const QString &date, const QString &time) {
  return date.mid(0, 4) + '-' + date.mid(4, 2) + '-' + date.mid(6, 2) + ' ' + time.mid(0, 2) +
         ':' + time.mid(2, 2) + ':' + time.mid(4, 2);
}

QString CancelTime(const QString &hhmmss) {
  int h = hhmmss.mid(0, 2).toInt(), m = hhmmss.mid(2, 2).toInt(), s = hhmmss.mid(4, 2).toInt();
  if (--s < 0) {
    s = 59;
    if (--m < 0) {
      m = 59;
      if (--h < 1) h = 24;
    }
  }
  return Two(h) + Two(m) + Two(s);
}

std::optional<CodeParts> SplitMemberCode(const QString &code) {
  static const QRegularExpression thirteen(QStringLiteral("^[0-9]{13}$"));
  if (!thirteen.match(code).hasMatch()) return std::nullopt;
  return CodeParts{code.left(7).toInt(), code.right(6).toInt()};
}

QString JoinMemberCode(int64_t first7, int64_t last6) {
  return (QStringLiteral("0000000") + QString::number(first7)).right(7) +
         (QStringLiteral("000000") + QString::number(last6)).right(6);
}

QString MaskMemberCode(const QString &code) {
  return code.isEmpty() ? QString() : code.left(9) + QStringLiteral("****");
}

int16_t CardKeyOf(const QString &findKey) {
  int digits = 0;
  for (QChar c : findKey) digits += c >= '0' && c <= '9';
  return digits > 12 ? 1 : 0;
}

QString ServerAddress() {
  QString s = orv::settings_store::GetSetting(QLatin1String(kServerKey)).trimmed();
  while (s.endsWith('/')) s.chop(1);
  static const QRegularExpression form(
      QStringLiteral("^http://[A-Za-z0-9.\\-]+(:[0-9]{1,5})?$"));
  return form.match(s).hasMatch() ? s : QString();
}

void SetRequestTimeoutMs(int ms) { gTimeoutMs = ms; }

QString FindQuery(const QString &server, const QString &number, const QString &clientCode) {
  return Base(server, "proc_pos_personfind") + Pair("person_num", QueryValue(number.trimmed())) +
         Pair("clienttel", {}) + Pair("clientcode", QueryValue(clientCode));
}

QString SaleHeaderQuery(const QString &server, const SaleHeader &h) {
  return Base(server, "proc_pos_sells") + Pair("salecode", QueryValue(h.clientCode)) +
         Pair("personcode", QueryValue(h.personCode)) +
         Pair("totalamount", h.total.ToPlainText()) + Pair("buypoint", QStringLiteral("0")) +
         Pair("buy_datetime", QueryValue(h.dateTime)) + Pair("usepoint", QueryValue(h.usePoint)) +
         Pair("old_buydatetime", {}) + Pair("gubun", QStringLiteral("G")) +
         Pair("pos_username", UrlEncodeUtf8(DelSpace(h.cashier))) +
         Pair("pos_pcip", QueryValue(h.pcIp));
}

QString SaleLineQuery(const QString &server, const SaleLine &l) {
  return Base(server, "proc_pos_sellslist") + Pair("salecode", QueryValue(l.clientCode)) +
         Pair("personcode", QueryValue(l.personCode)) +
         Pair("productcode", QueryValue(l.goodsCode)) +
         Pair("productname", UrlEncodeUtf8(DelSpace(l.goodsName))) +
         Pair("price", l.price.ToPlainText()) + Pair("qty", l.qty.ToPlainText()) +
         Pair("couphoncode", {}) + Pair("buy_datetime", QueryValue(l.dateTime));
}

QString RegisterQuery(const QString &server, const Registration &r) {
  const QString birth = QStringLiteral("%1-%2-%3")
                            .arg(std::abs(r.year), 4, 10, QLatin1Char('0'))
                            .arg(std::abs(r.month), 2, 10, QLatin1Char('0'))
                            .arg(std::abs(r.day), 2, 10, QLatin1Char('0'));
  const QString address =
      SqlStrCut((r.address1 + ' ' + r.address2).trimmed(), 100);
  return Base(server, "proc_person_reg_order") + Pair("salescode", QueryValue(r.clientCode)) +
         Pair("personname", UrlEncodeUtf8(DelSpace(r.name))) +
         Pair("persontel", QueryValue(r.tel.trimmed())) +
         Pair("salespoint", QueryValue(r.points.isEmpty() ? QStringLiteral("0") : r.points)) +
         Pair("clientcode", {}) + Pair("personbirth", birth) +
         Pair("personsex", r.male ? QStringLiteral("M") : QStringLiteral("L")) +
         Pair("personjuso", UrlEncodeUtf8(address)) +
         Pair("ordertel", QueryValue(r.orderTel.trimmed()));
}

Exchange ReadReply(const QString &body) {
  Exchange out;
  const orv::json::Value v = JsonParse(body);
  if (v.IsDictionary()) {
    out.ok = v.AsDictionary().Count() == 0;
    return out;
  }
  if (!v.IsCollection() || !JsonErrors().isEmpty()) return out;
  const auto &items = v.AsCollection();
  QHash<QString, QString> last;
  for (int i = 1; i <= items.Count(); ++i) {
    const orv::json::Value &e = items.Item(i);
    if (!e.IsDictionary()) return out;
    last.clear();
    const auto &d = e.AsDictionary();
    for (int k = 1; k <= d.Count(); ++k) last.insert(d.KeyAt(k), MemberText(d.ItemAt(k)));
  }
  out.ok = true;
  out.elements = items.Count();
  out.last = last;
  return out;
}

Exchange Send(const QString &url) {
  if (!url.startsWith(QLatin1String("http://"))) return {};
  const orv::http::Reply r = orv::http::Get(url, gTimeoutMs);
  if (!r.ok) return {};
  return ReadReply(QString::fromUtf8(r.body));
}

void LogOneMoaOk(const QString &date, const QString &time, const QString &chitNo,
                 const QString &tag, const QString &address, const QString &message) {
  Log("O", date, time, chitNo, tag, address, message);
}

void LogOneMoaErr(const QString &date, const QString &time, const QString &chitNo,
                  const QString &tag, const QString &address, const QString &message) {
  Log("X", date, time, chitNo, tag, address, message);
}

}  // namespace orv::onemoa
