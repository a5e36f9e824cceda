#pragma once
// The card dialogs over a POS database with the card log and the barcode record, for the
// tests that drive an approval or a cancellation through a network's agent, and the
// agents' simulators, ended with the test.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

#include "chit/records.h"
#include "core/card_ret.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/db.h"
#include "schema/tables.h"
#include "sim_process.h"
#include "test_support.h"
#include "van/frmCardChk.h"
#include "van/frmDisCard.h"
#include "van/van_wait.h"

namespace vantest {

class CardDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    orv::state::ResetProgramState();
    dir_ = orvtest::MakeTempDir();
    goDbPos.Open(orvtest::NewSqliteDatabase(dir_->path()));
    for (const char *t : {"CardLog", "KzbCard"}) orv::schema::CreateTable(goDbPos, t);
  }
  void TearDown() override {
    sim_.reset();
    pad_.reset();
    child_.reset();
    qunsetenv("ORVPOS_COM7");
    orv::state::ResetProgramState();
  }

  // A network agent on loopback (name: "orvvansim-kis", …), reached at gsSetServerPort.
  void StartAgent(const QString &name, const QString &scenario = {}) {
    sim_ = std::make_unique<SimProcess>(name, dir_->path(), scenario);
    ASSERT_GT(sim_->Port(), 0);
    gsSetServerPort = QString::number(sim_->Port());
  }
  // The KIS sign pad on a pseudo-terminal as COM7, chosen as the signature's taker.
  void StartPad(const QString &scenario = {}) {
    pad_ = std::make_unique<SimProcess>("orvvansim-signpad", dir_->path(), scenario, QStringList{"--pty"});
    ASSERT_FALSE(pad_->Device().isEmpty());
    qputenv("ORVPOS_COM7", pad_->Device().toUtf8());
    giSetSignPortNo = 7;
    giSetVanDan = 2;
  }

  // The journal, and a scenario, of an agent the program starts itself (NICE's, First Data's).
  void UseChildSim() { child_ = std::make_unique<ChildSimFiles>(dir_->path()); }
  void Scenario(const QString &lines) { ASSERT_TRUE(child_->Scenario(lines)); }

  // Opens the dialog for amount, picks KakaoPay or ZeroPay with payKey (F5, F6), types the
  // months and starts the approval as Enter in the months box does.
  void Approve(int amount, const QString &months, Qt::Key payKey = Qt::Key_unknown) {
    gtCardRet.Gum = orv::Currency::Won(amount);
    gtPanChit.PctHab = orv::Currency::Won(amount);
    frmCardChk form;
    form.show();
    if (payKey != Qt::Key_unknown) QTest::keyClick(&form, payKey);
    form.txtiHalbu->setText(months);
    form.StartFromMonths();
    closed_ = !form.isVisible();
  }

  // The payment screen's return of a chit paid by card (cardNo, as the chit keeps it): the
  // approval cmitNo of cmitDate over amount in months.
  static void CardReturn(int amount, const QString &cmitNo, const QString &cmitDate, int months = 0,
                         const QString &cardNo = {}) {
    gtPanChit.PctHab = gtPanChit.PctGum = orv::Currency::Won(-amount);
    gtPanChit.PctCardNo = cardNo;
    gtCardRet = {};
    gtCardRet.Gum = orv::Currency::Won(-amount);
    gtCardRet.CmitNo = cmitNo;
    gtCardRet.CmitDate = cmitDate;
    gtCardRet.Halbu = int16_t(months);
  }
  // Opens the cancellation form, lets before set it up, and cancels as its button does;
  // whether the form closed.
  static bool RunCancel(const std::function<void(frmDisCard &)> &before = {}) {
    frmDisCard f;
    f.show();
    QApplication::setActiveWindow(&f);
    if (before) before(f);
    f.cmdiCancel_Click();
    return !f.isVisible();
  }

  // The card log's texts in their order.
  static QStringList LogTexts() {
    QStringList out;
    auto rs = goDbPos.OpenRecordset("Select ClgData From CardLog Order By ClgChtNo");
    for (; !rs.Eof(); rs.MoveNext()) out << rs.Field("ClgData").toString().trimmed();
    return out;
  }

  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<SimProcess> sim_, pad_;
  std::unique_ptr<ChildSimFiles> child_;
  bool closed_ = false;
};

// The dialogs over the First Data agent's simulator, which the program starts itself.
class FdkDialogTest : public CardDialogTest {
 protected:
  void SetUp() override {
    CardDialogTest::SetUp();
    giSetVan = 4;
    gsSaupNo = "1234567890";
    gsSetDanId = "DAN1";
    orv::van::Timeouts() = {3000, 400, 400, 400, 0};
    UseChildSim();
    fdk_ = std::make_unique<FdkAgentSim>();
  }
  void TearDown() override {
    fdk_.reset();
    CardDialogTest::TearDown();
  }
  void Start() { ASSERT_TRUE(fdk_->Start()); }

  std::unique_ptr<FdkAgentSim> fdk_;
};

}  // namespace vantest
