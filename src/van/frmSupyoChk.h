#pragma once
// The cheque inquiry "수표조회": checks a cashier's or personal cheque through the network of
// giSetVan and shows the answer. It changes nothing and hands nothing back. A second tool
// checks a resident registration number.
#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class SmtReplyState;

class frmSupyoChk : public QDialog {
  Q_OBJECT
 public:
  explicit frmSupyoChk(QWidget *parent = nullptr);
  ~frmSupyoChk() override;

  QLineEdit *txtSuNo, *txtGNo, *txtBalDate, *txtSuGum, *txtJumin13, *txtJuminNo;
  QLabel *txtSuNoLen, *txtGNoLen, *txtBalDateLen, *Label14, *lblMsg1, *lblMsg2, *Label16;
  QRadioButton *opt1, *opt2, *opt10, *opt20, *opt30, *opt40;
  QFrame *fraJuminChk;
  QPushButton *cmdJuminChk, *cmdSerch, *cmdExit, *cmdJumin;
  QWidget *KisPosAgent1, *AxSmtSndRcvVCAT1;
  // The SMARTRO terminal's replies, its dump boxes and their "?" button.
  SmtReplyState *smt;

  void cmdSerch_Click();
  void cmdJuminChk_Click();
  // 1 while an inquiry waits for its network.
  bool Busy() const { return busy_; }

 protected:
  void closeEvent(QCloseEvent *event) override;
  void reject() override;

 private:
  void FormKeyDown(int &key, int shift);
  void BoxKeyDown(int &key);
  void PaintWhite();
  void DigitsOnly(QLineEdit *box, QLabel *counter);
  void CheckJuminTool();
  int Denomination() const;
  bool busy_ = false;
};
