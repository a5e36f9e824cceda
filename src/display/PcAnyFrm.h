#pragma once
// The remote-support launcher. The support programs come with the display work; for now
// the form says so and closes.
#include <QDialog>

class PcAnyFrm : public QDialog {
  Q_OBJECT
 public:
  explicit PcAnyFrm(QWidget *parent = nullptr);
};
