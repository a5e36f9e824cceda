#pragma once
// A bare sale screen over a small shop on either engine: a bundle, two customers sharing
// a barcode, a partner with prices and a ledger. The main and POS connections are the
// same database.
#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

#include "chit/records.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "core/state.h"
#include "platform/clock.h"
#include "platform/db.h"
#include "platform/grid.h"
#include "sale/frmMain.h"
#include "sale/sale_globals.h"
#include "schema/tables.h"
#include "test_support.h"

namespace saletest {

class SaleSqlTest : public orvtest::EngineTest {
 protected:
  void SetUp() override {
    orv::state::ResetProgramState();
    orv::state::ResetSaleGlobals();
    EngineTest::SetUp();
    if (IsSkipped()) return;
    const QString text = NewDatabase();
    goDbMain.Open(text);
    goDbPos.Open(text);
    for (const char *t : {"GdsCode", "BsnCode", "BssCode", "CstCode", "CstCodeTs", "TrsCode",
                          "TrsPris", "KeyCode", "KeyCode2", "OrvRegistry", "OrvEnvironment"})
      orv::schema::CreateTable(goDbMain, t);
    const char *rows[] = {
        "Insert Into GdsCode(GcdKey, GcdNo, GcdName, GcdBarcode, GcdMech) "
        "Values(1, 1, '라면', '8800000000011', 4000)",
        "Insert Into GdsCode(GcdKey, GcdNo, GcdName, GcdBarcode, GcdMech) "
        "Values(2, 2, '우유', '8800000000028', 3500)",
        "Insert Into GdsCode(GcdKey, GcdNo, GcdName, GcdBarcode, GcdMech) "
        "Values(3, 3, '과자', '8800000000035', 1500)",
        // Bundle 5: goods 1 and 2, three pieces for 10,000.
        "Insert Into BsnCode(bsnNo, bsnSu, bsnMech, bsnSaleSel, bsnYoil, bsnSaleGbn1, "
        "bsnSaleGbn2) Values(5, 3, 10000, 0, 0, 0, 0)",
        "Insert Into BssCode(BssNo, BssNo2) Values(5, 1)",
        "Insert Into BssCode(BssNo, BssNo2) Values(5, 2)",
        // A member whose goods were deleted counts for nothing.
        "Insert Into BssCode(BssNo, BssNo2) Values(5, 99)",
        // Two customers share a barcode; the point server's copy holds another.
        "Insert Into CstCode(CcdKey, CcdNo, CcdName, CcdDegree, CcdBarcode, CcdTel, CcdHp) "
        "Values(1, 1001, '홍길동', 1, '2900000010019 ', '02-555-1234', '010-1111-2222')",
        "Insert Into CstCode(CcdKey, CcdNo, CcdName, CcdDegree, CcdBarcode, CcdTel, CcdHp) "
        "Values(2, 1002, '김영희', 3, '2900000010019', '031-777-5678', '010-3333-4444')",
        "Insert Into CstCodeTs(CcdKey, CcdNo, CcdName, CcdDegree, CcdBarcode) "
        "Values(7, 7001, '박통합', 2, '2900000070013')",
        // Partner 1002 (key 502) with a price of its own.
        "Insert Into TrsCode(TcdKey, TcdIO, TcdNo, TcdName) Values(88000, 1, 88000, '일반')",
        "Insert Into TrsCode(TcdKey, TcdIO, TcdNo, TcdName) Values(502, 1, 1002, '중앙식당')",
        "Insert Into TrsPris(TpsTrsKey, TpsGdsKey, TpsMech1, TpsWrtdate, TpsWrttime) "
        "Values(502, 1, 3800, '20240102', '090000')",
    };
    for (const char *sql : rows) goDbMain.Execute(QString::fromUtf8(sql));
    giWrkYear = 2024;
    giWrkMonth = 1;
    giWrkDay = 31;
    glHalSel = 1;
    main_ = std::make_unique<frmMain>();
  }
  void TearDown() override {
    main_.reset();
    goDbMain.Close();
    goDbPos.Close();
    goDbTs.Close();
    orv::clock::Reset();
    orv::state::ResetSaleGlobals();
    orv::state::ResetProgramState();
  }

  // A goods line as the grid holds it.
  void Line(int row, int key, const QString &qty, const QString &price, const QString &amt) {
    orv::Grid *g = main_->vaSpread1;
    SetCellText(g, row, ColGdsKey, QString::number(key));
    SetCellText(g, row, ColQty, qty);
    SetCellText(g, row, ColPrice, price);
    SetCellText(g, row, ColAmt, amt);
  }
  QString Cell(int row, int col) { return main_->vaSpread1->CellValue(row, col); }

  std::unique_ptr<frmMain> main_;
};

}  // namespace saletest
