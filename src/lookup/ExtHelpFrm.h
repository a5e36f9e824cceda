#pragma once
// The typed-code lookup ("기타 코드 조회") over one kind of ExtCode.
#include "lookup/HelpFrame.h"

class QFrame;

// The caption text of a kind ("" for kinds without one).
QString ExtKindCaption(int kind);
orv::lookup::PagedQuery BuildExtSql(const orv::db::Dialect &d, int kind, int order, int view,
                                    bool threeLevel, const QString &startFilter);
orv::ListCell ExtHelpCell(const orv::ListFields &f, int col, bool threeLevel);
// Whether a row's number matches the number kept before a view change.
bool ExtKeptRowMatches(const QString &rowNo, const QString &kept, int newView, int previousView);

class ExtHelpFrm : public orv::lookup::HelpFrame {
  Q_OBJECT
 public:
  explicit ExtHelpFrm(QWidget *parent = nullptr);

  QFrame *BmnViewFme;
  QVector<QRadioButton *> ViewOpts;  // 소, 중, 대
  QPushButton *ExtOnCmd, *ExtOffCmd;
  int View() const { return view_; }
  void ViewFiner();
  void ViewCoarser();

 protected:
  orv::lookup::PagedQuery BuildQuery() override;
  orv::ListCell Cell(const orv::ListFields &f, int col) const override;
  QVector<orv::ListGrid::SortKey> SortKeys(int mode) const override;
  void StoreSortMode(int mode) override;
  bool TakeRow(int row) override;
  bool JumpMatches(int row) const override;
  QString SeekHaystack(int row) const override;
  bool GridKey(int vk, int shift) override;

 private:
  void setView(int view);
  int kind_ = 0;
  bool threeLevel_ = false;
  bool loading_ = false;
  int view_ = 0, previousView_ = 0;
};
