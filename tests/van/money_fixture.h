#pragma once
// The cash-receipt form's set-up: a main and a POS database, the printer captured, the
// work date and clock fixed, and a stand-in network that approves.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "chit/records.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/clock.h"
#include "platform/db.h"
#include "platform/printer_port.h"
#include "platform/settings_store.h"
#include "print/basPrinter.h"
#include "schema/tables.h"
#include "test_support.h"
#include "van/cash_receipt.h"

namespace moneytest {

const QDateTime kNow(QDate(2024, 3, 15), QTime(10, 0, 0));

// A branch that approves (or answers code) and counts its calls.
struct FakeNetwork {
  int calls = 0;
  int16_t code = 0;
  CashReceiptInput last;
  FakeNetwork() {
    orv::van::SetCashReceiptBranchHook([this](CashReceiptInput &in) {
      ++calls;
      last = in;
      CashReceiptResult r;
      r.code = code;
      if (code == 0) {
        r.termNo = "T1234";
        r.memberNo = in.idNo;
        r.cmitNo = "123456789";
        r.cmitDate = "240315";
      }
      return r;
    });
  }
  ~FakeNetwork() { orv::van::SetCashReceiptBranchHook({}); }
};

class MoneyChkForm : public ::testing::Test {
 protected:
  void SetUp() override {
    orv::state::ResetProgramState();
    dir_ = orvtest::MakeTempDir();
    goDbMain.Open(orvtest::NewSqliteDatabase(dir_->path(), "main.db"));
    goDbPos.Open(orvtest::NewSqliteDatabase(dir_->path(), "pos.db"));
    for (const char *t : {"ComCode", "CstCode", "OrvRegistry"}) orv::schema::CreateTable(goDbMain, t);
    orv::schema::CreateTable(goDbPos, "CardLog");
    orv::clock::SetFixed(kNow);
    giWrkYear = 2024;
    giWrkMonth = 3;
    giWrkDay = 15;
    giSetPosNo = 2;
    giSetVan = 1;
    giOnLine = 1;
    gsSetPrnPort = "LPT1";
    orv::settings_store::SaveSetting("goSetBFChtNo", "57");
    orv::printer_port::SetCaptureSink(
        [this](orv::printer_port::Kind, const QString &, const QByteArray &bytes) {
          if (printerFails_) throw orv::printer_port::PortError(QStringLiteral("용지 없음"));
          jobs_ << bytes;
        });
  }
  void TearDown() override {
    orv::printer_port::SetCaptureSink({});
    orv::clock::Reset();
    orv::state::ResetProgramState();
  }
  void Shop() {
    goDbMain.Execute(QStringLiteral(
        "Insert Into ComCode(ComNo, ComName, ComPrtName, ComTel, ComAddr, ComSaupNo, ComPsn, "
        "ComUptae, ComJongmok) Values(1, '한빛', '한빛마트', '02-555-0100', '서울시 중구 한빛로 1', "
        "'1234567890', '이한빛', '소매', '식료품')"));
  }
  void Customer(const QString &bank, const QString &jumin) {
    goDbMain.Execute("Insert Into CstCode(CcdKey, CcdNo, CcdName, CcdBank) Values(7, 1007, '홍길동', '" +
                     bank + "')");
    gtCstCode.CcdKey = orv::Currency::Won(7);
    gtCstCode.CcdNo = orv::Currency::Won(1007);
    gtCstCode.CcdName = QStringLiteral("홍길동");
    gtCstCode.CcdBank = bank;
    gtCstCode.CcdJumin = jumin;
  }
  QString StoredBank() {
    auto rs = goDbMain.OpenRecordset("Select CcdBank From CstCode Where CcdKey=7");
    return rs.Field("CcdBank").toString().trimmed();
  }
  static void Key(QWidget *w, Qt::Key k) { QTest::keyClick(w, k); }
  // Shown and active, as the modal show leaves it.
  static void Show(QWidget &f) {
    f.show();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  }

  std::unique_ptr<QTemporaryDir> dir_;
  QList<QByteArray> jobs_;
  bool printerFails_ = false;
};

}  // namespace moneytest
