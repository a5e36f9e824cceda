// Devices the sale screen opens at load: the pole display, the serial printer test and the
// customer display on a second monitor. The scanner opens its own port (frmMain_scan.cpp).
#include <QPointer>

#include "core/globals.h"
#include "core/pos_settings.h"
#include "display/clsMonitors.h"
#include "display/frmDisplay.h"
#include "sale/display_source.h"
#include "platform/grid.h"
#include "platform/serial_port.h"
#include "sale/frmMain.h"
#include "van/card_state.h"

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

namespace {

// The customer display reads the sale screen through this.
class MainSaleView : public SaleDisplaySource {
 public:
  explicit MainSaleView(frmMain *m) : m_(m) {}
  QString NowText() const override { return m_ ? m_->lblNow->text() : QString(); }
  QString TimeText() const override { return m_ ? m_->lblTime->text() : QString(); }
  int RowCount() const override { return m_ ? m_->vaSpread1->MaxRows() : 0; }
  QString Cell(int row, int col) const override {
    return m_ ? m_->vaSpread1->CellValue(row, col) : QString();
  }

 private:
  QPointer<frmMain> m_;
};

}  // namespace

void frmMain::ShowCustomerDisplay() {
  // The second monitor found, never the cashier's; with one monitor nothing is shown.
  display::clsMonitors monitors;
  const int i = display::CustomerMonitorIndex(monitors.Monitors, monitors.PrimaryHandle());
  if (i >= 0 && !frmDisplay) {
    auto *form = new ::frmDisplay(std::make_unique<MainSaleView>(this));
    frmDisplay = form;
    form->Monitor_Handle = monitors.Monitors[i].Handle;
    form->ShowOn(monitors.ScreenOf(form->Monitor_Handle));
    form->Form_Load();
  }
  giDspSignPlease = 0;
}
