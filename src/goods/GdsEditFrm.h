#pragma once
// The goods popup of a sale line: one GdsCode row (key gcHelpKey) with its prices and
// margins; only the two sale prices can be changed. giHelpRet: 1 after a save, else 0.
#include <QDialog>
#include <cstdint>

#include "chit/records.h"

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class GdsEditFrm : public QDialog {
  Q_OBJECT
 public:
  explicit GdsEditFrm(QWidget *parent = nullptr);

  // Form_Load: reads the row of gcHelpKey. False when there is none or the read failed
  // (shown): the form is not to be shown.
  bool Load();

  QLineEdit *GdsNo0Txt, *GdsNo1Txt, *GdsNo2Txt, *GdsBarcdTxt, *GdsNameTxt, *GdsKygTxt, *GdsBoxsuTxt,
      *GdsDangaTxt, *GdsMechTxt, *GdsIrt1Txt, *GdsIrt2Txt, *GdsMech2Txt, *GdsIrt21Txt, *GdsIrt22Txt,
      *GdsSalegaTxt, *GdsIrt31Txt, *GdsIrt32Txt, *GdsSaleDateTxt;
  QGroupBox *Frame1;
  QRadioButton *GdsTax1Opt, *GdsTax2Opt;
  QPushButton *GdsEnterCmd, *GdsExitCmd;

  void GdsEnterCmd_Click();
  void GdsExitCmd_Click();

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;
  void done(int r) override;

 private:
  void LoadGdsEdit();
  void SaveGdsMech();
  void ShowGdsSaleTerm();
  void ShowGdsSalega();
  void CalcGdsMargins();
  // The purchase price and the margins show as asterisks when masked.
  void ShowMaskable(QLineEdit *box, const QString &text);
  void PriceLostFocus(QLineEdit *box);
  bool PriceKeyDown(QLineEdit *box, int vk, int shift);

  orv::Currency key_;
  int16_t saved_ = 0;
  int16_t firstKey_ = 0;
  GdsCodeRec g_;
  int16_t boxSu_ = 0;
  bool masked_ = false;
};

// The opener's show: loads, shows modally when the row exists; returns giHelpRet.
int16_t ShowGdsEditFrm(QWidget *parent);
