#pragma once
// "고객 점수 추가 (영수증)": credits the points of a receipt sold without a customer to a member.
// The chit is named by its receipt code or by date and number, the customer by number,
// barcode or a search; the confirm button saves (giHelpRet 1) and may print.
#include <QDialog>

#include "customer/cst_padd.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class CstPaddFrm : public QDialog {
  Q_OBJECT
 public:
  // ts: customers on the point server (giCstPaddTs 1). scanCode: a receipt code waiting.
  explicit CstPaddFrm(bool ts, const QString &scanCode = {}, QWidget *parent = nullptr);
  ~CstPaddFrm() override;

  QLineEdit *PanStringTxt, *PanYearTxt, *PanMonTxt, *PanDayTxt, *PanChitTxt, *CstStringTxt,
      *CstNoTxt, *CstBarcodeTxt;
  QLabel *PanHabLbl, *PanPointLbl, *PanCstNoLbl, *PanCstNameLbl, *CstNameLbl, *CstTeleLbl,
      *CstHpLbl, *CstJusoLbl, *CstYgumLbl, *CstYpointLbl, *CstGumLbl, *CstPointLbl, *CstNgumLbl,
      *CstNpointLbl;
  QCheckBox *CstPrintChk;
  QPushButton *CstPrintCmd, *cmdAction0, *cmdAction1;

  void ParsePanChitBarcode(const QString &code);
  void ReadPanChitByBoxes();
  void SeekCstByText(const QString &text);
  void ShowCstByKind(int kind, const QString &text = {});
  void SaveCstPoint();
  void CstPrintCmd_Click();
  void PrintCstPointReceipt();
  // Leave handling of a box, as when it loses the focus.
  void Leave(QLineEdit *box);

  const orv::padd::ChitPoints &Chit() const { return chit_; }
  const orv::padd::Customer &Cst() const { return cst_; }

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;
  void done(int r) override;

 private:
  void showChit();
  void clearChit();
  orv::padd::PrintInput printInput() const;

  bool ts_;
  int year_ = 0, mon_ = 0, day_ = 0;
  int32_t chtNo_ = 0;
  orv::padd::ChitPoints chit_;
  orv::padd::Customer cst_;
  orv::Currency gum_, point_;  // what the save adds: the chit's, taken when the customer was read
};
