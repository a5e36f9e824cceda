#include "sale/goods_lookup.h"

#include <QStringList>

#include "chit/records.h"
#include "core/dates.h"
#include "core/globals.h"
#include "core/options.h"
#include "core/pos_settings.h"
#include "core/values.h"
#include "sale/sale_globals.h"

using orv::Currency;
namespace db = orv::db;

Currency gcBssNo;
Currency gcCmsNo;
Currency gcTpsMech1;
QString gsGdsSelectSql;
Currency gcGdsSelectKey;
std::function<Currency(const QString &)> gfnShowKeylist;
std::function<void()> gfnShowGdsSelect;

namespace {

// Goods with their free-goods link and bundle rows; a goods without either still comes
// back, and the highest bundle comes first (no bundle counts lowest).
const QString kGoodsFrom =
    QStringLiteral(" From GdsCode A Left Join CmsCode B On A.GcdKey = B.CmsNo2"
                   " Left Join BssCode C On A.GcdKey = C.BssNo2");
const QString kGoodsOrder = QStringLiteral(" Order By C.BssNo Desc NULLS LAST, B.CmsNo");
const QString kGoodsSelect = QStringLiteral(" Select A.*, B.*, C.BssNo") + kGoodsFrom;
// The same for the goods of hot keys.
const QString kKeyFrom =
    QStringLiteral(" From KeyCode D Join GdsCode A On A.GcdKey = D.KeyGcdKey"
                   " Left Join CmsCode B On A.GcdKey = B.CmsNo2"
                   " Left Join BssCode C On A.GcdKey = C.BssNo2");

QString workDate() { return FmtYmd(giWrkYear, giWrkMonth, giWrkDay, 0, 0); }

// A whole money value binds as a whole number (the key and number columns are whole);
// a value with a fraction matches no such column, and binds as its text.
QVariant bindNumber(Currency value) {
  if (value.raw() % Currency::kScale == 0) return qlonglong(value.raw() / Currency::kScale);
  return value.ToPlainText();
}

}  // namespace

db::Recordset QueryMain(const QString &sql, const QVariantList &values) {
  return goDbMain.QueryKept(sql, values);
}

namespace {

db::Recordset query(const QString &sql, const QVariantList &values) { return QueryMain(sql, values); }

void resetFound() {
  gcBssNo = {};
  gcCmsNo = {};
  gcTpsMech1 = {};
}

// The free-goods link when several rows came back: the first linked goods that is free
// goods (kind 9) on the work date.
Currency validCmsLink(db::Recordset &rs) {
  const QString date = workDate();
  for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
    const Currency cms = NzCur(rs.Field("CmsNo"));
    db::Recordset check = query(
        QStringLiteral(" Select A.GcdKey From GdsCode A Where A.GcdKey = ? And A.GcdSel1 = 9"
                       " And A.GcdStDate <= ? And A.GcdEdDate >= ?"),
        {bindNumber(cms), date, date});
    if (check.RecordCount() > 0) return NzCur(check.Field("GcdKey"));
  }
  return {};
}

// Loads the first row, its bundle and its free-goods link.
void takeFirstRow(db::Recordset &rs) {
  rs.MoveFirst();
  ReadGdsRecord(rs);
  gcBssNo = NzCur(rs.Field("BssNo"));
  gcCmsNo = rs.RecordCount() == 1 ? NzCur(rs.Field("CmsNo")) : validCmsLink(rs);
  rs.MoveFirst();
}

// The sale's trade partner's own price of the goods just found.
void partnerPrice() {
  gcTpsMech1 = {};
  if (gcTcdNo.IsZero() || gcTcdKey.IsZero() || gcTcdNo == Currency::Won(88000)) return;
  db::Recordset rs =
      query(QStringLiteral(" Select TpsMech1 From TrsPris Where TpsTrsKey = ? And TpsGdsKey = ?"),
            {bindNumber(gcTcdKey), bindNumber(gtGdsCode.GcdKey)});
  if (rs.RecordCount() > 0) gcTpsMech1 = NzCur(rs.Field("TpsMech1"));
}

// The hot-key filter of the keyboard kind; the shift state is bound.
QString keyboardCondition(QVariantList &values, int16_t shift) {
  switch (giSetKey) {
    case 0: return QStringLiteral(" And D.KeySel = 3");
    case 1: values << int(shift); return QStringLiteral(" And D.KeySel = 1 And D.GcdSss1 = ?");
    case 2: return QStringLiteral(" And D.KeySel = 0");
    case 3: values << int(shift); return QStringLiteral(" And D.KeySel = 2 And D.GcdSss1 = ?");
    case 4: values << int(shift); return QStringLiteral(" And D.KeySel = 4 And D.GcdSss1 = ?");
    default: return {};
  }
}

int findByNumber(Currency number) {
  db::Recordset rs = query(kGoodsSelect + " Where A.GcdNo = ?" + kGoodsOrder, {bindNumber(number)});
  if (rs.RecordCount() > 0) takeFirstRow(rs);
  return rs.RecordCount();
}

}  // namespace

