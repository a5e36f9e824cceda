#pragma once
// The full trade-partner lookup ("거래처 코드 조회").
#include "lookup/HelpFrame.h"

class QCheckBox;

// Search statement of the partner list for the given state (the filter text is bound).
struct TrsQueryState {
  int sortMode = 1;    // 0 number, 1 name, 2 person
  int filterMode = 0;  // 0 all, 1 purchase, 2 sales, other: no condition
  bool normalOnly = false;
  bool staffOnly = false;  // the dialog's restriction flag
  orv::Currency markerKey;
  QString filterText;
};
orv::lookup::PagedQuery BuildTrsSql(const orv::db::Dialect &d, const TrsQueryState &s);
// The price-grade text of TcdSel2.
QString TrsPriceText(const QVariant &sel2);
orv::ListCell TrsHelpCell(const orv::ListFields &f, int col, orv::Currency markerKey);

class TrsHelpFrm : public orv::lookup::HelpFrame {
  Q_OBJECT
 public:
  explicit TrsHelpFrm(QWidget *parent = nullptr);

  QVector<QRadioButton *> FilterOpts;  // 전체, 매입, 매출
  QCheckBox *TrsIOChk;
  QPushButton *PrevSeekCmd, *NextSeekCmd, *CdeInsertCmd;
  int FilterMode() const { return filterMode_; }
  void SeekMarker(int direction);  // -1 previous, +1 next

 protected:
  orv::lookup::PagedQuery BuildQuery() override;
  orv::ListCell Cell(const orv::ListFields &f, int col) const override;
  QVector<orv::ListGrid::SortKey> SortKeys(int mode) const override;
  void StoreSortMode(int mode) override;
  bool TakeRow(int row) override;
  bool JumpMatches(int row) const override;
  QString SeekHaystack(int row) const override;
  bool GridKey(int vk, int shift) override;
  void AfterFill() override;
  void NotConfirmed() override;
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  void setFilterMode(int mode);
  int filterMode_ = 0;
  bool normalOnly_ = false;
  bool staffOnly_ = false;
  orv::Currency markerKey_;
};
