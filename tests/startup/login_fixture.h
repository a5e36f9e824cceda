#pragma once
// A data folder of its own for each start-up test: settings file, databases, lock.
#include <gtest/gtest.h>

#include <QDate>
#include <QTemporaryDir>
#include <memory>

#include "core/state.h"
#include "platform/datafolder.h"
#include "platform/db.h"
#include "platform/settings_store.h"
#include "startup/demo_shop.h"
#include "startup/frmLog.h"
#include "startup/instance_guard.h"
#include "test_support.h"

namespace orvtest {

using namespace orv;

inline QString shopFile() { return QStringLiteral(ORVPOS_SOURCE_DATA) + "/demo/shop.txt"; }

class LoginTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = orvtest::MakeTempDir();
    savedRoot_ = datafolder::Root();
    datafolder::SetRoot(dir_->path());
    settings_store::SetFilePath(dir_->filePath("OrvZerdo.ini"));
    state::ResetProgramState();
  }
  void TearDown() override {
    delete mainWindow_;
    state::ResetProgramState();
    instance::ReleaseSingleInstance();
    settings_store::SetFilePath({});
    datafolder::SetRoot(savedRoot_);
  }

  // The embedded default with the demo shop.
  void MakeDemo() {
    QString error;
    ASSERT_TRUE(demo::InitDemo(shopFile(), &error)) << error.toStdString();
    // No scanner port: tests running side by side would fight over the machine's COM1.
    settings_store::SaveSetting("gsSetScan", "");
    state::ResetProgramState();
  }

  // Loads the form; returns it for driving.
  std::unique_ptr<frmLog> Load() {
    auto f = std::make_unique<frmLog>();
    f->Form_Load();
    return f;
  }

  void Login(frmLog &f, const QString &id, const QString &pwd) {
    f.txtID->setText(id);
    f.txtPwd->setText(pwd);
    f.cmdOk_Click();
    mainWindow_ = f.TakeMainWindow();
  }

  int PosLogRows(db::Connection &c, int kind) {
    const QDate d = QDate::currentDate();
    const QString t = QString("PosLogs%1").arg((d.year() % 100) * 100 + d.month(), 4, 10, QChar('0'));
    return c.OpenRecordset("SELECT * FROM " + t + " WHERE PlgSel = " + QString::number(kind))
        .RecordCount();
  }

  std::unique_ptr<QTemporaryDir> dir_;
  QString savedRoot_;
  QWidget *mainWindow_ = nullptr;
};


}  // namespace orvtest
