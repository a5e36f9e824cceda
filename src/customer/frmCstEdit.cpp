#include "customer/frmCstEdit.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "chit/pos_logs.h"
#include "chit/sale_state.h"
#include "core/dates.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/text_format.h"
#include "core/values.h"
#include "customer/ts_tables.h"
#include "lookup/cst_find.h"
#include "lookup/frmCust.h"
#include "lookup/help_globals.h"
#include "lookup/lookup_common.h"
#include "platform/clock.h"
#include "platform/colors.h"
#include "platform/dialogs.h"
#include "platform/keys.h"
#include "platform/settings_store.h"
#include "schema/month_tables.h"

using namespace orv;

namespace {

int16_t todayYyMm() {
  const QDate d = clock::Now().date();
  return YyMmNum(int16_t(d.year()), int16_t(d.month()));
}

void setBack(QLineEdit *box, long bgr) {
  QPalette p = box->palette();
  p.setColor(QPalette::Base, colors::FromBgr(bgr));
  box->setPalette(p);
}

}  // namespace

bool SaveCstPointsAdd(const CstCodeRec &cst, Currency points, Currency amount) {
  QString table;
  db::Connection *conn = CstConnection(&table);
  if (!conn) throw db::DbError(db::kErrNotOpen, QStringLiteral("고객 데이터베이스가 열려 있지 않습니다"));
  const bool ts = giCstTsMode != 0;
  // The point server keeps the ledger and the event rows by month: today's.
  if (ts) EnsureTsMonth(todayYyMm());
  const QString ledger = ts ? "CstWnjgT" + schema::MonthSuffix(todayYyMm()) : QStringLiteral("CstWnjg");
  db::Transaction tx(*conn);
  db::Statement read = conn->Prepare("Select * From " + table + " Where CcdKey=?");
  read.Bind(0, BindCur(cst.CcdKey));
  const db::Recordset rs = read.Query();
  if (rs.RecordCount() == 0) return false;
  const auto add = [](const QVariant &stored, Currency v) {
    const auto sum = Currency::Add(NzCur(stored), v);
    if (!sum) throw db::DbError(6, QStringLiteral("오버플로"));
    return *sum;
  };
  LedgerRow row;
  row.key = cst.CcdKey;
  row.goods = QStringLiteral("점수금액추가");
  row.yZerdo = NzCur(rs.Field("CcdZerdo"));
  row.yJumsu = NzCur(rs.Field("CcdJumsu"));
  row.zerdo = amount;
  row.jumsu = points;
  row.bigo = "POS[" + QString::number(giSetPosNo) + "]";
  row.kind = 3;
  InsertLedgerRow(*conn, ledger, row, ts);
  const Currency zerdo = add(rs.Field("CcdZerdo"), amount);
  const Currency jumsu = add(rs.Field("CcdJumsu"), points);
  db::Statement up = conn->Prepare(
      "Update " + table +
      " Set CcdLpdate=?, CcdTzerdo=?, CcdTjumsu=?, CcdZerdo=?, CcdJumsu=? Where CcdKey=?");
  up.Bind(0, clock::Now().date().toString(QStringLiteral("yyyyMMdd")));
  up.Bind(1, BindCur(add(rs.Field("CcdTzerdo"), amount)));
  up.Bind(2, BindCur(add(rs.Field("CcdTjumsu"), points)));
  up.Bind(3, BindCur(zerdo));
  up.Bind(4, BindCur(jumsu));
  up.Bind(5, BindCur(cst.CcdKey));
  up.Execute();
  const QString change = QStringList{NzCur(rs.Field("CcdNo")).ToPlainText(),
                                     NzStr(rs.Field("CcdName")),
                                     points.ToPlainText(),
                                     jumsu.ToPlainText(),
                                     amount.ToPlainText(),
                                     zerdo.ToPlainText(),
                                     QString::number(giSupTrsNo)}
                             .join(QLatin1Char(','));
  const int32_t chtNo =
      int32_t(NzCur(settings_store::GetSetting(QStringLiteral("goSetBFChtNo"))).RoundToInt());
  WritePosLogsRow(*conn, chtNo, 1, 102, change, {}, {}, 0);
  tx.Commit();
  return true;
}

