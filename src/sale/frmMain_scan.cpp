// The serial scanner of the sale screen: the form's members over orv::sale::Scanner, and
// the entry of a scanned code into the sale grid.
#include "sale/frmMain.h"

#include <QTimer>

#include "chit/records.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "platform/keys.h"
#include "sale/goods_lookup.h"

void frmMain::SetUpScanner() {
  MSComm2 = scanner->MSComm2;

  orv::sale::Scanner::Hooks h;
  h.codeColumnActive = [this] { return vaSpread1->ActiveCol() == ColCode; };
  // Not while a recall replays a chit through the grid.
  h.mayTakeCodes = [this] {
    return vaSpread1->ActiveCol() == ColCode && miGridFocus == 1 && !mbRecallRunning;
  };
  h.enter = [this](const QString &code) { EnterScanCode(code); };
  h.lookup = [](const QString &digits) {
    return goDbMain.IsOpen() ? FindBarcodeByPrefix(digits) : QString();
  };
  h.hasCustomer = [] { return !gtCstCode.CcdKey.IsZero(); };
  h.workDateToToday = [this] { SetWorkDateToday(); };
  scanner->SetHooks(std::move(h));
}

void frmMain::OpenScanPort() { scanner->OpenScanPort(); }
void frmMain::CloseScanPort() { scanner->CloseScanPort(); }
void frmMain::StartScanTimer() { scanner->StartScanTimer(); }
void frmMain::StopScanTimer() { scanner->StopScanTimer(); }
void frmMain::tmrScan_Timer() { scanner->tmrScan_Timer(); }
void frmMain::MSComm2_OnComm() { scanner->MSComm2_OnComm(); }
void frmMain::TakeScanCode(const QString &code) { scanner->TakeScanCode(code); }
void frmMain::PauseScanner(orv::sale::Scanner::PauseKind kind) { scanner->Pause(kind); }
void frmMain::ResumeScanner(orv::sale::Scanner::PauseKind kind) { scanner->Resume(kind); }

void frmMain::EnterScanCode(const QString &code) {
  vaSpread1->setFocus();
  const int32_t row = FirstFreeRow();
  if (row == 0) {
    orv::dialogs::Info(QStringLiteral("판매 줄이 150줄을 넘을 수 없습니다."), QStringLiteral("확인요망"));
    return;
  }
  SetGridText(row, ColCode, orv::Grid::kActionActiveCell);
  SetCellText(vaSpread1, row, ColCode, code);
  // The code comes from the scanner, not from a replayed chit.
  mbCodeTyped = true;
  struct Reset {
    bool &flag;
    ~Reset() { flag = false; }
  } reset{mbCodeTyped};
  int key = orv::keys::vbKeyReturn, shift = 0;
  vaSpread1_KeyDown(key, shift);
}
