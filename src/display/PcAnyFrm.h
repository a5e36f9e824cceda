#pragma once
// The remote-support launcher of the login form ("원격"): a notice page of the shop
// system's web server and buttons that close running copies of a support program and start
// it. The programs are terminal settings (paths separated by ";", each one that exists is
// started): gsSetRemoteTv, gsSetRemoteTvSetup, gsSetRemoteZook.
#include <QDialog>
#include <QStringList>

class QPushButton;
class QTextBrowser;

namespace orv::display {

// The terminal settings naming the support programs.
inline constexpr char kRemoteTvKey[] = "gsSetRemoteTv";
inline constexpr char kRemoteTvSetupKey[] = "gsSetRemoteTvSetup";
inline constexpr char kRemoteZookKey[] = "gsSetRemoteZook";

struct RemoteProgram {
  const char *button;
  QStringList closeTitles;  // windows closed first, titles containing these
  const char *settingKey;
  const char *defaultPrograms;  // when the key is missing or empty
};
const QList<RemoteProgram> &RemotePrograms();
// The programs of a setting in order; a missing or empty key gives the default.
QStringList RemoteProgramPaths(const RemoteProgram &p);
// The page address; "" without a web server.
QString NoticePageUrl();
inline constexpr int kNoticePageTimeoutMs = 10000;

}  // namespace orv::display

class PcAnyFrm : public QDialog {
  Q_OBJECT
 public:
  explicit PcAnyFrm(QWidget *parent = nullptr);

  QPushButton *TeamViewCmd, *ZookAgentCmd, *TeamView13Cmd, *PrgExitCmd;
  QTextBrowser *Web;
  int noticeTimeoutMs = orv::display::kNoticePageTimeoutMs;  // tests wait less

  // Closes the program's windows, then starts each of its paths; how many started.
  int Launch(const orv::display::RemoteProgram &p);
  void LoadNotice();
};
