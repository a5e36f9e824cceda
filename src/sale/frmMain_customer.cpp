// The customer of the sale, the customer search, the customer price level, the goods
// edit from the grid, the card agent and the sale grid's small choosers.
#include <QGridLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPointer>
#include <QVBoxLayout>

#include "chit/records.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "core/pos_settings.h"
#include "core/text_format.h"
#include "core/values.h"
#include "goods/GdsEditFrm.h"
#include "lookup/help_globals.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "platform/keys.h"
#include "sale/bundle_price.h"
#include "lookup/cst_find.h"
#include "sale/frmMain.h"
#include "sale/goods_lookup.h"
#include "chit/pos_event.h"
#include "sale/sale_dialogs.h"
#include "sale/sale_globals.h"
#include "sale/stand_ins.h"
#include "van/card_agent.h"

using namespace orv;

namespace {

// The layout that holds w, searched from root down.
QBoxLayout *BoxHolding(QLayout *root, QWidget *w) {
  if (!root) return nullptr;
  if (root->indexOf(w) >= 0) return qobject_cast<QBoxLayout *>(root);
  for (int i = 0; i < root->count(); ++i)
    if (QBoxLayout *found = BoxHolding(root->itemAt(i)->layout(), w)) return found;
  return nullptr;
}

// 13 places in groups of 3, 4, 5 and 1, filled from the right.
QString BarcodeGroups(const QString &code) {
  QString s = code;
  QString head;
  if (s.size() > 13) {
    head = s.left(s.size() - 13);
    s = s.right(13);
  }
  s = s.rightJustified(13, ' ');
  return head + s.mid(0, 3) + " " + s.mid(3, 4) + " " + s.mid(7, 5) + " " + s.mid(12, 1);
}

QString DotDate(const QString &ymd) {
  if (ymd.size() <= 4) return ymd;
  if (ymd.size() <= 6) return ymd.left(4) + "." + ymd.mid(4);
  return ymd.left(4) + "." + ymd.mid(4, 2) + "." + ymd.mid(6);
}

// "a,b" of a line's special price; false when the cell holds anything else.
bool ParseCondition(const QString &cell, int &a, int &b) {
  const QStringList parts = cell.trimmed().split(',');
  if (parts.size() != 2) return false;
  bool okA = false, okB = false;
  a = parts[0].trimmed().toInt(&okA);
  b = parts[1].trimmed().toInt(&okB);
  return okA && okB;
}

}  // namespace

// ---------------------------------------------------------------------------- set-up

void frmMain::BuildCstBlock() {
  fraCstInfo = new QFrame(this);
  fraCstInfo->setObjectName(QStringLiteral("fraCstInfo"));
  fraCstInfo->setFrameShape(QFrame::StyledPanel);
  auto *grid = new QGridLayout(fraCstInfo);
  grid->setContentsMargins(4, 4, 4, 4);
  grid->setVerticalSpacing(1);
  const struct {
    QLabel **label;
    const char *name;
    const char16_t *caption;
  } rows[] = {{&lblCcdNo, "lblCcdNo", u"고객번호"},       {&lblCcdName, "lblCcdName", u"고객명"},
              {&lblCcdComp, "lblCcdComp", u"상호"},       {&lblCcdStat, "lblCcdStat", u"상태"},
              {&lblCcdDegree, "lblCcdDegree", u"등급"},   {&lblCcdBarcode, "lblCcdBarcode", u"바코드"},
              {&lblCcdTele, "lblCcdTele", u"전화"},       {&lblCcdHp, "lblCcdHp", u"핸드폰"},
              {&lblCcdBank, "lblCcdBank", u"은행"},       {&lblCcdJuso, "lblCcdJuso", u"주소"},
              {&lblCcdZerdo, "lblCcdZerdo", u"누적매출"}, {&lblCcdJumsu, "lblCcdJumsu", u"포인트"},
              {&lblCcdLpDate, "lblCcdLpDate", u"최종방문"}};
  int r = 0;
  for (const auto &row : rows) {
    grid->addWidget(new QLabel(QString::fromUtf16(row.caption), fraCstInfo), r, 0);
    *row.label = new QLabel(fraCstInfo);
    (*row.label)->setObjectName(QString::fromLatin1(row.name));
    (*row.label)->setTextFormat(Qt::PlainText);
    grid->addWidget(*row.label, r, 1);
    ++r;
  }
  grid->setColumnStretch(1, 1);
  // Under the boxes that share one place, in the column of the totals.
  if (QBoxLayout *box = BoxHolding(layout(), fraPlace))
    box->insertWidget(box->indexOf(fraPlace) + 1, fraCstInfo);
}

