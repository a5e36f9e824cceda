#pragma once
// The message window of the card forms: a title and a text of the caller's choosing, kept in
// front of every other window once a second, closed with its button, Enter or Esc. The forms
// show it only through ShowCardMsgBox, which keeps a second message from replacing one that
// is still on screen (giMsgBoxOpen).
#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;
class QTimer;

extern QString gsMsgBoxTitle;
extern QString gsMsgBoxText;

class frmMsgBox : public QDialog {
  Q_OBJECT
 public:
  explicit frmMsgBox(QWidget *parent = nullptr);
  ~frmMsgBox() override;

  QLabel *MeMsgLbl;
  QPushButton *MeCloseCmd;
  QTimer *Timer1;

  void MeCloseCmd_Click();
  // One tick: to the front, active, and a click where the pointer rests inside the window.
  void Timer1_Timer();

 protected:
  void keyPressEvent(QKeyEvent *event) override;
  void closeEvent(QCloseEvent *event) override;
  void done(int r) override;

 private:
  bool arrow_ = false;
};

// Shows the window with this title and text unless one is open; returns when it has closed.
void ShowCardMsgBox(QWidget *parent, const QString &title, const QString &text);
