#pragma once
// The cash receipt "현금영수증 발행!!": issues a receipt for cash (an amount of 10 won or more)
// or cancels one (-10 or less) through the network of giSetVan, prints it and hands it back
// in gtPanMoney, gtPanChit.PctSss5 and giHelpRet 1. The opener stores what it hands back.
#include <QDialog>
#include <QStringList>
#include <cstdint>

#include "core/currency.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class SmtReplyState;
class KisvanMS3;

extern int16_t giMoneyChkExit;  // 1 once the form started to close

class frmMoneyChk : public QDialog {
  Q_OBJECT
 public:
  explicit frmMoneyChk(QWidget *parent = nullptr);
  ~frmMoneyChk() override;

  QLineEdit *txtiCard, *txtiGum, *txtiNo, *txtiDate;
  QLabel *txtiNoLen, *txtiDateLen, *CmitDateLbl;
  QCheckBox *chkSaup, *CstSave1Chk, *CstSave2Chk;
  QFrame *Frame1;
  QRadioButton *MnyCancel0Opt, *MnyCancel1Opt, *MnyCancel2Opt;
  QLabel *CstNoLbl, *CstBarcodeLbl, *CstNameLbl, *CstHpLbl, *CstTeleLbl, *CstMoneyLbl;
  QPushButton *cmdCommit, *cmdSaup, *cmdExit, *cmdSignInput;
  // The networks' components: never shown here.
  QWidget *Kis, *KisPosAgent1, *AxSmtSndRcvVCAT1;
  // The SMARTRO terminal's replies, its dump boxes and their "?" button.
  SmtReplyState *smt;
  // The KIS sign pad on which the customer may key the number.
  KisvanMS3 *pad;

  int16_t miMoneyBusy = 0;
  QString msMoneyIdNo;
  orv::Currency mcMoneyHab, mcMoneyGum, mcMoneyVat;
  int16_t miMoneyTelAutoNot = 0;
  QString msMoneyTermNo, msMoneyMemberNo;

  void Form_Activate();
  void CommitCashReceipt();
  void ApproveCashReceipt();
  void SaveCstReceiptNo();
  void cmdCommit_Click();
  void cmdExit_Click();
  // The customer keys the number on the KIS pad; it lands in txtiCard when the pad answers.
  void cmdSignInput_Click();
  // The cancel reason chosen: 1 거래취소, 2 오류발급, 3 기타.
  int16_t CancelReason() const;

 protected:
  void showEvent(QShowEvent *event) override;
  void changeEvent(QEvent *event) override;
  void closeEvent(QCloseEvent *event) override;
  void reject() override;
  void done(int r) override;

 private:
  void FormKeyDown(int &key, int shift);
  void BoxKeyDown(int &key);
  void CardChanged();
  void GumChanged();
  void PaintReasons();
  // After the network approved: the record first, then the printout and the event row,
  // whose failures are collected in notKept_.
  void RecordApproval();
  void ReportNotKept();
  QString loadedCard_;  // the identification number as the load filled it in, cut
  QStringList notKept_;
  bool keyPreview_ = true;
  bool unloaded_ = false;
};
