#pragma once
// The card cancellation form: reverses an earlier card, KakaoPay or ZeroPay approval through
// the network of giSetVan and hands the outcome back in giCardOk and gtCardRet. Opened by
// the payment screen for a return (the approval comes fixed) and by the collection screen
// (the cashier types it); the opener moves its own focus when the form returns.
#include <cstdint>

#include "core/card_ret.h"
#include "core/currency.h"
#include "van/card_request_form.h"

class frmDisCard : public CardRequestForm {
  Q_OBJECT
 public:
  explicit frmDisCard(QWidget *parent = nullptr);
  ~frmDisCard() override;

  QFrame *fraCard;
  QLabel *lblErr, *Image1;
  QPushButton *cmdiCancel;

  int16_t miCancelBusy = 0;
  int16_t miSignNeed = 0;
  int16_t miSignState = 0;
  orv::Currency mcCardGum, mcCardVat, mcCardSvc;

  void Form_Activate();
  // Runs the cancellation unless one runs already.
  void cmdiCancel_Click();
  // One cancellation through the network of giSetVan.
  void CancelCardApproval();
  // SMARTRO's merchant query: the working key and its index for a signature image.
  void SmtReadCardInfo();

  // Puts the reply's approval in gtCardRet on the form: the number and date boxes and the
  // acquirer and merchant labels, with their display copies.
  void ShowReply();
  // The approval date as sent: its last six characters, blanks in front of a shorter one.
  QString SentDate() const;

 protected:
  void showEvent(QShowEvent *event) override;
  void reject() override;
  void done(int r) override;
  void closeEvent(QCloseEvent *event) override;

 private:
  void FormKeyDown(int &key, int shift);
  void BoxKeyDown(int &key);
  void StartFromMonths();
  void StartFromDate();
  void EndStep(bool focusToNo, bool focusToDate);
};

// The network branches: each leaves 0 (cancelled) or 9999.
int16_t CancelCardFdk(frmDisCard &form);
int16_t CancelCardNice(frmDisCard &form);
int16_t CancelCardKicc(frmDisCard &form);
int16_t CancelCardKis(frmDisCard &form);

// KIS's request members of a cancellation, in the order they are set, without the
// signature's 37 and 38: "D2" for a card, "EP" with "RR" and the barcode otherwise.
QList<QPair<int, QString>> KisCancelMembers(int16_t payKind, const QString &months,
                                            const QString &amountText, orv::Currency vat,
                                            const QString &barcode, const QString &cmitDate,
                                            const QString &cmitNo);

// KICC's cancellation REQ value: 15 caret-separated fields, the padded ones with blanks.
QString KiccCancelReq(const QString &amountText, const QString &months, const QString &date,
                      const QString &cmitNo, const QString &vat);
int16_t CancelCardSmt(frmDisCard &form);

// SMARTRO's cancellation fields before the signature's (9, 68, 69), in the order they are set.
QList<QPair<int, QString>> SmtCancelFields(int16_t payKind, const QString &months,
                                           const QString &amount, const QString &vat,
                                           const QString &cmitDate, const QString &cmitNo,
                                           const QString &barcode, const QString &kakaoGbn);

// NICE's cancellation telegram: 14 fields, each ended by FS.
QString NiceCancelTelegram(const QString &amount, const QString &vat, const QString &months,
                           const QString &cmitNo, const QString &cmitDate, const QString &svc);

// First Data's cancellation inputs, in order.
QList<QPair<QString, QString>> FdkCancelInputs(int16_t payKind, orv::Currency gum,
                                               orv::Currency vat, const QString &months,
                                               const QString &sentDate, const QString &cmitNo,
                                               const QString &barcode);

// The text a silent agent leaves for a cancellation.
QString NoCancelReplyText();
