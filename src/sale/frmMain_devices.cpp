// Devices the sale screen opens at load: the pole display, the serial printer test and the
// customer display on a second monitor. The scanner opens its own port (frmMain_scan.cpp).
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include "core/globals.h"
#include "core/pos_settings.h"
#include "platform/serial_port.h"
#include "sale/frmMain.h"

using namespace orv;

void frmMain::OpenCdpPort() {
  if (gsCdpSettings.isEmpty() || giCdpPort == 0) return;
  MSComm1->SetCommPort(giCdpPort);
  MSComm1->SetSettings(gsCdpSettings);
  try {
    MSComm1->Open();
  } catch (const serial::SerialError &e) {
    serial::ShowOpenFailure(giCdpPort, e, QStringLiteral("CDP"));
  }
}

void frmMain::OpenScanPortAtLoad() { scanner->OpenPortAtLoad(); }

void frmMain::TestPrinterPort() {
  const QString port = gsSetPrnPort.trimmed();
  if (!port.startsWith(QStringLiteral("COM"), Qt::CaseInsensitive)) return;
  MSComm3->SetCommPort(port.mid(3).toInt());
  MSComm3->SetSettings(QStringLiteral("9600,N,8,1"));
  try {
    MSComm3->Open();
    MSComm3->Close();
  } catch (const serial::SerialError &) {
    // Only a test: the receipt reports its own failures.
  }
}

void frmMain::ShowCustomerDisplay() {
  // The second monitor only; with one monitor nothing is shown, later ones are skipped.
  const QList<QScreen *> screens = QGuiApplication::screens();
  if (screens.size() < 2) return;
  if (!frmDisplay) {
    // The display form itself comes with the customer displays.
    frmDisplay = new QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint);
    frmDisplay->setObjectName(QStringLiteral("frmDisplay"));
    frmDisplay->setAttribute(Qt::WA_DeleteOnClose, false);
    auto *l = new QVBoxLayout(frmDisplay);
    l->addWidget(new QLabel(QStringLiteral("고객용 화면"), frmDisplay), 0, Qt::AlignCenter);
  }
  const QRect g = screens[1]->geometry();
  frmDisplay->setGeometry(g);
  frmDisplay->show();
}
