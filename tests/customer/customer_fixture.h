#pragma once
// The chit fixture's POS and working databases, and a point server of the same engine (a
// second SQLite file, or a PostgreSQL database) opened as goDbTs, holding the shared
// customers (CstCode) with one member, key 7.
#include <gtest/gtest.h>

#include "../chit/chit_fixture.h"
#include "chit/records.h"
#include "chit/ts_records.h"
#include "core/globals.h"
#include "schema/tables.h"
#include "member_chit.h"
#include "test_support.h"

namespace customertest {

using chittest::ChitFixture;

class CustomerFixture : public ChitFixture {
 protected:
  void SetUp() override {
    ChitFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    tsText_ = pg() ? orvtest::NewPgDatabase()
                   : orvtest::NewSqliteDatabase(dir_->path(), "ts.db");
    goDbTs.Open(tsText_);
    orv::schema::CreateTable(goDbTs, "CstCode");
    goDbTs.Execute("Insert Into CstCode(CcdKey, CcdNo, CcdName, CcdTcnt, CcdJumsu) "
                   "Values(7, 70, '홍길동', 1, 10)");
    giSupTrsNo = 12;
    giCstTsMode = 2;
  }

  // A member sale as the saver leaves it: the chit records and the prepared copies.
  static void PrepareMemberChit(int32_t no, const QString &cmit = "T1") {
    customertest::PrepareMemberChit(no, cmit);
  }

  QString tsText_;
};

}  // namespace customertest
