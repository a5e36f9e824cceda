#pragma once
// The full settings screen: every terminal setting of this checkout, the two database
// connections with their test, the card-network set-up, the card-company table, the First
// Data terminal tools, the device help and the per-PC copy of the settings in the main
// database. Opened by the login form; a save ends the program through the login.
#include <QDialog>
#include <QList>
#include <QString>
#include <cstdint>
#include <optional>

#include "platform/db.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmSetup : public QDialog {
  Q_OBJECT
 public:
  explicit frmSetup(QWidget *parent = nullptr);
  ~frmSetup() override;

  // Frame1 Index 0 and 1: the connection groups.
  QComboBox *cboMainDriver, *cboPosDriver;
  QLineEdit *txtMainServer, *txtMainDB, *txtMainUID, *txtMainPWD;
  QLineEdit *txtPosServer, *txtPosDB, *txtPosUID, *txtPosPWD;
  QPushButton *OrvMainCmd, *OrvPosCmd;
  // Frame1 Index 2: basics.
  QLineEdit *txtPosNo, *txtOrvID, *txtOrvPwd, *txtScan, *txtScanPort, *txtInterVal;
  QButtonGroup *ScanSetsGrp;  // chkScanSets0 "Timer" (id 0), chkScanSets1 "Events" (id 1)
  QCheckBox *chkScanXonOff, *chkHandScaner, *chkKeyCheck;
  // Frame1 Index 4: POS devices.
  QButtonGroup *SetPosOpt, *SetKeyOpt, *SetPrintOpt, *SetDispOpt, *SetCoinOpt, *SetDrawOpt;
  QLineEdit *txtPrnPort, *txtPrnWait, *txtDisPortNo, *txtCoinPortNo;
  QLabel *PrnPortLbl;
  QCheckBox *SetDrawAutoChk, *chkCcNot;
  // Frame1 Index 5: the card network.
  QButtonGroup *SetVanOpt;
  QCheckBox *SetVanDanChk, *chkSignPad, *chkSign0;
  QLineEdit *txtCDCount, *txtDanNo, *txtServerIP, *txtPortNo, *txtSignPortNo;
  QPushButton *IpPortCmd, *CardTableCmd;
  QGroupBox *FdwFme;
  QPushButton *FdwStartCmd, *FdwEndCmd, *FdwSetsCmd, *FdwPosCmd, *FdwReaderCmd;
  // Frame1 Index 3: others.
  QLineEdit *txtSaupNo;
  QCheckBox *chkCcBcp, *chkCstAll;
  // This PC's own devices: one box per row of DeviceKeys().
  QList<QLineEdit *> DeviceBoxes;
  // Outside the frames.
  QPushButton *cmdExit, *cmdSave, *PcSaveCmd, *PcLoadCmd, *PcDeltCmd, *JangbiCmd;
  QGroupBox *JangbiFme;
  QLabel *JangbiLbl;
  QFrame *PrnPortPnl;

  void Form_Load();
  void ShowSetupValues();
  // Takes the screen into the globals. A number box beyond the 16-bit range refuses: the
  // box is named in a message and nothing is taken.
  bool ReadSetupValues();

  void cmdSave_Click();
  void cmdExit_Click();
  void SetVanOpt_Click(int index);
  void IpPortCmd_Click();
  void CardTableCmd_Click();
  void OrvMainCmd_Click() { TestButton(0); }
  void OrvPosCmd_Click() { TestButton(1); }
  int16_t TestDbConnect(int group);
  void PrnPortLbl_Click();
  void PrnLptComBtn_Click(int index);
  void JangbiCmd_Click();
  void ShowDeviceHelp();
  void FdwStartCmd_Click();
  void FdwEndCmd_Click();
  void FdwSetsCmd_Click() { FdwJob(QStringLiteral("ENV")); }
  void FdwPosCmd_Click() { FdwJob(QStringLiteral("PDN")); }
  void FdwReaderCmd_Click() { FdwJob(QStringLiteral("INT")); }
  void PcSaveCmd_Click();
  void PcLoadCmd_Click();
  void PcDeltCmd_Click();

  // The screen's own connection to the main database, from the main group's boxes.
  // Throws DbError.
  void OpenMainDb();
  void CloseMainDb();
  orv::db::Connection &MainDb() { return mainDb_; }

  // The program must end: after a save, or "취소" once a per-PC copy was saved or loaded.
  bool EndRequested() const { return endRequested_; }
  int16_t RestartFlag() const { return restart_; }

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;
  void showEvent(QShowEvent *event) override;
  void reject() override;

 private:
  void BuildForm();
  void TestButton(int group);
  void FdwJob(const QString &job);
  // The leave rule of an entry box: clean, and for the port and counter boxes the number.
  void LeaveBox(QLineEdit *box);
  void LeaveFocusedBox();
  // n of the per-PC buttons: the counter box's number; nullopt when 0 or less.
  std::optional<int16_t> PcNumber() const;
  QList<QPair<QString, QString>> DeviceValues() const;
  void TakeDeviceValues();
  void ShowDbError(const orv::db::DbError &e);

  orv::db::Connection mainDb_;
  int16_t restart_ = 0;
  bool endRequested_ = false;
  bool loaded_ = false;
};

// The rows of "이 PC 장치": this program's own terminal settings, kept per PC and never
// copied to the main database.
struct DeviceKey {
  const char *key;
  const char *label;
};
QList<DeviceKey> DeviceKeys();
