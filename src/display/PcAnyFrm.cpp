#include "display/PcAnyFrm.h"

#include <QFileInfo>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>

#include "core/connections.h"
#include "core/helpers.h"
#include "platform/http.h"
#include "platform/process.h"
#include "platform/settings_store.h"

using namespace orv;

namespace orv::display {

const QList<RemoteProgram> &RemotePrograms() {
  static const QList<RemoteProgram> k = {
      {"TeamViewCmd",
       {QStringLiteral("TeamViewer.exe"), QStringLiteral("TeamViewer_Service.exe")},
       kRemoteTvKey,
       "/usr/bin/teamviewer;/opt/teamviewer/tv_bin/script/teamviewer"},
      {"TeamView13Cmd",
       {QStringLiteral("TeamViewer.exe"), QStringLiteral("TeamViewer_Service.exe")},
       kRemoteTvSetupKey,
       ""},
      {"ZookAgentCmd", {QStringLiteral("ZOOKServer.exe")}, kRemoteZookKey, ""},
  };
  return k;
}

QStringList RemoteProgramPaths(const RemoteProgram &p) {
  // The settings screen stores an empty box as an empty key: both mean the default.
  QString text = settings_store::GetSetting(QString::fromLatin1(p.settingKey)).trimmed();
  if (text.isEmpty()) text = QString::fromUtf8(p.defaultPrograms);
  QStringList out;
  for (const QString &s : text.split(QLatin1Char(';'), Qt::SkipEmptyParts))
    if (!s.trimmed().isEmpty()) out << s.trimmed();
  return out;
}

QString NoticePageUrl() {
  const QString base = web::WebServerBase();
  return base.isEmpty() ? QString() : base + QStringLiteral("/jdatas13.php?tb=2&id=229&pagenum=1");
}

}  // namespace orv::display

namespace {

QPushButton *Button(QWidget *parent, const char *name, const QString &caption, QRect at,
                    const QColor &back, bool big) {
  auto *b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setGeometry(at);
  b->setAutoDefault(false);
  QFont f = b->font();
  f.setBold(big);
  if (big) f.setPointSize(12);
  b->setFont(f);
  b->setStyleSheet(QStringLiteral("background-color: %1;").arg(back.name()));
  return b;
}

}  // namespace

PcAnyFrm::PcAnyFrm(QWidget *parent) : QDialog(parent) {
  setObjectName("PcAnyFrm");
  setWindowTitle(QStringLiteral("원격 작업 선택"));
  setFixedSize(395, 374);
  const QColor green(192, 255, 192);
  PrgExitCmd = Button(this, "PrgExitCmd", QStringLiteral("종료"), QRect(338, 2, 55, 51),
                      QColor(192, 192, 255), false);
  TeamViewCmd = Button(this, "TeamViewCmd", QStringLiteral("Team Viewer 실행"),
                       QRect(2, 2, 169, 51), green, true);
  ZookAgentCmd = Button(this, "ZookAgentCmd", QStringLiteral("Zook Agent 실행"),
                        QRect(170, 2, 169, 51), green, true);
  TeamView13Cmd = Button(this, "TeamView13Cmd", QStringLiteral("TV13"), QRect(126, 36, 43, 17),
                         QColor(192, 255, 255), false);
  TeamView13Cmd->raise();
  Web = new QTextBrowser(this);
  Web->setObjectName("Web");
  Web->setGeometry(0, 55, 395, 319);
  Web->setOpenExternalLinks(true);  // links go to the system browser
  PrgExitCmd->setFocus();

  for (const display::RemoteProgram &p : display::RemotePrograms()) {
    auto *b = findChild<QPushButton *>(QString::fromLatin1(p.button));
    connect(b, &QPushButton::clicked, this, [this, p] { Launch(p); });
  }
  connect(PrgExitCmd, &QPushButton::clicked, this, &QDialog::close);
  // The form shows first; the page comes after.
  QTimer::singleShot(0, this, [this] { LoadNotice(); });
}

int PcAnyFrm::Launch(const display::RemoteProgram &p) {
  for (const QString &title : p.closeTitles) CloseWindowByTitle(title);
  int started = 0;
  for (const QString &path : display::RemoteProgramPaths(p))
    if (QFileInfo(path).isFile() && process::StartDetached(path)) ++started;
  return started;
}

void PcAnyFrm::LoadNotice() {
  const QString url = display::NoticePageUrl();
  if (url.isEmpty()) {
    Web->setPlainText(QStringLiteral("웹 서버가 설정되지 않아 공지사항을 볼 수 없습니다."));
    return;
  }
  Web->setPlainText(QStringLiteral("공지사항을 불러오는 중입니다..."));
  QPointer<PcAnyFrm> self(this);
  const http::Reply r = http::Get(url, noticeTimeoutMs);
  if (!self) return;  // closed while waiting
  if (r.Success())
    Web->setHtml(r.Text());
  else
    Web->setPlainText(QStringLiteral("공지사항을 불러오지 못했습니다. (") +
                      (r.ok ? QString::number(r.status) : r.error) + ")");
}
