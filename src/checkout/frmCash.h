#pragma once
// The payment screen of one sale: the tender boxes, the tender kind keys, the card hand-off,
// the cash receipt, the receivables limit, and the commit of the sale (SaveCashChit).
#include <QDialog>
#include <QPointer>
#include <array>
#include <cstdint>
#include <functional>

#include "checkout/accrual.h"
#include "checkout/checkout_globals.h"
#include "core/currency.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
namespace orv::serial {
class Port;
}

// The loyalty service's calls after both commits, which the opener (the sale screen) makes
// for the payment screen; unset, nothing is sent.
struct OneMoaCalls {
  std::function<void(orv::Currency amount)> cancelCredit;  // the replaced credit chit
  std::function<void()> report;                            // the saved sale
  std::function<void(const QString &memberCode)> lookup;   // the member's new points
};

class frmCash : public QDialog {
  Q_OBJECT
 public:
  // poleDisplay: the customer pole display's port (none in tests of the screen alone).
  explicit frmCash(orv::serial::Port *poleDisplay = nullptr, QWidget *parent = nullptr,
                   OneMoaCalls oneMoa = {});
  ~frmCash() override;

  // ------------------------------------------------------------ controls
  QLabel *lblHabGum, *lblRGum, *lblReGum;
  std::array<QLabel *, 9> lblGbn{};  // 2..8
  QLabel *&lblGbn2 = lblGbn[2], *&lblGbn3 = lblGbn[3], *&lblGbn4 = lblGbn[4],
         *&lblGbn5 = lblGbn[5], *&lblGbn6 = lblGbn[6], *&lblGbn7 = lblGbn[7],
         *&lblGbn8 = lblGbn[8];
  QLineEdit *txtPayGum, *txtCard, *txtCSobi, *txtOisang, *txtJaSangPum, *txtTaSangPum,
      *txtCustJum, *txtDisCoinPoint, *txtNo;
  QLabel *lblDcGum, *Label13, *Label14, *lblUseCustGum, *lblUseCustJum, *lblCoinPoint,
      *lblDisCoinPoint, *Label2, *lblJaSangPum, *Label12, *Label3, *Label6, *Label7, *Label8,
      *Label5, *Label4, *Label1, *CwtDispLbl, *CardMsgLbl, *lblTotSu, *lblTime;
  QCheckBox *chkIpGum;
  QFrame *TrsMisuFme;
  QLabel *Label9, *Label10, *Label15, *Label16, *TrsNoLbl, *TrsNameLbl, *TrsNowLbl, *TrsCheckLbl;
  QTimer *Timer1;
  QPushButton *cmdSave, *cmdCancel, *cmdMoney, *cmdSupyo;

  // ------------------------------------------------------------ operations
  void Form_Load();
  void Form_Activate();
  void Form_Unload();
  void Form_KeyDown(int &keyCode, int shift);
  void DisableControlMe();
  void CalcCashRemain();
  void ShowChitTender();
  void cmdSave_Click();
  void cmdCancel_Click();
  void cmdMoney_Click();
  void cmdSupyo_Click();
  void CommitCardSale();
  void SelectPayGbn(int16_t kind);
  void StoreChitMoney();
  void StoreChitSangpum();
  void SaveCashChit(orv::Currency cardGum);
  int16_t CheckTenderBoxes();
  int16_t CheckCstBalance();
  void AskPrintCopy();
  void Timer1_Timer();
  // A card form closed: the focus to the card box with an approval, else to the cash box.
  void CardFormClosed();

  // The number in a box or label: its text without "," read by the leading-number rule.
  static orv::Currency NumberIn(const QString &text);
  // The box of a tender kind (2..8, 100 the card), the kind of a box (0 for none).
  QLineEdit *BoxOfKind(int kind) const;
  int KindOfBox(const QObject *box) const;
  // The current tender kind (2..8 or 100; 0 before any).
  int CurrentKind() const { return miPayGbn; }
  bool Closed() const { return closed_; }

  // ------------------------------------------------------------ state
  int16_t miPrintKind = 0;
  QString msWrkDate;
  int16_t miSaveBusy = 0;
  orv::Currency mcUseCustGum, mcUseCustJum;
  orv::Currency mcBnsJumsu, mcBnsGum, mcBnsMoney;
  int16_t miBnsMnySel = 0;
  int16_t miCoinPointAdd = 0, miCoinPointUse = 0;
  orv::Currency mcCardGum;
  int16_t miTrsMisuOpt = 0, miTrsMisuCheck = 0;
  orv::Currency mcTrsMisuLimit, mcTrsMisuNow;
  int16_t miOneMoaMode = 0;
  int16_t miOisangPay = 0;
  orv::Currency mcJumsuRound, mcOisangGum01, mcOisangGum02, mcNoCstJumsu;
  std::array<int16_t, 9> miBramoMart{};  // site switches 2..8

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  void closeEvent(QCloseEvent *event) override;
  void showEvent(QShowEvent *event) override;

 private:
  void BuildControls();
  void PaintKind(int kind);
  void CloseScreen();
  void BoxChange(QLineEdit *box);
  void BoxGotFocus(QLineEdit *box);
  void BoxLostFocus(QLineEdit *box);
  void BoxKeyDown(QLineEdit *box, int &keyCode, int shift);
  void BoxAdvance(QLineEdit *box);
  void LabelChange(QLabel *label);
  void FocusLater(QLineEdit *box);
  void SetCaption(QLabel *label, const QString &text);
  void DiscountRate();
  void CoinPointAdd();
  void CoinPointUse();
  bool CheckMisuLimit();
  void FillGradeRules();
  void ShowCardForm(const char *name);
  void RefuseSave(QLineEdit *focus);
  void FinishSale(const orv::checkout::VisitWrite &visit);
  // A save that did not land: the screen closes and says so, naming a card approval taken.
  void FailSave(QString text);
  QList<QLineEdit *> TenderBoxes() const;

  QPointer<orv::serial::Port> poleDisplay_;
  OneMoaCalls oneMoa_;
  // The cancellation this return's card tender made; kept by FailSave when the save fails.
  KeptCancelRec cancelMade_;
  int miPayGbn = 0;
  bool closed_ = false;
  bool loaded_ = false;
  bool shownOnce_ = false;
  int changeDepth_ = 0;
  int calcDepth_ = 0;
};

namespace orv::checkout {
// The sale screen's payment: shows the payment screen modally over parent and returns
// whether the sale was saved (giCashSaved 1; gcCashHab, gcCashCard and gcCashChange say
// what). The opener resets its own screen for the next sale.
bool ShowfrmCash(QWidget *parent, orv::serial::Port *poleDisplay = nullptr,
                 const OneMoaCalls &oneMoa = {});
// The payment screen now open, or none.
frmCash *OpenCashForm();
}  // namespace orv::checkout
