#pragma once
// The full settings screen and the short one. Their fields come with the settings-screen
// work; for now they say so and close.
#include <QDialog>

class frmSetup : public QDialog {
  Q_OBJECT
 public:
  explicit frmSetup(QWidget *parent = nullptr);
};

class frmConfig : public QDialog {
  Q_OBJECT
 public:
  explicit frmConfig(QWidget *parent = nullptr);
};
