#pragma once
// The held sales of the work date at this checkout and of this cashier: recall one to the
// sale screen, or print one as a delivery chit with the goods lines the cashier marks.
#include <QDialog>
#include <functional>

#include "core/currency.h"

class QLabel;
class QPushButton;
namespace orv {
class Grid;
}

namespace orv::checkout {

// Prints a held chit as a delivery chit: customer key, date, number, total and the goods
// flag; loads the customer into gtCstCode. False when it did not print (already told).
using WatDeliveryPrinter = std::function<bool(Currency cstKey, const QString &date,
                                              int32_t chtNo, Currency hab, int16_t goods)>;
// Returns the previous one; an empty one puts back the delivery printout (PrintDeliveryChit).
WatDeliveryPrinter SetWatDeliveryPrinter(WatDeliveryPrinter printer);

class frmWait : public QDialog {
  Q_OBJECT
 public:
  explicit frmWait(QWidget *parent = nullptr);
  ~frmWait() override;

  orv::Grid *vaSpread1;
  orv::Grid *vaSpread2;
  QLabel *lblUpper;
  QLabel *lblLower;
  QPushButton *cmdOk;
  QPushButton *cmdCancel;

  int32_t mlWatRow = 0;
  QString msWatDate;
  int32_t mlWatChtNo = 0;
  Currency mcWatHab;

  // The list; false (told) when it could not be read.
  bool Form_Load();
  void LoadWatGods();
  void MarkLine();
  void Recall(int row);
  void PrintWatDelivery();

 protected:
  void keyPressEvent(QKeyEvent *event) override;

 private:
  void FillDlvRecord();
  void InsertDlvChit();
};

// Shows the list modally; a recall leaves a chit number other than 0 in gtWatChit.
void ShowfrmWait(QWidget *parent);

}  // namespace orv::checkout
