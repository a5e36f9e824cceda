#pragma once
// "잔돈계산기!!": the drawer counted by denomination. The counts live in the terminal
// settings (giSetCoin100000 … giSetCoin10); every close writes them back.
#include <QDialog>
#include <array>

#include "closing/coin_counts.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace orv::closing {

class frmCoinComp : public QDialog {
  Q_OBJECT
 public:
  explicit frmCoinComp(QWidget *parent = nullptr);

  // 100,000 down to 10: txt100000 … txt10 and lbl100000 … lbl10.
  std::array<QLineEdit *, kCoinKinds> txt{};
  std::array<QLabel *, kCoinKinds> lbl{};
  QLabel *lblTotal1, *lblTotal2, *lblTotal;
  QPushButton *lblCancel, *lblDelete;

  void lblDelete_Click();
  void done(int result) override;

 private:
  void LoadCoinCounts();
  void SaveCoinCounts();
  void CalcCoinTotal();
  void Count_Change(int index);
};

}  // namespace orv::closing
