#pragma once
// The login form: the first window the cashier sees.
#include <QDialog>
#include <QString>
#include <cstdint>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

class frmLog : public QDialog {
  Q_OBJECT
 public:
  explicit frmLog(QWidget *parent = nullptr);
  ~frmLog() override;

  QLineEdit *txtID;
  QLineEdit *txtPwd;
  QRadioButton *optOnline;
  QRadioButton *optOffline;
  QPushButton *cmdOk;
  QPushButton *cmdCancel;
  QPushButton *SetupCmd;
  QPushButton *CMDSET;
  QPushButton *PcAnyCmd;
  QPushButton *cmdSetPrn;
  QCheckBox *chkCcBcp;
  QLabel *lblDate;
  QLabel *Label3;
  QLabel *Label4;
  QLabel *SendMsgLbl;
  QProgressBar *Prs;

  // The form's load; the caller stops when it asked the program to end.
  void Form_Load();
  void Form_Activate();
  // Sees every key before the controls; sets keyCode to 0 when it used the key.
  void Form_KeyDown(int &keyCode, int shift);

  void cmdOk_Click();
  void cmdCancel_Click();
  void optOnline_Click();
  void optOffline_Click();
  void SetupCmd_Click();
  void CMDSET_Click();
  void PcAnyCmd_Click();
  void cmdSetPrn_Click();
  void chkCcBcp_Click();

  // The program must end (a second copy, a failed connection, a refused password, the
  // maintenance form closed, the form cancelled).
  bool EndRequested() const { return endRequested_; }
  // The main window shown by a successful login (owned by the caller from then on).
  QWidget *TakeMainWindow();

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;
  void closeEvent(QCloseEvent *event) override;
  void showEvent(QShowEvent *event) override;

 private:
  void ShowCcBcpSet();
  void WriteLoginLog(int32_t plgNo, int16_t plgSel, const QString &text1, const QString &text2,
                     const QString &text3);
  void CleanBox(QLineEdit *box);
  void PaintOptions();
  void RequestEnd();

  bool endRequested_ = false;
  QWidget *mainWindow_ = nullptr;
};

// The settings password and the maintenance login.
namespace orv::login {
inline constexpr char kMaintenanceId[] = "QUILTBAY";
inline constexpr char kSettingsPassword[] = "27158306426";
inline constexpr char kSheetPassword[] = "36284019762";
inline constexpr char kVersionText[] = "Ver 2024.01.30";

// The login query for the typed ID and password (quoted by the literal helper).
QString LoginSql(const QString &id, const QString &pwd);
// The lines of the settings sheet, in print order.
QStringList SettingsSheetLines();
}  // namespace orv::login
