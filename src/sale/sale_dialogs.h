#pragma once
// Small modal windows of the sale grid: the pack chooser of a hot key, the scan error
// window and the goods list of a typed hot-key number.
#include <QDialog>
#include <array>

#include "core/currency.h"

class QKeyEvent;
class QLabel;
class QPushButton;
class QTableWidget;

extern QString gsErrDispMsg;   // what the scan error window says
extern QString gsErrDispCode;  // and the code it was about

// "단축키 선택 작업": one of up to 60 goods sharing a hot key, lists gsGdsSelectSql and
// leaves the chosen goods key in gcGdsSelectKey (0: nothing chosen).
class frmGdsSelect : public QDialog {
  Q_OBJECT
 public:
  explicit frmGdsSelect(QWidget *parent = nullptr);

  std::array<QPushButton *, 61> GdsNameCmd{};  // 1..60
  std::array<QLabel *, 7> GroupLbl{};          // 1..6
  int Group() const { return group_; }

  void LoadPackGoods();
  void FocusButton(int index);
  void GdsNameCmd_Click(int index);

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;

 private:
  bool HandleKey(QKeyEvent *event);
  void ButtonFocused(int index);
  int group_ = 1;
};

// "오류발생": stops the cashier on a faulty or ambiguous scanned code; only Esc closes it.
class frmErrDisp : public QDialog {
  Q_OBJECT
 public:
  explicit frmErrDisp(QWidget *parent = nullptr);
  QLabel *ErrDispLbl, *ErrDataLbl;

 protected:
  void keyPressEvent(QKeyEvent *event) override;
};

// "단축키선택작업": the goods of a hot-key number; Enter or F1 takes the marked one, Esc
// takes none.
class frmKeylist : public QDialog {
  Q_OBJECT
 public:
  // listSql: rows with GcdKey, GcdName, GcdMech, read on goDbMain (errors to the caller).
  explicit frmKeylist(const QString &listSql, QWidget *parent = nullptr);
  QTableWidget *lstKey;
  orv::Currency Chosen() const { return chosen_; }
  void Take();

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;

 private:
  orv::Currency chosen_;
};

// Shown modally through the dialogs layer.
void ShowfrmGdsSelect(QWidget *parent);
void ShowfrmErrDisp(QWidget *parent);
// The goods key picked, 0 when cancelled.
orv::Currency ShowfrmKeylist(const QString &listSql, QWidget *parent);
