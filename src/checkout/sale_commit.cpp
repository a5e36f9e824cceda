#include "checkout/sale_commit.h"

#include "checkout/money_ops.h"
#include "chit/pair_commit.h"
#include "chit/pan_money.h"
#include "chit/pos_logs.h"
#include "chit/records.h"
#include "chit/sale_savers.h"
#include "chit/saver_state.h"
#include "checkout/checkout_globals.h"
#include "core/byte_text.h"
#include "core/dates.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/values.h"
#include "customer/onemoa.h"
#include "platform/dialogs.h"
#include "platform/settings_store.h"
#include "sync/go_offline.h"

using orv::db::DbError;
using orv::db::Recordset;
using orv::db::SqlText;

namespace orv::checkout {

namespace {

QString MonthOfDate(const QString &date) {
  const QString yymm = date.mid(2, 4);
  bool ok = date.size() == 8;
  for (QChar c : date) ok = ok && c.isDigit();
  if (!ok) throw DbError(orv::db::kErrGeneric, QStringLiteral("작업일자 오류: ") + date);
  return yymm;
}

struct CreditChitMissing {};

// Steps of the settlement of a picked credit chit: the old chit is read and deleted on
// both sides.
void SettleCreditChit(const CommitRequest &req) {
  const QString d = req.wrkDate, yymm = MonthOfDate(d);
  const QString n = QString::number(req.oisangChtNo);
  const QString k = gcLogPsnKey.ToPlainText(), pos = QString::number(giSetPosNo);
  ClearPanChitRecord();
  ClearPanGodsRecords();
  ClearPanListRecord();
  Recordset head = goDbMain.OpenRecordset("Select * From PanChit" + yymm + " Where PctDate=" +
                                          SqlText(d) + " And PctChtNo=" + n +
                                          " And PctPsnKey=" + k + " And PctPosNo=" + pos);
  if (head.RecordCount() == 0) throw CreditChitMissing{};
  ReadPanChitRecord(head);
  gtOneMoaChit = gtPanChit;
  gsOneMoaSaleCode.clear();
  if (!gtPanChit.PctCstKey.IsZero()) {
    Recordset list = goDbMain.OpenRecordset(
        "Select * From PanList" + yymm + " Where PcLDate=" + SqlText(d) + " And PcLChtNo=" + n +
        " And PcLPsnKey=" + k + " And PcLPosNo=" + pos);
    if (list.RecordCount() > 0) {
      ReadPanListRecord(list);
      if (giCstTsMode == 0) WriteOiIpgumWnjg();
    }
    gsOneMoaSaleCode = orv::onemoa::JoinMemberCode(gtPanList.PclSss3, gtPanList.PclSss4);
  }
  ClearPanGodsRecords();
  Recordset gods = goDbMain.OpenRecordset("Select * From PanGods" + yymm + " Where PcgDate=" +
                                          SqlText(d) + " And PcgChtNo=" + n +
                                          " Order By PcgSeqNo");
  for (int i = 1; !gods.Eof() && i <= kMaxChitLines; gods.MoveNext(), ++i)
    ReadPanGodsRecord(gods, i);
  gtOneMoaGods = gtPanGods;
  goDbMain.Execute(gsPanChitDelSql());
  goDbMain.Execute(gsPanGodsDelSql());
  goDbMain.Execute(gsPanListDelSql());
  // The POS copy carries the number as a whole number too.
  Recordset copy = goDbPos.OpenRecordset(" Select * From PanChitT" + yymm + " Where PctDate=" +
                                         SqlText(d) + " And   PctChtNo=" + n +
                                         " And   PctPsnKey=" + k + " And   PctPosNo=" + pos);
  if (copy.RecordCount() == 0) throw CreditChitMissing{};
  ReadPanChitTRecord(copy);
  goDbPos.Execute(gsPanChitTDelSql());
  goDbPos.Execute(gsPanGodsTDelSql());
  goDbPos.Execute(gsPanListTDelSql());
}

QString StoreError(const QString &description) {
  return QStringLiteral("[저장오류:") + description + "]";
}

}  // namespace

CommitResult CommitSaleChit(const CommitRequest &req) {
  const PanChitRec chit = gtPanChit;
  const PanGodsRec gods = gtPanGods;
  const PanListRec list = gtPanList;
  auto restore = [&] {
    gtPanChit = chit;
    gtPanGods = gods;
    gtPanList = list;
  };

  CommitResult result;
  QString replacedDate;
  int32_t replacedNo = 0;
  const auto work = [&]() -> QString {
    try {
      if (req.oisangPay) {
        SettleCreditChit(req);
        gtPanChit = chit;
        gtPanGods = gods;
        gtPanList = list;
      }
      QString s = gsPanChitInsert(1, 0);
      if (!s.isEmpty()) return s;
      s = gsPanChitTInsert(1);
      if (!s.isEmpty()) return s;
      // The visit counter goes with the chit: a failed save counts no visit.
      if (req.visit.pending && !req.visit.onPointServer)
        goDbMain.TryExecute(VisitUpdateSql(req.visit));
      gtPanMoney.PmoChtNo = gtPanChit.PctChtNo;
      gtPanMoney.PmoHab = gtPanChit.PctHab;
      gtPanMoney.PmoTax = gtPanChit.PctTax;
      gtPanMoney.PmoGum = gtPanChit.PctGum;
      gtPanMoney.PmoBuga = gtPanChit.PctBuga;
      gtPanMoney.PmoNtx = gtPanChit.PctNtx;
      if (!gtPanMoney.PmoCmitDate.isEmpty() && !gtPanMoney.PmoCmitNo.isEmpty())
        InsertPanMoneyRow(int16_t(MonthOfDate(req.wrkDate).toInt()));
      if (req.withCustomer) GoTsOffline();
      return {};
    } catch (const CreditChitMissing &) {
      result.creditChitMissing = true;
      return QStringLiteral("외상전표를 찾을수없습니다.");
    } catch (const DbError &e) {
      return StoreError(e.Description);
    } catch (const std::exception &e) {
      return StoreError(QString::fromUtf8(e.what()));
    }
  };

  orv::chit::PairOutcome out;
  try {
    if (req.oisangPay) {
      // The journal names the POS copy the settlement removes.
      replacedDate = req.wrkDate;
      Recordset copy = goDbPos.OpenRecordset(
          " Select PctChtNo From PanChitT" + MonthOfDate(req.wrkDate) + " Where PctDate=" +
          SqlText(req.wrkDate) + " And PctChtNo=" + QString::number(req.oisangChtNo) +
          " And PctPsnKey=" + gcLogPsnKey.ToPlainText() +
          " And PctPosNo=" + QString::number(giSetPosNo));
      if (copy.RecordCount() > 0) replacedNo = int32_t(NzCur(copy.Field(0)).RoundToInt());
    }
    out = orv::chit::PairCommit(work, replacedDate, replacedNo);
  } catch (const DbError &e) {
    out = {orv::chit::PairResult::Failed, StoreError(e.Description)};
  }
  if (!out.saved()) {
    restore();
    result.error = out.error;
    if (!result.error.startsWith('[') && !result.creditChitMissing)
      result.error = StoreError(result.error);
    return result;
  }
  result.saved = true;
  if (req.visit.pending && req.visit.onPointServer && goDbTs.IsOpen())
    goDbTs.TryExecute(VisitUpdateSql(req.visit));
  return result;
}

void ReadTrsMisuLimit(Currency trsKey) {
  giTrsMisuCheck = 0;
  gcTrsMisuLimit = {};
  Recordset rs = goDbMain.OpenRecordset(
      " Select  TcdKey, TcdNo, TcdName, TcdSss5, TcdZerdo  From    TrsCode  Where   TcdKey=" +
      trsKey.ToPlainText() + " ");
  if (rs.RecordCount() > 0) {
    giTrsMisuCheck = Narrow16(NzCur(rs.Field("TcdSss5")).RoundToInt());
    gcTrsMisuLimit = NzCur(rs.Field("TcdZerdo"));
  }
}

Currency GetTrsMisu(Currency trsKey) {
  const QString d = FmtYmd(giWrkYear, giWrkMonth, giWrkDay, 0, 0);
  const QString yymm = MonthOfDate(d);
  Recordset rs = goDbMain.OpenRecordset(
      " Select  TmsTrsKey, Sum(TmsMiMiji) As TmsMiMiji, Sum(TmsMcMisu) As TmsMcMisu  From    "
      "TrsMast" + yymm + "  Where   TmsTrsKey=" + trsKey.ToPlainText() +
      "    And   substr(TmsDate, 1, 6)=" + SqlText(d.left(6)) + "  Group by TmsTrsKey ");
  if (rs.RecordCount() == 0) return {};
  return NzCur(rs.Field("TmsMcMisu")) - NzCur(rs.Field("TmsMiMiji"));
}

void WriteCashLog(int32_t no, int16_t kind, const QString &text1, const QString &text2,
                  QString &text3) {
  const int32_t last =
      int32_t(NzCur(orv::settings_store::GetSetting("goSetBFChtNo")).RoundToInt());
  WritePosLogsRow(goDbMain, last, no, kind, text1, text2, text3, 0);
}

void WriteOiIpgumWnjg() {
  const PanChitRec &h = gtPanChit;
  const PanListRec &l = gtPanList;
  const QString w = h.PctWrtdate;
  // The ledger's read and write share one savepoint: when either fails the sale is saved
  // without the ledger line (on PostgreSQL a failed read would undo the whole sale).
  const std::optional<DbError> failed = goDbMain.TryBatch([&] {
    try {
      Recordset rs = goDbMain.OpenRecordset(
          "Select CwjChtno from CstWnjg Where CwjKey=" + h.PctCstKey.ToPlainText() +
          " And CwjDate=" + SqlText(w) + " Order by CwjKey,CwjDate,CwjChtno");
      int64_t i = 1;
      for (; !rs.Eof(); rs.MoveNext()) {
        if (NzCur(rs.Field(0)).RoundToInt() != i) break;
        ++i;
      }
      const QString psn = LeftByte(
          LeftByte(gsLogID, 10).trimmed() + "(" + LeftByte(gsPcdName, 10).trimmed() + ")", 30);
      goDbMain.Execute(
          "Insert into CstWnjg (CwjKey,CwjYear,CwjMon,CwjDay,CwjDate,CwjChtno,CwjGdsKey,CwjGods,"
          "CwjPsn,CwjYzerdo,CwjYJumsu,CwjRZerdo,CwjZerdo,CwjJumsu,CwjNzerdo,CwjNJumsu,"
          "CwjWrtdate,CwjWrtTime,CwjBigo,CwjSss1,CwjSss2,CwjSss3,CwjSss4,CwjSss5) Values(" +
          h.PctCstKey.ToPlainText() + "," + QString::number(w.left(4).toInt()) + "," +
          QString::number(w.mid(4, 2).toInt()) + "," + QString::number(w.mid(6, 2).toInt()) +
          "," + SqlText(w) + "," + QString::number(i) + ",0," +
          SqlText(LeftByte(QStringLiteral("외상입금처리"), 30)) + "," + SqlText(psn) + "," +
          (l.PclGum03 - l.PclGum01).ToPlainText() + "," +
          (l.PclGum04 - l.PclGum02).ToPlainText() + ",0," + l.PclGum01.ToPlainText() + "," +
          l.PclGum02.ToPlainText() + "," + l.PclGum03.ToPlainText() + "," +
          l.PclGum04.ToPlainText() + "," + SqlText(w) + "," + SqlText(h.PctWrttime) + "," +
          SqlText(LeftByte("POS[" + QString::number(giSetPosNo) + "]", 30)) + ",0,0,0,0,0)");
    } catch (const DbError &) {
      throw;
    } catch (const std::exception &e) {  // an amount out of range: the line is left out too
      throw DbError(orv::db::kErrGeneric, QString::fromUtf8(e.what()));
    }
  });
  if (failed)
    orv::dialogs::MsgBox(QStringLiteral("기록중 오류발생...... !"), orv::dialogs::kOkOnly,
                         QStringLiteral("확인"));
}

bool SaveLastChitSettings(const QString &date, int32_t chtNo) {
  gsSetBFDate = date;
  goSetBFChtNo = chtNo;
  return orv::settings_store::SaveSettings({{"gsSetBFDate", date},
                                            {"goSetBFChtNo", QString::number(chtNo)},
                                            {"giSetWavEnd", "1"},
                                            {"giSetWavCard", "0"}});
}

}  // namespace orv::checkout