frmCstEdit::frmCstEdit(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmCstEdit"));
  setWindowTitle(QStringLiteral("고객정보 변경"));
  auto *grid = new QGridLayout(this);
  const struct {
    QLineEdit **box;
    const char *name;
    const char *label;
    bool entry;
  } boxes[] = {
      {&GdsBarcdTxt, "GdsBarcdTxt", "바코드 :", true},
      {&GdsNameTxt, "GdsNameTxt", "고객명 :", false},
      {&CcdLPDateTxt, "CcdLPDateTxt", "최종판매:", false},
      {&CcdJsTxt, "CcdJsTxt", "현재점수:", false},
      {&CcdZerdoTxt, "CcdZerdoTxt", "현재금액:", false},
      {&CcdJs1Txt, "CcdJs1Txt", "추가점수:", true},
      {&CcdZerdo1Txt, "CcdZerdo1Txt", "추가금액:", true},
      {&CcdNowJsTxt, "CcdNowJsTxt", "최종점수:", false},
      {&CcdNowZerdoTxt, "CcdNowZerdoTxt", "최종금액:", false},
  };
  int r = 0;
  for (const auto &b : boxes) {
    grid->addWidget(new QLabel(QString::fromUtf8(b.label), this), r, 0);
    auto *box = new QLineEdit(this);
    box->setObjectName(QLatin1String(b.name));
    box->setReadOnly(!b.entry);
    if (!b.entry) box->setFocusPolicy(Qt::NoFocus);
    setBack(box, b.entry ? 0x00C0FFFF : 0x00E0E0E0);
    if (r >= 3) box->setAlignment(Qt::AlignRight);
    box->installEventFilter(this);
    grid->addWidget(box, r++, 1, 1, 2);
    *b.box = box;
  }
  GdsEnterCmd = new QPushButton(QStringLiteral("저장"), this);
  GdsEnterCmd->setObjectName(QStringLiteral("GdsEnterCmd"));
  GdsExitCmd = new QPushButton(QStringLiteral("닫기"), this);
  GdsExitCmd->setObjectName(QStringLiteral("GdsExitCmd"));
  for (QPushButton *b : {GdsEnterCmd, GdsExitCmd}) {
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::NoFocus);
  }
  grid->addWidget(new QLabel(QStringLiteral("F4->삭제"), this), r, 0);
  grid->addWidget(GdsEnterCmd, r, 1);
  grid->addWidget(GdsExitCmd, r++, 2);
  grid->addWidget(
      new QLabel(QStringLiteral("* 고객번호,전화번호,핸드폰 검색시 [/]검색어 사용, [+] [-]"), this),
      r, 0, 1, 3);
  connect(GdsEnterCmd, &QPushButton::clicked, this, &frmCstEdit::GdsEnterCmd_Click);
  connect(GdsExitCmd, &QPushButton::clicked, this, &QDialog::reject);
  for (QLineEdit *box : {CcdJs1Txt, CcdZerdo1Txt})
    connect(box, &QLineEdit::textEdited, this, [this, box] { filterDigits(box); });

  saved_ = gtCstCode;
  rule_ = ReadPointRule();
  GdsBarcdTxt->setText(gtCstCode.CcdBarcode);
  giHelpRet = 0;
  QTimer::singleShot(0, GdsBarcdTxt, [this] { GdsBarcdTxt->setFocus(); });
}

frmCstEdit::~frmCstEdit() = default;

void frmCstEdit::done(int r) {
  gtCstCode = saved_;
  QDialog::done(r);
}

void frmCstEdit::filterDigits(QLineEdit *box) {
  QString kept;
  for (const QChar c : box->text())
    if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('-')) kept += c;
  if (kept != QLatin1String("-")) kept = FmtAmt(NzCur(kept), 1);
  box->setText(kept);
  box->setCursorPosition(int(kept.size()));
}

