#pragma once
// The main window: the sale screen. It carries the program from the login to its end.
// Its members live in files by topic: start-up and exits (frmMain.cpp), the screen's
// controls (frmMain_layout.cpp), buttons and toggles (frmMain_commands.cpp), the work date
// and clock (frmMain_workdate.cpp), partner and customer boxes (frmMain_partner.cpp), the
// sale grid's lines and totals (frmMain_grid.cpp), devices (frmMain_devices.cpp), the
// serial scanner (frmMain_scan.cpp), the OneMoa service (frmMain_onemoa.cpp), the
// customer of the sale and the grid's choosers (frmMain_customer.cpp), bundle prices
// (frmMain_bundle.cpp), the partner's prices and receivable (frmMain_trader.cpp).
#include <QWidget>
#include <array>
#include <cstdint>

#include "core/currency.h"
#include "sale/sale_rows.h"
#include "sale/scanner.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace orv {
class Grid;
namespace serial {
class Port;
}
}  // namespace orv

// Columns of the sale grid.
enum SaleGridColumn : int {
  ColCode = 1,
  ColName = 2,
  ColQty = 3,
  ColPrice = 4,
  ColAmt = 5,
  ColDc = 6,
  ColKind = 7,
  ColGdsKey = 8,
  ColTaxFree = 9,
  ColBssNo = 10,
  ColCmsNo = 11,
  ColCmsGbn = 12,
  ColStopGbn = 13,
  ColStockEx = 14,
  ColPointEx = 15,
  ColDcEx = 16,
  ColGdsNo = 18,
  ColBottle = 19,
  ColEventPrice = 20,
  ColEventGbn = 21,
  ColMultiCardNo = 22,
};
inline constexpr int kSaleGridCols = 22;
inline constexpr int kSaleLines = 150;

class frmMain : public QWidget {
  Q_OBJECT
 public:
  // Form_Initialize: builds the controls, stops a leftover voice program and starts it.
  explicit frmMain(QWidget *parent = nullptr);
  ~frmMain() override;

  // ------------------------------------------------------------ controls
  QLabel *lblDate, *lblSaName, *lblLine, *lblVan, *lblNow, *lblTime, *lblSaleDate;
  QLineEdit *txtPosNo;
  QLabel *Image1;
  QCheckBox *chkDanga, *chkMisuNotPrn, *chkPrintBar, *chkCstAll;
  QComboBox *Combo1;
  QPushButton *cmdPrint, *cmdCoin, *cmdHalin, *CmdCC, *cmdOIPrnSu, *cmdTerMinate, *cmdTrsMast,
      *Command1, *Command4, *cmdRebuild, *cmdHelp, *cmdExit, *cmdDateSet, *CstCcCmd, *OneMoaCmd;
  QLabel *lblOIPrnSu, *OneMoaNoLbl, *OneMoaNameLbl, *OneMoaPointLbl, *lblPosSpeedWait, *TotPointLbl, *CstCcLbl;
  QFrame *PanDeltFme;
  QLabel *PosWaitMsgLbl;
  QDateEdit *dtpWrkDate;
  QTimer *Timer1, *tmrScan;
  orv::serial::Port *MSComm1;  // customer pole display
  orv::serial::Port *MSComm3;  // serial receipt printer (only tested at load)
  QWidget *frmDisplay = nullptr;  // the customer display on a second monitor

  // Price kinds.
  QLabel *lblD, *lblA, *lblB, *lblC, *lblSA, *lblSB, *lblSC, *lblJI;
  // Status of the sale.
  QLabel *lblWait, *lblCard, *lblOiip, *lblBdl;
  // Totals.
  QLabel *Label7, *lblHabGum, *lblSuSum, *lblDCSum, *lblKongSum, *lblNtxSum, *lblBugaSum,
      *lblSuHab;

  orv::Grid *vaSpread1, *vaSpread2;

  // Trade partner.
  QLineEdit *txtTrsNo;
  QPushButton *TrsHelpCmd;
  QLabel *lblTrsName, *lblTrsPsn;
  QFrame *frmTrsMast;
  QLabel *lblTrsMisu;
  // The boxes that share one place.
  QWidget *fraPlace;
  QFrame *fraTrs, *fraCST, *fraNumber, *fraOneMoa;
  QLineEdit *txtTcdNo, *txtCstNo, *txtNumber;
  std::array<QRadioButton *, 6> CstSeltOpt{};  // 1..5
  QLabel *CstSeekLbl;

