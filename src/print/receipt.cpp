#include "print/receipt.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <cstdio>
#include <stdexcept>

#include "chit/chit_numbers.h"
#include "chit/records.h"
#include "core/application.h"
#include "core/card_ret.h"
#include "core/globals.h"
#include "core/state.h"
#include "core/pos_settings.h"
#include "core/values.h"
#include "platform/clock.h"
#include "platform/datafolder.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "platform/settings_store.h"
#include "print/receipt_reprint.h"
#include "print/receipt_text.h"
#include "chit/sale_state.h"

QString gsReceiptIdNo;

orv::Currency ProRataPoints(orv::Currency amount, orv::Currency base, orv::Currency scale) {
  return orv::print::ProRataPoints(amount, base, scale);
}
orv::Currency ProRataAmount(orv::Currency amount, orv::Currency base, orv::Currency scale) {
  return orv::print::ProRataAmount(amount, base, scale);
}
QString VanName(int32_t van) { return orv::print::VanName(van); }

namespace orv::print {
namespace {

QString text(const db::Recordset &rs, const char *f) {
  const QString name = QString::fromLatin1(f);
  return rs.HasField(name) ? NzStr(rs.Field(name)) : QString();
}
Currency money(const db::Recordset &rs, const char *f) {
  const QString name = QString::fromLatin1(f);
  return rs.HasField(name) ? NzCur(rs.Field(name)) : Currency();
}
int32_t whole(const db::Recordset &rs, const char *f) { return int32_t(money(rs, f).RoundToInt()); }

// Keys compare as the option readers compare them: without case or trailing blanks.
QString optionKey(const QString &k) {
  QString s = k;
  while (s.endsWith(' ')) s.chop(1);
  return s.toUpper();
}

// Goods rows, each key read once per receipt through one prepared statement.
class GoodsReader {
 public:
  // gdsBnsPoint: the shop's PosGdsBnsPoint, read with the receipt's options.
  explicit GoodsReader(int32_t gdsBnsPoint) : gdsBnsPoint_(gdsBnsPoint) {}

  RcptGoods operator()(Currency key) {
    if (auto it = goods_.constFind(key.raw()); it != goods_.constEnd()) return *it;
    if (!st_.IsPrepared()) st_ = goDbMain.Prepare(QStringLiteral("SELECT * FROM GdsCode WHERE GcdKey = ?"));
    st_.Bind(0, BindCur(key));
    db::Recordset rs = st_.Query();
    RcptGoods g;
    ClearGdsRecord();
    if (rs.RecordCount() > 0) {
      rs.MoveFirst();
      // As ReadGdsRecord, with the option already in hand instead of a query per row.
      chit::ReadFields(rs, gtGdsCode, chit::Fields<GdsCodeRec>());
      if (gdsBnsPoint_ != 1) gtGdsCode.GcdSss5 = 0;
    }
    records_.insert(key.raw(), gtGdsCode);
    if (rs.RecordCount() > 0) {
      g.name = text(rs, "GcdName");
      g.kyg = text(rs, "GcdKyg");
      g.barcode = text(rs, "GcdBarcode");
      g.no = money(rs, "GcdNo");
      g.mech = money(rs, "GcdMech");
      g.pSel3 = whole(rs, "GcdPSel3");
    }
    goods_.insert(key.raw(), g);
    return g;
  }

  // gtGdsCode as the receipt leaves it: the last goods line printed.
  void LeaveLast(const ReceiptData &d) {
    for (qsizetype i = d.lines.size() - 1; i >= 0; --i)
      if (!d.lines[i].gdsKey.IsZero()) {
        gtGdsCode = records_.value(d.lines[i].gdsKey.raw());
        return;
      }
  }

