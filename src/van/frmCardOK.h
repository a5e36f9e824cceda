#pragma once
// "카드단순저장": a card payment approved elsewhere, typed in by the cashier with the card
// company's issuer code. Nothing is sent and nothing is written; the record goes back in
// gtCardRet and giCardOk, and the opener moves its own focus when the form returns.
#include <QDialog>
#include <cstdint>

#include "core/card_ret.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The typed record and the issuer code as the cashier answered it.
struct ManualCardEntry {
  QString card, months, amount, cmitNo, cmitDate, issuerAnswer;
};
// The issuer code after the "=" and "." shortcuts; empty when it is refused ("0000" or not
// four characters).
QString ManualIssuerCode(const QString &answer);
// Builds the record of entry on top of base (Spare is kept). The message of the first check
// that fails, or empty when the record is complete. A refused code gives *codeRefused and
// no message.
QString BuildManualCardRecord(const ManualCardEntry &entry, int16_t van, CardRetRec &record,
                              bool *codeRefused);

class frmCardOK : public QDialog {
  Q_OBJECT
 public:
  explicit frmCardOK(QWidget *parent = nullptr);

  QLineEdit *txtDanNo, *txtiCard, *txtiHalbu, *txtiGum, *txtiNo, *txtiDate;
  QLabel *CmitDateLbl, *Image1;
  QPushButton *cmdiOK, *cmdExit;

  void Form_Activate();
  // The recording step: asks for the issuer code and, when the record is complete, hands it
  // back and closes.
  void cmdiOK_Click();

 protected:
  void showEvent(QShowEvent *event) override;

 private:
  void FormKeyDown(int &key, int shift);
  void Filter(QLineEdit *box);
};
