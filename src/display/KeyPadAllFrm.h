#pragma once
// The on-screen Hangul keyboard. It comes with the display work; for now the form says so,
// and closing it (Esc or the button) is the keyboard's exit key: giKeyPadOk 0.
#include <QDialog>

class KeyPadAllFrm : public QDialog {
  Q_OBJECT
 public:
  explicit KeyPadAllFrm(QWidget *parent = nullptr);
};
