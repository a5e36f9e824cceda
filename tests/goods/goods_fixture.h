#pragma once
// One database of each engine holding every base table and the tables of December 2024,
// opened as goDbMain and goDbPos (offline: one database); work date and clock
// 2024-12-05 10:30, POS 1, cashier number 1.
#include <gtest/gtest.h>

#include <QVariantList>

#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/clock.h"
#include "platform/db.h"
#include "schema/check_tables.h"
#include "schema/month_tables.h"
#include "test_support.h"

namespace goodstest {

class GoodsDb : public orvtest::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    if (IsSkipped()) return;
    orv::state::ResetProgramState();
    text_ = NewDatabase();
    goDbPos.Open(text_);
    goDbMain.Open(text_);
    giOnLine = 2;
    orv::clock::SetFixed(QDateTime(QDate(2024, 12, 5), QTime(10, 30, 0)));
    giWrkYear = 2024;
    giWrkMonth = 12;
    giWrkDay = 5;
    giSetPosNo = 1;
    gcPcdNo = orv::Currency::Won(1);
    CheckDBTables();
    CreateMonthTables(2412);
  }
  void TearDown() override {
    orv::state::ResetProgramState();
    orv::clock::Reset();
  }
  static void Exec(const QString &sql, const QVariantList &args = {}) {
    auto st = goDbMain.Prepare(sql);
    for (int i = 0; i < args.size(); ++i) st.Bind(i, args[i]);
    st.Execute();
  }
  static QVariant Value(const QString &sql) {
    auto rs = goDbMain.OpenRecordset(sql);
    return rs.RecordCount() ? rs.Field(0) : QVariant();
  }
  static int Count(const QString &table, const QString &where = {}) {
    return Value("SELECT COUNT(*) FROM " + table + (where.isEmpty() ? QString() : " WHERE " + where)).toInt();
  }

  QString text_;
};

}  // namespace goodstest
