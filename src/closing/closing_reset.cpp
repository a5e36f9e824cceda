#include "closing/closing_reset.h"

#include <QStringList>
#include <limits>

#include "chit/etc_chits.h"
#include "chit/pos_logs.h"
#include "chit/tem_data.h"
#include "closing/closing_records.h"
#include "closing/closing_ui.h"
#include "core/bound_sql.h"
#include "core/globals.h"
#include "core/money_ops.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "core/values.h"
#include "platform/busy_pointer.h"
#include "platform/clock.h"
#include "schema/month_tables.h"

namespace orv::closing {

using namespace orv::money;

namespace {

ResetStepHook &Hook() {
  static ResetStepHook hook;
  return hook;
}
void Step(const char *name) {
  if (Hook()) Hook()(name);
}
void ClearHook() { Hook() = nullptr; }
const bool kResetRegistered = orv::state::RegisterReset(&ClearHook);

int32_t Whole32(Currency v) {
  const int64_t n = v.RoundToInt();
  if (n < std::numeric_limits<int32_t>::min() || n > std::numeric_limits<int32_t>::max())
    throw std::overflow_error("amount out of range");
  return int32_t(n);
}

// Every held chit of this POS and cashier: its kind-7 row (all its lines) and its rows
// gone. gtWatChit keeps the last one dropped.
void DropHeldChits(ClosingRowKeys &keys) {
  const db::Recordset heads = QueryBound(
      goDbPos,
      "SELECT * FROM WatChitT WHERE WctPosNo = ? AND WctPsnKey = ? ORDER BY WctDate, WctChtNo",
      {int(giSetPosNo), BindCur(gcLogPsnKey)});
  db::Statement lines = goDbPos.Prepare(
      "SELECT WcgGdsKey, WcgSu, WcgDanga, WcgGum FROM WatGodsT WHERE WcgDate = ? AND "
      "WcgChtNo = ? ORDER BY WcgSeqNo");
  db::Statement delChit =
      goDbPos.Prepare("DELETE FROM WatChitT WHERE WctDate = ? AND WctChtNo = ?");
  db::Statement delGods =
      goDbPos.Prepare("DELETE FROM WatGodsT WHERE WcgDate = ? AND WcgChtNo = ?");
  db::Statement delSpeed =
      goDbPos.Prepare("DELETE FROM WatGodsTSpeed WHERE WcgSDate = ? AND WcgSChtNo = ?");
  for (db::Recordset h = heads; !h.Eof(); h.MoveNext()) {
    ClearWatChitRecord();
    ReadWatChitRecord(h);
    const QString date = gtWatChit.Date;
    const int no = gtWatChit.ChtNo;
    lines.Bind(0, date);
    lines.Bind(1, no);
    QStringList text;
    int j = 0;
    for (db::Recordset g = lines.Query(); !g.Eof(); g.MoveNext())
      text << QString::number(++j) + "," + NzCur(g.Field(0)).ToPlainText() + "," +
                  NzCur(g.Field(1)).ToPlainText() + "," + NzCur(g.Field(2)).ToPlainText() + "," +
                  NzCur(g.Field(3)).ToPlainText();
    if (!text.isEmpty()) AddTerminateLog(1, 7, text.join(';'), {}, {}, keys);
    for (db::Statement *st : {&delChit, &delGods, &delSpeed}) {
      st->Bind(0, date);
      st->Bind(1, no);
      st->Execute();
    }
  }
}

}  // namespace

ResetStepHook SetResetStepHook(ResetStepHook hook) {
  ResetStepHook old = std::move(Hook());
  Hook() = std::move(hook);
  return old;
}

void FillTemDataRecord(const ClosingFigures &f) {
  const QDateTime now = clock::Now();
  TemDataRec &t = gtTemData;
  t.TemDate = now.toString("yyyyMMdd");
  t.TemYear = int16_t(now.date().year());
  t.TemMon = int16_t(now.date().month());
  t.TemDay = int16_t(now.date().day());
  t.TemChtNo = 1;
  t.TemPosNo = giSetPosNo;
  t.TemPsnKey = gcLogPsnKey;
  t.TemHab = f.txtPctHab;
  t.TemJaSangpum = f.txtPclJa;
  t.TemTaSangpum = f.txtPclTa;
  t.TemCoin = f.txtPclGum06;
  t.TemPoint = f.txtPclGum05;
  t.TemCard = f.txtPctCard;
  t.TemOisang = f.txtPctOiSang;
  t.TemCSobi = f.txtPctCSobi;
  t.TemMnsHab = f.txtBanGum;
  t.TemMoney = t.TemHab - t.TemCard - t.TemOisang - t.TemCSobi;
  t.TemSss6 = Whole32(f.txtOiMoney);
  t.TemSss7 = Whole32(f.txtOiCard);
  t.TemMnyInitGum = f.txtInitGum;
  t.TemMnyDpsGum = f.txtMidGum;
  t.TemMnyInGum = t.TemMoney + Whole(t.TemSss6) - t.TemJaSangpum - t.TemTaSangpum + t.TemCoin -
                  t.TemPoint;
  t.TemMnyNowGum = t.TemMnyInitGum + t.TemMnyInGum - t.TemMnyDpsGum;
  t.TemSss8 = Whole32(t.TemCard + Whole(t.TemSss7));
  t.TemStDate = f.msIntDate;
  t.TemStTime = f.msIntTime;
  t.TemWrtDate = t.TemDate;
  t.TemWrtTime = now.toString("hhmmss");
}

void AddTerminateLog(int32_t number, int16_t kind, const QString &text1, const QString &text2,
                     const QString &text3, ClosingRowKeys &keys) {
  WritePosLogsRow(goDbPos, 8000 + gtWatChit.ChtNo, number, kind, text1, text2, text3, 1);
  keys.logs.push_back(LogKeyOf(gtPosLogs));
}

std::optional<ClosingRowKeys> CloseCashierChits(const ClosingFigures &f,
                                                const ClosingContext &ctx) {
  BusyPointer busy;
  ClosingRowKeys keys;
  try {
    db::Transaction tx(goDbPos);
    Step("InitGum");
    ClearInitGumLogRecord();
    goDbPos.Execute(gsInitGumDelSql());

    Step("Chits");
    for (const QString &m : ctx.Months()) {
      const QString s = schema::MonthSuffix(m.toInt());
      ExecBound(goDbPos, "UPDATE PanChitT" + s + " SET PctSss3 = 1 WHERE PctPsnKey = ?",
                {BindCur(gcLogPsnKey)});
      ExecBound(goDbPos, "UPDATE PanListT" + s + " SET PclSss1 = 1 WHERE PclPsnKey = ?",
                {BindCur(gcLogPsnKey)});
    }

    Step("Log");
    const QDateTime now = clock::Now();
    InitGumLogRec &l = gtInitGumLog;
    l.IntYear = giWrkYear;
    l.IntMon = giWrkMonth;
    l.IntDay = giWrkDay;
    l.IntDate = ctx.msWrkDate;
    l.IntSeqNo = NextInitGumLogSeq(ctx.msWrkDate, giSetPosNo);
    l.IntPosNo = giSetPosNo;
    l.IntPsnKey = gcLogPsnKey;
    l.IntInitGum = f.txtInitGum;
    l.IntHab = f.txtPctHab;
    l.IntNGum = f.txtNowMoney;
    l.IntBGum = f.txtNowMoney;
    l.IntMidGum = f.txtMidGum;
    l.IntMoney = f.txtPctMoney;
    l.IntCard = f.txtPctCard;
    l.IntCSobi = f.txtPctCSobi;
    l.IntOiSang = f.txtPctOiSang;
    l.IntWrtdate = now.toString("yyyyMMdd");
    l.IntWrttime = now.toString("hhmmss");
    l.IntGuBun = 1;
    l.IntGuBun1 = 0;
    goDbPos.Execute(gsInitGumLogInsSql());

    Step("Deposits");
    ExecBound(goDbPos,
              "UPDATE InitGumLog SET IntGuBun1 = 1 WHERE IntPsnKey = ? AND "
              "(IntGuBun1 IS NULL OR IntGuBun1 = 2)",
              {BindCur(gcLogPsnKey)});

    Step("Held");
    DropHeldChits(keys);

    Step("Kind8");
    AddTerminateLog(1, 8,
                    f.txtInitGum.ToPlainText() + "," + f.txtPctHab.ToPlainText() + "," +
                        f.txtNowMoney.ToPlainText(),
                    {}, {}, keys);

    Step("Summary");
    ClearTemDataRecord();
    FillTemDataRecord(f);
    keys.temChtNo = SendTemData(goDbPos);
    keys.temYear = gtTemData.TemYear;
    keys.temMon = gtTemData.TemMon;
    keys.temDay = gtTemData.TemDay;

    Step("Commit");
    tx.Commit();
    return keys;
  } catch (const std::exception &e) {
    ShowSaveFailed(e);
    return std::nullopt;
  }
}

}  // namespace orv::closing
