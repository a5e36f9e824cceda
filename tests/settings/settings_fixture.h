#pragma once
// A settings file and a main database of their own for each settings test.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>

#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/clock.h"
#include "platform/db.h"
#include "platform/settings_store.h"
#include "schema/tables.h"
#include "test_support.h"

namespace orvtest {

// Runs on both engines; the main database holds ExtCode.
class SettingsDbTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    if (IsSkipped()) return;
    ini_ = MakeTempDir();
    orv::settings_store::SetFilePath(ini_->filePath("OrvZerdo.ini"));
    orv::state::ResetProgramState();
    orv::clock::SetFixed(QDateTime(QDate(2024, 1, 30), QTime(15, 30, 5)));
    text_ = NewDatabase("main.db");
    db_.Open(text_);
    orv::schema::CreateTable(db_, QStringLiteral("ExtCode"));
  }
  void TearDown() override {
    db_.Close();
    orv::clock::Reset();
    orv::settings_store::SetFilePath({});
    orv::state::ResetProgramState();
  }
  int Count(const QString &sql) { return db_.OpenRecordset(sql).RecordCount(); }

  std::unique_ptr<QTemporaryDir> ini_;
  QString text_;
  orv::db::Connection db_;
};

// One SQLite main database and a settings file, for the screens.
class SettingsFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = MakeTempDir();
    orv::settings_store::SetFilePath(dir_->filePath("OrvZerdo.ini"));
    orv::state::ResetProgramState();
    orv::clock::SetFixed(QDateTime(QDate(2024, 1, 30), QTime(15, 30, 5)));
    mainText_ = NewSqliteDatabase(dir_->path(), "main.db");
    {
      orv::db::Connection c;
      c.Open(mainText_);
      orv::schema::CreateTable(c, QStringLiteral("ExtCode"));
      orv::schema::CreateTable(c, QStringLiteral("OrvRegistry"));
    }
    gsSetMainDB = mainText_;
    SavePosSettings();
    orv::state::ResetProgramState();
  }
  void TearDown() override {
    orv::clock::Reset();
    orv::settings_store::SetFilePath({});
    orv::state::ResetProgramState();
  }
  // A screen after its load, not shown.
  template <class Form>
  static std::unique_ptr<Form> Loaded() {
    auto f = std::make_unique<Form>();
    f->Form_Load();
    return f;
  }
  static QString Stored(const QString &key) { return orv::settings_store::GetSetting(key); }
  static void Store(const QString &key, const QString &value) {
    orv::settings_store::SaveSetting(key, value);
  }

  std::unique_ptr<QTemporaryDir> dir_;
  QString mainText_;
};

}  // namespace orvtest
