#pragma once
// The payment-barcode scan "QR바코드스캔": takes the scanned KakaoPay or ZeroPay barcode and
// hands it back in gsKzBarcode; KakaoPay through First Data is approved here first and
// hands back First Data's transaction number instead.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class KzScanFrm : public QDialog {
  Q_OBJECT
 public:
  explicit KzScanFrm(QWidget *parent = nullptr);

  QLabel *BarTitleLbl, *BarDispLbl;
  QLineEdit *BarScanTxt;
  QPushButton *BarEnterCmd, *BarExitCmd;
  QString msKzScanText;

  void BarEnterCmd_Click();
  void BarExitCmd_Click();
  // What a KakaoPay scan hands back: First Data's transaction number, or the scan itself.
  QString ResolveKzBarcode();

 protected:
  void keyPressEvent(QKeyEvent *event) override;
};

// The First Data KakaoPay request of the scan; gsFdkTranUid on success, empty on failure
// (after its message).
QString RequestKakaoPayFdk(const QString &scanText);

void ShowKzScanFrm(QWidget *parent);
