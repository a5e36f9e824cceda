#pragma once
// The goods lookup dialog ("상품 코드 조회"): goods seen from one trade partner's side,
// narrowed by a start text or the condition panel, sorted, moved in, marked and taken.
#include <QDialog>
#include <QVector>
#include <array>
#include <memory>

#include "lookup/lookup_dialog.h"
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
  qint64 SetTno = 0;
  qint64 SetB1no = 0, SetB2no = 0, SetB3no = 0;  // ten digits, 3+3+4
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
  int TrsMonths = 0;  // 3, 6 or 12: only goods traded with the partner within; 0 all
  int WrkYear = 0, WrkMonth = 0;
};
orv::lookup::PagedQuery BuildGdsSql(const orv::db::Dialect &d, const GdsQueryState &s);

// The recent-trade window as yyyymmdd texts: from day 1 of the month n months before the
// work month to day 31 of the work month.
struct TradeWindow {
  int y1, m1, y2, m2;
  QString from, to;
};
TradeWindow LastTradeWindow(int wrkYear, int wrkMonth, int months);

// A department number from its three level boxes (3+3+4 digits).
qint64 DeptNoOf(const QString &a, const QString &b, const QString &c);

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

class GdsHelpFrm : public orv::lookup::LookupDialog {
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
  QLineEdit *GdsSetTnoTxt, *GdsSetTnameTxt;
  std::array<QLineEdit *, 9> GdsSetB1noTxt;  // departments 1, 2, 3: three levels each
  QLineEdit *GdsSetB1nameTxt, *GdsSetB2nameTxt, *GdsSetB3nameTxt;
  QLabel *BarSizeLbl;
  QPushButton *GdsSetGNhelpCmd, *GdsSetGKhelpCmd, *GdsSetGBhelpCmd, *GdsSetGnoCmd;
  QPushButton *GdsSetThelpCmd, *GdsSetB1helpCmd, *GdsSetB2helpCmd, *GdsSetB3helpCmd;
  QCheckBox *GdsSeltChk;
  std::array<QRadioButton *, 3> GdsSelt1Opt, GdsSelt2Opt, GdsSelt3Opt;
  QFrame *TrsMonFme;
  QRadioButton *TrsMon0Opt, *TrsMon3Opt, *TrsMon6Opt, *TrsMon12Opt;
  QPushButton *GdsSetEnterCmd, *GdsSetExitCmd;
  // The selected goods.
  QFrame *GdsSeltFme;
  orv::ListGrid *vaSpread2;
  QPushButton *SelEnterCmd, *SelDeltCmd, *SelDelt1Cmd, *SelCloseCmd, *InitCol2Rtn;
  QPushButton *ChtSeltCmd, *MoveSeltCmd;
  // Grid keys.
  QPushButton *GdsNameCmd, *PrevSeekCmd, *NextSeekCmd, *InitColsRtn;

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
  void AllConditions();
  void CloseConditions();
  void ResetGdsConditions();
  void ShowGdsConditions();
  void ReadGdsConditions();
  void ReadSetPartner();
  void ReadSetDept(int n);
  void PickPartner();
  void PickDept(int n);
  const GdsConditions &Conditions() const { return cond_; }
  // The selected goods.
  void ToggleSeltGds(int remove, const QString &no, const QString &name, const QString &kyg,
                     const QString &bar, const QString &key);
  void SelEnterCmd_Click();
  void SelDelt1Cmd_Click();
  void SelDeltCmd_Click();
  void SelCloseCmd_Click();
  void ChtSeltCmd_Click();
  void MoveSeltCmd_Click();
  // Grid keys.
  void GdsNameCmd_Click();
  void PrevMarkedRow();
  void NextMarkedRow();
  void ResetColumns(orv::ListGrid *grid);
  int SortModeValue() const { return sortMode_; }
  bool DesignatedView() const;
  void onActivated() override;

 protected:
  void done(int r) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  void runQuery(bool throwErrors);
  void loadRest();
  void dropJegoWhenRead();
  void sortBy(int mode);
  void nav(int delta, int times);
  void buildPanel(QWidget *host);
  void buildSelected(QWidget *host);
  void buildKeys();
  void gridKeyDown(int &k, int shift);
  bool panelKey(QLineEdit *box, int vk);
  void leaveBox(QLineEdit *box);
  void leaveFocusedBox();
  bool isNumberBox(QLineEdit *box) const;
  int boxLimit(QLineEdit *box) const;
  void selectOpt(QRadioButton *o);

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
  bool unloaded_ = false;
  GdsConditions cond_;
  int keyTyped_ = 0;
  QChar lastKeyChar_;
  QVector<double> defWidths1_, defWidths2_;
  QString jegoTable_;
  bool jegoMade_ = false;
  std::unique_ptr<orv::lookup::PagedReader> reader_;
};
