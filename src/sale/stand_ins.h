#pragma once
// Screens the sale screen opens that later work builds. Each shows its name and what it
// will do, closes with Esc, and leaves the lookup results at "cancelled".
#include <QDialog>

class StandInForm : public QDialog {
  Q_OBJECT
 public:
  // name: the form's name (also its objectName); note: what the real screen will do.
  StandInForm(const QString &name, const QString &caption, const QString &note,
              QWidget *parent = nullptr);
};

// Shows the stand-in modally through the dialogs layer.
int ShowStandIn(const QString &name, const QString &caption, const QString &note,
                QWidget *parent = nullptr);

// Choosers: giHelpRet 0 on opening; the stand-ins take nothing.
void ShowfrmTrsHelp(QWidget *parent);
void ShowfrmCust(QWidget *parent);

// Screens of later subsystems the code column opens.
void ShowfrmGdsCode(QWidget *parent);
void ShowfrmMidInput(QWidget *parent);
void ShowfrmMoneyChk(QWidget *parent);  // giHelpRet 0: no receipt issued
void ShowfrmCardCancel(QWidget *parent);