 private:
  int32_t gdsBnsPoint_;
  db::Statement st_;
  QHash<qint64, GdsCodeRec> records_;
  QHash<qint64, RcptGoods> goods_;
};

void fillCommon(ReceiptData &d) {
  d.checkDigits = ChitBarCheckDigits(d.chit.hab);
  d.now = clock::Now();
  d.extras.cardMsg1 = gsCardPrnMsg1;
  d.extras.cardMsg2 = gsCardPrnMsg2;
  d.extras.cashRcptNo = gsCashRcptNo;
  d.extras.cashRcptCmitNo = gsCashRcptCmitNo;
  d.extras.oneMoaName = gsOneMoaPersonName;
  d.extras.oneMoaPoint = gcOneMoaUsingPoint;
}

// The rows a receipt reads while it is built.
void attachReaders(ReceiptData &d, std::shared_ptr<GoodsReader> goods) {
  d.shop = ReadShop();
  d.goods = [goods](Currency key) { return (*goods)(key); };
  const QString date = d.chit.date;
  const Currency key = d.chit.trsKey, credit = d.chit.oisang;
  d.receivables = [date, key, credit] { return ReadReceivables(date, key, credit); };
}

QString errorText(const std::exception &e) {
  if (auto *d = dynamic_cast<const db::DbError *>(&e)) return d->Description;
  return QString::fromUtf8(e.what());
}

}  // namespace

QString MonthOf(const QString &date) {
  if (date.size() != 8 || IsDigits(date) != 1)
    throw db::DbError(db::kErrGeneric, QStringLiteral("날짜가 잘못되었습니다: ") + date);
  return date.mid(2, 4);
}

RcptOptions ReadReceiptOptions() {
  QHash<QString, std::pair<Currency, QString>> rows;
  try {
    db::Recordset rs = goDbMain.OpenRecordset(QStringLiteral("SELECT RegKey, RegInt, RegChar FROM OrvRegistry"));
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
      const QString k = optionKey(NzStr(rs.Field(QStringLiteral("RegKey"))));
      if (!rows.contains(k))
        rows.insert(k, {NzCur(rs.Field(QStringLiteral("RegInt"))), NzStr(rs.Field(QStringLiteral("RegChar")))});
    }
  } catch (...) {
    // The receipt prints with the default options.
    rows.clear();
    orv::LogAndGoOn(std::current_exception(), QStringLiteral("ReadReceiptOptions"));
  }
  auto cur = [&](const char *k) { return rows.value(optionKey(QString::fromLatin1(k))).first; };
  auto num = [&](const char *k) {
    const int64_t w = cur(k).raw() / Currency::kScale;
    return (w < INT32_MIN || w > INT32_MAX) ? 0 : int32_t(w);
  };
  auto chr = [&](const QString &k) { return rows.value(optionKey(k)).second; };
  RcptOptions o;
  o.cardCnt = num("PosCardCnt");
  o.cardFreeze = num("PosCardFreeze");
  o.prnFreeze = num("PosPrnFreeze");
  o.mechDisp = num("PosMechDisp");
  o.dcPrint = num("PosDcPrint");
  o.trsPrtNot = num("SetTrsPrtNot");
  for (int i = 1; i <= 3; ++i) o.heads << chr(QStringLiteral("PosPrnHead%1").arg(i));
  for (int i = 1; i <= 5; ++i) o.msgs << chr(QStringLiteral("PosPrnMsg%1").arg(i));
  o.bnsMnySel = num("PosBnsMnySel");
  o.bnsJumsu = cur("PosBnsJumsu");
  o.bnsGum = cur("PosBnsGum");
  o.bnsMoney = cur("PosBnsMoney");
  o.cstPanPrt = num("PosCstPanPrt");
  o.gdsBnsPoint = num("PosGdsBnsPoint");
  o.prtTjumsu = num("PosPrtTjumsu");
  return o;
}

RcptSettings CurrentReceiptSettings() {
  RcptSettings s;
  s.oiPrnSu = giSetOiPrnSu;
  s.junPrnNone = giSetJunPrnNone;
  s.van = giSetVan;
  s.posNo = giSetPosNo;
  s.onLine = giOnLine;
  s.misuNotPrn = int32_t(NzCur(settings_store::GetSetting(QStringLiteral("giSetMisuNotPrn"))).RoundToInt());
  return s;
}

