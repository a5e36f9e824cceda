#pragma once
// The collection screen: a trade partner's receivable figures of the work month and the
// money it pays against them, in cash or by card.
#include <QDialog>
#include <functional>

#include "core/currency.h"

class QLabel;
class QLineEdit;

namespace orv::checkout {

// The card form for a collection key (2 approval, 3 recording, 4 cancellation): shows it
// modally with gtCardRet.Gum as its amount and returns true only when it approved.
using CollectCardForm = std::function<bool(int fkey)>;
// Returns the previous one; the default shows the card forms.
CollectCardForm SetCollectCardForm(CollectCardForm form);

class frmOiReturn : public QDialog {
  Q_OBJECT
 public:
  explicit frmOiReturn(QWidget *parent = nullptr);

  QLabel *lblTsName;
  QLineEdit *txtBefore;
  QLineEdit *txtNow;
  QLineEdit *txtZerdo;
  QLineEdit *txtIpGum;
  QLineEdit *txtOisang;
  QLineEdit *txtOiIpgum;
  QLineEdit *txtOiIpCard;
  QLineEdit *txtOiHab;
  QLineEdit *txtResent;

  // The opening's reads; false (told) when the screen must not be shown.
  bool Form_Load();
  void LoadTrsBalance();
  bool Saved() const { return saved_; }

  QString msWrkDate;
  QString msYyMm;
  int16_t miCardRet = 0;   // 1 while an approved amount is being saved
  int16_t miSignFlag = 0;  // the card form's signature flag

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;

 private:
  bool Form_KeyDown(int key, int shift);
  bool EntryKeyDown(QLineEdit *box, int key, int shift);
  void CashEntry();
  void CardHandOff(int fkey);
  bool BusinessNumberMatches();
  void Save(bool fromCashBox);
  void BoxChanged(QLineEdit *box, bool entry);

  bool saved_ = false;
};

// Opens the screen modally for the sale's partner (gcTcdKey, gsTcdName). True when a
// collection was saved: the caller then clears its grid and customer labels.
bool ShowfrmOiReturn(QWidget *parent);

}  // namespace orv::checkout
