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

// Card approval: reads gtCardRet.Gum and Halbu; the caller may put the amount in txtiGum.
class frmCardChk : public CardStandIn {
  Q_OBJECT
 public:
  explicit frmCardChk(QWidget *parent = nullptr);

 protected:
  void Approve() override;
};

// Cancellation of an earlier approval (negative amount, its approval number and date).
class frmDisCard : public CardStandIn {
  Q_OBJECT
 public:
  explicit frmDisCard(QWidget *parent = nullptr);

 protected:
  void Approve() override;
};

// A card payment approved elsewhere, recorded by hand.
class frmCardOK : public CardStandIn {
  Q_OBJECT
 public:
  explicit frmCardOK(QWidget *parent = nullptr);

 protected:
  void Approve() override;
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

// The cheque inquiry through the First Data library.
void QuerySupyoFdk();
