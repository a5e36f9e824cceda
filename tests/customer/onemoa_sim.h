#pragma once
// orvonemoasim on a free loopback port, with the demo members and a journal of the
// requests; the server setting points at it.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <memory>

#include "customer/onemoa.h"
#include "platform/http.h"
#include "platform/settings_store.h"
#include "test_support.h"

namespace customertest {

class OneMoaSim {
 public:
  bool Start() {
    dir_ = orvtest::MakeTempDir();
    journal_ = dir_->filePath("journal.txt");
    const QString exe = QFileInfo(QStringLiteral(ORVPOS_PROGRAM)).dir().filePath("orvonemoasim");
    const QString members = QStringLiteral(ORVPOS_TEST_FIXTURES "/../../data/demo/onemoa.txt");
    proc_.start(exe, {"--port", "0", "--members", members, "--journal", journal_});
    if (!proc_.waitForStarted(5000) || !proc_.waitForReadyRead(5000)) return false;
    const QString first = QString::fromLatin1(proc_.readLine()).trimmed();
    if (!first.startsWith("port ")) return false;
    server_ = "http://127.0.0.1:" + first.mid(5);
    orv::settings_store::SaveSetting("gsSetOneMoaServer", server_);
    orv::onemoa::SetPauseMs(0);
    orv::onemoa::SetRequestTimeoutMs(2000);
    return true;
  }
  ~OneMoaSim() {
    proc_.kill();
    proc_.waitForFinished(5000);
    orv::onemoa::SetPauseMs(500);
    orv::onemoa::SetRequestTimeoutMs(10000);
  }
  // The next answers go wrong in these ways (error, html, empty, two, nothing, hang).
  void Queue(const QString &words) {
    ASSERT_TRUE(orv::http::Get(server_ + "/sim/next?answer=" + words, 2000).ok);
  }
  // The request targets the simulator received.
  QStringList Requests() const {
    QFile f(journal_);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
  }
  QString server() const { return server_; }

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  QString journal_, server_;
  QProcess proc_;
};

}  // namespace customertest