int FindGdsByNo(Currency number) {
  if (number.IsZero()) return 0;
  resetFound();
  const int n = findByNumber(number);
  if (n > 0) partnerPrice();
  return n;
}

int FindGdsByBarcode(const QString &barcode) {
  if (barcode.isEmpty()) return 0;
  resetFound();
  db::Recordset rs = query(kGoodsSelect + " Where A.GcdBarcode = ?" + kGoodsOrder, {barcode});
  int n = rs.RecordCount();
  if (n > 0) {
    takeFirstRow(rs);
  } else if (barcode.size() >= 8 && barcode.size() <= 10) {
    // An 8- to 10-character code may be a goods number.
    const Currency number = NzCur(barcode);
    n = number.IsZero() ? 0 : findByNumber(number);
  }
  // Only goods just found get a partner price; a miss must not price the goods before.
  if (n > 0) partnerPrice();
  return n;
}

int FindGdsByKeyNo(Currency number, int16_t shift) {
  if (number.IsZero()) return 0;
  resetFound();
  const QString digits = number.ToPlainText();
  const Currency keyNo = NzCur(digits.right(3));
  QVariantList values{bindNumber(keyNo)};
  const QString cond = keyboardCondition(values, shift);
  db::Recordset rs = query(QStringLiteral(" Select A.*, B.*, C.BssNo") + kKeyFrom +
                               " Where D.KeyNo = ?" + cond + kGoodsOrder,
                           values);
  const int n = rs.RecordCount();
  if (n == 1) {
    takeFirstRow(rs);
  } else if (n >= 2) {
    // Several goods on the key: only the one the cashier picks counts; no pick is no goods
    // (the record still holds the goods looked up before).
    if (!gfnShowKeylist) return 0;
    // The list's statement for the chooser: numbers only, none of them typed text.
    QString listSql = " Select A.GcdKey, A.GcdNo, A.GcdBarcode, A.GcdName, A.GcdKyg, A.GcdMech"
                      " From KeyCode D Join GdsCode A On A.GcdKey = D.KeyGcdKey"
                      " Where D.KeyNo = " +
                      keyNo.ToPlainText();
    QString listCond = cond;
    if (listCond.contains('?')) listCond.replace('?', QString::number(shift));
    listSql += listCond + " Order By A.GcdNo";
    const Currency picked = gfnShowKeylist(listSql);
    if (!picked.IsZero()) {
      db::Recordset one = query(kGoodsSelect + " Where A.GcdKey = ?" + kGoodsOrder, {bindNumber(picked)});
      if (one.RecordCount() > 0) takeFirstRow(one);
      return one.RecordCount();
    }
    return 0;
  }
  return n;
}

Currency SelectPackGoods(Currency gdsKey, int16_t keyKind, int16_t keyNo) {
  const QString columns = QStringLiteral(
      "A.GcdKey, A.GcdNo, A.GcdBarcode, A.GcdName, A.GcdKyg, A.GcdBoxSu, A.GcdMech, A.GcdMech2");
  // The goods itself first, then every pack unit of the hot key (kept even when its goods
  // is gone), in pack order.
  auto statement = [&](const QString &key, const QString &kind, const QString &no) {
    return " Select 0 As Key2Pack, " + columns + " From GdsCode A Where A.GcdKey = " + key +
           " Union All Select B.Key2Pack, " + columns +
           " From KeyCode2 B Left Join GdsCode A On B.Key2GcdKey = A.GcdKey"
           " Where B.Key2Sel = " + kind + " And B.Key2No = " + no + " Order By Key2Pack";
  };
  db::Recordset rs = query(statement("?", "?", "?"),
                           {bindNumber(gdsKey), int(keyKind), int(keyNo)});
  if (rs.RecordCount() <= 1) return {};
  // The chooser gets the statement with the numbers written in; none of them is typed text.
  gsGdsSelectSql = statement(gdsKey.ToPlainText(), QString::number(keyKind), QString::number(keyNo));
  gcGdsSelectKey = {};
  if (gfnShowGdsSelect) gfnShowGdsSelect();
  return gcGdsSelectKey.IsZero() ? Currency::Won(-1) : gcGdsSelectKey;
}