  // Help panel.
  QFrame *fraHelp;
  QPlainTextEdit *txtHelp;
  QLineEdit *PanDcTxt;
  QGroupBox *CardTaxFme;
  QRadioButton *CardTax0Opt, *CardTax1Opt, *CardTax2Opt;
  QPushButton *fraExitCmd;

  // ------------------------------------------------------------ lifecycle
  void Form_Load();  // once, before the first show
  void Form_Activate();
  // Window-level keys, before the focused control; sets keyCode to 0 when it used the key.
  void Form_KeyDown(int &keyCode, int shift);
  void cmdExit_Click();
  bool Loaded() const { return loaded_; }

  void ShowCstAllSet();
  void TotPointLbl_Click();
  void StopTtsSaveWav();

  // ------------------------------------------------------------ commands and toggles
  void cmdPrint_Click();
  void cmdCoin_Click();
  void cmdHalin_Click();
  void Combo1_Click();
  void chkDanga_Click();
  void chkMisuNotPrn_Click();
  void chkPrintBar_Click();
  void chkCstAll_Click();
  void cmdOIPrnSu_Click();
  void cmdTerMinate_Click();
  void cmdTerMinate_KeyDown(int &keyCode, int shift);
  void cmdTrsMast_Click();
  void Command1_Click();
  void Command4_Click();
  void cmdRebuild_Click();
  void CmdCC_Click();
  void CstCcCmd_Click();
  void cmdHelp_Click();
  void fraExitCmd_Click();
  void SaveCardTaxSelt();

  // ------------------------------------------------------------ work date and clock
  void cmdDateSet_Click();
  void dtpWrkDate_Change();
  void dtpWrkDate_LostFocus();
  void Timer1_Timer();
  // Puts the work date and the picker back to today without running the change.
  void SetWorkDateToday();

  // ------------------------------------------------------------ partner and customer
  void txtTrsNo_LostFocus();
  void GetIdkeyTrs();
  void TrsHelpCmd_Click();
  void ShowTrsHelp();
  void txtTcdNo_KeyDown(int &keyCode, int shift);
  void txtCstNo_KeyDown(int &keyCode, int shift);
  void CstSeltOpt_Click(int index);
  void ShowCstSeekHint(int16_t unused = 0);
  void txtNumber_KeyDown(int &keyCode, int shift);
  // Shows kind glGaSel in Combo1, no entry for 0.
  void ShowGaSelInCombo();

  // ------------------------------------------------------------ sale grid
  void SetGridText(int32_t row, int32_t col, int32_t action);
  void SetCellColor(int32_t row, int32_t col, long bgr, bool fore);
  void SetCellLock(int32_t row, int32_t col, bool locked);
  void ShowPriceKind(int kind);
  void ReadSleDate();
  // The first line 1..150 without goods; 0 when all hold goods.
  int32_t FirstFreeRow() const;
  bool HasGoodsLines() const;
  // Fills a line from the goods last looked up; false (with a box) outside 1..150.
  bool PutGdsRow(int32_t row, orv::Currency price);
  // The price of the goods last looked up for a line; writes the line's event cells.
  orv::Currency GetGdsDanga(int32_t row);
  void CalcChitSum(int16_t writeBack);
  // The grid's key handler (every key of the sale grid); re-entered with Enter (13).
  void vaSpread1_KeyDown(int &keyCode, int &shift);
  void vaSpread1_GotFocus();
  void vaSpread1_LostFocus();
  // Focus to the sale grid, errors ignored.
  void FocusGrid();

  // ------------------------------------------------------------ customer, bundles, trader
  // Prices again the lines of bundle mcBsnNo; a failed read changes no line.
  void CalcBsnDanga();
  // The customer of the sale (gtCstCode) into its block of labels.
  void ShowCstInfo();
  QFrame *fraCstInfo;
  QLabel *lblCcdNo, *lblCcdName, *lblCcdComp, *lblCcdStat, *lblCcdDegree, *lblCcdBarcode,
      *lblCcdTele, *lblCcdHp, *lblCcdBank, *lblCcdJuso, *lblCcdZerdo, *lblCcdJumsu,
      *lblCcdLpDate;
  // Remembers a typed price as the sale's partner's own price of the goods.
  void WriteTrsPris(orv::Currency gdsKey, orv::Currency price);

