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

  // The shop of tests/fixtures/print/sale_receipt.md: ComCode, three goods, customer 3,
  // partners 88000 and 1001, and the receipt's options.
  static void PlantShop() {
    Exec(QStringLiteral("INSERT INTO ComCode (ComNo, ComName, ComPsn, ComSaupNo, ComUptae, ComJongmok, ComAddr, "
                        "ComTel, ComPrtName) VALUES (1, '한빛마트', '이한빛', '1234567890', '소매', '식료품', "
                        "'서울시 중구 한빛로 1', '02-555-0100', '한빛마트')"));
    Exec(QStringLiteral("INSERT INTO GdsCode (GcdKey, GcdNo, GcdName, GcdKyg, GcdBarcode, GcdMech, GcdPSel3) VALUES "
                        "(11, 101, '사과', '1kg', '8801234567890', 1000, 0)"));
    Exec(QStringLiteral("INSERT INTO GdsCode (GcdKey, GcdNo, GcdName, GcdKyg, GcdBarcode, GcdMech, GcdPSel3) VALUES "
                        "(12, 102, '생수', '', '8800000000017', 500, 1)"));
    Exec(QStringLiteral("INSERT INTO GdsCode (GcdKey, GcdNo, GcdName, GcdKyg, GcdBarcode, GcdMech, GcdPSel3) VALUES "
                        "(13, 103, '돼지고기', '', '2400001000000', 0, 0)"));
    Exec(QStringLiteral("INSERT INTO CstCode (CcdKey, CcdNo, CcdName, CcdBarcode, CcdJumsu, CcdZerdo, CcdTjumsu, "
                        "CcdEMail, CcdTel, CcdHp, CcdJuso, CcdPost, CcdDegree) VALUES (3, 1003, '홍길동', 'C1003', "
                        "2500, 0, 12000, '길동상회', '02-111-2222', '010-1111-2222', '서울시 중구 1', '100101', 3)"));
    Exec(QStringLiteral("INSERT INTO TrsCode (TcdKey, TcdNo, TcdName, TcdPsn) VALUES (88000, 88000, '일반소매', '일반고객')"));
    Exec(QStringLiteral("INSERT INTO TrsCode (TcdKey, TcdNo, TcdName, TcdPsn) VALUES (1001, 1001, '한빛식품', '박공급')"));
    for (const char *row : {"'PosCstPanPrt', 1, NULL", "'PosGdsBnsPoint', 1, NULL", "'PosPrnHead1', 0, '어서오세요'",
                            "'PosPrnMsg1', 0, '감사합니다'", "'PosPrnMsg2', 0, '또 오세요'"})
      Exec(QStringLiteral("INSERT INTO OrvRegistry (RegKey, RegInt, RegChar) VALUES (") + QString::fromUtf8(row) + ")");
  }

  // The sale of the fixture as chit `no` of 2024-12-05, written at `time`.
  static void PlantSale(int no, const QString &time = "143005", int pos = 1) {
    Exec(QStringLiteral("INSERT INTO PanChit2412 (PctYear, PctMon, PctDay, PctDate, PctChtNo, PctPosNo, PctPsnKey, "
                        "PctTrsKey, PctHab, PctGum, PctBuga, PctNtx, PctRGum, PctCGum, PctMoney, PctCard, PctOisang, "
                        "PctCSobi, PctCSTKey, PctWrtdate, PctWrttime, PctJunsong, PctSss2, PctSss4, PctSss5) VALUES "
                        "(2024, 12, 5, '20241205', %1, %2, 1, 88000, 4800, 3909, 391, 500, 5000, 200, 4800, 0, 0, 0, "
                        "3, '20241205', '%3', 1, 0, 700, 0)")
             .arg(no).arg(pos).arg(time));
    const char *lines[] = {"1, 11, 2, 800, 1600, 0", "2, 12, 1, 500, 500, 1", "3, 13, 0.3, 10000, 2700, 0"};
    for (const char *l : lines)
      Exec(QStringLiteral("INSERT INTO PanGods2412 (PcgYear, PcgMon, PcgDay, PcgDate, PcgChtNo, PcgSeqNo, PcgGdsKey, "
                          "PcgSu, PcgDanga, PcgGum, PcgTax) VALUES (2024, 12, 5, '20241205', %1, %2)")
               .arg(no)
               .arg(QString::fromLatin1(l)));
    Exec(QStringLiteral("INSERT INTO PanList2412 (PclYear, PclMon, PclDay, PclDate, PclChtNo, PclPosNo, PclPsnKey, "
                        "PclSel, PclGum02, PclGum04, PclGum09, PclSss2) VALUES (2024, 12, 5, '20241205', %1, %2, 1, 0, "
                        "43, 2543, 5, 0)")
             .arg(no)
             .arg(pos));
  }
  static int Count(const QString &table, const QString &where = {}) {
    auto rs = goDbMain.OpenRecordset("SELECT COUNT(*) AS n FROM " + table +
                                     (where.isEmpty() ? QString() : " WHERE " + where));
    return rs.Field(0).toInt();
  }
};

}  // namespace printtest
