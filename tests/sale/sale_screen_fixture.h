#pragma once
// The sale screen after a demo login, in a data folder of the test's own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDate>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <memory>

#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/clock.h"
#include "platform/datafolder.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "platform/settings_store.h"
#include "sale/frmMain.h"
#include "sale/sale_globals.h"
#include "startup/demo_shop.h"
#include "startup/frmLog.h"
#include "startup/instance_guard.h"
#include "customer/pos_server.h"
#include "test_support.h"

namespace saletest {

inline QString ShopFile() { return QStringLiteral(ORVPOS_SOURCE_DATA) + "/demo/shop.txt"; }

inline void ResetAll() {
  orv::state::ResetProgramState();
  orv::state::ResetSaleGlobals();
  orv::state::ResetPosServerSettings();
}

class SaleScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = orvtest::MakeTempDir();
    savedRoot_ = orv::datafolder::Root();
    orv::datafolder::SetRoot(dir_->path());
    orv::settings_store::SetFilePath(dir_->filePath("OrvZerdo.ini"));
    ResetAll();
    QString error;
    ASSERT_TRUE(orv::demo::InitDemo(ShopFile(), &error)) << error.toStdString();
    // No scanner port unless a test sets one: screens loaded side by side would fight
    // over the machine's COM1.
    orv::settings_store::SaveSetting("gsSetScan", "");
    ResetAll();
  }
  void TearDown() override {
    delete main_;
    main_ = nullptr;
    ResetAll();
    orv::instance::ReleaseSingleInstance();
    orv::settings_store::SetFilePath({});
    orv::datafolder::SetRoot(savedRoot_);
    orv::clock::Reset();
  }

  // Logs the demo cashier in; the login shows the sale screen.
  void Login(bool offline = false) {
    orv::dialogs::Script s;
    s.ExpectAllUsed(false);
    frmLog f;
    f.Form_Load();
    // Offline the shop's rows come from the POS database, which the demo filled.
    if (offline) f.optOffline->setChecked(true);
    f.txtID->setText("1");
    f.txtPwd->setText("1234");
    f.cmdOk_Click();
    main_ = qobject_cast<frmMain *>(f.TakeMainWindow());
    ASSERT_NE(main_, nullptr);
    QApplication::processEvents();
  }

  // Event rows of one kind in this month's table.
  int EventRows(orv::db::Connection &c, int kind, QString *text1 = nullptr) {
    const QDate d = orv::clock::Now().date();
    const QString t =
        QString("PosLogs%1").arg((d.year() % 100) * 100 + d.month(), 4, 10, QChar('0'));
    orv::db::Recordset rs = c.OpenRecordset("SELECT PlgText1 FROM " + t +
                                            " WHERE PlgSel = " + QString::number(kind));
    if (text1 && rs.RecordCount() > 0) {
      rs.MoveLast();
      *text1 = rs.Field("PlgText1").toString();
    }
    return rs.RecordCount();
  }
  int EventRows(int kind, QString *text1 = nullptr) { return EventRows(goDbMain, kind, text1); }

  std::unique_ptr<QTemporaryDir> dir_;
  QString savedRoot_;
  frmMain *main_ = nullptr;
};

}  // namespace saletest
