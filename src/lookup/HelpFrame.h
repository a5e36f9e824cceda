#pragma once
// The frame the full lookup dialogs share (partners, customers, typed codes): a list grid
// holding the result of one query, sort options, a start text box with its seek, moves,
// take and cancel, the jump-to box for a condition search and for a jump, and the saved
// column widths. Each dialog fills in its data side through the hooks.
#include <QDialog>
#include <QVector>
#include <memory>

#include "lookup/lookup_dialog.h"
#include "lookup/paged_reader.h"
#include "platform/list_grid.h"

class QCheckBox;
class QFrame;
class QGridLayout;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orv::lookup {

class HelpFrame : public orv::lookup::LookupDialog {
  Q_OBJECT
 public:
  ~HelpFrame() override;

  QFrame *CdeHelpFme;
  orv::ListGrid *vaSpread1;
  QLineEdit *StartTxt;
  QPushButton *SeekCmd, *HomeCmd, *PgupCmd, *UpCmd, *DnCmd, *PgdnCmd, *EndCmd;
  QPushButton *EnterCmd, *InputCmd, *CancelCmd, *InitColsRtn;
  QPushButton *DspNameCmd = nullptr, *DspAllsCmd = nullptr;
  QCheckBox *CdeDeltChk = nullptr;
  QVector<QRadioButton *> SortOpts;  // in sort-mode order

  // Frame actions.
  void HomeRow();
  void EndRow();
  void UpRow();
  void DnRow();
  void PgUpRows();
  void PgDnRows();
  void TakeAction();
  void CancelAction();
  void SeekText();
  void ConditionSearch();
  void ShowAll();
  void JumpAction();
  void ResetColumns();
  // Re-queries; a database error is shown and false returned (the dialog stays usable).
  bool Refresh();
  // Rows not read yet, now (commands that need every row).
  void LoadRest();
  // What activation does: stale guard, direct-go start.
  void onActivated() override;
  int SortMode() const { return sortMode_; }
  void SetSortMode(int mode);  // as choosing its option

 protected:
  HelpFrame(const QString &formName, const QString &caption, QWidget *parent);

  // Data side.
  virtual PagedQuery BuildQuery() = 0;  // consumes the filter text
  virtual orv::ListCell Cell(const orv::ListFields &f, int col) const = 0;
  virtual QVector<orv::ListGrid::SortKey> SortKeys(int mode) const = 0;
  virtual void StoreSortMode(int mode) = 0;
  virtual bool TakeRow(int row) = 0;  // true: the row was taken and the dialog closes
  virtual bool JumpMatches(int row) const = 0;
  virtual QString SeekHaystack(int row) const = 0;
  virtual int SeekCol() const { return 1; }
  // Extra grid keys; true when handled.
  virtual bool GridKey(int vk, int shift);
  // After each fill (first page).
  virtual void AfterFill() {}
  // First step of the unload.
  virtual void Unloading() {}
  // Condition search when the jump-to box was not confirmed with a text.
  virtual void NotConfirmed();

  // Frame building: call from the dialog's constructor.
  void AddSortOption(const QString &name, const QString &caption);
  void AddControl(QWidget *w);  // into the option row
  void MakeDeltChk(const QString &caption);
  void MakeConditionButtons();
  void SetColumns(const QStringList &heads, const QVector<double> &widths);
  void NoteDesignWidths();  // then LoadColSize
  // The first query of the load: errors go to the opener.
  void FirstQuery();
  // Jump comparison shared by the name columns: the cell cut to the entered text's bytes
  // does not come before it, in the list's own order.
  bool TextAtOrAfter(const QString &cell, const QString &entered) const;

  QString formName_;
  QString filterText_;
  int sortMode_ = 0;
  bool loaded_ = false;
  bool taken_ = false;
  bool directGoStart_ = false;
  QVector<double> designWidths_;
  QHBoxLayout *optionRow_;
  std::unique_ptr<PagedReader> reader_;

 protected:
  void done(int r) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  void runQuery(bool throwErrors);
  void gridKeyDown(int &vk, int &shift);
  bool unloaded_ = false;
};

}  // namespace orv::lookup
