#pragma once
// The card dialog over a POS database with the card log and the barcode record, for the
// tests that drive an approval through a network's agent.
#include <gtest/gtest.h>

#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "chit/records.h"
#include "core/card_ret.h"
#include "core/state.h"
#include "platform/db.h"
#include "schema/tables.h"
#include "test_support.h"
#include "van/frmCardChk.h"

namespace vantest {

class CardDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    orv::state::ResetProgramState();
    dir_ = orvtest::MakeTempDir();
    goDbPos.Open(orvtest::NewSqliteDatabase(dir_->path()));
    for (const char *t : {"CardLog", "KzbCard"}) orv::schema::CreateTable(goDbPos, t);
  }
  void TearDown() override { orv::state::ResetProgramState(); }

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
  // The card log's texts in their order.
  static QStringList LogTexts() {
    QStringList out;
    auto rs = goDbPos.OpenRecordset("Select ClgData From CardLog Order By ClgChtNo");
    for (; !rs.Eof(); rs.MoveNext()) out << rs.Field("ClgData").toString().trimmed();
    return out;
  }

  std::unique_ptr<QTemporaryDir> dir_;
  bool closed_ = false;
};

}  // namespace vantest
