#pragma once
// One database on each engine (offline: the working and the POS connection share it) with
// every base table, the tables of December 2024 and a small shop.
#include <gtest/gtest.h>

#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/clock.h"
#include "platform/db.h"
#include "platform/printer_port.h"
#include "schema/check_tables.h"
#include "schema/month_tables.h"
#include "test_support.h"

namespace printtest {

// Clock and work date 2024-12-05 14:30:05, POS 1, cashier key 1 (number 1, 김계산).
class PrintDb : public orvtest::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    if (IsSkipped()) return;
    orv::state::ResetProgramState();
    const QString text = NewDatabase();
    goDbPos.Open(text);
    goDbMain.Open(text);
    giOnLine = 2;
    orv::clock::SetFixed(QDateTime(QDate(2024, 12, 5), QTime(14, 30, 5)));
    giWrkYear = 2024;
    giWrkMonth = 12;
    giWrkDay = 5;
    giSetPosNo = 1;
    gcLogPsnKey = orv::Currency::Won(1);
    gcPcdNo = orv::Currency::Won(1);
    gsPcdName = QStringLiteral("김계산");
    gsSetPrnPort = "COM1";
    CheckDBTables();
    CreateMonthTables(2412);
    Exec("INSERT INTO PsnCode (PcdKey, PcdNo, PcdName) VALUES (1, 1, '김계산')");
  }
  void TearDown() override {
    orv::state::ResetProgramState();
    orv::clock::Reset();
  }
  static void Exec(const QString &sql) { goDbMain.Execute(sql); }
  static int Count(const QString &table, const QString &where = {}) {
    auto rs = goDbMain.OpenRecordset("SELECT COUNT(*) AS n FROM " + table +
                                     (where.isEmpty() ? QString() : " WHERE " + where));
    return rs.Field(0).toInt();
  }
};

}  // namespace printtest
