#pragma once
// The short settings screen: the checkout's devices and card network on one page, saved
// after the settings password. Opened by the connection settings form.
#include <QDialog>
#include <QString>

#include "platform/db.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orv::settings {
inline constexpr char kSettingsPassword[] = "27158306426";
}

class frmConfig : public QDialog {
  Q_OBJECT
 public:
  explicit frmConfig(QWidget *parent = nullptr);
  ~frmConfig() override;

  QLineEdit *txtPosNo, *txtJulsa, *txtPosJumsu;
  QComboBox *cboPos, *cboKeyboard, *cboPrint, *cboDisplay, *cboCoin, *cboDraw, *ComVan;
  QLineEdit *txtPrnPort, *txtPrnWait, *txtDisPortNo, *txtCoinPortNo;
  QLineEdit *txtDanNo, *txtServerIP, *txtPortNo, *txtScan, *txtScanPort, *txtSignPortNo,
      *txtSaupNo, *txtSerialNo;
  QCheckBox *chkScanXonOff, *chkSignPad, *chkBarCd, *chkCard;
  QRadioButton *optG1, *optG2;
  QPushButton *Command1, *Command2, *cmdOk, *cmdExit;

  void Form_Load();
  void Form_Activate() { activated_ = true; }
  void ComVan_Click();
  void chkSignPad_Click();
  void Command1_Click();
  void Command2_Click();
  void cmdOk_Click();
  void cmdExit_Click();

  // The screen's own connection to the main database (the working one stays as it was).
  orv::db::Connection &MainDb() { return mainDb_; }

 protected:
  void showEvent(QShowEvent *event) override;

 private:
  // Takes the boxes into the globals; false (after naming the box) for a number beyond the
  // 16-bit range, with nothing taken.
  bool TakeControls();

  orv::db::Connection mainDb_;
  QString mainDbError_;
  bool loaded_ = false;
  bool activated_ = false;
};