std::optional<RcptShop> ReadShop() {
  db::Recordset rs = goDbMain.OpenRecordset(QStringLiteral("SELECT * FROM ComCode"));
  if (rs.RecordCount() == 0) return std::nullopt;
  rs.MoveFirst();
  return RcptShop{text(rs, "ComPrtName"), text(rs, "ComTel"),     text(rs, "ComAddr"),   text(rs, "ComSaupNo"),
                  text(rs, "ComPsn"),     text(rs, "ComUptae"), text(rs, "ComJongmok")};
}

RcptReceivables ReadReceivables(const QString &date, Currency trsKey, Currency chitCredit) {
  const QString yymm = MonthOf(date);
  RcptReceivables r;
  db::Statement ledger = goDbMain.Prepare(
      QStringLiteral("SELECT B.TcdKey, B.TcdNo, B.TcdName, SUM(A.TmsMiMiji) AS TmsMiMiji, "
                     "SUM(A.TmsMcMisu) AS TmsMcMisu, SUM(A.TmsMcSugum) AS TmsMcSugum "
                     "FROM TrsCode B LEFT JOIN TrsMast") +
      yymm +
      " A ON A.TmsTrsKey = B.TcdKey AND substr(A.TmsDate, 1, 6) = ? WHERE B.TcdKey = ? "
      "GROUP BY B.TcdKey, B.TcdNo, B.TcdName");
  ledger.Bind(0, date.left(6));
  ledger.Bind(1, BindCur(trsKey));
  db::Recordset rs = ledger.Query();
  if (rs.RecordCount() > 0) {
    rs.MoveFirst();
    r.tcdNo = money(rs, "TcdNo");
    r.tcdName = text(rs, "TcdName");
    r.balance = Currency::Sub(money(rs, "TmsMcMisu"), money(rs, "TmsMiMiji")).value_or(Currency());
  }
  auto sum = [&](const QString &column, const QString &where, const QVariant &value) {
    db::Statement st = goDbMain.Prepare(QStringLiteral("SELECT SUM(%1) AS s FROM PanChit").arg(column) + yymm +
                                        " WHERE PctTrsKey = ? AND PctJunsong = 1" + where);
    st.Bind(0, BindCur(trsKey));
    if (value.isValid()) st.Bind(1, value);
    db::Recordset s = st.Query();
    if (s.RecordCount() == 0) return Currency();
    s.MoveFirst();
    return NzCur(s.Field(0));
  };
  r.balance = Currency::Add(r.balance, sum("PctOiSang", " AND PctDate <= ?", date)).value_or(Currency());
  r.dayCredit = Currency::Sub(sum("PctOiSang", " AND PctDate = ?", date), chitCredit).value_or(Currency());
  r.collected = sum("PctRGum", " AND PctSss2 = 9", QVariant());
  return r;
}

