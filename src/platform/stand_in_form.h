#pragma once
// A screen that later work builds: it shows its name and what it will do, and closes
// with Esc.
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
