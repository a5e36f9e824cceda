#pragma once
// The connection settings form: the two database connections, a dozen terminal switches,
// two shop-wide options, the card request serial, and creating a POS database.
#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmDBSet : public QDialog {
  Q_OBJECT
 public:
  explicit frmDBSet(QWidget *parent = nullptr);

  // Which engine each connection uses: "SQLite" (database = file path) or "PostgreSQL".
  QComboBox *cboMainDriver;
  QLineEdit *txtMainServer, *txtMainDB, *txtMainUID, *txtMainPWD;
  QComboBox *cboPosDriver;
  QLineEdit *txtPosServer, *txtPosDB, *txtPosUID, *txtPosPWD;
  QLineEdit *txtOrvID, *txtOrvPwd, *txtInterVal, *txtCDCount;
  QPushButton *CMDSET;
  QCheckBox *chkCcBcp, *chkKeyCheck, *chkHandScaner, *chkAutoUpdate, *chkNoDate, *chkJunPrnNone,
      *chkSale20, *chkLog, *chkSound, *chkPrnCom, *chkMultiTable;
  QRadioButton *optCst1, *optCst2, *optCst3;
  QPushButton *cmdSave, *cmdConfig, *cmdCreateData;

  void Form_Load();
  void cmdSave_Click();
  void cmdConfig_Click();
  void cmdCreateData_Click();
  void CMDSET_Click();

  // The connection text of the main or the POS boxes.
  QString MainText() const;
  QString PosText() const;

 protected:
  void showEvent(QShowEvent *event) override;

 private:
  bool AskSettingsPassword();
  bool loaded_ = false;
};
