#pragma once
// The card log viewer "카드승인조회": the card-network log lines of one day of this checkout,
// each decoded into card number, approval date and number, amount, card name, acquirer and
// a remark. It reads only.
#include <QDialog>
#include <QString>
#include <array>
#include <cstdint>

class QDateEdit;
class QPushButton;
namespace orv {
class Grid;
}

// One log line as the grid shows it: columns 1 to 7 (index 0 unused), and whether the
// row is tinted as a request line.
struct CardLogCells {
  std::array<QString, 8> col;
  bool tinted = false;
};
// A line of FS fields follows the layout of network 3 or 5 and stays empty under the
// others; a line without FS (the call-name tags) shows its tag and amount under every one.
CardLogCells DecodeCardLogRow(int16_t van, const QString &data, int16_t kind);

class frmCardCancel : public QDialog {
  Q_OBJECT
 public:
  explicit frmCardCancel(QWidget *parent = nullptr);

  QDateEdit *dtpDate;
  orv::Grid *vaSpread1;
  QPushButton *cmdCancel;
  QString msViewDate;  // yyyymmdd

  // Lists the viewed date; a failing query shows its error and leaves the grid empty.
  void ListDay();

 protected:
  void keyPressEvent(QKeyEvent *event) override;
};