void frmCstEdit::ClearCstEdit() {
  for (QLineEdit *b : {GdsNameTxt, CcdLPDateTxt, CcdJsTxt, CcdZerdoTxt, CcdJs1Txt, CcdZerdo1Txt,
                       CcdNowJsTxt, CcdNowZerdoTxt})
    b->clear();
  points_ = {};
  amount_ = {};
}

void frmCstEdit::SeekCstEdit(const QString &text) {
  gcJumsuGum = {};
  gcGdsJumsu = {};
  QString table;
  db::Connection *conn = CstConnection(&table);
  if (!conn) return;
  const auto found =
      lookup::BuildCstFindSql(text, conn->dialect(), table, lookup::CstFindVariant::CstEdit);
  if (!found) return;
  gsCstFindSql = found->sql;
  gvCstFindArgs = found->values;
  db::Statement st = conn->Prepare(found->sql);
  for (int i = 0; i < found->values.size(); ++i) st.Bind(i, found->values[i]);
  if (st.Query().RecordCount() == 0) {
    gsCstFindSql.clear();
    gvCstFindArgs.clear();
  }
}

void frmCstEdit::search() {
  CcdZerdo1Txt->setFocus();
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  gsCstFindSql.clear();
  try {
    SeekCstEdit(NzStr(GdsBarcdTxt->text()));
  } catch (...) {
    QGuiApplication::restoreOverrideCursor();
    throw;
  }
  QGuiApplication::restoreOverrideCursor();
  if (gsCstFindSql.isEmpty()) {
    ClearCstEdit();
    GdsBarcdTxt->setFocus();
    return;
  }
  giHelpRet = 0;
  gcHelpNo = {};
  gsCstHelpNo.clear();
  {
    frmCust form(this);
    dialogs::ShowModal(form);
  }
  bool loaded = false;
  QString table;
  db::Connection *conn = CstConnection(&table);
  if (!gsCstHelpNo.isEmpty() && conn) {
    db::Statement st = conn->Prepare("Select * From " + table + " Where CcdBarcode=?");
    st.Bind(0, gsCstHelpNo);
    const db::Recordset rs = st.Query();
    if (rs.RecordCount() > 0) {
      load(rs);
      loaded = true;
    }
  }
  if (!loaded) {
    ClearCstEdit();
    GdsBarcdTxt->setFocus();
  }
  gsCstFindSql.clear();
  gvCstFindArgs.clear();
  gsCstHelpNo.clear();
}

void frmCstEdit::load(const db::Recordset &rs) {
  gcJumsuGum = {};
  ClearCstRecord();
  ReadCstRecord(rs);
  // The additions start at nothing: a save without a figure typed adds nothing.
  points_ = {};
  amount_ = {};
  GdsBarcdTxt->setText(gtCstCode.CcdBarcode);
  GdsNameTxt->setText(gtCstCode.CcdName);
  CcdJsTxt->setText(FmtAmt(gtCstCode.CcdJumsu, 0));
  CcdNowJsTxt->setText(FmtAmt(gtCstCode.CcdJumsu, 0));
  CcdZerdoTxt->setText(FmtAmt(gtCstCode.CcdZerdo, 0));
  CcdNowZerdoTxt->setText(FmtAmt(gtCstCode.CcdZerdo, 0));
  CcdLPDateTxt->setText(FormatAt(gtCstCode.CcdLpdate, QStringLiteral("@@@@년@@월@@일")));
  CcdJs1Txt->clear();
  CcdZerdo1Txt->clear();
  CcdZerdo1Txt->setFocus();
}

void frmCstEdit::showNow() {
  const auto sum = [](QLineEdit *now, Currency v) {
    return FmtAmt(Currency::Add(NzCur(DelChar(now->text(), QLatin1Char(','))), v).value_or(Currency{}), 0);
  };
  CcdNowJsTxt->setText(sum(CcdJsTxt, points_));
  CcdNowZerdoTxt->setText(sum(CcdZerdoTxt, amount_));
}

