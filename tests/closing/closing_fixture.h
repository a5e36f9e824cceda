#pragma once
// The POS database of a cashier's day around 15 January 2025 (POS 3, cashier 15): the
// December and January tables (February missing) and a small day of chits, cash and
// deposits. Offline unless a test says otherwise; one setup per engine.
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include "core/globals.h"
#include "core/pos_settings.h"
#include "platform/clock.h"
#include "platform/settings_store.h"
#include "schema/check_tables.h"
#include "schema/month_tables.h"
#include "../schema/schema_fixture.h"

namespace closingtest {

using schematest::Setup;
using schematest::SetupName;

inline const Setup kOffline[] = {{orv::db::Engine::SQLite, false},
                                 {orv::db::Engine::PostgreSQL, false}};

class ClosingFixture : public schematest::SchemaFixture {
 protected:
  void SetUp() override {
    SchemaFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    iniDir_ = orvtest::MakeTempDir();
    orv::settings_store::SetFilePath(iniDir_->path() + "/OrvZerdo.ini");
    orv::clock::SetFixed(QDateTime(QDate(2025, 1, 15), QTime(18, 30, 5)));
    giWrkYear = 2025;
    giWrkMonth = 1;
    giWrkDay = 15;
    giSetPosNo = 3;
    gcLogPsnKey = orv::Currency::Won(15);
    gsLogPwd = "Pw1";
    CheckDBTables();
    for (int16_t m : {int16_t(2412), int16_t(2501)}) {
      CreatePanChitTTable({}, m);
      CreatePanListTTable({}, m);
      CreatePanGodsTTable({}, m);
    }
    CreateWatGodsTSpeedTable();
  }

  // A held chit of this POS (lines: gds keys, each quantity 1 at 1,000) with a grid row.
  static void Held(const QString &date, int no, int psnKey, int lines) {
    goDbPos.Execute("Insert Into WatChitT (WctYear,WctMon,WctDay,WctDate,WctChtNo,WctPosNo,"
                    "WctPsnKey,WctCommit) Values(2025,1,15,'" + date + "'," +
                    QString::number(no) + ",3," + QString::number(psnKey) + ",0)");
    for (int j = 1; j <= lines; ++j)
      goDbPos.Execute("Insert Into WatGodsT (WcgYear,WcgMon,WcgDay,WcgDate,WcgChtNo,WcgSeqNo,"
                      "WcgGdsKey,WcgSu,WcgDanga,WcgGum) Values(2025,1,15,'" + date + "'," +
                      QString::number(no) + "," + QString::number(j) + "," +
                      QString::number(j + 10) + ",1.5,1000,1500)");
    goDbPos.Execute("Insert Into WatGodsTSpeed (WcgSYear,WcgSMon,WcgSDay,WcgSDate,WcgSChtno,"
                    "WcgSSeqNo,WcgSText) Values(2025,1,15,'" + date + "'," +
                    QString::number(no) + ",1,'x')");
  }

  void TearDown() override {
    orv::settings_store::SetFilePath({});
    SchemaFixture::TearDown();
  }

  std::unique_ptr<QTemporaryDir> iniDir_;

  static QString Yymm(const QString &date) { return date.mid(2, 4); }

