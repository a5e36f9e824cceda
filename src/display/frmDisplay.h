#pragma once
// The customer display on the second monitor: the advertising movie, the clock, the sale's
// lines and totals, the customer's card, the shop's messages and, while the cashier has
// them open, the payment, card, refund, cash-receipt and signature views. A 500 ms tick
// copies what the sale screen and the mirror globals hold; the form takes no input.
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>

#include "display/display_tick.h"

class QCheckBox;
class QLineEdit;
class QScreen;
class QTableWidget;

namespace orv::display {

class clsMovie;

// What the display shows comes from the sale screen that opened it: the screen's clock
// and grid and the mirror globals of the payment and card forms.
class DisplaySource {
 public:
  virtual ~DisplaySource() = default;
  // Everything the tick reads but the messages.
  virtual DisplayInputs Read() const = 0;
  // Clears the globals the view names (closed frames, a new sale's received money).
  virtual void Clear(const DisplayView &v) = 0;
};

// The five message lines in one statement on the working connection; "" for a missing
// row or any failure.
std::array<QString, 5> ReadDisplayMessages();

}  // namespace orv::display

class frmDisplay : public QWidget {
  Q_OBJECT
 public:
  explicit frmDisplay(std::unique_ptr<orv::display::DisplaySource> source, QWidget *parent = nullptr);
  ~frmDisplay() override;

  int32_t Monitor_Handle = 0;  // where the sale screen put it

  void Form_Load();
  void Timer1_Timer();
  // Applies one view; the globals it clears are cleared here too.
  void Apply(const orv::display::DisplayView &v);
  // Full screen on that screen; hidden when the screen goes away.
  void ShowOn(QScreen *screen);

  QWidget *Picture1;
  QLabel *lblNow2, *lblTime2, *lblHabGum, *lblRGum, *lblCGum, *Label1;
  QTableWidget *vaSpread1;
  QLabel *lblCcdNo, *lblCcdName, *lblCcdDegree, *lblCcdBarcode, *lblCcdTele, *lblCcdHp,
      *lblCcdJuso, *lblCcdJuso2, *lblCcdZerdoTit, *lblCcdZerdo, *lblCcdJumsuTit, *lblCcdJumsu,
      *lblCcdLpDate;
  std::array<QLabel *, 5> lblMsg;
  QLabel *lblOneMoa;
  QFrame *fraCash, *fraCard, *fraCard2, *fraMoney, *SignPleaseFme;
  // Payment frame: lblHabGum2, lblRGum2, txtPayGum, txtCard, txtCSobi, txtOisang,
  // txtJaSangPum, txtTaSangPum, txtCustJum, lblUseCustGum, lblUseCustJum, lblDcGum, lblReGum.
  std::array<QLabel *, 13> cashFields;
  // Card frames: txtiCard, txtiHalbu, txtiNo, lblCardName, txtiDate, lblGabu, lblBalCode,
  // lblBalName, lblMeipCode, lblMeipName, lblGaM, lblResult, txtiGum (+ "2" on the refund).
  std::array<QLabel *, 13> cardFields, card2Fields;
  QLabel *lblMsg22, *lblMsg222;
  QLabel *txti_Card, *txti_Gum, *txti_No, *txti_Date, *Lab_Msg;
  QCheckBox *chkSaup;
  QTimer *Timer1;
  orv::display::clsMovie *movie() const { return movie_.get(); }

 private:
  std::unique_ptr<orv::display::DisplaySource> source_;
  std::unique_ptr<orv::display::clsMovie> movie_;
  QPointer<QScreen> screen_;
};
