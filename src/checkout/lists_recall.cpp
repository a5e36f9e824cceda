#include "checkout/lists_recall.h"

#include "checkout/lists_text.h"
#include "chit/etc_chits.h"
#include "chit/records.h"
#include "core/application.h"
#include "core/globals.h"
#include "core/values.h"
#include "platform/dialogs.h"

namespace orv::checkout {

namespace {

struct Names {
  const char *chit, *gods, *speed;  // tables
  const char *c, *g, *s;            // column prefixes
};

Names NamesOf(EtcKind kind) {
  if (kind == EtcKind::Held) return {"WatChitT", "WatGodsT", "WatGodsTSpeed", "Wct", "Wcg", "WcgS"};
  return {"BdlChit", "BdlGods", "BdlGodsSpeed", "Bct", "Bcg", "BcgS"};
}

// The table keys begin with year, month and day: name them, from the date text. A blank
// date gives 0 and finds nothing.
QString KeyWhere(const QString &p, const QString &date, int32_t no, const QString &alias = {}) {
  const QString a = alias.isEmpty() ? QString() : alias + ".";
  return QString(" Where %1%2Year = %3 And %1%2Mon = %4 And %1%2Day = %5 And %1%2Date = ? And "
                 "%1%2ChtNo = %6")
      .arg(a, p)
      .arg(date.left(4).toInt())
      .arg(date.mid(4, 2).toInt())
      .arg(date.mid(6, 2).toInt())
      .arg(no);
}

db::Recordset Query(const QString &sql, const QString &date) {
  db::Statement st = goDbPos.Prepare(sql);
  st.Bind(0, date);
  return st.Query();
}

}  // namespace

TopGoodsReader::TopGoodsReader(EtcKind kind) {
  const Names n = NamesOf(kind);
  const QString g = QLatin1String(n.g);
  st_ = goDbPos.Prepare(" Select B.GnaGdsName, A." + g + "Gum From " + QLatin1String(n.gods) +
                        " A Left Join GdsName B On A." + g + "GdsKey = B.GnaGdsKey Where A." +
                        g + "Year = ? And A." + g + "Mon = ? And A." + g + "Day = ? And A." + g +
                        "Date = ? And A." + g + "ChtNo = ? Order By A." + g + "Gum Desc, A." +
                        g + "SeqNo Limit 1");
}

std::optional<QString> TopGoodsReader::Name(const QString &date, int32_t no) {
  st_.Bind(0, date.left(4).toInt());
  st_.Bind(1, date.mid(4, 2).toInt());
  st_.Bind(2, date.mid(6, 2).toInt());
  st_.Bind(3, date);
  st_.Bind(4, no);
  db::Recordset rs = st_.Query();
  if (rs.Eof()) return std::nullopt;
  return NzStr(rs.Field(0));
}

RecallResult RecallEtcChit(EtcKind kind, const QString &date, int32_t no) {
  const Names n = NamesOf(kind);
  db::Recordset head = Query(" Select * From " + QLatin1String(n.chit) +
                                 KeyWhere(QLatin1String(n.c), date, no),
                             date);
  if (head.Eof()) return RecallResult::NotFound;
  db::Recordset gods = Query(" Select * From " + QLatin1String(n.gods) +
                                 KeyWhere(QLatin1String(n.g), date, no) + " Order By " +
                                 QLatin1String(n.g) + "SeqNo",
                             date);
  db::Recordset speed = Query(" Select * From " + QLatin1String(n.speed) +
                                  KeyWhere(QLatin1String(n.s), date, no) + " Order By " +
                                  QLatin1String(n.s) + "SeqNo",
                              date);
  if (gods.RecordCount() > kMaxRecallLines || speed.RecordCount() > kMaxRecallLines) {
    dialogs::MsgBox(kTooManyLinesText, dialogs::kExclamation, kCheckTitle);
    return RecallResult::TooLong;
  }
  const bool held = kind == EtcKind::Held;
  held ? ReadWatChitRecord(head) : ReadBdlChitRecord(head);
  for (int line = 1; !gods.Eof(); gods.MoveNext(), ++line)
    held ? ReadWatGodsRecord(gods, line) : ReadBdlGodsRecord(gods, line);
  for (int line = 1; !speed.Eof(); speed.MoveNext(), ++line)
    held ? ReadWatGodsSpeedRecord(speed, line) : ReadBdlGodsSpeedRecord(speed, line);
  return RecallResult::Recalled;
}

bool RecallListedChit(EtcKind kind, const QString &date, int32_t no) {
  ClearPanChitRecord();
  ClearPanGodsRecords();
  try {
    if (RecallEtcChit(kind, date, no) == RecallResult::TooLong) return false;
  } catch (const db::DbError &) {
    if (kind == EtcKind::Held) {
      ClearWatChitRecord();
      ClearWatGodsRecords();
      ClearWatGodsSpeedRecords();
    } else {
      ClearBdlChitRecord();
      ClearBdlGodsRecords();
      ClearBdlGodsSpeedRecords();
    }
    ReportUnhandled(std::current_exception());
  }
  return true;
}

}  // namespace orv::checkout
