#pragma once
// The trade-partner touch lookup of the sale screen ("거래처코드조회"), which also sets the
// sale's price tier.
#include <QDialog>
#include <memory>

#include "lookup/lookup_dialog.h"
#include "lookup/paged_reader.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
namespace orv {
class ListGrid;
}

// The list statement: order 0 number, 1 name, 2 person; kind 1 purchase, 2 sales, other
// both; range 1..16 or none.
orv::lookup::PagedQuery SeekTrsHelp(const orv::db::Dialect &d, int order, int kind,
                                    const QString &startText, int range);
orv::ListCell TrsTouchCell(const orv::ListFields &f, int col, orv::Currency staffKey);
// The tier a partner's column-9 text chooses automatically (0 for the others).
int TierOfPartnerText(const QString &text);

class frmTrsHelp : public orv::lookup::LookupDialog {
  Q_OBJECT
 public:
  explicit frmTrsHelp(QWidget *parent = nullptr);
  ~frmTrsHelp() override;

  orv::ListGrid *vaSpread1;
  QVector<QPushButton *> RangeCmds;
  QRadioButton *TrsHelp1Opt, *TrsHelp2Opt, *TrsHelp3Opt;  // order
  QRadioButton *TrsHelp4Opt, *TrsHelp5Opt, *TrsHelp6Opt;  // kind
  QLineEdit *TrsStartTxt;
  QPushButton *TrsSeekCmd, *KeyBoarCmd, *TrsInputCmd, *TrsCancelCmd;
  QCheckBox *TrsAutoChk, *TrsPrisChk;
  QVector<QLabel *> TierLbls;  // tiers 1..7, then 0 (lblA .. lblJI, lblD)

  void ListTrsHelp(int order, int range = 0);
  void TakeAction();
  void CancelAction();
  void FindNextTrsHelp();
  void ApplyTrsRowTier();
  void fChkSet(int tier);
  void ChooseTier(int tier);
  int ChosenTier() const { return chosenTier_; }
  void onActivated() override;

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;
  void done(int r) override;

 private:
  int order_ = 0, kind_ = 0;
  QString startText_;
  orv::Currency staffKey_;
  bool picked_ = false;
  int chosenTier_ = 0;
  std::unique_ptr<orv::lookup::PagedReader> reader_;
};
