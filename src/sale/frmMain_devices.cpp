// Devices the sale screen opens at load: the pole display, the scanner port, the serial
// printer test and the second-monitor display. The serial ports come with the scanner
// work, the display form with the customer displays; until then nothing is opened.
#include "sale/frmMain.h"

void frmMain::OpenCdpPort() {}
void frmMain::OpenScanPortAtLoad() {}
void frmMain::TestPrinterPort() {}
void frmMain::ShowCustomerDisplay() {}
