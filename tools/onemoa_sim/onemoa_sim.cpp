// The loyalty service's server on loopback: HTTP/1.1 GET /ONE/C100.mart with the request in
// the query, a JSON array as the answer.
//
//   orvonemoasim --port 18080 --members data/demo/onemoa.txt [--journal file]
//
// --port 0 takes a free port; the port in use is printed as "port <n>" on the first line of
// the output. Members file (UTF-8): one member a line, "phone,card,personcode,name,
// usingpoint,happoint"; '#' starts a comment. A lookup finds a member by phone (dashes
// ignored), card or member code. Every request's target goes to the journal, one line each.
//
// How the next answers go wrong: GET /sim/next?answer=<word>[,<word>...] queues words used
// one per service request, then the normal answer again: error (resultcode 7),
// html (a 500 page), empty ([]), two (an element with 0, then one with 7), nothing (the
// connection closes without an answer), hang (no answer at all).
#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTextStream>
#include <QUrl>
#include <QUrlQuery>
#include <cstdio>

namespace {

struct Member {
  QString phone, card, code, name, usingPoint, hapPoint;
};

QList<Member> gMembers;
QStringList gQueue;
QString gJournal;
int gNextCode = 1;

QString Digits(const QString &s) {
  QString out;
  for (QChar c : s)
    if (c.isDigit()) out += c;
  return out;
}

void LoadMembers(const QString &path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) {
    fprintf(stderr, "members file not readable: %s\n", qPrintable(path));
    return;
  }
  QTextStream in(&f);
  in.setEncoding(QStringConverter::Utf8);
  while (!in.atEnd()) {
    const QString line = in.readLine().trimmed();
    if (line.isEmpty() || line.startsWith('#')) continue;
    const QStringList p = line.split(',');
    gMembers << Member{p.value(0).trimmed(), p.value(1).trimmed(), p.value(2).trimmed(),
                       p.value(3).trimmed(), p.value(4).trimmed(), p.value(5).trimmed()};
  }
}

void Journal(const QString &line) {
  if (gJournal.isEmpty()) return;
  QFile f(gJournal);
  if (f.open(QIODevice::WriteOnly | QIODevice::Append)) f.write(line.toUtf8() + '\n');
}

QByteArray Json(const QJsonArray &a) { return QJsonDocument(a).toJson(QJsonDocument::Compact); }

QJsonObject Result(const QString &code, const QString &msg, const char *msgKey = "returnmsg") {
  return QJsonObject{{"resultcode", code}, {QLatin1String(msgKey), msg}};
}

QByteArray Answer(const QUrlQuery &q) {
  const QString mode = q.queryItemValue("mode", QUrl::FullyDecoded);
  auto v = [&](const char *key) { return q.queryItemValue(QLatin1String(key), QUrl::FullyDecoded); };
  if (mode == QLatin1String("proc_pos_personfind")) {
    const QString num = Digits(v("person_num"));
    for (const Member &m : gMembers) {
      if (num.isEmpty() || (Digits(m.phone) != num && Digits(m.card) != num && m.code != num))
        continue;
      QJsonObject o = Result("0", QStringLiteral("정상"), "resultmsg");
      o["personcode"] = m.code;
      o["personname"] = m.name;
      o["usingpoint"] = m.usingPoint;
      o["happoint"] = m.hapPoint;
      o["clientcode"] = v("clientcode");
      o["clientgbn"] = "M";
      o["persontel"] = m.phone;
      return Json({o});
    }
    return Json({Result("1", QStringLiteral("회원정보가 없습니다"), "resultmsg")});
  }
  if (mode == QLatin1String("proc_pos_sells") || mode == QLatin1String("proc_pos_sellslist")) {
    if (v("salecode").isEmpty() || v("personcode").isEmpty())
      return Json({Result("2", QStringLiteral("필수값 누락"))});
    return Json({Result("0", QStringLiteral("정상처리"))});
  }
  if (mode == QLatin1String("proc_person_reg_order")) {
    if (v("personname").isEmpty() || v("persontel").isEmpty())
      return Json({Result("2", QStringLiteral("필수값 누락"))});
    Member m{v("persontel"), {}, QStringLiteral("9%1").arg(gNextCode++, 12, 10, QLatin1Char('0')),
             v("personname"), v("salespoint"), v("salespoint")};
    gMembers << m;
    return Json({Result("0", QStringLiteral("등록되었습니다"))});
  }
  return Json({Result("9", QStringLiteral("알수없는 요청"))});
}

void Write(QTcpSocket *s, int status, const QByteArray &type, const QByteArray &body) {
  s->write("HTTP/1.1 " + QByteArray::number(status) + (status == 200 ? " OK" : " Error") +
           "\r\nContent-Type: " + type + "\r\nContent-Length: " + QByteArray::number(body.size()) +
           "\r\nConnection: close\r\n\r\n" + body);
  s->disconnectFromHost();
}

void Handle(QTcpSocket *s) {
  QByteArray buf = s->property("buf").toByteArray() + s->readAll();
  s->setProperty("buf", buf);
  if (!buf.contains("\r\n\r\n")) return;
  const QList<QByteArray> first = buf.left(buf.indexOf("\r\n")).split(' ');
  const QByteArray target = first.value(1);
  const QUrl url(QString::fromLatin1("http://sim") + QString::fromLatin1(target));
  const QUrlQuery q(url);
  if (url.path() == QLatin1String("/sim/next")) {
    gQueue << q.queryItemValue("answer").split(',', Qt::SkipEmptyParts);
    Write(s, 200, "text/plain", "queued");
    return;
  }
  Journal(QString::fromLatin1(target));
  if (url.path() != QLatin1String("/ONE/C100.mart")) {
    Write(s, 404, "text/html", "<html><body>not found</body></html>");
    return;
  }
  const QString word = gQueue.isEmpty() ? QString() : gQueue.takeFirst();
  const QByteArray json = "application/json; charset=utf-8";
  if (word == QLatin1String("hang")) return;
  if (word == QLatin1String("nothing")) {
    s->abort();
    return;
  }
  if (word == QLatin1String("html"))
    Write(s, 500, "text/html", "<html><body>Internal Server Error</body></html>");
  else if (word == QLatin1String("empty"))
    Write(s, 200, json, "[]");
  else if (word == QLatin1String("error"))
    Write(s, 200, json, Json({Result("7", QStringLiteral("처리오류, 다시 시도"))}));
  else if (word == QLatin1String("two"))
    Write(s, 200, json, Json({Result("0", "ok"), Result("7", QStringLiteral("두번째 오류"))}));
  else
    Write(s, 200, json, Answer(q));
}

}  // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  auto option = [&](const char *name) {
    const int i = args.indexOf(QLatin1String(name));
    return i > 0 ? args.value(i + 1) : QString();
  };
  if (!option("--members").isEmpty()) LoadMembers(option("--members"));
  gJournal = option("--journal");
  QTcpServer server;
  if (!server.listen(QHostAddress::LocalHost, quint16(option("--port").toUInt()))) {
    fprintf(stderr, "cannot listen: %s\n", qPrintable(server.errorString()));
    return 1;
  }
  printf("port %d\n", int(server.serverPort()));
  fflush(stdout);
  QObject::connect(&server, &QTcpServer::newConnection, [&] {
    while (QTcpSocket *s = server.nextPendingConnection()) {
      QObject::connect(s, &QTcpSocket::readyRead, s, [s] { Handle(s); });
      QObject::connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
    }
  });
  return app.exec();
}
