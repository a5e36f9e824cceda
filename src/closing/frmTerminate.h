#pragma once
// The closing screen "영업마감 내역": the logged-in cashier's open day (or a loaded saved
// closing) in boxes and a goods grid, and the keys of the closing's dialogs.
#include <QDialog>
#include <QHash>

#include "closing/closing_figures.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
namespace orv {
class Grid;
}

namespace orv::closing {

class frmTerminate : public QDialog {
  Q_OBJECT
 public:
  explicit frmTerminate(QWidget *parent = nullptr);

  QLabel *lblSaNo, *lblSaName, *lblLoad, *lblDate, *lblTime;
  orv::Grid *vaSpread1;
  QLineEdit *txtInitGum, *txtMidGum, *txtPctHab, *txtPctMoney, *txtPclJa, *txtPclTa,
      *txtPctCard, *txtPctOiSang, *txtPctCSobi, *txtPclGum05, *txtPclGum06, *txtOiReturn,
      *txtOiMoney, *txtOiCard, *txtNowMoney, *txtRealMoney, *txtRealCard, *txtRealSang,
      *txtBanSu, *txtBanGum, *txtCmsSu, *txtCmsGum, *txtPctGum, *txtPctBuga, *txtPctNtx,
      *txtDcGum;
  QPushButton *cmdInitGum, *cmdMidGum, *cmdLogView, *cmdLoad, *cmdSave, *cmdDelete, *cmdPrint,
      *cmdCoinComp, *cmdOiView, *cmdCardView, *cmdOrView, *cmdExit;
  QTimer *tmrTime;

  // The work date's window (the screen's closing context) and what the boxes show.
  const ClosingContext &Context() const { return ctx_; }
  const ClosingFigures &Figures() const { return figures_; }
  // The window of the loaded saved closing (its TemDate); the work date's in open mode.
  const ClosingContext &ShownContext() const { return loaded_ ? loadedCtx_ : ctx_; }
  bool Loaded() const { return loaded_; }

  void Form_Load();
  void Form_Activate();
  // The refreshes; each reports its own failure (a box titled with its name), leaves its
  // figures as they were and returns false.
  bool fcPanGdsSerch();
  bool fcInitGumSerch();
  bool fcOiReturnSerch();
  bool fcPanChitSerch();
  // All four in that order; false after the first that failed.
  bool RefreshOpen();
  // The open figures of the work date computed afresh into f (the screen unchanged);
  // false when a read failed (told, titled with its procedure).
  bool ReadOpenInto(ClosingFigures &f);

  void cmdInitGum_Click();
  void cmdMidGum_Click();
  void cmdLogView_Click();
  void cmdLoad_Click();
  void cmdSave_Click();
  void cmdDelete_Click();
  void cmdPrint_Click();
  void cmdCoinComp_Click();
  void tmrTime_Timer();

  // Puts figures on the screen (the boxes, the grid) as a loaded saved closing would.
  void ShowFigures(const ClosingFigures &f);

 protected:
  void showEvent(QShowEvent *event) override;

 private:
  void Form_KeyDown(int &keyCode, int shift);
  // Refresh after a dialog of the screen has closed.
  void AfterChild();
  void ReportLoadError(const std::exception &e);

  ClosingContext ctx_;
  ClosingContext loadedCtx_;
  ClosingFigures figures_;
  bool loaded_ = false;
  bool shown_ = false;
};

}  // namespace orv::closing
