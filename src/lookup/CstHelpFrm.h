#pragma once
// The full customer lookup ("고객 코드 조회") on the working connection's CstCode.
#include "lookup/HelpFrame.h"

class QCheckBox;

struct CstQueryState {
  int sortMode = 1;  // 0 number, 1 name, 2 firm name, 3 barcode
  bool normalOnly = false;
  int phoneMode = 0;  // 1 contains, 2 ends with
  QString phoneText;
  QString filterText;
};
orv::lookup::PagedQuery BuildCstSql(const orv::db::Dialect &d, const CstQueryState &s);
orv::ListCell CstHelpCell(const orv::ListFields &f, int col);
// The phone search a start text asks for: mode 0 none, else the mode and its text.
std::pair<int, QString> CstPhoneSearch(const QString &start);

class CstHelpFrm : public orv::lookup::HelpFrame {
  Q_OBJECT
 public:
  explicit CstHelpFrm(QWidget *parent = nullptr);

  QCheckBox *StartChk;

 protected:
  orv::lookup::PagedQuery BuildQuery() override;
  orv::ListCell Cell(const orv::ListFields &f, int col) const override;
  QVector<orv::ListGrid::SortKey> SortKeys(int mode) const override;
  void StoreSortMode(int mode) override;
  bool TakeRow(int row) override;
  bool JumpMatches(int row) const override;
  QString SeekHaystack(int row) const override;
  int SeekCol() const override { return 7; }
  bool GridKey(int vk, int shift) override;
  void NotConfirmed() override;
  void Unloading() override;

 private:
  bool normalOnly_ = false;
  int phoneMode_ = 0;
  QString phoneText_;
};
