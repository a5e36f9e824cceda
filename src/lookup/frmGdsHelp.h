#pragma once
// The goods pop-up of the sale screen ("상품찾기!!"): a range number or a barcode part lists
// goods in its own grid; other texts open the goods, partner or customer dialog.
#include <QDialog>
#include <memory>

#include "lookup/paged_reader.h"
#include "platform/db.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
namespace orv {
class ListGrid;
}

// Classifies a non-empty input: giGdsHelpRet 0 (a short number), 1 a text, 2 a long
// number, 3 a partner, 4 a customer; gsGdsHelpText the text handed on.
void ParseGdsHelpInput(const QString &text);
// The pop-up's list statement for a number text (range 1..16, barcode part of 3+ digits).
orv::lookup::PagedQuery GdsPopupQuery(const orv::db::Dialect &d, const QString &number);
// The pop-up grid's cells from a row of that statement.
orv::ListCell GdsPopupCell(const orv::ListFields &f, int col);

class frmGdsHelp : public QDialog {
  Q_OBJECT
 public:
  explicit frmGdsHelp(QWidget *parent = nullptr);
  ~frmGdsHelp() override;

  QLineEdit *gdsTxt;
  QCheckBox *ChtTgdsChk;
  QPushButton *KeyBoarCmd;
  QLabel *lblSelect;
  orv::ListGrid *vaSpread1;

  void fcGdsSerch(const QString &number);
  void gdsTxt_Enter();
  void KeyBoarCmd_Click();
  void OpenGdsHelpFrm(int wrap);
  void SelectTrsPrice();
  void OpenCstHelpFrm();
  int16_t TgdsHelp() const { return tgdsHelp_; }

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  bool formKey(int vk, int shift, QObject *target);
  void keyF1();

  int16_t loading_ = 0;
  int16_t tgdsHelp_ = 0;
  std::unique_ptr<orv::lookup::PagedReader> reader_;
};