bool ReadChitBack(const QString &date, int32_t chitNo, int32_t kind, ReceiptData &d) {
  const QString yymm = MonthOf(date);
  db::Statement head = goDbMain.Prepare(
      QStringLiteral("SELECT A.*, C.TcdNo, C.TcdName, D.PcdNo, D.PcdName FROM PanChit") + yymm +
      " A LEFT JOIN TrsCode C ON A.PctTrsKey = C.TcdKey LEFT JOIN PsnCode D ON A.PctPsnKey = D.PcdKey"
      " WHERE A.PctDate = ? AND A.PctChtNo = ?");
  head.Bind(0, date);
  head.Bind(1, chitNo);
  db::Recordset rs = head.Query();
  if (rs.RecordCount() == 0) return false;
  rs.MoveFirst();
  ClearPanChitRecord();
  if (kind != 8) ClearPanGodsRecords();
  ClearPanListRecord();
  ReadPanChitRecord(rs);
  RcptChit &c = d.chit;
  c.date = text(rs, "PctDate");
  c.chtNo = whole(rs, "PctChtNo");
  c.wrtDate = text(rs, "PctWrtdate");
  c.wrtTime = text(rs, "PctWrttime");
  c.hab = money(rs, "PctHab");
  c.gum = money(rs, "PctGum");
  c.buga = money(rs, "PctBuga");
  c.ntx = money(rs, "PctNtx");
  c.rgum = money(rs, "PctRGum");
  c.cgum = money(rs, "PctCGum");
  c.money = money(rs, "PctMoney");
  c.card = money(rs, "PctCard");
  c.oisang = money(rs, "PctOisang");
  c.csobi = money(rs, "PctCSobi");
  c.dcAmt = money(rs, "PctSss4");
  c.cashRcpt = whole(rs, "PctSss5");
  c.trsKey = money(rs, "PctTrsKey");
  c.cstKey = money(rs, "PctCstKey");
  c.cardNo = text(rs, "PctCardNo");
  c.cmitNo = text(rs, "PctCmitNo");
  c.cmitDate = text(rs, "PctCmitDate");
  c.cdComName = text(rs, "PctCDComName");
  c.cdGubun = text(rs, "PctCDGubun");
  c.gamyNo = text(rs, "PctGaMyNo");
  d.partnerNo = money(rs, "TcdNo");
  d.partnerName = text(rs, "TcdName");
  d.staffNo = money(rs, "PcdNo");
  d.staffName = text(rs, "PcdName");

  // A customer who is gone prints as an empty record, never as someone else.
  d.cst = RcptCustomer{};
  if (ReadCstRecordByKey(c.cstKey)) {
    const CstCodeRec &r = gtCstCode;
    d.cst = RcptCustomer{r.CcdKey, r.CcdNo, r.CcdBarcode, r.CcdName, r.CcdJumsu, r.CcdZerdo, r.CcdTjumsu};
  }
  if (kind != 8) {
    d.lines.clear();
    db::Statement goods = goDbMain.Prepare(QStringLiteral("SELECT * FROM PanGods") + yymm +
                                           " WHERE PcgDate = ? AND PcgChtNo = ? ORDER BY PcgSeqNo");
    goods.Bind(0, date);
    goods.Bind(1, chitNo);
    db::Recordset gr = goods.Query();
    for (gr.MoveFirst(); !gr.Eof() && d.lines.size() < kMaxChitLines; gr.MoveNext()) {
      ReadPanGodsRecord(gr, int(d.lines.size()) + 1);
      d.lines.append({money(gr, "PcgGdsKey"), money(gr, "PcgSu"), money(gr, "PcgDanga"), money(gr, "PcgGum"),
                      whole(gr, "PcgTax")});
    }
  }
  d.list = RcptList{};
  db::Statement list = goDbMain.Prepare(QStringLiteral("SELECT * FROM PanList") + yymm +
                                        " WHERE PclDate = ? AND PclChtNo = ?");
  list.Bind(0, date);
  list.Bind(1, chitNo);
  db::Recordset lr = list.Query();
  if (lr.RecordCount() > 0) {
    lr.MoveFirst();
    ReadPanListRecord(lr);
    for (int i = 1; i <= 10; ++i)
      d.list.gum[i] = money(lr, QStringLiteral("PclGum%1").arg(i, 2, 10, QLatin1Char('0')).toLatin1().constData());
    d.list.jaSangPum = money(lr, "PclJaSangPum");
    d.list.taSangPum = money(lr, "PclTaSangPum");
    d.list.sss1 = whole(lr, "PclSss1");
    d.list.sss2 = whole(lr, "PclSss2");
  }
  return true;
}

}  // namespace orv::print

