#pragma once
// The delivery chit dialog: the 20 latest sale chits of the work date at this checkout, the
// goods of the one under the cursor (lines marked with F8 print as extra lines), and on the
// print key the delivery chit and its delivery record.
#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
namespace orv {
class Grid;
}

class frmBaDalPrint : public QDialog {
  Q_OBJECT
 public:
  explicit frmBaDalPrint(QWidget *parent = nullptr);
  ~frmBaDalPrint() override;

  orv::Grid *vaSpread1;  // chits
  orv::Grid *vaSpread2;  // goods of the chosen chit
  QLabel *PrtCountLbl;
  QCheckBox *BdlGdsChk;
  QPushButton *cmdSu;
  QPushButton *cmdOk;
  QPushButton *cmdCancel;
  QPushButton *DlvListCmd;
  QLabel *Label1;

  void FillChitList();
  void ShowChitGoods();
  // F8 in the goods grid.
  void ToggleMark();
  void cmdSu_Click();
  void cmdOk_Click();
  void PrintBaDalChit();
  void DlvListCmd_Click();
  int ChosenRow() const { return chosenRow_; }
  // The goods grid's header colour (&HBBGGRR).
  long GoodsHeaderColor() const { return goodsHeader_; }

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;

 private:
  bool formKey(int key);
  void setGoodsHeader(long bgr);
  void showError(const std::exception &e);
  bool busy_ = false;
  int chosenRow_ = 0;
  long goodsHeader_ = 0;
  QString workDate_;
};
