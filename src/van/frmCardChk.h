#pragma once
// The card approval dialog "카드승인/취소": shows the amount, takes the months, chooses card,
// KakaoPay or ZeroPay, runs one approval through the configured network and hands the
// outcome back in gtCardRet and giCardOk. Its opener moves its own focus when it returns.
#include <cstdint>

#include "core/currency.h"
#include "van/card_request_form.h"

class frmCardChk : public CardRequestForm {
  Q_OBJECT
 public:
  explicit frmCardChk(QWidget *parent = nullptr);
  ~frmCardChk() override;

  QLabel *KzMsgLbl;
  QPushButton *cmdiCommit;

  int16_t miCommitBusy = 0;
  int16_t miSignRequired = 0;
  int16_t miSignPadState = 0;
  orv::Currency mcReqGum, mcTaxGum, mcSvcGum;

  void Form_Activate();
  // Runs the approval unless one runs already.
  void cmdiCommit_Click();
  // One approval through the network of giSetVan.
  void RequestCardApproval();
  // The month box's Enter or Down.
  void StartFromMonths();

  // Shows gtCardRet's fields in the result boxes.
  void ShowResult();

 protected:
  void showEvent(QShowEvent *event) override;
  void reject() override;
  void done(int r) override;

 private:
  void FormKeyDown(int &key, int shift);
  void BoxKeyDown(int &key);
  void DigitFilter(QLineEdit *box);
  void FailTail();
  void ErrorTail(int number, const QString &description);
  void ReportNotKept();
};

// The branch of each network: leaves 0 (approved) or 9999 in its result.
using NetworkBranch = int16_t (*)(frmCardChk &form);
// The branch of giSetVan's network; none for a value without one.
NetworkBranch BranchOf(int16_t van);
int16_t ApproveKis(frmCardChk &form);
int16_t ApproveKicc(frmCardChk &form);
int16_t ApproveFdk(frmCardChk &form);

// The cheque inquiry through the First Data agent; shows only a missing or dead agent.
void QuerySupyoFdk();

// First Data reply globals.
extern QString gsFdkPrintYn, gsFdkResCode, gsFdkCmitNo, gsFdkCmitDate, gsFdkGaMyNo,
    gsFdkDdcFlag, gsFdkDdcNo, gsFdkResMsg1, gsFdkResMsg2, gsFdkCardName, gsFdkBalCode,
    gsFdkBalName, gsFdkMeipCode, gsFdkMeipName, gsFdkJanGum, gsFdkNotice, gsFdkNotice1,
    gsFdkNotice2, gsFdkNotice3, gsFdkNotice4, gsFdkMaskCardNo, gsFdkHalbu, gsFdkKakaoGbn,
    gsFdkDcGum, gsFdkTranUid;

// The card number, months box and amount of a request, as the dialog last set them.
extern int16_t giCardKeyBusy;
extern QString gsCardDanNo;
