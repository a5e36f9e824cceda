#pragma once
// The customer touch lookup ("고객정보조회") of the sale screen and the point screens.
#include <QDialog>
#include <memory>

#include "lookup/lookup_dialog.h"
#include "lookup/paged_reader.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
namespace orv {
class ListGrid;
}

// The list statement for option 1..5 (바코드, 고객명, 전화번호, 핸드폰, 고객번호) and range.
// A handed-in search (gsCstFindSql and its values) is listed as it is, in the option's order.
orv::lookup::PagedQuery CstTouchQuery(const orv::db::Dialect &d, int option, int range,
                                      const QString &handedSql, const QVariantList &handedArgs);
orv::ListCell CstTouchCell(const orv::ListFields &f, int col);

class frmCust : public orv::lookup::LookupDialog {
  Q_OBJECT
 public:
  explicit frmCust(QWidget *parent = nullptr);
  ~frmCust() override;

  orv::ListGrid *vaSpread1;
  QVector<QPushButton *> RangeCmds;
  QVector<QRadioButton *> Opts;  // optBarcd, optName, optTel, optMobile, optJuso
  QLineEdit *txtSerCh;
  QPushButton *KeyBoarCmd;
  QLabel *CstInfoLbl, *CstInfo2Lbl;

  void SeekCstHelp(int range);
  void TakeCstRow(int row);
  void GoToCstRow(int n);
  void SeekCstNameInGrid(const QString &syllable);
  void SearchText();
  void ShowCstRowInfo();
  int Option() const { return option_; }
  void onActivated() override;

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  void loadRest();
  int option_ = 3;
  std::unique_ptr<orv::lookup::PagedReader> reader_;
};
