#pragma once
// "영업마감 저장하기": keeps the open closing under the next number of the work date, with a
// memo: the header, the open chits of the screen's months and the cash figures, in one
// transaction.
#include <QDialog>

#include <optional>

#include "closing/closing_figures.h"

namespace orv {
class Grid;
}

class QLabel;
class QDateEdit;
class QLineEdit;
class QPushButton;

namespace orv::closing {

class frmTemSave : public QDialog {
  Q_OBJECT
 public:
  frmTemSave(const ClosingContext &ctx, QWidget *parent = nullptr);

  QLineEdit *txtTemChtNo, *txtTemBigo;
  QLabel *Label1, *Label2, *Label3;

  // The next number of the work date; false (told) when it could not be read.
  bool ProposeNumber();
  // Asks, then saves; true when the closing was stored (the dialog then closes).
  bool SaveClosing();

 protected:
  void showEvent(QShowEvent *event) override;

 private:
  // Each fills its record, writes and reports its own failure ("[name] :" description).
  bool SaveTemChit();
  bool SaveTemDetail();
  bool SaveTemInitGum();

  ClosingContext ctx_;
};

// "영업마감 불러오기!!": the cashier's saved closings of a month; a pick writes TemChitLoad 1,
// TemDate and TemChtNo.
class frmTemLoad : public QDialog {
  Q_OBJECT
 public:
  explicit frmTemLoad(QWidget *parent = nullptr);

  QDateEdit *dtpWrkDate;
  orv::Grid *vaSpread1;
  QPushButton *cmdOk, *cmdExit;

  bool fcTemChitSerch();
  // Only a row that holds a saved closing can be chosen.
  void ChooseRow(int row);

 protected:
  void showEvent(QShowEvent *event) override;

 private:
  bool shown_ = false;
};

// A saved closing's keys as stored: eight digits of a date and a number above 0, else
// nothing.
std::optional<SavedClosing> ValidSavedClosing(const QString &date, const QString &no);

}  // namespace orv::closing