  // Stand-ins of later work.
  void SetChtEditMode(int16_t mode);
  void ClearCstInfo(int16_t flag);
  void ReadTrsMisu();
  void FindCstSql(const QString &text);
  void ShowGdsEdit(int32_t row, int32_t col);
  void ShowCashTerminate(int16_t flag);
  void ReplaceDangaToCust();
  void StartWin4Pos();
  void StopWin4Pos();

  // ------------------------------------------------------------ chit records from the grid
  // The sale, held and delivery records filled from the grid and the total labels. The
  // header builder of a kind runs before its line builders. false when a step failed: the
  // records are then only partly filled, msChitBuildErr holds "[builder:number:description]"
  // and the sale must stay on the screen.
  bool MakePanChitHead();
  bool MakePanGodsLines();  // also gcJumsuGum, gcGdsJumsu and the OneMoa code and name texts
  bool MakePanListRow();
  bool MakeWatChitHead();
  bool MakeWatGodsLines();  // writes event row 4
  bool MakeWatGodsSpeedLines();
  bool MakeWatSpeedLines() { return MakeWatGodsSpeedLines(); }
  bool MakeBdlChitHead();
  bool MakeBdlGodsLines();  // writes event row 301
  bool MakeBdlGodsSpeedLines();
  bool MakeBdlSpeedLines() { return MakeBdlGodsSpeedLines(); }
  // The quantity of a new line of the free goods in gtGdsCode (GcdSel1 9).
  orv::Currency CalcLinkedGdsQty() const;
  // Points of a line amount at a goods' negative point value (the rate in percent).
  static int32_t CalcRatePoints(int32_t rate, orv::Currency amount);
  QString msChitBuildErr;
  // The goods on screen stored as a screen chit after its print (date yyyymmdd, number
  // hhmmss), all or nothing. Database errors go to the caller (orv::db::DbError).
  void SaveScreenChit(const QString &date, const QString &number);
  void MakePanChitPHead(const QString &date, const QString &number, int16_t year, int16_t month,
                        int16_t day);
  void MakePanGodsPLines(const QString &date, const QString &number, int16_t year,
                         int16_t month, int16_t day);

  // ------------------------------------------------------------ OneMoa loyalty service
  // The payment screen calls these too. ClearOneMoa empties the member's code, name and
  // points; ReadCstOneMoa asks the service for a member; ShowOneMoaNo shows the member's
  // number masked. The sends report whether the service took the chit; they write the
  // chit's OneMoa flags and throw DbError when that fails.
  void ClearOneMoa();
  void ReadCstOneMoa(const QString &memberKey);
  void ShowOneMoaNo();
  void OneMoaCmd_Click();
  bool SendOneMoaChit(const QString &request);
  bool WriteOneMoaChit();
  bool DeleteOneMoaChit(orv::Currency points);

  // ------------------------------------------------------------ chit recall panels
  // By chit number, by card approval number, and the rewrite panel with the recalled
  // chit's summary (the Cwt labels and vaSpread2).
  QFrame *fraChtNo, *fraCard, *fraChtNoX;
  QLineEdit *txtChtNo, *txtCommitNo, *txtChtNoX;
  QRadioButton *ChtWrite0Opt, *ChtWrite1Opt;
  QPushButton *cmdSave, *cmdCancel, *cmdExt;
  QLabel *CwtChtDateLbl, *CwtChtNoLbl, *CwtChtHabLbl, *CwtChtMoneyLbl, *CwtChtCardLbl,
      *CwtChtOisangLbl, *CwtChtSobiLbl;
  QLabel *CwtTrsNoLbl, *CwtTrsNameLbl, *CwtTrsPsnLbl, *CwtCstNoLbl, *CwtCstBarLbl,
      *CwtCstNameLbl, *CwtCstCompLbl;
  QLabel *CwtStatLbl;
  void txtChtNo_KeyDown(int &keyCode, int shift);
  void txtCommitNo_KeyDown(int &keyCode, int shift);
  void txtChtNoX_KeyDown(int &keyCode, int shift);
  void ChtWrite0Opt_Click();
  void ChtWrite1Opt_Click();
  void cmdSave_Click();
  void cmdCancel_Click();
  void cmdExt_Click();
  void HideChtNoXPanel();
  // The grid opens them: the grid is disabled and the panel's emptied box takes the focus;
  // the rewrite panel opens with "거래취소(F2)" chosen and nothing to save.
  void ShowChtNoPanel();
  void ShowCardPanel();
  void ShowChtNoXPanel();
  void BuildChitPanels();  // once, with the other controls
  void ResetForRecall();   // before every recall: no credit chit picked, an empty grid
  void BackToGrid(QFrame *panel);