void frmCstEdit::CcdJs1Txt_LostFocus() {
  points_ = NzCur(DelChar(CcdJs1Txt->text(), QLatin1Char(',')));
  amount_ = PointsToAmount(points_, rule_);
  CcdZerdo1Txt->setText(FmtAmt(amount_, 0));
  showNow();
}

void frmCstEdit::CcdZerdo1Txt_LostFocus() {
  amount_ = NzCur(DelChar(CcdZerdo1Txt->text(), QLatin1Char(',')));
  points_ = AmountToPoints(amount_, rule_);
  CcdJs1Txt->setText(FmtAmt(points_, 0));
  showNow();
}

void frmCstEdit::GdsEnterCmd_Click() {
  if (TrimBlanks(GdsNameTxt->text()).isEmpty()) {
    dialogs::Info(QStringLiteral("* 고객선택오류입니다 !"), QStringLiteral("확인"));
    return;
  }
  if (points_.IsZero() || amount_.IsZero()) {
    dialogs::Info(QStringLiteral("* 추가금액오류입니다 !"), QStringLiteral("확인"));
    return;
  }
  if (NzStr(GdsBarcdTxt->text()).isEmpty()) {
    reject();
    return;
  }
  try {
    if (!SaveCstPointsAdd(gtCstCode, points_, amount_)) {
      dialogs::Info(QStringLiteral("기록중 오류발생...... !"), QStringLiteral("확인"));
      return;
    }
  } catch (const db::DbError &e) {
    lookup::ShowDbError(e, QStringLiteral("저장오류"));
    return;
  }
  ClearCstRecord();
  giHelpRet = 1;
  accept();
}

bool frmCstEdit::eventFilter(QObject *watched, QEvent *event) {
  auto *box = qobject_cast<QLineEdit *>(watched);
  if (!box) return QDialog::eventFilter(watched, event);
  const bool add = box == CcdJs1Txt || box == CcdZerdo1Txt;
  if (event->type() == QEvent::FocusIn && add) {
    QTimer::singleShot(0, box, [box] { box->selectAll(); });
  } else if (event->type() == QEvent::FocusOut && add) {
    box == CcdJs1Txt ? CcdJs1Txt_LostFocus() : CcdZerdo1Txt_LostFocus();
  } else if (event->type() == QEvent::KeyPress) {
    auto *ke = static_cast<QKeyEvent *>(event);
    const int vk = keys::ToVirtualKey(ke);
    using namespace keys;
    if (vk == vbKeyEscape) {
      reject();
      return true;
    }
    if (add && vk == vbKeyF1 + 9 && !(ke->modifiers() & Qt::ShiftModifier) && giSetKey == 1) {
      box->insert(QStringLiteral("-"));
      filterDigits(box);
      return true;
    }
    if (box == GdsBarcdTxt) {
      if (vk == vbKeyReturn) {
        search();
      } else if (vk == vbKeyDown || vk == vbKeyTab) {
        CcdZerdo1Txt->setFocus();
      } else if (vk == vbKeyF1 + 3) {
        GdsBarcdTxt->clear();
        ClearCstEdit();
      } else {
        return QDialog::eventFilter(watched, event);
      }
      return true;
    }
    if (box == CcdJs1Txt) {
      if (vk == vbKeyReturn) {
        CcdJs1Txt_LostFocus();
        GdsEnterCmd_Click();
      } else if (vk == vbKeyDown) {
        CcdZerdo1Txt->setFocus();
      } else if (vk == vbKeyUp) {
        GdsBarcdTxt->setFocus();
      } else {
        return QDialog::eventFilter(watched, event);
      }
      return true;
    }
    if (box == CcdZerdo1Txt) {
      if (vk == vbKeyReturn || vk == vbKeyDown) {
        CcdZerdo1Txt_LostFocus();
        GdsEnterCmd_Click();
      } else if (vk == vbKeyUp) {
        CcdJs1Txt->setFocus();
      } else {
        return QDialog::eventFilter(watched, event);
      }
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}
