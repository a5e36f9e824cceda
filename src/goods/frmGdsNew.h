#pragma once
// New goods registration for a code the sale matched nothing with: one GdsCode row with a
// new key and the next free number of class 099 099, its BarCode row and its GdsName row,
// in one transaction on the working connection; refused offline.
#include <QDialog>
#include <cstdint>

#include "core/currency.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace orv::db {
class Connection;
}

namespace orv::goods {
// Writes the rows the texts ask for (statement texts bound as typed).
void InsertBarCode(orv::db::Connection &conn, const QString &code, int kind, orv::Currency gdsKey);
void InsertGdsName(orv::db::Connection &conn, const QString &name, const QString &kyg, orv::Currency meipKey,
                   orv::Currency bmn1, orv::Currency bmn2, orv::Currency bmn3, orv::Currency gdsKey);
// The first free sequence at or above `start` of the class; the class parts as numbers.
int32_t NextGcdNo(orv::db::Connection &conn, int class1, int class2, int32_t start);
}  // namespace orv::goods

class frmGdsNew : public QDialog {
  Q_OBJECT
 public:
  explicit frmGdsNew(QWidget *parent = nullptr);

  QLineEdit *txtGcdBarCode, *txtGcdNo1, *txtGcdNo2, *txtGcdNo3, *txtGcdName, *txtGcdKyg, *txtGcdBoxSu, *txtGcdTax,
      *txtGcdMeip, *txtGcdDanga;
  QPushButton *ViewPrisCmd, *ViewNameCmd, *cmdSave, *cmdExit;

  // Saves; true when the goods item was written and the form closed.
  bool cmdSave_Click();
  // The web lookup: 1 prices, 2 name; takes what the cashier picked there.
  void ViewXgs(int16_t mode);

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;
  void showEvent(QShowEvent *event) override;

 private:
  bool CheckWidths();
  void AmountFilter(QLineEdit *box);
  int16_t activated_ = 0;
};

// Shows the form with the code in its barcode box.
void ShowfrmGdsNew(const QString &code, QWidget *parent);
