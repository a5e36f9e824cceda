#pragma once
// A POS database and a working database on one engine, offline (one database) or online
// (two), with the base tables and the tables of the work month on both.
#include <gtest/gtest.h>

#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/clock.h"
#include "platform/db.h"
#include "schema/check_tables.h"
#include "schema/month_tables.h"
#include "schema/tables.h"
#include "../schema/schema_fixture.h"
#include "test_support.h"

namespace chittest {

using schematest::kAllSetups;
using schematest::Setup;
using schematest::SetupName;

// The schema's databases with the base tables and the tables of the work month on both.
// Work date 2024-03-15, clock 2024-03-15 14:05:20, POS 3.
class ChitFixture : public schematest::SchemaFixture {
 protected:
  void SetUp() override {
    SchemaFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    orv::clock::SetFixed(QDateTime(QDate(2024, 3, 15), QTime(14, 5, 20)));
    giWrkYear = 2024;
    giWrkMonth = 3;
    giWrkDay = 15;
    giSetPosNo = 3;
    CheckDBTables();
    if (GetParam().online) {
      orv::schema::InOneCommit({&goDbMain}, [] {
        for (const auto &def : orv::schema::LoginTables())
          if (!orv::schema::ExistsTable(goDbMain, QLatin1String(def.name)))
            orv::schema::CreateTable(goDbMain, def, orv::schema::NamesFor(def));
      });
    }
    CreateMonthTables(2403);
  }

  // A bare header row of a sale chit (or its POS copy) of a date.
  static void PlantChit(orv::db::Connection &c, const QString &table, int no,
                        const QString &date = "20240315", const QString &prefix = "Pct") {
    const QString p = prefix;
    const bool etc = prefix != "Pct";  // held and delivery headers carry a Commit column
    c.Execute("Insert Into " + table + " (" + p + "Year, " + p + "Mon, " + p + "Day, " + p +
              "Date, " + p + "ChtNo, " + p + "PosNo, " + p + "PsnKey" +
              (etc ? ", " + p + "Commit" : QString()) + ") Values(" + date.left(4) + "," +
              QString::number(date.mid(4, 2).toInt()) + "," +
              QString::number(date.mid(6, 2).toInt()) + ",'" + date + "'," +
              QString::number(no) + ",1,1" + (etc ? ",0" : "") + ")");
  }

};

}  // namespace chittest