int FindGdsByKeyValue(int32_t keyValue, int16_t shift) {
  if (keyValue == 0) return 0;
  resetFound();
  QVariantList values{keyValue};
  const QString cond = keyboardCondition(values, shift);
  QString sql = " Select A.*, B.*, C.BssNo, D.KeySel, D.KeyNo, D.KeyGcdKey, D.GcdSss2 As KeyPack" +
                kKeyFrom + " Where D.KeyValue = ?" + cond + kGoodsOrder;
  for (;;) {
    db::Recordset rs = query(sql, values);
    // Nothing found: no partner price either, for the goods looked up before.
    if (rs.RecordCount() == 0) return 0;
    rs.MoveFirst();
    ReadGdsRecord(rs);
    gcBssNo = NzCur(rs.Field("BssNo"));
    const Currency key = NzCur(rs.Field("GcdKey"));
    const int16_t keySel = int16_t(NzCur(rs.Field("KeySel")).RoundToInt());
    const int16_t keyNo = int16_t(NzCur(rs.Field("KeyNo")).RoundToInt());
    const int32_t pack = int32_t(NzCur(rs.Field("KeyPack")).RoundToInt());
    if (!key.IsZero() && pack == 1) {
      const Currency k = SelectPackGoods(key, keySel, keyNo);
      if (k < Currency{}) return 0;
      if (!k.IsZero()) {
        sql = " Select A.*, B.*, C.BssNo, 0 As KeySel, 0 As KeyNo, 0 As KeyGcdKey, 0 As KeyPack" +
              kGoodsFrom + " Where A.GcdKey = ?" + kGoodsOrder;
        values = {bindNumber(k)};
        continue;  // the chosen unit's pack flag is 0: no second choice
      }
    }
    gcCmsNo = rs.RecordCount() == 1 ? NzCur(rs.Field("CmsNo")) : validCmsLink(rs);
    partnerPrice();
    return rs.RecordCount();
  }
}

void DashCodeToBarcode(QString &code, int16_t longPrice) {
  if (code.isEmpty() || code.indexOf('-') != 2) return;
  const QString prefix = code.left(2);
  const QString rest = code.mid(3);
  if (rest.isEmpty() || rest.startsWith('-')) return;
  const int dash = int(rest.indexOf('-'));
  const QString item = NzCur(dash < 0 ? rest : rest.left(dash)).ToPlainText();
  const QString value = dash < 0 ? QStringLiteral("0") : NzCur(rest.mid(dash + 1)).ToPlainText();
  const QString body = longPrice != 0 ? prefix + PadLeft0(item, 4) + PadLeft0(value, 6)
                                      : prefix + PadLeft0(item, 5) + PadLeft0(value, 5);
  code = body + EanCheckDigit(body);
}

QString FindBarcodeByPrefix(db::Connection &conn, const QString &digits) {
  if (digits.isEmpty() || digits.size() > 8) return {};
  const QString low = digits + QString(8 - digits.size(), '0');
  const QString high = digits + QString(8 - digits.size(), '9');
  db::Statement st = conn.Prepare(
      QStringLiteral("Select BarBarCode From BarCode Where BarBarCode >= ? And BarBarCode <= ?"
                     " And length(trim(BarBarCode)) = 8 Order By BarBarCode"));
  st.Bind(0, low);
  st.Bind(1, high);
  db::Recordset rs = st.Query();
  return rs.RecordCount() > 0 ? NzStr(rs.Field("BarBarCode")) : QString();
}

QString FindBarcodeByPrefix(const QString &digits) { return FindBarcodeByPrefix(goDbMain, digits); }

QString GetOmaGods(const QString &code) {
  const QString date = workDate();
  db::Recordset rs = query(QStringLiteral(" Select OmaCode From OmaGods Where OmaCode = ?"
                                          " And OmaStDate <= ? And OmaEdDate >= ?"),
                           {code, date, date});
  return rs.RecordCount() > 0 ? NzStr(rs.Field("OmaCode")) : QString();
}

bool ReadSalePeriod(db::Connection &conn, SalePeriod &period) {
  // Under OptionReadsOnce (a recall) the period is read once.
  static struct {
    uint64_t scope = 0;
    QString conn;
    bool found = false;
    SalePeriod period;
  } kept;
  const uint64_t scope = OptionReadsScope();
  if (scope != 0 && kept.scope == scope && kept.conn == conn.Text()) {
    if (kept.found) period = kept.period;
    return kept.found;
  }
  db::Recordset rs = conn.OpenRecordset(QStringLiteral(" Select * From SleDate Order by SldNo"));
  const bool found = rs.RecordCount() > 0;
  if (found) {
    rs.MoveFirst();
    period.saleSel = int16_t(NzCur(rs.Field("SldSaleSel")).RoundToInt());
    period.stDate = NzCur(rs.Field("SldStDate"));
    period.edDate = NzCur(rs.Field("SldEdDate"));
  }
  kept = {scope, conn.Text(), found, period};
  return found;
}

namespace orv::state {
void ResetGoodsLookup() {
  gcBssNo = {};
  gcCmsNo = {};
  gcTpsMech1 = {};
  gsGdsSelectSql.clear();
  gcGdsSelectKey = {};
  gfnShowKeylist = nullptr;
  gfnShowGdsSelect = nullptr;
}
}  // namespace orv::state

orv::sale::ScaleIds ReadScaleIds() {
  std::array<int, 6> wide{};
  for (int k = 0; k < 6; ++k) wide[k] = GetRegInt(QStringLiteral("PosJulGumSize%1").arg(k + 1));
  return orv::sale::MakeScaleIds(GetRegChar(QStringLiteral("PosJulBarcode")), wide);
}
