#pragma once
// A working database of one engine with the tables the lookups read, opened as goDbMain
// and goDbPos (offline: one database).
#include <gtest/gtest.h>

#include <QVariantList>

#include "chit/sale_state.h"
#include "core/globals.h"
#include "lookup/help_globals.h"
#include "core/state.h"
#include "lookup/lookup_common.h"
#include "platform/db.h"
#include "schema/tables.h"
#include "customer/pos_server.h"
#include "test_support.h"

namespace lookuptest {

// Every program-wide value back to its start, the sale screen's and the lookups' included.
inline void ResetAll() {
  orv::state::ResetProgramState();
  orv::state::ResetSaleState();
  orv::state::ResetPosServerSettings();
  orv::state::ResetHelpGlobals();
}

class LookupDb : public orvtest::EngineTest {
 protected:
  void SetUp() override {
    orvtest::EngineTest::SetUp();
    if (IsSkipped()) return;
    ResetAll();
    text_ = NewDatabase();
    goDbMain.Open(text_);
    goDbPos.Open(text_);
    giOnLine = 2;
    gsLogID = "tester";
    for (const char *t : {"GdsCode", "TrsCode", "PsnCode", "CstCode", "CstCodeTs", "ColSize",
                          "OrvEnvironment", "ExtCode", "TrsPris", "TrsGods", "GdsLmip",
                          "GdsLmch", "BoxCode", "GdsAbcd", "GdsMast"})
      orv::schema::CreateTable(goDbMain, t);
  }
  void TearDown() override { ResetAll(); }

  static void Exec(const QString &sql, const QVariantList &args = {}) {
    orv::lookup::ExecBound(goDbMain, sql, args);
  }
  static void Goods(qlonglong key, qlonglong no, const QString &name, const QVariant &barcode,
                    const QString &kyg = {}, qlonglong meip = 0) {
    Exec("INSERT INTO GdsCode (GcdKey, GcdNo, GcdName, GcdBarcode, GcdKyg, GcdMech, GcdMech2, "
         "GcdMeipKey, GcdPsel1, GcdTax) VALUES (?, ?, ?, ?, ?, 1000, 900, ?, 0, 0)",
         {key, no, name, barcode, kyg, meip});
  }
  static void Partner(qlonglong key, qlonglong no, const QString &name, int io,
                      const QString &psn = {}, int sel2 = 0, qlonglong psnKey = 0) {
    Exec("INSERT INTO TrsCode (TcdKey, TcdNo, TcdName, TcdPsn, TcdIO, TcdSel2, TcdPsnKey) "
         "VALUES (?, ?, ?, ?, ?, ?, ?)",
         {key, no, name, psn, io, sel2, psnKey});
  }
  static void Customer(const QString &table, qlonglong key, qlonglong no, const QString &name,
                       const QString &barcode = {}, const QString &hp = {},
                       const QString &tel = {}) {
    Exec("INSERT INTO " + table +
             " (CcdKey, CcdNo, CcdName, CcdBarcode, CcdHp, CcdTel) VALUES (?, ?, ?, ?, ?, ?)",
         {key, no, name, barcode, hp, tel});
  }
  static int Count(const QString &sql) {
    return goDbMain.OpenRecordset(sql).RecordCount();
  }

  QString text_;
};

}  // namespace lookuptest
