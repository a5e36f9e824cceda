#pragma once
// What the card approval and cancellation dialogs share: the card boxes and the result
// labels, the no-signature box and the signature frame, the networks' hidden components and
// the SMARTRO terminal's reply state, and the steps a network request takes on them. Each
// dialog lays the controls out in its own order and keeps its own state.
#include <QDialog>
#include <QStringList>
#include <cstdint>

class QCheckBox;
class QFrame;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class SmtReplyState;
struct RequestScreen;

class CardRequestForm : public QDialog {
 public:
  QLineEdit *txtiCard, *txtiHalbu, *txtiGum, *txtiNo, *txtiDate, *txtDanNo;
  QLabel *CmitDateLbl, *lblCardName, *lblGaM, *lblMeipCode, *lblMeipName, *lblBalCode,
      *lblBalName, *lblGabu, *lblResult, *MtCardLbl, *PlzSignLbl, *KzTitleLbl;
  QFrame *fmeSignNotUse, *fraSign;
  QCheckBox *chkSignNotUse;
  QPushButton *cmdiExit;
  // The networks' components: shown only while their requests want them.
  QWidget *Kis, *KisPosAgent1, *AxSmtSndRcvVCAT1;
  // The SMARTRO terminal's replies, its dump boxes and their "?" button.
  SmtReplyState *smt;
  QString msKisReply;  // "응답" once the KIS agent's reply event ran

  // For the network branches. Once the reply is in, a row that cannot be written is named
  // for the cashier instead of undoing the card.
  void LogRow(const QString &text, int16_t kind);
  QStringList notKept;
  RequestScreen Screen() const;
  // The months box as two digits; the amount box without commas.
  QString Months() const;
  QString AmountText() const;

 protected:
  // Makes the shared controls, unplaced; signNotUse and exitCaption are the dialog's own.
  CardRequestForm(QWidget *parent, const QString &signNotUse, const QString &exitCaption);

  // The no-signature box and the signature frame, a row each.
  void AddSignFrames(QGridLayout *grid, int &row);
  // The command pair (go, cmdiExit) on a row, the hidden components, the terminal's "?"
  // and its dump boxes below.
  void AddCommandTail(QGridLayout *grid, int &row, QPushButton *go);

  void SetSignNotUseColour();
  // F12: flips the stored no-signature setting and the box with it.
  void ToggleSignNotUse();
  // Activation: the date box's caption for the network, the terminal id, a card number
  // that shows something.
  void ActivateBoxes();
  // gtCardRet's approval on the form: the number and date boxes, the acquirer and
  // merchant labels, and the customer display's copies.
  struct DisplayCopies {
    QString *meipCode, *meipName, *gaM, *cardName;
  };
  void ShowCardRet(const DisplayCopies &copies);

  bool keyPreview_ = true;
  bool unloaded_ = false;
};
