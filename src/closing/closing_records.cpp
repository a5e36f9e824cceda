#include "closing/closing_records.h"

#include <QStringList>

#include "core/bound_sql.h"
#include "core/globals.h"
#include "core/values.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/db.h"

InitGumRec gtInitGum;
InitGumLogRec gtInitGumLog;
TemChitRec gtTemChit;
TemDetailRec gtTemDetail;
TemInitGumRec gtTemInitGum;

void ClearInitGumRecord() { gtInitGum = {}; }
void ClearInitGumLogRecord() { gtInitGumLog = {}; }
void ClearTemChitRecord() { gtTemChit = {}; }
void ClearTemDetailRecord() { gtTemDetail = {}; }
void ClearTemInitGumRecord() { gtTemInitGum = {}; }

namespace {

// One value list: numbers plain, texts through the literal helper.
class Values {
 public:
  Values &n(int64_t v) { parts_ << QString::number(v); return *this; }
  Values &m(orv::Currency v) { parts_ << v.ToPlainText(); return *this; }
  Values &t(const QString &v) { parts_ << orv::db::SqlText(v); return *this; }
  QString str() const { return " Values(" + parts_.join(',') + ")"; }

 private:
  QStringList parts_;
};

}  // namespace

QString gsInitGumDelSql() {
  return "Delete From InitGum Where IntPosNo=" + QString::number(giSetPosNo) +
         " And IntPsnKey=" + gcLogPsnKey.ToPlainText();
}

QString gsInitGumInsSql() {
  const InitGumRec &r = gtInitGum;
  return " Insert Into InitGum(IntPosNo, IntPsnKey, IntDate, IntTime, IntInitGum, "
         "IntHab, IntNGum, IntBGum, IntMidGum) " +
         Values()
             .n(r.IntPosNo).m(r.IntPsnKey).t(r.IntDate).t(r.IntTime).m(r.IntInitGum)
             .m(r.IntHab).m(r.IntNGum).m(r.IntBGum).m(r.IntMidGum)
             .str();
}

QString gsInitGumLogInsSql() {
  const InitGumLogRec &r = gtInitGumLog;
  return " Insert Into InitGumLog(IntYear, IntMon, IntDay, IntDate, IntSeqNo, "
         "IntPosNo, IntPsnKey, IntInitGum, IntHab, IntNGum, IntBGum, IntMidGum, IntMoney, "
         "IntCard, IntCSobi, IntOiSang, IntWrtDate, IntWrtTime, IntGuBun, IntGuBun1)" +
         Values()
             .n(r.IntYear).n(r.IntMon).n(r.IntDay).t(r.IntDate).n(r.IntSeqNo)
             .n(r.IntPosNo).m(r.IntPsnKey).m(r.IntInitGum).m(r.IntHab).m(r.IntNGum)
             .m(r.IntBGum).m(r.IntMidGum).m(r.IntMoney).m(r.IntCard).m(r.IntCSobi)
             .m(r.IntOiSang).t(r.IntWrtdate).t(r.IntWrttime).n(r.IntGuBun).n(r.IntGuBun1)
             .str();
}

QString gsTemChitInsSql() {
  const TemChitRec &r = gtTemChit;
  return " Insert Into TemChit(TemDate,TemTime,TemPsnKey,TemChtNo,TemBigo,TemSss1,TemSss2,"
         "TemSss3,TemSss4,TemSss5)" +
         Values()
             .t(r.TemDate).t(r.TemTime).m(r.TemPsnKey).n(r.TemChtNo).t(r.TemBigo)
             .n(r.TemSss1).n(r.TemSss2).n(r.TemSss3).n(r.TemSss4).n(r.TemSss5)
             .str();
}

QString gsTemDetailInsSql() {
  const TemDetailRec &r = gtTemDetail;
  return " Insert Into TemDetail(TmdDate,TmdPsnKey,TmdChtNo,TmdSeq,TmdPctDate,TmdPctChtNo,"
         "TmdSss1,TmdSss2,TmdSss3,TmdSss4,TmdSss5)" +
         Values()
             .t(r.TmdDate).m(r.TmdPsnKey).n(r.TmdChtNo).n(r.TmdSeq).t(r.TmdPctDate)
             .n(r.TmdPctChtNo).n(r.TmdSss1).n(r.TmdSss2).n(r.TmdSss3).n(r.TmdSss4)
             .n(r.TmdSss5)
             .str();
}

QString gsTemInitGumInsSql() {
  const TemInitGumRec &r = gtTemInitGum;
  return " Insert Into TemInitGum(TmiDate,TmiPsnKey,TmiChtNo,TmiIntDate,TmiIntTime,"
         "TmiInitGum,TmiHab,TmiNGum,TmiBGum,TmiMidGum,TmiMoney,TmiCard,TmiCSobi,TmiOiSang,"
         "TmiSss1,TmiSss2,TmiSss3,TmiSss4,TmiSss5)" +
         Values()
             .t(r.TmiDate).m(r.TmiPsnKey).n(r.TmiChtNo).t(r.TmiIntDate).t(r.TmiIntTime)
             .m(r.TmiInitGum).m(r.TmiHab).m(r.TmiNGum).m(r.TmiBGum).m(r.TmiMidGum)
             .m(r.TmiMoney).m(r.TmiCard).m(r.TmiCsobi).m(r.TmiOisang).n(r.TmiSss1)
             .n(r.TmiSss2).n(r.TmiSss3).n(r.TmiSss4).n(r.TmiSss5)
             .str();
}

namespace orv::state {
void ResetClosingRecords() {
  ClearInitGumRecord();
  ClearInitGumLogRecord();
  ClearTemChitRecord();
  ClearTemDetailRecord();
  ClearTemInitGumRecord();
}
}  // namespace orv::state

static const bool kResetRegistered = orv::state::RegisterReset(&orv::state::ResetClosingRecords);

int16_t NextInitGumLogSeq(const QString &date, int16_t posNo) {
  const orv::db::Recordset rs =
      orv::QueryBound(goDbPos, "SELECT MAX(IntSeqNo) AS IntSeqNo FROM InitGumLog "
                               "WHERE IntDate = ? AND IntPosNo = ?",
                      {date, int(posNo)});
  const int64_t next = (rs.Eof() ? 0 : NzCur(rs.Field(0)).RoundToInt()) + 1;
  if (next > 32767)
    throw orv::db::DbError(orv::db::kErrGeneric,
                           QStringLiteral("현금 기록 번호가 32767을 넘었습니다."));
  return int16_t(next);
}
