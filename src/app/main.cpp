#include <QApplication>
#include <QWidget>
#include <QDir>
#include <QTextStream>
#include <memory>

#include "core/application.h"
#include "core/connections.h"
#include "core/daily_log.h"
#include "display/avi_writer.h"
#include "display/hangul.h"
#include "platform/clock.h"
#include "platform/datafolder.h"
#include "platform/dialogs.h"
#include "platform/form_keys.h"
#include "startup/basMain.h"
#include "startup/demo_shop.h"
#include "startup/instance_guard.h"

namespace {
// The keyboard's Hangul key table goes into the data folder when it is missing there.
void InstallHangulTable() {
  if (!orv::display::InstallHangulTable())
    QTextStream(stderr) << "orvpos: could not copy the Hangul key table\n";
}
}  // namespace

int main(int argc, char **argv) {
  // Preparing the demo needs no screen: run it without one.
  for (int i = 1; i < argc; ++i)
    if (qstrcmp(argv[i], "--init-demo") == 0 || qstrcmp(argv[i], "--load-demo") == 0 ||
        qstrcmp(argv[i], "--demo-point-server") == 0 || qstrcmp(argv[i], "--demo-onemoa") == 0)
      qputenv("QT_QPA_PLATFORM", "offscreen");
  orv::Application app(argc, argv);
  QApplication::setApplicationName("OrvZerdo");
  QApplication::setApplicationVersion("1.0.0");
  orv::dialogs::SetApplicationTitle(QStringLiteral("OrvPOS"));
  orv::formkeys::LoadKoreanCatalogue(app);
  orv::formkeys::InstallButtonEnter(app);

  const bool preparing = app.arguments().contains("--init-demo") ||
                         app.arguments().contains("--load-demo") ||
                         app.arguments().contains("--demo-point-server") ||
                         app.arguments().contains("--demo-onemoa");
  // Before anything is written there: a folder the program cannot write is not "another copy
  // running", and half a start in it helps nobody.
  if (const QString why = orv::instance::DataFolderProblem(); !why.isEmpty()) {
    QTextStream(stderr) << "orvpos: " << QString(why).replace("\r\n", " ") << "\n";
    if (!preparing) orv::dialogs::Info(why, QStringLiteral("실행오류"));
    return 1;
  }
  orv::dailylog::LogDatabaseFailures();

  const QStringList args = app.arguments();
  const QString shop = QDir(orv::datafolder::ShareRoot()).filePath("demo/shop.txt");
  if (const int at = int(args.indexOf("--load-demo")); at > 0) {
    QString error;
    if (at + 1 >= args.size() || !orv::demo::LoadDemoInto(args[at + 1], shop, &error)) {
      QTextStream(stderr) << "orvpos: could not load the demo shop: "
                          << (error.isEmpty() ? QStringLiteral("no connection text") : error)
                          << "\n";
      return 1;
    }
    return 0;
  }
  // One-off steps on a prepared demo shop: the shared point server, the loyalty service.
  if (args.contains("--demo-point-server")) {
    QString error;
    if (!orv::demo::MakeDemoPointServer(
            QDir(orv::datafolder::ShareRoot()).filePath("demo/points.txt"), &error)) {
      QTextStream(stderr) << "orvpos: could not make the demo point server: " << error << "\n";
      return 1;
    }
    return 0;
  }
  if (const int at = int(args.indexOf("--demo-onemoa")); at > 0) {
    QString error;
    if (!orv::demo::SetDemoOneMoa(args.value(at + 1), &error)) {
      QTextStream(stderr) << "orvpos: could not set the demo OneMoa service: " << error << "\n";
      return 1;
    }
    return 0;
  }
  if (args.contains("--init-demo")) {
    QString error;
    if (!orv::demo::InitDemo(shop, &error)) {
      QTextStream(stderr) << "orvpos: could not prepare the demo shop: " << error << "\n";
      return 1;
    }
    InstallHangulTable();
    // The customer display's advertising movie, one of our own.
    if (!orv::display::WriteColourAvi(orv::datafolder::Path("ORV.avi"),
                                      QStringLiteral("한빛마트"), 160, 120, 20, 5))
      QTextStream(stderr) << "orvpos: could not write the demo movie\n";
    return 0;
  }
  InstallHangulTable();

  // The checkout may set the PC clock from the shop's web server; without the right to,
  // the clock stays as it is.
  orv::clock::AllowMachineClock(true);
  // However the program ends, its connections close before the application object goes.
  QObject::connect(&app, &QCoreApplication::aboutToQuit, [] { CloseProgramConnections(); });
  std::unique_ptr<QWidget> mainWindow(orv::startup::Main());
  const int rc = mainWindow ? app.exec() : 0;
  mainWindow.reset();
  CloseProgramConnections();
  return rc;
}