void frmMain::HookSaleDialogs() {
  QPointer<frmMain> self(this);
  auto pause = [self](auto fn) {
    if (!self) return fn(static_cast<QWidget *>(nullptr));
    sale::ScanPause p(*self->scanner, sale::Scanner::PauseKind::TimerAndPort);
    return fn(static_cast<QWidget *>(self.data()));
  };
  gfnShowKeylist = [pause](const QString &listSql) {
    return pause([&](QWidget *parent) { return ShowfrmKeylist(listSql, parent); });
  };
  gfnShowGdsSelect = [pause] { pause([](QWidget *parent) { ShowfrmGdsSelect(parent); }); };
}

// ---------------------------------------------------------------------------- customer block

void frmMain::ShowCstInfo() {
  const CstCodeRec &c = gtCstCode;
  lblCcdNo->setText(c.CcdNo.ToPlainText());
  lblCcdName->setText(c.CcdName);
  lblCcdComp->setText(c.CcdEMail);
  static const char16_t *const kStat[] = {u"", u"삭제", u"중지", u"보류"};
  lblCcdStat->setText(c.CcdSss5 >= 1 && c.CcdSss5 <= 3 ? QString::fromUtf16(kStat[c.CcdSss5]) : QString());
  static const char16_t *const kDegree[] = {u"", u"우대고객", u"특별고객", u"우수고객", u"VIP고객"};
  lblCcdDegree->setText(c.CcdDegree >= 1 && c.CcdDegree <= 4 ? QString::fromUtf16(kDegree[c.CcdDegree])
                                                             : QString());
  lblCcdBarcode->setText(BarcodeGroups(c.CcdBarcode));
  lblCcdTele->setText(c.CcdTel);
  lblCcdHp->setText(c.CcdHp);
  lblCcdBank->setText(c.CcdBank);
  lblCcdJuso->setText(c.CcdJuso);
  lblCcdZerdo->setText(FmtAmt(c.CcdZerdo, 1));
  lblCcdJumsu->setText(FmtAmt(c.CcdJumsu, 1));
  lblCcdLpDate->setText(DotDate(c.CcdLpdate));

  if (gsOneMoaClientCode.isEmpty()) return;
  // A customer without a barcode keeps no OneMoa member.
  if (c.CcdBarcode.trimmed().isEmpty()) {
    ClearOneMoa();
    return;
  }
  for (const QString &phone : {c.CcdHp.trimmed(), c.CcdTel.trimmed()}) {
    if (phone.startsWith(QLatin1String("010"))) {
      ReadCstOneMoa(phone);
      ShowOneMoaNo();
      return;
    }
  }
}

void frmMain::ClearCstInfo(int16_t flag) {
  gcJumsuGum = {};
  gcGdsJumsu = {};
  txtTrsNo->setText(QStringLiteral("88000"));
  txtTrsNo_LostFocus();
  frmTrsMast->hide();
  ClearCstRecord();
  for (QLabel *l : {lblCcdNo, lblCcdName, lblCcdComp, lblCcdStat, lblCcdDegree, lblCcdBarcode,
                    lblCcdTele, lblCcdHp, lblCcdBank, lblCcdJuso, lblCcdZerdo, lblCcdJumsu,
                    lblCcdLpDate})
    l->clear();
  if (flag == 0) ClearOneMoa();
}

// ---------------------------------------------------------------------------- customer search

