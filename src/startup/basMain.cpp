#include "startup/basMain.h"

#include <QFileInfo>
#include <QProcess>

#include "core/connections.h"
#include "core/pos_settings.h"
#include "core/values.h"
#include "platform/datafolder.h"
#include "platform/dialogs.h"
#include "platform/settings_store.h"
#include "startup/frmLog.h"

namespace orv::startup {
namespace {

QWidget *showLogin() {
  frmLog form;
  form.Form_Load();
  if (form.EndRequested()) return nullptr;
  dialogs::ShowModal(form);
  return form.TakeMainWindow();
}

// The host that answers only when the network is up: the shop system's web server.
QString networkProbeHost() {
  QString base = web::WebServerBase();
  if (base.isEmpty()) return {};
  QString host = base.section("://", 1).section('/', 0, 0).section(':', 0, 0);
  return host;
}

}  // namespace

QWidget *Main() {
  using settings_store::GetSetting;
  using settings_store::SaveSetting;
  if (NzCur(GetSetting("giSetAutoUpdate")).RoundToInt() != 1) return showLogin();

  const QString host = networkProbeHost();
  if (host.isEmpty() || GetIPFromHost(host) == "No DNS Entry") return showLogin();

  // The updater is a program path of the terminal settings; without one this start goes
  // on to the login.
  const QString updater = GetSetting(kUpdaterPathKey).trimmed();
  if (updater.isEmpty() || !QFileInfo(updater).isExecutable()) {
    dialogs::Critical(QStringLiteral("AutoUpdate.exe 파일을 찾을수없습니다."),
                      QStringLiteral("확인요망!!"));
    return showLogin();
  }
  if (NzCur(GetSetting("giSetUpdater")).RoundToInt() != 0) {
    SaveSetting("giSetUpdater", "0");
    return showLogin();
  }
  SaveSetting("giSetUpdater", "1");
  QProcess::startDetached(updater, {});
  return nullptr;
}

}  // namespace orv::startup
