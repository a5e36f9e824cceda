#include "sync/resend_day.h"

#include <cmath>

#include "chit/records.h"
#include "chit/sale_savers.h"
#include "chit/saver_state.h"
#include "core/globals.h"
#include "core/money_ops.h"
#include "core/pos_settings.h"
#include "core/values.h"
#include "platform/clock.h"
#include "platform/db.h"
#include "schema/month_tables.h"
#include "schema/tables.h"

namespace orv::sync {

using namespace money;

namespace {

// The work date the sale screen shows, put back whatever way the run ends.
struct WorkDateKept {
  int16_t y = giWrkYear, m = giWrkMonth, d = giWrkDay;
  ~WorkDateKept() {
    giWrkYear = y;
    giWrkMonth = m;
    giWrkDay = d;
  }
};

void clearChitRecords() {
  ClearPanChitRecord();
  ClearPanGodsRecords();
  ClearPanListRecord();
  ClearPanCardRecords();
  ClearCstRecord();
}

// Raises the customer of gtPanChit in the main database by one visit and the list row's
// sales and points.
void raiseCustomer() {
  db::Statement st = goDbMain.Prepare("Select * From CstCode Where CcdKey=?");
  st.Bind(0, BindCur(gtPanChit.PctCstKey));
  const db::Recordset rs = st.Query();
  if (rs.RecordCount() == 0) return;
  ReadCstRecord(rs);
  CstCodeRec &c = gtCstCode;
  const Currency one = Currency::Won(1);
  c.CcdTcnt = c.CcdTcnt + one;
  c.CcdTzerdo = c.CcdTzerdo + gtPanList.PclGum01;
  c.CcdTjumsu = c.CcdTjumsu + gtPanList.PclGum02;
  c.CcdCnt = c.CcdCnt + one;
  c.CcdZerdo = c.CcdZerdo + gtPanList.PclGum01;
  c.CcdJumsu = c.CcdJumsu + gtPanList.PclGum02;
  goDbMain.Execute(gsCstCodeUptSql());
}

}  // namespace

ResendOutcome ResendDayData(const QDate &day, bool withCustomers,
                            const std::function<void(int)> &progress) {
  ResendOutcome out;
  if (gsSetMainDB.isEmpty() || gsSetPosDB.isEmpty()) return out;
  if (giOnLine != 1 || goDbMain.SharesSessionWith(goDbPos)) {
    // Offline the saver would post into the POS database's own tables.
    out.failure = QStringLiteral("온라인에서만 재전송할 수 있습니다");
    out.title = QStringLiteral("데이타재전송");
    return out;
  }
  const QString yymm = schema::MonthSuffix(day.year() % 100 * 100 + day.month());
  if (!schema::ExistsTable(goDbPos, "PanChitT" + yymm)) return out;
  const QString ymd = day.toString(QStringLiteral("yyyyMMdd"));

  WorkDateKept keep;
  try {
    int32_t chtNo = 0;
    QString chtDate;
    db::Statement chits = goDbPos.Prepare("Select * From PanChitT" + yymm +
                                          " Where PctDate=? Order By PctChtNo");
    chits.Bind(0, ymd);
    db::Recordset rs = chits.Query();
    db::Statement gods = goDbPos.Prepare("Select * From PanGodsT" + yymm +
                                         " Where PcgDate=? And PcgChtNo=? Order By PcgSeqNo");
    db::Statement lists = goDbPos.Prepare("Select * From PanListT" + yymm +
                                          " Where PclDate=? And PclChtNo=?");
    const int n = rs.RecordCount();
    for (int i = 1; i <= n; ++i, rs.MoveNext()) {
      db::Transaction mainTx(goDbMain);
      db::Transaction posTx(goDbPos);
      clearChitRecords();
      ReadPanChitRecord(rs);
      gtPanChit.PctJunsong = 1;
      chtNo = gtPanChit.PctChtNo;
      chtDate = gtPanChit.PctDate;
      gods.Bind(0, chtDate);
      gods.Bind(1, chtNo);
      db::Recordset lines = gods.Query();
      if (lines.RecordCount() > kMaxChitLines) {
        out.failure = QStringLiteral("전표 %1-%2의 상품이 %3줄이어서 재전송할 수 없습니다 (최대 %4줄)")
                          .arg(chtDate)
                          .arg(chtNo)
                          .arg(lines.RecordCount())
                          .arg(kMaxChitLines);
        break;
      }
      for (int j = 1; !lines.Eof(); ++j, lines.MoveNext()) {
        ReadPanGodsRecord(lines, j);
        if (!gtPanGods[j].PcgGdsKey.IsZero()) gtPanGods[j].PcgJunsong = 1;
      }
      lists.Bind(0, chtDate);
      lists.Bind(1, chtNo);
      const db::Recordset list = lists.Query();
      if (list.RecordCount() > 0) ReadPanListRecord(list);
      // The saver writes into the work date's month.
      giWrkYear = gtPanChit.PctYear;
      giWrkMonth = gtPanChit.PctMon;
      giWrkDay = gtPanChit.PctDay;
      const QString failed = gsPanChitInsert(1, 1);
      giWrkYear = keep.y;
      giWrkMonth = keep.m;
      giWrkDay = keep.d;
      if (!failed.isEmpty()) {
        out.failure = failed;
        break;
      }
      // A customer that cannot be raised does not keep the chit back (it is logged).
      if (withCustomers && !gtPanChit.PctCstKey.IsZero()) {
        if (auto e = goDbMain.TryBatch(&raiseCustomer))
          db::LogFailure(QStringLiteral("재전송 고객 누계 실패 ") + chtDate + "-" +
                         QString::number(chtNo) + " : " + e->Description);
      }
      if (progress) progress(int(std::nearbyint(double(i) * 100.0 / n)));
      mainTx.Commit();
      posTx.Commit();
      ++out.posted;
    }
  } catch (const db::DbError &e) {
    out.failure = orv::chit::SaveErrText(QStringLiteral("DataSendPanIns"), e);
  } catch (const std::overflow_error &e) {
    out.failure = orv::chit::SaveErrText(QStringLiteral("DataSendPanIns"), 6,
                                         QString::fromLatin1(e.what()));
  }
  if (!out.failure.isEmpty()) out.title = QStringLiteral("데이타전송 실패");
  ClearSaleRecords();
  return out;
}

}  // namespace orv::sync
