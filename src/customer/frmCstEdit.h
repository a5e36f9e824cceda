#pragma once
// "고객정보 변경": a cashier adds points or sales amount to one customer by hand (negative
// figures take them away). Points and amount move together by the shop's point rule.
#include <QDialog>

#include "chit/records.h"
#include "core/currency.h"
#include "customer/cst_points.h"

class QLineEdit;
class QPushButton;

// The save, in one transaction on the customer connection: the customer's row read there,
// its totals = that row + the addition (CcdLpdate today, visit counters untouched), the
// ledger row (CstWnjg, or today's CstWnjgT<yymm> on the point server) and the event row
// (kind 102). false when the customer's row is gone (nothing written); database errors go to
// the caller with everything rolled back.
bool SaveCstPointsAdd(const CstCodeRec &cst, orv::Currency points, orv::Currency amount);

class frmCstEdit : public QDialog {
  Q_OBJECT
 public:
  explicit frmCstEdit(QWidget *parent = nullptr);
  ~frmCstEdit() override;

  QLineEdit *GdsBarcdTxt, *GdsNameTxt, *CcdLPDateTxt, *CcdJsTxt, *CcdZerdoTxt, *CcdJs1Txt,
      *CcdZerdo1Txt, *CcdNowJsTxt, *CcdNowZerdoTxt;
  QPushButton *GdsEnterCmd, *GdsExitCmd;

  void SeekCstEdit(const QString &text);
  void ClearCstEdit();
  void GdsEnterCmd_Click();
  void CcdJs1Txt_LostFocus();
  void CcdZerdo1Txt_LostFocus();
  orv::Currency Points() const { return points_; }
  orv::Currency Amount() const { return amount_; }

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;
  void done(int r) override;

 private:
  void search();
  void load(const orv::db::Recordset &rs);
  void showNow();
  void filterDigits(QLineEdit *box);

  CstCodeRec saved_;  // the sale screen's customer, given back however the screen closes
  PointRule rule_;
  orv::Currency points_, amount_;
};