  // A chit header: cols/values are extra "Col=value" pairs (money columns, PctSss2, …).
  static void Chit(const QString &date, int no, int psnKey, const QStringList &extra,
                   int sss3 = 0) {
    QStringList cols{"PctYear", "PctMon", "PctDay", "PctDate", "PctChtNo", "PctPosNo",
                     "PctPsnKey", "PctSss2", "PctSss3"};
    QStringList vals{date.left(4), QString::number(date.mid(4, 2).toInt()),
                     QString::number(date.mid(6, 2).toInt()), "'" + date + "'",
                     QString::number(no), "3", QString::number(psnKey), "0",
                     QString::number(sss3)};
    Put(cols, vals, extra);
    goDbPos.Execute("Insert Into PanChitT" + Yymm(date) + " (" + cols.join(',') +
                    ") Values(" + vals.join(',') + ")");
  }
  static void List(const QString &date, int no, int psnKey, const QStringList &extra) {
    QStringList cols{"PclYear", "PclMon", "PclDay", "PclDate", "PclChtNo", "PclPosNo",
                     "PclPsnKey", "PclSel"};
    QStringList vals{date.left(4), QString::number(date.mid(4, 2).toInt()),
                     QString::number(date.mid(6, 2).toInt()), "'" + date + "'",
                     QString::number(no), "3", QString::number(psnKey), "0"};
    Put(cols, vals, extra);
    goDbPos.Execute("Insert Into PanListT" + Yymm(date) + " (" + cols.join(',') +
                    ") Values(" + vals.join(',') + ")");
  }
  static void Line(const QString &date, int no, int seq, int gdsKey, const QString &su,
                   const QString &gum) {
    goDbPos.Execute("Insert Into PanGodsT" + Yymm(date) +
                    " (PcgYear,PcgMon,PcgDay,PcgDate,PcgChtNo,PcgSeqNo,PcgGdsKey,PcgSu,PcgGum)"
                    " Values(" + date.left(4) + "," + QString::number(date.mid(4, 2).toInt()) +
                    "," + QString::number(date.mid(6, 2).toInt()) + ",'" + date + "'," +
                    QString::number(no) + "," + QString::number(seq) + "," +
                    QString::number(gdsKey) + "," + su + "," + gum + ")");
  }
  static void Goods(int key, const QString &name, const QString &barcode, int sel1,
                    const QString &kyg = {}) {
    goDbPos.Execute(QStringLiteral("Insert Into GdsCode (GcdKey,GcdNo,GcdBarCode,GcdName,"
                                   "GcdKyg,GcdSel1) Values(%1,%2,'%3','%4','%5',%6)")
                        .arg(key).arg(key + 1000).arg(barcode, name, kyg).arg(sel1));
  }
  static void InitGum(int pos, int psnKey, const QString &amount, const QString &time) {
    goDbPos.Execute("Insert Into InitGum (IntPosNo,IntPsnKey,IntDate,IntTime,IntInitGum,"
                    "IntMidGum) Values(" + QString::number(pos) + "," +
                    QString::number(psnKey) + ",'20250115','" + time + "'," + amount + ",0)");
  }
  static void Deposit(int seq, int pos, int psnKey, const QString &amount,
                      const QString &wrtTime, const QString &guBun1,
                      const QString &date = "20250115") {
    goDbPos.Execute("Insert Into InitGumLog (IntYear,IntMon,IntDay,IntDate,IntSeqNo,"
                    "IntPosNo,IntPsnKey,IntMidGum,IntWrtdate,IntWrttime,IntGuBun,IntGuBun1)"
                    " Values(2025,1,15,'" + date + "'," + QString::number(seq) + "," +
                    QString::number(pos) + "," + QString::number(psnKey) + "," + amount +
                    ",'" + date + "','" + wrtTime + "',0," + guBun1 + ")");
  }

  // The day every figures test starts from (expected figures in the tests).
  static void PlantDay() {
    Goods(1, "banana", "8801", 0, "1kg");
    Goods(2, "Coupon", "", 9);
    // December: a sale with a voucher, a closed chit, a return without goods or list row.
    Chit("20241230", 1, 15, {"PctHab=10000", "PctRGum=10000", "PctMoney=10000"});
    List("20241230", 1, 15, {"PclJaSangPum=1000"});
    Line("20241230", 1, 1, 1, "2", "10000");
    Chit("20241231", 2, 15, {"PctHab=99999", "PctMoney=99999"}, 1);
    Line("20241231", 2, 1, 1, "9", "99999");
    Chit("20241231", 3, 15, {"PctHab=-2000", "PctMoney=-2000"});
    // January: a mixed sale with a coupon line and a goods missing from GdsCode, a return,
    // a collection, and another cashier's sale.
    Chit("20250115", 1, 15,
         {"PctHab=30000", "PctRGum=30000", "PctMoney=20000", "PctCard=10000",
          "PctOiSang=2000", "PctCSobi=1000", "PctGum=27273", "PctBuga=2727", "PctSss4=300"});
    List("20250115", 1, 15, {"PclTaSangPum=3000", "PclGum05=500", "PclGum06=100"});
    Line("20250115", 1, 1, 1, "1", "5000");
    Line("20250115", 1, 2, 2, "1", "-1000");
    Line("20250115", 1, 3, 99, "1", "26000");
    Line("20250115", 1, 4, 1, "1", "0");
    Chit("20250115", 2, 15, {"PctHab=-5000", "PctMoney=-5000"});
    Line("20250115", 2, 1, 1, "-1", "-5000");
    Chit("20250115", 3, 15, {"PctSss2=9", "PctRGum=7000", "PctMoney=4000", "PctCard=3000"});
    Chit("20250115", 4, 16, {"PctHab=70000", "PctMoney=70000"});
    Line("20250115", 4, 1, 1, "7", "70000");
    InitGum(3, 15, "100000", "090000");
    InitGum(4, 15, "555555", "090000");
    Deposit(1, 3, 15, "30000", "120000", "2");
    Deposit(2, 4, 15, "20000", "130000", "2");
    Deposit(3, 3, 15, "50000", "121000", "3");
    Deposit(4, 3, 15, "40000", "110000", "1");
    Deposit(5, 3, 16, "60000", "110000", "2");
  }

 private:
  static void Put(QStringList &cols, QStringList &vals, const QStringList &extra) {
    for (const QString &e : extra) {
      const QString c = e.section('=', 0, 0), v = e.section('=', 1);
      const int at = cols.indexOf(c);
      if (at >= 0) {
        vals[at] = v;
      } else {
        cols << c;
        vals << v;
      }
    }
  }
};

}  // namespace closingtest
