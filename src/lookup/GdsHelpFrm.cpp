#include "lookup/GdsHelpFrm.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "core/byte_text.h"
#include "core/dates.h"
#include "core/globals.h"
#include "lookup/help_globals.h"
#include "core/options.h"
#include "core/text_format.h"
#include "core/values.h"
#include "lookup/DirectGoFrm.h"
#include "lookup/col_size.h"
#include "lookup/help_forms.h"
#include "lookup/lookup_common.h"
#include "chit/name_readers.h"
#include "platform/dialogs.h"
#include "platform/keys.h"
#include "platform/list_grid.h"

using namespace orv;
using namespace orv::lookup;

namespace {

enum Field {
  kKey, kNo, kName, kKyg, kBoxSu, kBar, kBarChk, kPsel1, kTax, kZtax, kSss4, kDanwi, kDanga,
  kMech, kMech2, kMech3, kGrade, kBoxNo2, kLastOut, kJego, kLmiDate, kLmiDanga, kLmcDate,
  kLmcDanga, kTrsName, kMeip1, kMeip2, kMech1P, kMech2P, kMiSelt, kMcSelt
};

constexpr int kPageRows = 24;

int64_t whole(const QVariant &v) { return NzCur(v).raw() / Currency::kScale; }

QString tenDigits(const QVariant &no) {
  return PadLeft0(NzCur(no).ToPlainText(), 10);
}

struct WaitCursor {
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

// "col LIKE ?" or, for a prefix, a range an index can serve.
QString textTest(const QString &col, const QString &value, bool prefix, QVariantList &args) {
  if (prefix) {
    args << value << PrefixEnd(value);
    return "(" + col + " >= ? AND " + col + " < ?)";
  }
  args << ContainsPattern(value);
  return col + " LIKE ? ESCAPE '\\'";
}

QString barcodeTests(const QString &b, bool prefix, QVariantList &args) {
  QStringList ors;
  for (const char *c : {"GcdBarcode", "GcdBoxBarcode", "GcdMboxBarcode", "GcdBboxBarcode"})
    ors << textTest(c, b, prefix, args);
  return ors.join(" OR ");
}

}  // namespace

PagedQuery BuildGdsSql(const db::Dialect &d, const GdsQueryState &s) {
  PagedQuery q;
  const QString k = s.TrsKey.ToPlainText();
  const bool window = s.TrsMonths == 3 || s.TrsMonths == 6 || s.TrsMonths == 12;
  // The recent-trade list never shows stock, even when the stock table was made.
  const bool jego = !s.JegoTable.isEmpty() && !window;
  q.columns =
      "GcdKey, GcdNo, GcdName, GcdKyg, GcdBoxSu, GcdBarcode, GcdBarCdChk, GcdPsel1, GcdTax, "
      "GcdZtax, GcdSss4, GcdDanwi, GcdDanga, GcdMech, GcdMech2, GcdMech3, GabDegree, BoxNo2, "
      "GcdLastOut, " +
      QString(jego ? "J.GmsGdsJego" : "0") +
      " AS GdsJego, LmiDate, LmiDanga, LmcDate, LmcDanga, TcdName, TpsMeip1, TpsMeip2, "
      "TpsMech1, TpsMech2, G1.TgoSelt AS TgoMiSelt, G2.TgoSelt AS TgoMcSelt";
  q.from = "GdsCode";
  if (window) {
    const TradeWindow w = LastTradeWindow(s.WrkYear, s.WrkMonth, s.TrsMonths);
    auto span = [&](const QString &p) {
      q.args << w.y1 << w.y1 << w.m1 << w.y1 << w.m1 << 1 << w.y2 << w.y2 << w.m2 << w.y2
             << w.m2 << 31;
      return QString("(%1Year > ? OR (%1Year = ? AND %1Mon > ?) OR (%1Year = ? AND %1Mon = ? "
                     "AND %1Day >= ?)) AND (%1Year < ? OR (%1Year = ? AND %1Mon < ?) OR "
                     "(%1Year = ? AND %1Mon = ? AND %1Day <= ?))")
          .arg(p);
    };
    q.args << k;
    QString sub =
        "SELECT McgGdsKey FROM MipChit JOIN MipGods ON MctYear = McgYear AND MctMon = McgMon "
        "AND MctIO = McgIO AND MctDay = McgDay AND MctDate = McgDate AND MctChtNo = McgChtNo "
        "WHERE MctTrsKey = ? AND (MctIO = 1 OR MctIO = 2) AND ";
    sub += span("Mct");
    sub += " AND " + span("Mcg");
    sub += " AND MctDate BETWEEN ? AND ? GROUP BY McgGdsKey";
    q.args << w.from << w.to;
    q.from += " JOIN (" + sub + ") T ON GcdKey = T.McgGdsKey";
  }
  q.from +=
      " LEFT JOIN TrsCode ON GcdMeipKey = TcdKey"
      " LEFT JOIN GdsAbcd ON GcdKey = GabKey"
      " LEFT JOIN BoxCode ON GcdKey = BoxNo"
      " LEFT JOIN TrsPris ON GcdKey = TpsGdsKey AND TpsTrsKey = ?"
      " LEFT JOIN GdsLmip ON GcdKey = LmiKey AND LmiTrsKey = ?"
      " LEFT JOIN GdsLmch ON GcdKey = LmcKey AND LmcTrsKey = ?"
      " LEFT JOIN TrsGods G1 ON G1.TgoIO = 1 AND G1.TgoTrsKey = ? AND GcdKey = G1.TgoGdsKey"
      " LEFT JOIN TrsGods G2 ON G2.TgoIO = 2 AND G2.TgoTrsKey = ? AND GcdKey = G2.TgoGdsKey";
  if (jego) q.from += " LEFT JOIN " + s.JegoTable + " J ON GcdKey = J.GmsGdsKey";
  q.args << k << k << k << k << k;
  QStringList where{"1 = 1"};
  const QString t = s.StartText;
  const QString name = d.Fold("GcdName"), kyg = d.Fold("GcdKyg");
  if (!t.isEmpty()) {
    if (t.size() > 2 && t.startsWith('~') && t.endsWith('~')) {
      where << "(" + barcodeTests(t.mid(1, t.size() - 2), s.OptStBar, q.args) + ")";
    } else {
      const QString ft = FoldText(t);
      QStringList words;
      if (s.OptMulti) {
        for (const QString &w : ft.split(' ')) words << TrimBlanks(w);
      }
      QString test;
      // Each test appends its values in the order its marks are written.
      if (words.isEmpty()) {
        const QString byName = textTest(name, ft, s.OptStName, q.args);
        const QString byKyg = textTest(kyg, ft, false, q.args);
        test = "(" + byName + " OR " + byKyg + ")";
      } else {
        QStringList ands;
        for (int i = 0; i < words.size(); ++i) {
          if (i > 0 && words[i].isEmpty()) continue;
          const QString byName = textTest(name, words[i], i == 0 && s.OptStName, q.args);
          const QString byKyg = textTest(kyg, words[i], false, q.args);
          ands << "(" + byName + " OR " + byKyg + ")";
        }
        test = "(" + ands.join(" AND ") + ")";
      }
      const QString byBarcode = barcodeTests(t, s.OptStBar, q.args);
      const QString byCompNo = textTest("GcdCompNo", t, s.OptStBar, q.args);
      where << "(" + test + " OR " + byBarcode + " OR " + byCompNo + ")";
    }
  } else {
    const GdsConditions &c = s.Cond;
    const qlonglong lo = qlonglong(c.SetGno1 == 0 ? 1 : c.SetGno1) * 10000000LL;
    const qlonglong hi = qlonglong(c.SetGno2 == 0 ? 999 : c.SetGno2) * 10000000LL + 9999999LL;
    // SQLite would take the number's index for this all-but-every-row range and sort the
    // whole list; PostgreSQL estimates the range well only on the plain column.
    const QString no = d.engine() == db::Engine::PostgreSQL ? "GcdNo" : "GcdNo + 0";
    where << no + " >= ? AND " + no + " <= ?";
    q.args << lo << hi;
    if (c.GdsSeltChk) where << "GcdNo % 10000 = 0";
    const QString g1 = FoldText(c.SetGname), g2 = FoldText(c.SetGname1);
    if (!g1.isEmpty() && !g2.isEmpty()) {
      const QString first = textTest(name, g1, s.OptStName, q.args);
      const QString second = textTest(name, g2, false, q.args);
      where << "(" + first + " AND " + second + ")";
    }
    else if (!g1.isEmpty())
      where << textTest(name, g1, s.OptStName, q.args);
    else if (!g2.isEmpty())
      where << textTest(name, g2, false, q.args);
    if (!c.SetGbar.isEmpty()) where << "(" + barcodeTests(c.SetGbar, s.OptStBar, q.args) + ")";
    if (!c.SetGkyg.isEmpty()) where << textTest(kyg, FoldText(c.SetGkyg), false, q.args);
    const std::pair<const char *, Currency> keys[] = {{"GcdMeipKey", c.SetMeipKey},
                                                      {"GcdBmn1Key", c.SetBmn1Key},
                                                      {"GcdBmn2Key", c.SetBmn2Key},
                                                      {"GcdBmn3Key", c.SetBmn3Key}};
    for (const auto &[col, key] : keys) {
      if (key.IsZero()) continue;
      where << QString(col) + " = ?";
      q.args << key.ToPlainText();
    }
    const std::pair<const char *, int> flags[] = {
        {"GcdSss4", c.Selt1}, {"GcdSss2", c.Selt2}, {"GcdPsel1", c.Selt3}};
    for (const auto &[col, v] : flags) {
      if (v == 1) where << QString("%1 = 1").arg(col);
      if (v == 2) where << QString("(%1 IS NULL OR %1 = 0)").arg(col);
    }
  }
  if (s.OptDelt) where << "(GcdPsel1 = 0 OR GcdPsel1 IS NULL)";
  q.where = where.join(" AND ");
  switch (s.SortMode) {
    case 0: q.order = {{"GcdNo", true}, {"BoxNo2", true, true}}; break;
    case 2:
      q.order = {{"GcdBarcode", true, true}, {"GcdNo", true}, {"BoxNo2", true, true}};
      break;
    case 3:
      // No index serves a joined column: read in one go.
      q.order = {{"LmcDate", false, true}, {"GcdNo", true}, {"BoxNo2", true, true}};
      q.pageSize = 0;
      break;
    default:
      q.order = {{name, true, true}, {kyg, true, true}, {"GcdNo", true}, {"BoxNo2", true, true}};
      break;
  }
  return q;
}

TradeWindow LastTradeWindow(int wrkYear, int wrkMonth, int months) {
  TradeWindow w{wrkYear, wrkMonth, wrkYear, wrkMonth, {}, {}};
  for (int i = 0; i < months; ++i) {
    if (--w.m1 < 1) {
      w.m1 = 12;
      --w.y1;
    }
  }
  auto ym = [](int y, int m) {
    return QString::number(y).rightJustified(4, '0') + QString::number(m).rightJustified(2, '0');
  };
  w.from = ym(w.y1, w.m1) + "01";
  w.to = ym(w.y2, w.m2) + "31";
  return w;
}

qint64 DeptNoOf(const QString &a, const QString &b, const QString &c) {
  const QString text = ("000" + TrimBlanks(a)).right(3) + ("000" + TrimBlanks(b)).right(3) +
                       ("0000" + TrimBlanks(c)).right(4);
  return NzCur(text).raw() / Currency::kScale;
}

GdsRowMarks GdsMarksOf(const ListFields &f, int side) {
  GdsRowMarks m;
  if (side == 1) {
    m.p = !NzCur(f.value(kMeip1)).IsZero() || !NzCur(f.value(kMeip2)).IsZero();
    m.g = whole(f.value(kMiSelt)) == 1;
    m.lastPrice = NzCur(f.value(kLmiDanga));
  } else if (side == 2) {
    m.p = !NzCur(f.value(kMech1P)).IsZero() || !NzCur(f.value(kMech2P)).IsZero();
    m.g = whole(f.value(kMcSelt)) == 1;
    m.lastPrice = NzCur(f.value(kLmcDanga));
  }
  return m;
}

ListCell GdsHelpCell(const ListFields &f, int col, int side) {
  ListCell c;
  const QString no = NzStr(f.value(kNo));
  // Classification rows first; later rules override on the same cell.
  if (no.right(7) == "0000000") {
    c.fore = 0xC000C0;
    c.back = 0xB0B0B0;
  } else if (no.right(4) == "0000") {
    c.fore = 0xC00000;
    c.back = 0xE0E0E0;
  }
  const GdsRowMarks m = GdsMarksOf(f, side);
  auto money = [&](int field) {
    const Currency v = NzCur(f.value(field));
    return v.IsZero() ? QString() : FmtAmtDec(v, 1);
  };
  switch (col) {
    case 1:
      c.text = tenDigits(f.value(kNo));
      if (whole(f.value(kTax)) == 1) c.fore = 0x808000;
      if (!m.lastPrice.IsZero()) c.bold = true;
      break;
    case 3:
      c.text = NzStr(f.value(kName));
      c.bold = whole(f.value(kSss4)) == 1;
      if (m.g) c.fore = 0x0040C0;
      if (m.p) c.fore = 0xFF00FF;
      if (m.p && m.g) c.fore = 0xC000C0;
      break;
    case 4: c.text = NzStr(f.value(kKyg)); break;
    case 5: {
      c.text = NzStr(f.value(kBar));
      if (EanValidate(c.text).endsWith('X')) c.fore = 0x0000FF;
      if (c.text.size() == 13 && c.text.endsWith("000000")) c.fore = 0x808000;
      break;
    }
    case 6: c.text = NzStr(f.value(kTrsName)); break;
    case 7: c.text = FmtAmtDec(NzCur(f.value(kBoxSu)), 1); break;
    case 8: c.text = NzStr(f.value(kGrade)); break;
    case 9: c.text = NzStr(f.value(kDanwi)); break;
    case 10: c.text = FmtAmtDec(NzCur(f.value(kJego)), 1); break;
    case 11:
      if (whole(f.value(kTax)) == 1) c.text = whole(f.value(kZtax)) != 0 ? "영세" : "면세";
      break;
    case 12: c.text = m.p ? "*" : ""; break;
    case 13: c.text = m.g ? "*" : ""; break;
    case 14: {
      const QString date = side == 1 ? NzStr(f.value(kLmiDate)) : side == 2 ? NzStr(f.value(kLmcDate)) : "";
      c.text = NzCur(date).IsZero() ? QString(8, ' ') : date;
      break;
    }
    case 15: c.text = m.lastPrice.IsZero() ? "" : FmtAmtDec(m.lastPrice, 1); break;
    case 16: c.text = side == 2 ? money(kMech1P) : ""; break;
    case 18: c.text = money(kMech); break;
    case 19: c.text = money(kMech2); break;
    case 20: c.text = money(kMech3); break;
    case 21: c.text = CurStr(NzCur(f.value(kPsel1)), 1); break;
    case 22: c.text = NzCur(f.value(kKey)).ToPlainText(); break;
    default: break;
  }
  if (whole(f.value(kPsel1)) == 1) c.fore = 0xC0C0FF;
  if (col == 1 && whole(f.value(kBoxNo2)) != 0) c.back = 0xC0C0C0;
  return c;
}

void WriteTrsGodsMark(Currency trsKey, int side, Currency gdsKey, int mark) {
  db::Transaction tx(goDbMain);
  const QVariantList key{side, trsKey.ToPlainText(), gdsKey.ToPlainText()};
  ExecBound(goDbMain, "DELETE FROM TrsGods WHERE TgoIO = ? AND TgoTrsKey = ? AND TgoGdsKey = ?",
            key);
  if (mark == 1)
    ExecBound(goDbMain,
              "INSERT INTO TrsGods (TgoIO, TgoTrsKey, TgoGdsKey, TgoSelt, TgoSss1, TgoSss2, "
              "TgoSss3, TgoSss4, TgoSss5) VALUES (?, ?, ?, 1, 0, 0, 0, 0, 0)",
              key);
  tx.Commit();
}

namespace {

QPushButton *button(QWidget *parent, const char *name, const QString &caption,
                    const QString &tip = {}) {
  auto *b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  b->setFocusPolicy(Qt::NoFocus);
  if (!tip.isEmpty()) b->setToolTip(tip);
  return b;
}

QLineEdit *edit(QWidget *parent, const char *name) {
  auto *e = new QLineEdit(parent);
  e->setObjectName(name);
  return e;
}

}  // namespace

GdsHelpFrm::GdsHelpFrm(QWidget *parent) : LookupDialog(parent) {
  setObjectName("GdsHelpFrm");
  setWindowTitle("상품 코드 조회");
  auto *lay = new QGridLayout(this);

  auto *top = new QHBoxLayout;
  GdsHelp1Opt = new QRadioButton("번호", this);
  GdsHelp2Opt = new QRadioButton("이름", this);
  GdsHelp3Opt = new QRadioButton("바코드", this);
  GdsHelp4Opt = new QRadioButton("최종거래", this);
  auto *sortGroup = new QButtonGroup(this);
  int mode = 0;
  for (auto [o, n] : {std::pair{GdsHelp1Opt, "GdsHelp1Opt"}, {GdsHelp2Opt, "GdsHelp2Opt"},
                      {GdsHelp3Opt, "GdsHelp3Opt"}, {GdsHelp4Opt, "GdsHelp4Opt"}}) {
    o->setObjectName(n);
    o->setFocusPolicy(Qt::NoFocus);
    sortGroup->addButton(o);
    top->addWidget(o);
    connect(o, &QRadioButton::toggled, this, [this, mode](bool on) {
      if (on) sortBy(mode);
    });
    ++mode;
  }
  auto check = [this, top](const char *name, const char *caption, const char *tip = nullptr) {
    auto *c = new QCheckBox(QString::fromUtf8(caption), this);
    c->setObjectName(name);
    c->setFocusPolicy(Qt::NoFocus);
    if (tip) c->setToolTip(QString::fromUtf8(tip));
    top->addWidget(c);
    return c;
  };
  GdsStartChk = check("GdsStartChk", "상품시작명검색", "[.]");
  GdsMultiChk = check("GdsMultiChk", "다중검색", "구분자는Space키");
  BarStartChk = check("BarStartChk", "바코드앞자리검색", "[,]");
  CdeDeltChk = check("CdeDeltChk", "정상상품만검색");
  GdsJegoChk = check("GdsJegoChk", "상품재고조회");
  GdsPriceChk = check("GdsPriceChk", "지정가+최종가");
  lay->addLayout(top, 0, 0, 1, 2);

  vaSpread1 = new ListGrid(this);
  vaSpread1->setObjectName("vaSpread1");
  const char *heads[] = {"상품번호", "S", "상품명", "규격", "바코드", "매입", "입수", "등급",
                         "단위", "재고", "구분", "P", "G", "최종거래", "최종가", "지정가",
                         "매입단가", "판매단가", "판매단가B", "판매단가C", "D", "GdsKey", "비고"};
  const double widths[] = {11.75, 2, 18, 8, 14, 5, 5, 5, 6, 8, 5, 2, 2, 9, 10, 10, 10, 10, 10, 10, 2, 11, 8};
  vaSpread1->SetMaxCols(23);
  for (int c = 1; c <= 23; ++c) {
    vaSpread1->SetColHeaderText(c, QString::fromUtf8(heads[c - 1]));
    vaSpread1->SetColWidth(c, widths[c - 1]);
  }
  vaSpread1->SetCheckCol(2);
  vaSpread1->SetFormatter([this](const ListFields &f, int col) {
    return GdsHelpCell(f, col, giHelpSubMode);
  });
  lay->addWidget(vaSpread1, 1, 0);

  auto *side = new QVBoxLayout;
  GdsHomeCmd = button(this, "GdsHomeCmd", "처음");
  GdsPgupCmd = button(this, "GdsPgupCmd", "PUp");
  GdsUpCmd = button(this, "GdsUpCmd", "위로");
  GdsDnCmd = button(this, "GdsDnCmd", "아래");
  GdsPgdnCmd = button(this, "GdsPgdnCmd", "PDn");
  GdsEndCmd = button(this, "GdsEndCmd", "끝에");
  GdsSeltCmd = button(this, "GdsSeltCmd", "조건", "F3");
  GdsAllsCmd = button(this, "GdsAllsCmd", "전체", "F4");
  ChtTotalCmd = button(this, "ChtTotalCmd", "전체선택", "Ctrl+F1");
  ChtCancelCmd = button(this, "ChtCancelCmd", "선택취소", "Ctrl+F2");
  ChtAllCmd = button(this, "ChtAllCmd", "그룹선택", "Alt+F1");
  CdeInsertCmd = button(this, "CdeInsertCmd", "신규등록", "Shift+F3, Insert");
  TgoSeltCmd = button(this, "TgoSeltCmd", "거래상품", "{ F9 : 거래상품 선택 On/Off }");
  ChtSeltCmd = button(this, "ChtSeltCmd", "선택", "F1");
  MoveSeltCmd = button(this, "MoveSeltCmd", "선택상품 다시 보여주기");
  GdsNameCmd = button(this, "GdsNameCmd", "조", "Space");
  PrevSeekCmd = button(this, "PrevSeekCmd", "◀", "[-]");
  NextSeekCmd = button(this, "NextSeekCmd", "▶", "[+], Delete");
  InitColsRtn = button(this, "InitColsRtn", "초기");
  for (QPushButton *b : {GdsHomeCmd, GdsPgupCmd, GdsUpCmd, GdsDnCmd, GdsPgdnCmd, GdsEndCmd,
                         GdsSeltCmd, GdsAllsCmd, GdsNameCmd, PrevSeekCmd, NextSeekCmd, ChtSeltCmd,
                         ChtTotalCmd, ChtCancelCmd, ChtAllCmd, MoveSeltCmd, CdeInsertCmd, TgoSeltCmd,
                         InitColsRtn})
    side->addWidget(b);
  side->addWidget(new QLabel("{ F3:조건, F4:전체, Spc:검색 }", this));
  side->addStretch();
  lay->addLayout(side, 1, 1);

  auto *bottom = new QHBoxLayout;
  bottom->addWidget(new QLabel("찾아보기", this));
  GdsStartTxt = edit(this, "GdsStartTxt");
  bottom->addWidget(GdsStartTxt, 1);
  GdsSeekCmd = button(this, "GdsSeekCmd", "찾기", "Enter,F4(PgDn),F2,F3");
  GdsEnterCmd = button(this, "GdsEnterCmd", "선택");
  GdsInputCmd = button(this, "GdsInputCmd", "확인");
  GdsCancelCmd = button(this, "GdsCancelCmd", "취소");
  bottom->addWidget(new QLabel("{ PageDn --> 확인 }", this));
  for (QPushButton *b : {GdsSeekCmd, GdsEnterCmd, GdsInputCmd, GdsCancelCmd}) bottom->addWidget(b);
  lay->addLayout(bottom, 2, 0, 1, 2);

  TgsViewFme = new QFrame(this);
  TgsViewFme->setObjectName("TgsViewFme");
  auto *tl = new QHBoxLayout(TgsViewFme);
  tl->addWidget(new QLabel("지정가 있는 상품만 조회됨", TgsViewFme));
  TgsViewFme->setStyleSheet("background: #FFFF80;");
  TgsViewFme->hide();
  lay->addWidget(TgsViewFme, 3, 0, 1, 2);

  buildPanel(this);
  lay->addWidget(GdsSetFme, 1, 0, Qt::AlignTop | Qt::AlignLeft);
  buildSelected(this);
  lay->addWidget(GdsSeltFme, 1, 0, Qt::AlignBottom | Qt::AlignRight);
  resize(1000, 640);

  connect(GdsHomeCmd, &QPushButton::clicked, this, [this] { nav(-1000000000, 1); });
  connect(GdsEndCmd, &QPushButton::clicked, this, [this] { nav(1000000000, 1); });
  connect(GdsUpCmd, &QPushButton::clicked, this, [this] { nav(-1, 1); });
  connect(GdsDnCmd, &QPushButton::clicked, this, [this] { nav(1, 1); });
  connect(GdsPgupCmd, &QPushButton::clicked, this, [this] { nav(-1, kPageRows); });
  connect(GdsPgdnCmd, &QPushButton::clicked, this, [this] { nav(1, kPageRows); });
  connect(GdsSeekCmd, &QPushButton::clicked, this, [this] {
    SeekNextRow();
    vaSpread1->setFocus();
  });
  connect(GdsEnterCmd, &QPushButton::clicked, this, &GdsHelpFrm::TakeAction);
  connect(GdsInputCmd, &QPushButton::clicked, this, &GdsHelpFrm::TakeAction);
  connect(GdsCancelCmd, &QPushButton::clicked, this, &GdsHelpFrm::CancelAction);
  connect(ChtTotalCmd, &QPushButton::clicked, this, &GdsHelpFrm::MarkAll);
  connect(ChtCancelCmd, &QPushButton::clicked, this, &GdsHelpFrm::ClearMarks);
  connect(ChtAllCmd, &QPushButton::clicked, this, [this] { MarkGroupRows(0); });
  connect(GdsSeltCmd, &QPushButton::clicked, this, [this] {
    if (GdsSetFme->isVisible())
      GdsSetFme->hide();
    else
      OpenGdsConditions();
  });
  connect(GdsAllsCmd, &QPushButton::clicked, this, &GdsHelpFrm::AllConditions);
  connect(ChtSeltCmd, &QPushButton::clicked, this, &GdsHelpFrm::ChtSeltCmd_Click);
  connect(MoveSeltCmd, &QPushButton::clicked, this, &GdsHelpFrm::MoveSeltCmd_Click);
  connect(GdsNameCmd, &QPushButton::clicked, this, &GdsHelpFrm::GdsNameCmd_Click);
  connect(PrevSeekCmd, &QPushButton::clicked, this, &GdsHelpFrm::PrevMarkedRow);
  connect(NextSeekCmd, &QPushButton::clicked, this, &GdsHelpFrm::NextMarkedRow);
  connect(InitColsRtn, &QPushButton::clicked, this, [this] { ResetColumns(vaSpread1); });
  connect(CdeInsertCmd, &QPushButton::clicked, this, [this] {
    CdeInsertCmd->setEnabled(false);
    GdsSetFme->hide();
    giHelpNo1 = giHelpNo2 = giHelpNo3 = 0;
    gcHelpTrsKey = {};
    vaSpread1->setFocus();
    CdeInsertCmd->setEnabled(true);
  });
  connect(TgoSeltCmd, &QPushButton::clicked, this, &GdsHelpFrm::TgoSeltCmd_Click);
  connect(vaSpread1, &ListGrid::DblClick, this, [this](int, int) { TakeAction(); });
  connect(vaSpread1, &ListGrid::KeyDown, this,
          [this](int &k, int &shift) { gridKeyDown(k, shift); });
  connect(vaSpread1, &ListGrid::KeyPress, this, [this](int &ch) {
    if (ch == '+') NextMarkedRow();
    if (ch == '-') PrevMarkedRow();
    if (ch == '+' || ch == '-') ch = 0;
  });
  installEventFilter(this);
  for (QWidget *w : findChildren<QWidget *>()) w->installEventFilter(this);

  // Load.
  giHelpOpen = 0;
  giHelpRet = 0;
  rowTaken_ = false;
  auto designWidths = [](ListGrid *g) {
    QVector<double> w(100, 0);
    for (int c = 1; c <= std::min(100, g->MaxCols()); ++c) w[c - 1] = g->ColWidth(c);
    return w;
  };
  defWidths1_ = designWidths(vaSpread1);
  LoadColSize(vaSpread1, "GdsHelpFrm");
  defWidths2_ = designWidths(vaSpread2);
  LoadColSize(vaSpread2, "GdsHelpFrmG");
  optOrder_ = GetEnvInt(gsLogID, "GdsHelpOrder");
  if (optOrder_ < 0 || optOrder_ > 3) optOrder_ = 0;
  auto opt = [](const char *key) {
    const int v = GetEnvInt(gsLogID, key);
    return v == 1;
  };
  optStName_ = opt("GdsHelpStName");
  optMulti_ = opt("GdsHelpMulti");
  optStBar_ = opt("GdsHelpStBar");
  optDelt_ = opt("GdsHelpDelt");
  optJego_ = opt("GdsHelpJego");
  optPrice_ = opt("GdsHelpPrice");
  giHelpMode = int16_t(optOrder_ == 0 ? 1 : optOrder_ == 1 ? 0 : optOrder_);
  const std::tuple<QCheckBox *, bool *, const char *> boxes[] = {
      {GdsStartChk, &optStName_, "GdsHelpStName"}, {GdsMultiChk, &optMulti_, "GdsHelpMulti"},
      {BarStartChk, &optStBar_, "GdsHelpStBar"},   {CdeDeltChk, &optDelt_, "GdsHelpDelt"},
      {GdsJegoChk, &optJego_, "GdsHelpJego"},      {GdsPriceChk, &optPrice_, "GdsHelpPrice"}};
  for (const auto &[box, field, key] : boxes) {
    box->setChecked(*field);
    bool *f = field;
    const QString k = key;
    QCheckBox *b = box;
    connect(box, &QCheckBox::toggled, this, [this, f, k, b](bool on) {
      *f = on;
      SetEnvironment(gsLogID, k, on ? 1 : 0);
      if (!GdsSetFme->isVisible())
        vaSpread1->setFocus();
      else if (b == CdeDeltChk || b == GdsJegoChk)
        GdsSetGbarTxt->setFocus();
      else
        GdsSetGnameTxt->setFocus();
    });
  }
  designatedOnly_ = false;
  if (giHelpSubMode == 11) giHelpSubMode = 1, designatedOnly_ = true;
  if (giHelpSubMode == 12) giHelpSubMode = 2, designatedOnly_ = true;
  vaSpread1->SetRowHeight(20);
  vaSpread1->SetColHidden(22, true);
  sortMode_ = giHelpMode;
  startText_ = SqlText(QVariant(gsHelpStart), 0);
  if (!startText_.isEmpty()) {
    listStarted_ = true;
    const QString inner = startText_.mid(1, startText_.size() - 2);
    startIsCode_ = startText_.size() > 2 && startText_.startsWith('~') &&
                   startText_.endsWith('~') && KeepDigits(inner, 0) == inner;
  }
  (sortMode_ == 1 ? GdsHelp2Opt : sortMode_ == 2 ? GdsHelp3Opt : sortMode_ == 3 ? GdsHelp4Opt : GdsHelp1Opt)
      ->setChecked(true);
  ResetGdsConditions();
  ShowGdsConditions();
  TgoSeltCmd->setEnabled((giHelpSubMode == 1 || giHelpSubMode == 2) && !gcHelpTrsKey.IsZero());
  trsKey_ = gcHelpTrsKey;
  TrsMonFme->setEnabled(false);
  if (!trsKey_.IsZero()) {
    const Currency trsNo = ReadTrsNoName(trsKey_);
    if (!trsNo.IsZero()) {
      setWindowTitle(windowTitle() + " ( " + trsNo.ToPlainText() + " : " + gsCdName + " )");
      TrsMonFme->setEnabled(true);
    } else {
      trsKey_ = {};
    }
  }
  if (listStarted_) runQuery(true);
}

GdsHelpFrm::~GdsHelpFrm() = default;

bool GdsHelpFrm::DesignatedView() const { return TgsViewFme->isVisibleTo(const_cast<GdsHelpFrm *>(this)); }

void GdsHelpFrm::runQuery(bool throwErrors) {
  if (reader_) reader_->Cancel();
  WaitCursor wait;
  firstMarkFound_ = false;
  jegoTable_ = "i" + QString::number(giLogPosNo) + "_GdsHelpJg";
  try {
    jegoMade_ = false;
    if (optJego_) {
      goDbMain.TryExecute("DROP TABLE IF EXISTS " + jegoTable_);
      const QString d = FmtYmd(giWrkYear, giWrkMonth, giWrkDay, 0, 0);
      const QString s = d.left(6) + "00";
      ExecBound(goDbMain,
                "CREATE TEMP TABLE " + jegoTable_ +
                    " AS SELECT GmsGdsKey, SUM(COALESCE(GmsMisu, 0) - COALESCE(GmsMcsu, 0)) AS "
                    "GmsGdsJego FROM GdsMast WHERE GmsYear = ? AND GmsMon = ? AND GmsDay >= 0 "
                    "AND GmsDay <= ? AND GmsDate BETWEEN ? AND ? GROUP BY GmsGdsKey",
                {int(giWrkYear), int(giWrkMonth), int(giWrkDay), s, d});
      jegoMade_ = true;
    }
    GdsQueryState st;
    st.TrsKey = trsKey_;
    st.StartText = startText_;
    startText_.clear();
    st.SortMode = sortMode_;
    st.OptStName = optStName_;
    st.OptMulti = optMulti_;
    st.OptStBar = optStBar_;
    st.OptDelt = optDelt_;
    st.JegoTable = jegoMade_ ? jegoTable_ : QString();
    st.Cond = cond_;
    // The flag groups, the classification switch and the period are read from the panel.
    auto flag = [](const std::array<QRadioButton *, 3> &o) {
      return o[1]->isChecked() ? 1 : o[2]->isChecked() ? 2 : 0;
    };
    st.Cond.GdsSeltChk = GdsSeltChk->isChecked();
    st.Cond.Selt1 = flag(GdsSelt1Opt);
    st.Cond.Selt2 = flag(GdsSelt2Opt);
    st.Cond.Selt3 = flag(GdsSelt3Opt);
    st.TrsMonths = TrsMon3Opt->isChecked()   ? 3
                   : TrsMon6Opt->isChecked() ? 6
                   : TrsMon12Opt->isChecked() ? 12
                                              : 0;
    st.WrkYear = giWrkYear;
    st.WrkMonth = giWrkMonth;
    const int side = giHelpSubMode;
    const bool designated = designatedOnly_;
    designatedOnly_ = false;  // one fill only
    reader_ = StartList(
        vaSpread1, goDbMain, BuildGdsSql(goDbMain.dialect(), st), std::move(reader_),
        [this, side](QVector<ListFields> rows) {
          const int first = vaSpread1->MaxRows() + 1;
          vaSpread1->AppendRows(std::move(rows));
          for (int r = first; r <= vaSpread1->MaxRows() && !firstMarkFound_; ++r) {
            const GdsRowMarks m = GdsMarksOf(vaSpread1->Fields(r), side);
            if (m.p || m.g) {
              firstMarkFound_ = true;
              vaSpread1->SetActiveCell(1, r);
            }
          }
        },
        this);
    dropJegoWhenRead();
    bool shown = false;
    if (designated) {
      // The view needs every row to know whether any row would stay.
      reader_->LoadAll();
      QVector<int> hide;
      bool any = false;
      for (int r = 1; r <= vaSpread1->MaxRows(); ++r) {
        const GdsRowMarks m = GdsMarksOf(vaSpread1->Fields(r), side);
        const bool keep = (side == 1 || side == 2) &&
                          (m.p || m.g || (optPrice_ && !m.lastPrice.IsZero()));
        any = any || keep;
        if (!keep) hide << r;
      }
      if (any) {
        for (int r : hide) vaSpread1->SetRowHidden(r, true);
        shown = true;
      }
      if (vaSpread1->MaxRows() == 0) shown = true;
    }
    TgsViewFme->setVisible(shown);
  } catch (const db::DbError &e) {
    if (jegoMade_) goDbMain.TryExecute("DROP TABLE IF EXISTS " + jegoTable_);
    jegoMade_ = false;
    vaSpread1->setFocus();
    if (throwErrors) throw;
    ShowDbError(e);
    return;
  }
  vaSpread1->setFocus();
}

void GdsHelpFrm::dropJegoWhenRead() {
  auto drop = [this] {
    if (jegoMade_) goDbMain.TryExecute("DROP TABLE IF EXISTS " + jegoTable_);
    jegoMade_ = false;
  };
  // A statement of one page is read by the time it starts.
  if (reader_->Done())
    drop();
  else
    connect(reader_.get(), &PagedReader::Finished, this, drop);
}

bool GdsHelpFrm::RefreshGdsList() {
  try {
    runQuery(false);
  } catch (const db::DbError &) {
    return false;
  }
  return true;
}

void GdsHelpFrm::loadRest() { LoadRestOf(reader_.get()); }

void GdsHelpFrm::sortBy(int mode) {
  GdsSetFme->hide();
  sortMode_ = mode;
  SetEnvironment(gsLogID, "GdsHelpOrder", mode == 0 ? 1 : mode == 1 ? 0 : mode);
  loadRest();
  {
    WaitCursor wait;
    switch (mode) {
      case 0: vaSpread1->SortRows({{1, true}}); break;
      case 1: vaSpread1->SortRows({{3, true}, {4, true}, {1, true}}); break;
      case 2: vaSpread1->SortRows({{5, true}, {1, true}}); break;
      default: vaSpread1->SortRows({{14, false}, {1, true}}); break;
    }
  }
  vaSpread1->setFocus();
}

void GdsHelpFrm::nav(int delta, int times) {
  if (vaSpread1->MaxRows() == 0) return;
  if (delta > 0) loadRest();
  int r = vaSpread1->ActiveRow();
  for (int i = 0; i < times; ++i) {
    if (delta < 0 && r > 1) r = std::max(1, r + delta);
    if (delta > 0 && r < vaSpread1->MaxRows()) r = std::min(vaSpread1->MaxRows(), r + delta);
  }
  vaSpread1->SetActiveCell(1, std::max(1, r));
  vaSpread1->setFocus();
}

void GdsHelpFrm::TakeGdsRow() {
  rowPicked_ = false;
  const int r = vaSpread1->ActiveRow();
  if (r > 0) {
    const ListFields &f = vaSpread1->Fields(r);
    gcHelpKey = NzCur(f.value(kKey));
    SetHelpNo(NzCur(f.value(kNo)));
    gsHelpGdsBar = NzStr(f.value(kBar));
    if (gsHelpGdsBar.isEmpty()) gsHelpGdsBar = ZeroPad10(gcHelpNo, 0);
    rowPicked_ = true;
  } else {
    gcHelpKey = {};
    SetHelpNo({});
  }
}

void GdsHelpFrm::TakeAction() {
  TakeGdsRow();
  if (!rowPicked_) return;
  giHelpRet = 1;
  rowTaken_ = true;
  accept();
}

void GdsHelpFrm::CancelAction() {
  giHelpRet = 0;
  reject();
}

void GdsHelpFrm::SeekNextRow() {
  const QString needle = TrimBlanks(GdsStartTxt->text());
  loadRest();
  for (int r = vaSpread1->ActiveRow() + 1; r <= vaSpread1->MaxRows(); ++r) {
    QString text;
    for (int c : {1, 3, 4, 5}) text += vaSpread1->CellValue(r, c) + " ";
    if (text.contains(needle)) {
      vaSpread1->SetActiveCell(5, r);
      return;
    }
  }
}

void GdsHelpFrm::MarkAll() {
  loadRest();
  WaitCursor wait;
  for (int r = 1; r <= vaSpread1->MaxRows(); ++r)
    if (!vaSpread1->CellValue(r, 1).endsWith("0000")) vaSpread1->SetChecked(r, true);
  vaSpread1->setFocus();
}

void GdsHelpFrm::ClearMarks() {
  loadRest();
  WaitCursor wait;
  for (int r = 1; r <= vaSpread1->MaxRows(); ++r)
    if (vaSpread1->Checked(r)) vaSpread1->SetChecked(r, false);
  vaSpread1->setFocus();
}

void GdsHelpFrm::MarkGroupRows(int mode) {
  loadRest();
  WaitCursor wait;
  const QString no = vaSpread1->CellValue(vaSpread1->ActiveRow(), 1);
  if (!no.isEmpty() && !no.endsWith("0000")) {
    const QString group = no.left(6);
    for (int r = 1; r <= vaSpread1->MaxRows(); ++r) {
      const QString n = vaSpread1->CellValue(r, 1);
      if (n.startsWith(group) && !n.endsWith("0000")) vaSpread1->SetChecked(r, mode == 0);
    }
  }
  vaSpread1->setFocus();
}

void GdsHelpFrm::TgoSeltCmd_Click() {
  const int r = vaSpread1->ActiveRow();
  const int side = giHelpSubMode;
  // Stored under the partner the grid shows, and only when there is one, so the table and
  // the marks on screen stay in step.
  if (r > 0 && !trsKey_.IsZero() && (side == 1 || side == 2)) {
    const ListFields before = vaSpread1->Fields(r);
    const Currency key = NzCur(before.value(kKey));
    if (!key.IsZero()) {
      const int field = side == 1 ? kMiSelt : kMcSelt;
      const int mark = whole(before.value(field)) == 1 ? 0 : 1;
      vaSpread1->SetField(r, field, mark);
      try {
        WriteTrsGodsMark(trsKey_, side, key, mark);
      } catch (const db::DbError &e) {
        vaSpread1->SetFields(r, before);  // the mark and the name's colour as they were
        ShowDbError(e);
      }
    }
  }
  vaSpread1->setFocus();
}

void GdsHelpFrm::SeekGdsRow() {
  if (giHelpRet != 1 || vaSpread1->MaxRows() == 0) return;
  loadRest();
  for (int r = 1; r <= vaSpread1->MaxRows(); ++r) {
    bool stop = false;
    if (GdsHelp1Opt->isChecked()) {
      stop = NzCur(vaSpread1->Fields(r).value(kNo)) >= gcDirectGoCode;
    } else if (GdsHelp2Opt->isChecked() || GdsHelp3Opt->isChecked()) {
      // In the list's own order, as the database sorted it.
      const QString cell = vaSpread1->CellValue(r, GdsHelp2Opt->isChecked() ? 3 : 5);
      const QString cut = LeftByte(cell, LenH(gsDirectGoText));
      stop = FoldCompare(FoldText(cut), FoldText(gsDirectGoText)) >= 0;
    }
    if (stop) {
      vaSpread1->SetActiveCell(1, r);
      return;
    }
  }
}

void GdsHelpFrm::onActivated() {
  if (giHelpOpen == 1) {
    giHelpOpen = 0;
    giHelpRet = 0;
    reject();
    return;
  }
  if (listStarted_) {
    if (vaSpread1->MaxRows() == 1 && startIsCode_ && (!reader_ || reader_->Done())) TakeAction();
    return;
  }
  OpenGdsConditions();
  listStarted_ = true;
}

void GdsHelpFrm::done(int r) {
  if (!unloaded_) {
    unloaded_ = true;
    if (!rowTaken_) giHelpRet = 0;
    SaveColSize(vaSpread1, "GdsHelpFrm");
    SaveColSize(vaSpread2, "GdsHelpFrmG");
    if (reader_) reader_->Cancel();
    if (jegoMade_) goDbMain.TryExecute("DROP TABLE IF EXISTS " + jegoTable_);
  }
  QDialog::done(r);
}

bool GdsHelpFrm::eventFilter(QObject *watched, QEvent *event) {
  if (watched == GdsStartTxt && event->type() == QEvent::FocusIn) {
    GdsSetFme->hide();
    TgsViewFme->hide();
    GdsStartTxt->setStyleSheet("background: #FFFF80;");
  }
  if (watched == GdsStartTxt && event->type() == QEvent::FocusOut)
    GdsStartTxt->setStyleSheet("background: #FFFFFF;");
  if (event->type() == QEvent::KeyPress) {
    using namespace keys;
    auto *ke = static_cast<QKeyEvent *>(event);
    const int vk = ToVirtualKey(ke);
    const int shift = ToShift(ke->modifiers());
    if (vk == vbKeyF1 + 2 && shift == vbShiftMask) {
      CdeInsertCmd->click();
      return true;
    }
    if (watched == GdsStartTxt) {
      switch (vk) {
        case vbKeyEscape: CancelAction(); return true;
        case vbKeyReturn: SeekNextRow(); return true;
        case vbKeyF1 + 1: nav(-1, 1); GdsStartTxt->setFocus(); return true;
        case vbKeyF1 + 2: nav(1, 1); GdsStartTxt->setFocus(); return true;
        case vbKeyF1 + 3:
        case vbKeyPageDown: TakeAction(); return true;
        default: break;
      }
    }
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (box && GdsSetFme->isAncestorOf(box)) return panelKey(box, vk);
    if (watched == GdsSetEnterCmd && (vk == vbKeyReturn || vk == vbKeySpace)) {
      GdsSetEnterCmd->click();
      return true;
    }
  }
  auto *box = qobject_cast<QLineEdit *>(watched);
  if (box && !unloaded_ && GdsSetFme->isAncestorOf(box)) {
    if (event->type() == QEvent::FocusIn) {
      keyTyped_ = 0;
      box->setStyleSheet("background: #FFFF80;");
    }
    if (event->type() == QEvent::FocusOut) {
      // Another window taking the focus is no leaving of the box.
      const auto reason = static_cast<QFocusEvent *>(event)->reason();
      if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) leaveBox(box);
      else box->setStyleSheet("background: #FFFFFF;");
    }
  }
  return QDialog::eventFilter(watched, event);
}

std::unique_ptr<QDialog> orv::lookup::MakeGdsHelpFrm() { return std::make_unique<GdsHelpFrm>(); }