void frmMain::FindCstSql(const QString &text) {
  gcJumsuGum = {};
  gcGdsJumsu = {};
  QString table;
  db::Connection *conn = CstConnection(&table);
  if (!conn) return;
  const std::optional<lookup::CstFindSql> found = lookup::BuildCstFindSql(text, conn->dialect(), table);
  if (!found) return;
  gsCstFindSql = found->sql;
  gvCstFindArgs = found->values;
  db::Statement st = conn->Prepare(found->sql);
  for (int i = 0; i < found->values.size(); ++i) st.Bind(i, found->values[i]);
  if (st.Query().RecordCount() <= 0) {
    gsCstFindSql.clear();
    gvCstFindArgs.clear();
  }
}

// ---------------------------------------------------------------------------- customer price level

void frmMain::ReplaceDangaToCust() {
  Grid *g = vaSpread1;
  for (int row = 1; row <= kSaleLines; ++row) {
    if (ValCur(GetCellText(g, row, ColGdsKey)).IsZero()) continue;
    int a = 0, b = 0;
    if (!ParseCondition(GetCellText(g, row, ColEventGbn), a, b)) continue;
    // The same condition as the price lookup's, so a later customer of any qualifying
    // grade gets the special price.
    if (!sale::CustomerCondition(a, b, gtCstCode.CcdKey, gtCstCode.CcdDegree)) continue;
    const Currency q = ValCur(GetCellText(g, row, ColQty));
    const Currency e = ValCur(GetCellText(g, row, ColEventPrice));
    const Currency amt = ValCur(GetCellText(g, row, ColAmt));
    if (amt.IsZero() || e.IsZero()) continue;
    const std::optional<Currency> special = Currency::Mul(q, e);
    if (!special || amt < *special) continue;
    SetCellText(g, row, ColPrice, e.ToPlainText());
    SetCellText(g, row, ColAmt, special->ToPlainText());
  }
}

// ---------------------------------------------------------------------------- goods edit

void frmMain::ShowGdsEdit(int32_t row, int32_t col) {
  gcHelpKey = ValCur(GetCellText(vaSpread1, row, col));
  giHelpRet = 0;
  {
    sale::ScanPause pause(*scanner, sale::Scanner::PauseKind::TimerAndPort);
    ShowGdsEditFrm(this);
  }
  const int32_t r = vaSpread1->ActiveRow();
  if (giHelpRet != 1) return;
  Grid *g = vaSpread1;
  const QString q0 = ValCur(GetCellText(g, r, ColQty)).ToPlainText();
  const QString p0 = ValCur(GetCellText(g, r, ColPrice)).ToPlainText();
  const QString a0 = ValCur(GetCellText(g, r, ColAmt)).ToPlainText();
  SetCellText(g, r, ColGdsKey, QStringLiteral("0"));
  SetGridText(r, ColCode, Grid::kActionActiveCell);
  int key = keys::vbKeyReturn, shift = 0;
  vaSpread1_KeyDown(key, shift);
  gsPosLogText = GetCellText(g, r, ColGdsKey) + "," + GetCellText(g, r, ColQty) + "," +
                 GetCellText(g, r, ColPrice) + "," + GetCellText(g, r, ColAmt) + ";" + q0 + "," +
                 p0 + "," + a0;
  LogPosEvent(r, 2, gsPosLogText, {}, {});
}

// ---------------------------------------------------------------------------- card agent

void frmMain::StartWin4Pos() {
  const int16_t r = van::CurrentCardAgent().Create(gsSetServerIp, gsSetServerPort);
  if (!van::CardAgentOk(r))
    dialogs::MsgBox(QStringLiteral("Win4POS 구동 실패(") + QString::number(r) + ")");
}

void frmMain::StopWin4Pos() {
  const int16_t r = van::CurrentCardAgent().Destroy();
  if (!van::CardAgentOk(r))
    dialogs::MsgBox(QStringLiteral("Win4POS 종료 실패(") + QString::number(r) + ")");
}
