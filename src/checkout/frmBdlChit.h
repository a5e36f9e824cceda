#pragma once
// The open delivery chits of this checkout, newest first; the cashier recalls one to
// finish and pay it.
#include <QDialog>

class QPushButton;
namespace orv {
class Grid;
}

namespace orv::checkout {

class frmBdlChit : public QDialog {
  Q_OBJECT
 public:
  explicit frmBdlChit(QWidget *parent = nullptr);

  orv::Grid *vaSpread1;
  QPushButton *cmdOk;
  QPushButton *cmdCancel;

  // The list; false (told) when it could not be read.
  bool Form_Load();
  // Recalls a row (found or not) and closes the form.
  void RecallRow(int row);

 protected:
  void keyPressEvent(QKeyEvent *event) override;
};

// Shows the list modally; a recall leaves a chit number other than 0 in gtBdlChit.
void ShowfrmBdlChit(QWidget *parent);

}  // namespace orv::checkout
