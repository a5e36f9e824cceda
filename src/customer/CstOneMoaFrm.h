#pragma once
// "고객 등록 조회 (OneMoa)": looks a member up at the loyalty service and hands it to the sale
// (OK), or registers the sale screen's customer (or a new person) there and marks the local
// customer as registered.
#include <QDialog>

#include "core/currency.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// CcdSss2 = 1 for the customer where the customer was read from: the shop's CstCode (state
// 0) or the point server's (state 2). State 1 reads customers from the POS copy, which the
// next copy from the point server would overwrite: nothing is written, the skip is logged.
void SetCstOneMoaMark(orv::Currency cstKey);

class CstOneMoaFrm : public QDialog {
  Q_OBJECT
 public:
  // clientCode: this shop's OneMoa client code.
  explicit CstOneMoaFrm(const QString &clientCode, QWidget *parent = nullptr);

  // What OK hands back; handedBack stays false when the dialog closes any other way.
  struct Member {
    bool handedBack = false;
    QString findKey;
    QString personCode;
    int16_t cardKey = 0;
    orv::Currency usingPoint;
  };
  const Member &Result() const { return result_; }

  QLineEdit *aaPerson_NumTxt;
  QLabel *aaClientCodeLbl, *aPersonCodeLbl, *aClientCodeLbl, *aClientGbnLbl, *aPersonTelLbl,
      *aPersonNameLbl, *aHapPointLbl, *aUsingPointLbl, *aResultCodeLbl, *aResultMsgLbl;
  QPushButton *PsnViewCmd, *PsnCancel1Cmd;
  QLabel *bbSalesCodeLbl, *CstKeyTitleLbl, *CstKeyLbl, *bResultCodeLbl, *bResultMsgLbl;
  QLineEdit *bPersonCodeTxt, *bPersonTelTxt, *bSalesPointTxt, *bPersonBirthYearTxt,
      *bPersonBirthMonTxt, *bPersonBirthDayTxt, *bPersonJusoTxt, *bPersonJuso2Txt, *bOrderTelTxt;
  QRadioButton *bPersonSex0Opt, *bPersonSex1Opt;
  QPushButton *PsnInputCmd, *PsnCancel2Cmd, *ChtEnterCmd, *ChtExitCmd;

  void PsnViewCmd_Click();
  void PsnCancel1Cmd_Click();
  void ChtEnterCmd_Click();
  void PsnInputCmd_Click();
  void PsnCancel2Cmd_Click();

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  void markEmptyPersonName();
  void leave(QLineEdit *box);

  QString clientCode_;
  QString personCode_;  // the last lookup's member code as the server sent it
  QString foundBy_;     // the number that member was found by
  Member result_;
};
