#pragma once
// The goods lookup dialog ("상품 코드 조회"): goods seen from one trade partner's side,
// narrowed by a start text or the condition panel, sorted, moved in, marked and taken.
#include <QDialog>
#include <memory>

#include "lookup/paged_reader.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
namespace orv {
class ListGrid;
}

// The condition panel's fields.
struct GdsConditions {
  QString SetGname, SetGname1, SetGkyg, SetGbar;
  int SetGno1 = 1, SetGno2 = 999;
  orv::Currency SetMeipKey, SetBmn1Key, SetBmn2Key, SetBmn3Key;
  bool GdsSeltChk = false;
  int Selt1 = 0, Selt2 = 0, Selt3 = 0;  // 0 all, 1 on, 2 off
};

struct GdsQueryState {
  orv::Currency TrsKey;
  QString StartText;  // used when not empty, else the conditions
  int SortMode = 1;   // 0 number, 1 name, 2 barcode, 3 last trade
  bool OptStName = false, OptMulti = false, OptStBar = false, OptDelt = false;
  QString JegoTable;  // the stock table to join, "" for none
  GdsConditions Cond;
};
orv::lookup::PagedQuery BuildGdsSql(const orv::db::Dialect &d, const GdsQueryState &s);

// The grid row of a goods record: side 1 purchase, 2 sales, other none.
struct GdsRowMarks {
  bool p = false, g = false;
  orv::Currency lastPrice;
};
GdsRowMarks GdsMarksOf(const orv::ListFields &f, int side);
orv::ListCell GdsHelpCell(const orv::ListFields &f, int col, int side);
// Marks (1) or unmarks (0) a goods item as the partner's trade goods of a side, in one
// transaction. Throws DbError.
void WriteTrsGodsMark(orv::Currency trsKey, int side, orv::Currency gdsKey, int mark);

class GdsHelpFrm : public QDialog {
  Q_OBJECT
 public:
  explicit GdsHelpFrm(QWidget *parent = nullptr);
  ~GdsHelpFrm() override;

  orv::ListGrid *vaSpread1;
  QLineEdit *GdsStartTxt;
  QPushButton *GdsSeekCmd, *GdsEnterCmd, *GdsInputCmd, *GdsCancelCmd;
  QPushButton *GdsHomeCmd, *GdsPgupCmd, *GdsUpCmd, *GdsDnCmd, *GdsPgdnCmd, *GdsEndCmd;
  QPushButton *TgoSeltCmd;
  QPushButton *CdeInsertCmd, *ChtTotalCmd, *ChtCancelCmd, *ChtAllCmd, *GdsSeltCmd, *GdsAllsCmd;
  QRadioButton *GdsHelp1Opt, *GdsHelp2Opt, *GdsHelp3Opt, *GdsHelp4Opt;
  QCheckBox *GdsStartChk, *GdsMultiChk, *BarStartChk, *CdeDeltChk, *GdsJegoChk, *GdsPriceChk;
  QFrame *TgsViewFme;
  // The condition panel.
  QFrame *GdsSetFme;
  QLineEdit *GdsSetGnameTxt, *GdsSetGname1Txt, *GdsSetGkygTxt, *GdsSetGbarTxt;
  QLineEdit *GdsSetGno1Txt, *GdsSetGno2Txt;
  QCheckBox *GdsSeltChkBox;
  QPushButton *GdsSetEnterCmd, *GdsSetExitCmd;

  bool RefreshGdsList();
  void TakeGdsRow();
  void TakeAction();
  void CancelAction();
  void SeekNextRow();
  void MarkGroupRows(int mode);
  void MarkAll();
  void ClearMarks();
  void TgoSeltCmd_Click();
  void SeekGdsRow();
  void JumpAction();
  void OpenGdsConditions();
  void ConfirmConditions();
  int SortModeValue() const { return sortMode_; }
  bool DesignatedView() const;
  void onActivated();

 protected:
  void showEvent(QShowEvent *event) override;
  void done(int r) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  void runQuery(bool throwErrors);
  void loadRest();
  void sortBy(int mode);
  void nav(int delta, int times);
  void readConditions();

  int optOrder_ = 0;
  bool optStName_ = false, optMulti_ = false, optStBar_ = false, optDelt_ = false,
       optJego_ = false, optPrice_ = false;
  int sortMode_ = 1;
  QString startText_;
  bool listStarted_ = false, startIsCode_ = false, designatedOnly_ = false;
  bool designatedShown_ = false;
  orv::Currency trsKey_;
  bool rowPicked_ = false, rowTaken_ = false;
  bool firstMarkFound_ = false;
  bool activated_ = false, unloaded_ = false;
  GdsConditions cond_;
  QString jegoTable_;
  bool jegoMade_ = false;
  std::unique_ptr<orv::lookup::PagedReader> reader_;
};
