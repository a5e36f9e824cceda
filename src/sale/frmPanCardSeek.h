#pragma once
// The chooser among the sale chits of the work date that carry one card approval number.
#include <QDialog>
#include <cstdint>

class QPushButton;
namespace orv {
class Grid;
}

// The query the chooser lists (set by the caller, typed values quoted) and the chit
// number it hands back (0: none chosen).
extern QString gsPanCardSeekSql;
extern int32_t glPanCardSeekChtNo;

class frmPanCardSeek : public QDialog {
  Q_OBJECT
 public:
  // Loads the list; a failing query reaches the caller (orv::db::DbError).
  explicit frmPanCardSeek(QWidget *parent = nullptr);

  orv::Grid *vaSpread1;
  QPushButton *ChtEnterCmd, *ChtExitCmd;

  void Form_Load();
  void Form_Activate();
  void vaSpread1_KeyDown(int &keyCode, int &shift);
  void ChtEnterCmd_Click();
  void ChtExitCmd_Click();
  void FillCardChitList();

 protected:
  void showEvent(QShowEvent *event) override;
};