  // ------------------------------------------------------------ printing
  // Prints the goods lines on screen in the copies asked for, then stores them as a
  // screen-printed chit.
  void PrintScreenGods();

  // ------------------------------------------------------------ payment hand-off and recalls
  // The payment screen for the sale on the grid; a saved rewrite returns the old chit.
  void PayChit();
  // Returns the recalled chit through the payment screen, then resets for the next sale.
  void PayAndNewChit();
  // After a paid sale: the screen's own controls ready for the next sale.
  void ResetSaleControls();
  void FillChitInfoLabels();
  void ClearChitInfoLabels();
  // Empties the grid and resets the sale (held-chit, goods and card records, customer).
  void ClearSaleScreen();
  void ClearChitArrays();
  // A special code in the code column of a line without goods. leave: the key handler
  // ends at once, without its tail; recalled: a chit came in, the tail totals without
  // re-pricing bundles.
  struct SpecialCodeResult {
    bool leave = false;
    bool recalled = false;
  };
  SpecialCodeResult EnterSpecialCode(int32_t row, const QString &code);
  // PgDn in the code column: holds the sale on the grid, or on an empty grid recalls a
  // held one.
  // True when a held chit was recalled (the tail then re-prices no bundles).
  bool HoldOrRecallWatChit();
  // Code 4444: saves the sale as a delivery chit, or on an empty grid recalls one (true).
  bool DeliveryChit(int32_t row);
  // Code 7777: a cash receipt without a sale.
  void CashReceiptWithoutSale();
  // PgDn with goods: the sale held; the screen is cleared only after the commit.
  void HoldSale();
  // The sale on screen saved as a held (true) or delivery chit in one POS transaction;
  // false after a failure, shown, with the sale and its attached chit as they were.
  bool SaveEtcChit(bool held);
  void ReadPanChitNo(const QString &text);
  void ReadPanChitCmit(const QString &text);
  void RecallWatChit();
  void RecallWatChitSpeed();
  void RecallBdlChit();
  void RecallBdlChitSpeed();
  void RecallOisangChit();
  // A label of the recalled-chit panel or the customer panel by name; kept hidden here
  // until its panel is built.
  QLabel *PanelLabel(const QString &name);

  // ------------------------------------------------------------ devices
  orv::serial::Port *MSComm2;  // the scanner's port, owned by the scanner
  void OpenCdpPort();
  void OpenScanPortAtLoad();
  void TestPrinterPort();
  void ShowCustomerDisplay();

  // ------------------------------------------------------------ serial scanner
  void OpenScanPort();  // errors (orv::serial::SerialError) go to the caller
  void CloseScanPort();
  void StartScanTimer();
  void StopScanTimer();
  void tmrScan_Timer();
  void MSComm2_OnComm();
  void TakeScanCode(const QString &code);
  // Around a dialog: the grid's dialogs pause the timer and the port, the closing button
  // and the partner chooser only the timer (a code scanned meanwhile waits in the port).
  // Resume with the kind paused; pauses nest.
  void PauseScanner(orv::sale::Scanner::PauseKind kind);
  void ResumeScanner(orv::sale::Scanner::PauseKind kind);
  // A scanned code into the code cell of the first free line, then Enter as if typed.
  void EnterScanCode(const QString &code);

