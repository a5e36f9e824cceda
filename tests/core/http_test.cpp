#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <memory>

#include "fake_web_server.h"
#include "platform/http.h"

#include <QUrl>

using orvtest::FakeWebServer;

TEST(HttpGet, ReturnsBodyAndStatus) {
  FakeWebServer web;
  web.SetPage("/a.php?x=1", "hello\r\nworld");
  auto r = orv::http::Get(web.BaseUrl() + "/a.php?x=1", 5000);
  EXPECT_TRUE(r.Success());
  EXPECT_EQ(r.status, 200);
  EXPECT_EQ(r.body, QByteArray("hello\r\nworld"));
  EXPECT_EQ(web.Requests(), QStringList{"/a.php?x=1"});

  auto missing = orv::http::Get(web.BaseUrl() + "/none", 5000);
  EXPECT_TRUE(missing.ok);
  EXPECT_EQ(missing.status, 404);
  EXPECT_FALSE(missing.Success());
}

TEST(HttpGet, FailsWithoutAnAnswer) {
  // Nothing listening, a server that never answers, and URLs that cannot be asked.
  auto refused = orv::http::Get(orvtest::ClosedPortUrl() + "/x", 5000);
  EXPECT_FALSE(refused.ok);
  EXPECT_FALSE(refused.error.isEmpty());

  FakeWebServer silent;
  silent.SetSilent(true);
  auto timedOut = orv::http::Get(silent.BaseUrl() + "/x", 300);
  EXPECT_FALSE(timedOut.ok);
  EXPECT_EQ(timedOut.error, "time-out");
  EXPECT_EQ(silent.Requests().size(), 1);

  for (const char *url : {"", "not a url", "ftp://127.0.0.1/x", "http:///x"})
    EXPECT_FALSE(orv::http::Get(url, 1000).ok) << url;

  auto unknownHost = orv::http::Get("http://no-such-host.invalid/x", 5000);
  EXPECT_FALSE(unknownHost.ok);
}

TEST(HttpGet, AnAbortHookEndsTheWaitAndEveryLaterRequest) {
  FakeWebServer silent;
  silent.SetSilent(true);
  orv::http::AbortHook hook;
  // Fires inside the wait, as a cancel button's click would.
  QTimer::singleShot(50, [&] { hook.Abort(); });
  auto r = orv::http::Get(silent.BaseUrl() + "/x", 60000, {}, &hook);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error, "aborted");
  EXPECT_TRUE(hook.Aborted());
  auto later = orv::http::Get(silent.BaseUrl() + "/y", 60000, {}, &hook);
  EXPECT_EQ(later.error, "aborted");
  EXPECT_EQ(silent.Requests(), QStringList{"/x"}) << "an aborted hook asks nothing more";
}

TEST(HttpPost, SendsAndReadsTheAnswer) {
  FakeWebServer web;
  web.SetPage("/agent", "OK");
  auto r = orv::http::Post(web.BaseUrl() + "/agent", "a=1", 5000);
  EXPECT_TRUE(r.Success());
  EXPECT_EQ(r.Text(), "OK");
}

TEST(HttpPostRaw, KeepsTheTargetAsGivenAndTellsSentFromNotSent) {
  FakeWebServer web;
  const QByteArray target = "/?callback=cb&REQ=D1^^12000^00^^";
  web.SetPage(QString::fromLatin1(target), "cb({SUC:'00'})");
  const quint16 port = QUrl(web.BaseUrl()).port();
  auto r = orv::http::PostRaw("127.0.0.1", port, target, {}, 2000, 2000);
  EXPECT_TRUE(r.sent);
  EXPECT_TRUE(r.Success()) << r.error.toStdString();
  EXPECT_EQ(r.body, "cb({SUC:'00'})");
  EXPECT_EQ(web.Requests(), QStringList{QString::fromLatin1(target)});

  auto refused = orv::http::PostRaw("127.0.0.1", QUrl(orvtest::ClosedPortUrl()).port(), "/x", {}, 2000, 2000);
  EXPECT_FALSE(refused.sent);
  EXPECT_FALSE(refused.ok);

  FakeWebServer silent;
  silent.SetSilent(true);
  auto noAnswer = orv::http::PostRaw("127.0.0.1", QUrl(silent.BaseUrl()).port(), "/x", {}, 2000, 200);
  EXPECT_TRUE(noAnswer.sent);
  EXPECT_FALSE(noAnswer.ok);
  EXPECT_EQ(noAnswer.error, "time-out");
}

namespace {
// Runs events until cond() holds or two seconds passed.
template <typename Cond>
bool EventsUntil(Cond cond) {
  QElapsedTimer t;
  t.start();
  while (!cond() && t.elapsed() < 2000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return cond();
}
}  // namespace

TEST(HttpGet, ReusesAThreadsOpenConnectionUntilClosed) {
  FakeWebServer web;
  web.SetKeepAlive(true);
  web.SetPage("/a", "1");
  EXPECT_TRUE(orv::http::Get(web.BaseUrl() + "/a", 5000).Success());
  EXPECT_TRUE(orv::http::Get(web.BaseUrl() + "/a", 5000).Success());
  EXPECT_EQ(web.Connections(), 1) << "the second request goes over the first one's connection";

  orv::http::CloseConnections();
  EXPECT_TRUE(EventsUntil([&] { return web.Closed() == 1; })) << "nothing left open to the server";
  EXPECT_TRUE(orv::http::Get(web.BaseUrl() + "/a", 5000).Success());
  EXPECT_EQ(web.Connections(), 2);
  orv::http::CloseConnections();
}

TEST(HttpGet, RequestsShareNoCookies) {
  FakeWebServer web;
  web.SetKeepAlive(true);
  web.SetPage("/login", "ok", 200, {"Set-Cookie: sid=42; Path=/"});
  web.SetPage("/next", "ok");
  ASSERT_TRUE(orv::http::Get(web.BaseUrl() + "/login", 5000).Success());
  ASSERT_TRUE(orv::http::Get(web.BaseUrl() + "/next", 5000).Success());
  ASSERT_EQ(web.Heads().size(), 2);
  EXPECT_FALSE(web.Heads()[1].toLower().contains("cookie:")) << web.Heads()[1].toStdString();
  orv::http::CloseConnections();
}

TEST(HttpGet, AWorkerThreadsConnectionsEndWithTheThread) {
  FakeWebServer web;  // answers on this thread's events
  web.SetKeepAlive(true);
  web.SetPage("/a", "from a worker");
  orv::http::Reply reply;
  std::unique_ptr<QThread> worker(
      QThread::create([&] { reply = orv::http::Get(web.BaseUrl() + "/a", 5000); }));
  worker->start();
  ASSERT_TRUE(EventsUntil([&] { return worker->isFinished(); }));
  EXPECT_TRUE(reply.Success()) << reply.error.toStdString();
  EXPECT_EQ(reply.body, "from a worker");
  EXPECT_TRUE(EventsUntil([&] { return web.Closed() == 1; }))
      << "the worker's manager went with it, and its connection too";
}
