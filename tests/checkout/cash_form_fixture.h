#pragma once
// The payment screen offscreen over a working and a POS database, with a sale of three
// lines (4,500) in the chit records.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "../chit/chit_fixture.h"
#include "../chit/sale_fill.h"
#include "checkout/checkout_globals.h"
#include "checkout/frmCash.h"
#include "checkout/frmPrintOnOff.h"
#include "chit/pair_commit.h"
#include "chit/read_back.h"
#include "chit/records.h"
#include "chit/saver_state.h"
#include "core/card_ret.h"
#include "core/values.h"
#include "platform/datafolder.h"
#include "platform/dialogs.h"
#include "platform/settings_store.h"
#include "sale/sale_globals.h"
#include "van/frmMoneyChk.h"
#include "van/frmSupyoChk.h"
#include "van/frmCardChk.h"

namespace cashtest {

// Answers a card form as an approval of the amount it shows would.
inline void AcceptCardChk(QWidget &w, const QString &no = "1234") {
  gtCardRet.CardNo = "9410-****";
  gtCardRet.CmitNo = no;
  gtCardRet.CmitDate = "20240315";
  gtCardRet.Gum = NzCur(w.findChild<QLineEdit *>("txtiGum")->text().remove(QLatin1Char(',')));
  giCardOk = 1;
  static_cast<QDialog &>(w).accept();
}


using orv::Currency;
namespace dlg = orv::dialogs;

inline Currency W(int64_t v) { return *Currency::FromWhole(v); }

class CashFormTest : public chittest::ChitFixture {
 protected:
  void SetUp() override {
    ChitFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    if (!dir_) dir_ = orvtest::MakeTempDir();  // PostgreSQL set-ups have no database folder
    savedRoot_ = orv::datafolder::Root();
    orv::datafolder::SetRoot(dir_->path());
    orv::settings_store::SetFilePath(dir_->filePath("OrvZerdo.ini"));
    gcLogPsnKey = W(5);
    giSetJulsa = 5;
    giSetVan = 1;
    chittest::FillSale(3);  // 4,500
    gtPanChit.PctMoney = {};
  }
  void TearDown() override {
    form_.reset();
    orv::chit::SetPairStepHook({});
    orv::settings_store::SetFilePath({});
    orv::datafolder::SetRoot(savedRoot_);
    ChitFixture::TearDown();
  }

  frmCash &Open() {
    form_ = std::make_unique<frmCash>();
    form_->Form_Load();
    form_->show();
    QApplication::processEvents();
    return *form_;
  }
  void Key(int qtKey, QWidget *to = nullptr) {
    QWidget *w = to ? to : QApplication::focusWidget();
    if (!w) w = form_.get();
    QTest::keyClick(w, Qt::Key(qtKey));
    QApplication::processEvents();
  }
  void Type(QLineEdit *box, const QString &text) {
    box->setFocus();
    QApplication::processEvents();
    box->selectAll();
    QTest::keyClicks(box, text);
    QApplication::processEvents();
  }
  // Card sales ask about the receipt: no.
  static void NoReceipt(dlg::Script &s) {
    s.OnForm("frmPrintOnOff", [](QWidget &w) { static_cast<frmPrintOnOff &>(w).ChoosePrintOff(); });
  }
  static void Approve(QWidget &w, const QString &no = "1234") { AcceptCardChk(w, no); }

  std::unique_ptr<frmCash> form_;
  QString savedRoot_;
};

}  // namespace cashtest
