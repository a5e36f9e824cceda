#pragma once
// The web lookup of the new goods registration: what the other shops of the system pay,
// charge and call a barcode, asked of the shop system's web server. The cashier takes a
// purchase price, a sale price or both, or the name and standard; giHelpRet says which.
#include <QDialog>
#include <QString>
#include <cstdint>

#include "core/currency.h"
#include "goods/goods_rules.h"
#include "platform/http.h"

class QLabel;
class QPushButton;
class QTabWidget;
class QWidget;

namespace orv {
class ListGrid;
}

// In: 1 the price tab in front, 2 the name tab; the barcode; the opener's two prices.
extern int16_t giXgsViewMode;
extern QString gsXgsViewKey;
extern orv::Currency gcXgsViewMeip;   // in and out: 0 when not taken
extern orv::Currency gcXgsViewDanga;  // in and out: 0 when not taken
// Out with giHelpRet 2.
extern QString gsXgsViewName;
extern QString gsXgsViewKyg;
// The shop's own code (option SupTrsName when it is 8 bytes, else "").
extern QString gsSupTrsName;

class XgsViewFrm : public QDialog {
  Q_OBJECT
 public:
  explicit XgsViewFrm(QWidget *parent = nullptr);

  QTabWidget *SSTab1;
  QWidget *Frame1, *Frame2;
  orv::ListGrid *vaSpread1, *vaSpread2, *vaSpread3;
  QPushButton *Command1, *Command2, *Command3, *Command4, *Command5, *Command6;
  QLabel *lblStatus;

  // Asks the server and fills the grids; runs once, after the dialog shows.
  void LoadXgsView();
  // 0 closes with both prices 0, 1 purchase, 2 sale, 3 both.
  void PickXgsPrice(int kind);
  void PickXgsName();
  void CloseXgsView();

  // The request's time-out; tests shorten it.
  static void SetTimeoutMs(int ms);

 protected:
  void showEvent(QShowEvent *event) override;
  void done(int r) override;

 private:
  // One pass: false when the request itself failed (nothing to retry).
  bool FetchXgsPrice();
  void FillXgsGrid(const orv::goods::XgsRow &row);
  void SetCaptionColour(bool bad);

  QString key_;
  orv::Currency meip_, danga_;
  int32_t selt_ = 0;
  int16_t miXgsBadLine = 0;
  bool loaded_ = false;
  orv::http::AbortHook abort_;
};