namespace {

using namespace orv::print;

// The receipt's data: read back, or the records in memory.
bool prepare(const QString &chitDate, int32_t chitNo, int32_t kind, int16_t readChit, ReceiptData &d) {
  d.kind = kind;
  if (readChit == 1) {
    if (!ReadChitBack(chitDate, chitNo, kind, d)) return false;
  } else {
    ReceiptFromRecords(d);
    d.partnerNo = gcTcdNo;
    d.partnerName = gsTcdName;
    d.staffNo = gcPcdNo;
    d.staffName = gsPcdName;
  }
  return true;
}

}  // namespace

void Print_Zerdo(const QString &chitDate, int32_t chitNo, int32_t kind, int16_t readChit) {
  const RcptOptions opt = ReadReceiptOptions();
  const RcptSettings set = CurrentReceiptSettings();
  ReceiptData d;
  if (!prepare(chitDate, chitNo, kind, readChit, d)) return;
  fillCommon(d);
  try {
    auto goods = std::make_shared<GoodsReader>(opt.gdsBnsPoint);
    attachReaders(d, goods);
    PrinterOut out;
    gsReceiptIdNo = BuildReceipt(d, opt, set, out);
    goods->LeaveLast(d);
    ReceiptToRecords(d, readChit == 1);
  } catch (const std::exception &e) {
    ReceiptToRecords(d, readChit == 1);
    orv::dialogs::MsgBox(errorText(e), orv::dialogs::kOkOnly | orv::dialogs::kCritical,
                         QStringLiteral("프린트실패(Print_Zerdo)"));
  }
}

void Print_File(const QString &chitDate, int32_t chitNo, int32_t kind, int16_t readChit) {
  const RcptOptions opt = ReadReceiptOptions();
  const RcptSettings set = CurrentReceiptSettings();
  ReceiptData d;
  if (!prepare(chitDate, chitNo, kind, readChit, d)) return;
  const QString path = ReceiptFilePath(d.chit.date, d.chit.chtNo);
  const QString folder = QFileInfo(path).absolutePath();
  if (!QDir().mkpath(folder))
    throw std::runtime_error((QStringLiteral("폴더를 만들 수 없습니다: ") + folder).toStdString());
  fillCommon(d);
  const QString temp = path + QStringLiteral(".tmp");
  try {
    auto goods = std::make_shared<GoodsReader>(opt.gdsBnsPoint);
    attachReaders(d, goods);
    FileOut out;
    gsReceiptIdNo = BuildReceipt(d, opt, set, out);
    goods->LeaveLast(d);
    ReceiptToRecords(d, readChit == 1);
    QFile f(temp);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(out.bytes) != out.bytes.size() || !f.flush())
      throw std::runtime_error((QStringLiteral("영수증 파일을 쓸 수 없습니다: ") + path + " (" + f.errorString() + ")").toStdString());
    f.close();
    if (f.error() != QFileDevice::NoError || std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(path).constData()) != 0)
      throw std::runtime_error((QStringLiteral("영수증 파일을 쓸 수 없습니다: ") + path).toStdString());
  } catch (const std::exception &e) {
    ReceiptToRecords(d, readChit == 1);
    // Neither a half file nor an older receipt of the chit may be printed for it later.
    QFile::remove(temp);
    QFile::remove(path);
    orv::dialogs::MsgBox(errorText(e), orv::dialogs::kOkOnly | orv::dialogs::kCritical,
                         QStringLiteral("프린트실패(Print_File)"));
  }
}

void PrintSavedReceipt(const QString &chitDate, int32_t chitNo, int32_t kind, int16_t readChit, int16_t reprint) {
  const QString path = ReceiptFilePath(chitDate, chitNo);
  if (QFileInfo::exists(path))
    PrintReceiptFile(path, reprint);
  else
    Print_Zerdo(chitDate, chitNo, kind, readChit);
}

namespace orv::state {
void ResetReceiptState() { gsReceiptIdNo.clear(); }
}  // namespace orv::state

namespace {
const bool kResetRegistered = orv::state::RegisterReset(&orv::state::ResetReceiptState);
}