  // Form state the sale Parts share.
  int16_t miReturnMode = 0;
  orv::Currency mcBsnNo;
  int16_t miSldSaleSel = 0;
  orv::Currency mcSldStDate, mcSldEdDate;
  int16_t miGridFocus = 0;
  int16_t miCstSource = 1;  // 2 while the customer box enters a customer
  // The scanner, its state under the form's names.
  orv::sale::Scanner *scanner;
  int16_t &miScanMode;
  int16_t &miScanPortFail;
  QString &msScanBuffer;
  // A recall replays a chit through the grid; the work-date guard then deletes nothing.
  bool mbRecallRunning = false;
  // The code being entered came from the cashier or the scanner (not a replay).
  bool mbCodeTyped = false;

  // ------------------------------------------------------------ sale grid keys
  void vaSpread1_KeyPress(int &keyAscii);
  void vaSpread1_EditChange(int col, int row);
  void vaSpread1_LeaveCell(int col, int row, int newCol, int newRow, bool &cancel);
  // A code into the code cell of the active row, then Enter for the active column.
  void EnterScannedCode(const QString &code);
  void BarScanTxt_KeyDown(int &keyCode, int shift);
  // The total label against the sum of the line amounts; false (and the chit records
  // cleared) when there is no goods line or they differ.
  bool CheckChitSum();
  // Mode 0 a new quantity, 1 amount from quantity and price, 2 price from the amount.
  void RecalcGdsRow(int32_t row, orv::Currency qty, int mode);
  void ApplyAllDc(bool remove);
  void PanDcTxt_GotFocus();
  void PanDcTxt_KeyDown(int &keyCode, int shift);
  void PanDcTxt_LostFocus();
  QFrame *BarScanFme = nullptr;
  QLineEdit *BarScanTxt = nullptr;
  int16_t miEditStarted = 0;
  int16_t miDcKeyDown = 0;
  QString msDcKey;
  int16_t &miCstEntryBy = miCstSource;

 signals:
  // The program is to end (both exit roads).
  void EndProgram();

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;
  void showEvent(QShowEvent *event) override;
  void changeEvent(QEvent *event) override;
  void closeEvent(QCloseEvent *event) override;

 private:
  void BuildControls();
  void BuildCstBlock();
  void HookSaleDialogs();
  void SetUpScanner();
  void ConnectControls();
  void SetUpNumberEditors();
  void SetLineLabel(const QString &caption, long bgr);
  void SetLabelColor(QLabel *label, long bgr, bool fore);
  void WriteExitRow();
  void Finish();

  // Sale grid keys: what one call of the key handler carries, so that a nested Enter
  // cannot move the outer key's row.
  struct KeyCall {
    int32_t row = 0, col = 0;
    int16_t writeBack = 1;
    int16_t recall = 0;
  };
  void SetUpGridKeys();
  void DispatchKey(int &keyCode, int &shift);
  void KeyTail(int &keyCode, int &shift, const KeyCall &k);
  bool PayHandOff(const KeyCall &k);
  void RunEnter();  // the key handler with Enter, at once
  void QueueKey(int vk, const QString &text);  // sent when the outermost key has ended
  void FlushQueuedKeys();
  bool RowHasGoods(int32_t row) const;
  // Code entry of a line without goods; false when the key ends without the tail.
  bool EnterCode(KeyCall &k);
  bool PutCodeLine(int32_t row, orv::Currency price, bool logLine = true);
  void NewGoodsHandOff(int32_t row);
  bool EnterCustomerBarcode(int32_t row, const QString &code, bool shortCode);
  void StartLineEdit(const KeyCall &k);
  void EndLineEdit(const KeyCall &k);
  void AppendZeros(const KeyCall &k, const QString &zeros);
  // Keys other than Enter without modifier; false when the key ends without the tail.
  bool FunctionKey(int key, KeyCall &k);
  bool KeyF1();
  void KeyF7(const KeyCall &k, bool &tail);
  void DeleteLine(int32_t line, bool f9);
  int keyDepth_ = 0;
  QList<QPair<int, QString>> queuedKeys_;
  QString VoiceProgramPath() const;
  QString CustomerEventText() const;

  // The grid's rows as the totals last read them.
  orv::sale::SaleRowReads sumReads_;
  bool loaded_ = false;
  bool leaving_ = false;
  bool activating_ = false;
  bool settingDate_ = false;
};
