#pragma once
// The price check: a code from the screen's own scanner port or typed, looked up in GdsCode
// into gtGdsCode, with its prices, event price and period and whether the event is in force.
#include <QDialog>

#include "chit/records.h"

class QLabel;
class QLineEdit;
class QTimer;

namespace orv::serial {
class Port;
}

class frmGdsCode : public QDialog {
  Q_OBJECT
 public:
  explicit frmGdsCode(QWidget *parent = nullptr);
  ~frmGdsCode() override;

  QLineEdit *GdsBarcdTxt, *GdsNameTxt, *GdsKygTxt, *GdsMechTxt, *GdsMech2Txt, *txtSalega, *txtSaleDate;
  QLabel *lblHalIN;
  QLabel *lblPortState;  // why the scanner port did not open; empty when it did
  orv::serial::Port *MSComm1;
  QTimer *tmrScan, *Timer1;

  void tmrScan_Timer();

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;
  void done(int r) override;

 private:
  void ShowGoods();
  QString msScanBuf;
};

// Looks a price-check code up on goDbMain into gtGdsCode (cleared first). A failing
// statement leaves it cleared and writes one daily-log line.
void LookUpCheckCode(const QString &raw);

void ShowfrmGdsCode(QWidget *parent);
