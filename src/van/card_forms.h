#pragma once
// The card and cash-receipt forms the payment screen opens, as stand-ins until the card
// networks are built: each shows its amount, fills a plainly marked test approval on its
// approve button and gives up on Esc. They answer only through gtCardRet, giCardOk (and
// for the cash receipt gtPanMoney, the chit's PctSss5 and giHelpRet).
#include <QDialog>
#include <cstdint>

#include "van/card_state.h"

class QLabel;
class QLineEdit;
class QPushButton;

// What every stand-in shares: the amount, approve and Esc.
class CardStandIn : public QDialog {
  Q_OBJECT
 public:
  QLabel *lblMsg;
  QLineEdit *txtiGum;
  QPushButton *cmdOk, *cmdCancel;

 protected:
  CardStandIn(const QString &name, const QString &caption, QWidget *parent);
  void keyPressEvent(QKeyEvent *event) override;
  // Fills gtCardRet with the test approval of the amount in the box.
  void FillTestApproval();
  virtual void Approve() = 0;
};

// The cash receipt of a sale: issues against an identification number typed in txtNo.
class frmMoneyChk : public CardStandIn {
  Q_OBJECT
 public:
  explicit frmMoneyChk(QWidget *parent = nullptr);
  QLineEdit *txtNo;

 protected:
  void Approve() override;
};

// The cheque inquiry: nothing is read back.
class frmSupyoChk : public CardStandIn {
  Q_OBJECT
 public:
  explicit frmSupyoChk(QWidget *parent = nullptr);

 protected:
  void Approve() override;
};

// The payment-barcode scan form: empties gsKzBarcode, gsKzKakaoGbn and gcKzDcGum, titles
// itself after giKzPayKind, and on OK with a scanned text keeps it trimmed in gsKzBarcode.
class KzScanFrm : public QDialog {
  Q_OBJECT
 public:
  explicit KzScanFrm(QWidget *parent = nullptr);
  QLineEdit *txtBarcode;
  QPushButton *cmdOk;
};
void ShowKzScanFrm(QWidget *parent);

// The shared message form: caption gsMsgBoxTitle, text gsMsgBoxText; giMsgBoxOpen is 1
// while it is loaded.
extern QString gsMsgBoxTitle;
extern QString gsMsgBoxText;
class frmMsgBox : public QDialog {
  Q_OBJECT
 public:
  explicit frmMsgBox(QWidget *parent = nullptr);
  ~frmMsgBox() override;
  QLabel *lblMsg;
};
// Shows frmMsgBox with the title and text unless one is open already.
void ShowVanMessage(QWidget *parent, const QString &title, const QString &text);
