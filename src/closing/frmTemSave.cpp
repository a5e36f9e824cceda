#include "closing/frmTemSave.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "closing/closing_records.h"
#include "closing/closing_ui.h"
#include "core/bound_sql.h"
#include "core/byte_text.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/values.h"
#include "platform/busy_pointer.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/form_keys.h"
#include "platform/grid.h"
#include "platform/keys.h"
#include "platform/settings_store.h"
#include "platform/widget_colors.h"
#include "schema/month_tables.h"

namespace orv::closing {

namespace {
const QString kSaveCaption = QStringLiteral("영업마감 저장하기");
const QString kLoadCaption = QStringLiteral("영업마감 불러오기!!");
constexpr int kMemoBytes = 30;

void SaverFailed(const char *name, const std::exception &e) {
  dialogs::MsgBox("[" + QLatin1String(name) + "] :" + ErrorDescription(e));
}
}  // namespace

std::optional<SavedClosing> ValidSavedClosing(const QString &date, const QString &no) {
  const QString d = date.trimmed();
  if (MakeClosingContext(d).msWrkDate.isEmpty()) return std::nullopt;
  const QString n = no.trimmed();
  if (IsDigits(n) != 1 || n.size() > 9 || n.toInt() <= 0) return std::nullopt;
  return SavedClosing{d, n.toInt()};
}

frmTemSave::frmTemSave(const ClosingContext &ctx, QWidget *parent) : QDialog(parent), ctx_(ctx) {
  setObjectName("frmTemSave");
  setWindowTitle(kSaveCaption);
  auto *g = new QGridLayout(this);
  Label1 = new QLabel(QStringLiteral("번호"), this);
  Label1->setObjectName("Label1");
  Label3 = new QLabel(QStringLiteral("비고"), this);
  Label3->setObjectName("Label3");
  Label2 = new QLabel(QStringLiteral("F1:저장  ESC:취소"), this);
  Label2->setObjectName("Label2");
  txtTemChtNo = new QLineEdit(this);
  txtTemChtNo->setObjectName("txtTemChtNo");
  txtTemChtNo->setEnabled(false);
  txtTemChtNo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  colors::SetBack(txtTemChtNo, 0xE0E0E0);
  txtTemBigo = new QLineEdit(this);
  txtTemBigo->setObjectName("txtTemBigo");
  colors::SetBack(txtTemBigo, 0xC0FFFF);
  g->addWidget(Label1, 0, 0);
  g->addWidget(txtTemChtNo, 0, 1);
  g->addWidget(Label3, 1, 0);
  g->addWidget(txtTemBigo, 1, 1);
  g->addWidget(Label2, 2, 0, 1, 2);
  setFixedSize(380, 130);
  // The memo column holds 30 bytes of the code page.
  connect(txtTemBigo, &QLineEdit::textChanged, this, [this](const QString &t) {
    const QString cut = LeftByte(t, kMemoBytes);
    if (cut != t) txtTemBigo->setText(cut);
  });
  formkeys::InstallKeyPreview(this, {[this](int &k, int) {
                                       if (k == keys::vbKeyEscape) {
                                         k = 0;
                                         reject();
                                       } else if (k == keys::vbKeyF1 ||
                                                  (k == keys::vbKeyReturn &&
                                                   focusWidget() == txtTemBigo)) {
                                         k = 0;
                                         SaveClosing();
                                       }
                                     },
                                     {},
                                     {}});
  txtTemBigo->setFocus();
}

void frmTemSave::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  ProposeNumber();
}

bool frmTemSave::ProposeNumber() {
  try {
    const db::Recordset rs = QueryBound(
        goDbPos, "SELECT MAX(TemChtNo) AS TemChtNo FROM TemChit WHERE TemDate = ? AND TemPsnKey = ?",
        {ctx_.msWrkDate, BindCur(gcLogPsnKey)});
    const Currency max = rs.Eof() ? Currency() : NzCur(rs.Field(0));
    txtTemChtNo->setText(QString::number(max.RoundToInt() + 1));
    return true;
  } catch (const std::exception &e) {
    ShowFormError(e, kSaveCaption);
    return false;
  }
}

bool frmTemSave::SaveClosing() {
  if (!dialogs::AskYesNo(QStringLiteral("영업마감내역을 저장하시겠습니까??"),
                         QStringLiteral("영업마감저장")))
    return false;
  BusyPointer busy;
  ClearTemChitRecord();
  ClearTemDetailRecord();
  ClearTemInitGumRecord();
  try {
    db::Transaction tx(goDbPos);
    if (!SaveTemChit() || !SaveTemDetail() || !SaveTemInitGum()) return false;
    tx.Commit();
  } catch (const std::exception &e) {
    ShowSaveFailed(e);
    return false;
  }
  accept();
  return true;
}

bool frmTemSave::SaveTemChit() {
  try {
    const Currency no = NzCur(txtTemChtNo->text());
    if (no <= Currency() || no > Currency::Won(2147483647))
      throw db::DbError(db::kErrGeneric, QStringLiteral("저장 번호가 없습니다."));
    gtTemChit.TemChtNo = int32_t(no.RoundToInt());
    // The number was proposed for the work date; the row carries the same date.
    gtTemChit.TemDate = ctx_.msWrkDate;
    gtTemChit.TemTime = clock::Now().toString("hhmmss");
    gtTemChit.TemPsnKey = gcLogPsnKey;
    gtTemChit.TemBigo = NzStr(txtTemBigo->text());
    goDbPos.Execute(gsTemChitInsSql());
    return true;
  } catch (const std::exception &e) {
    SaverFailed("SaveTemChit", e);
    return false;
  }
}

bool frmTemSave::SaveTemDetail() {
  try {
    int32_t seq = 0;
    // Every month the screen totals, so the saved closing loads as it was shown.
    for (const QString &m : ctx_.Months()) {
      const db::Recordset rs = QueryBound(
          goDbPos,
          "SELECT PctDate, PctChtNo FROM PanChitT" + schema::MonthSuffix(m.toInt()) +
              " WHERE PctPsnKey = ? AND PctSss3 = 0 ORDER BY PctDate, PctChtNo",
          {BindCur(gcLogPsnKey)});
      if (rs.Eof()) continue;
      db::Statement ins = goDbPos.Prepare(
          "INSERT INTO TemDetail (TmdDate, TmdPsnKey, TmdChtNo, TmdSeq, TmdPctDate, TmdPctChtNo, "
          "TmdSss1, TmdSss2, TmdSss3, TmdSss4, TmdSss5) VALUES (?, ?, ?, ?, ?, ?, 0, 0, 0, 0, 0)");
      for (db::Recordset r = rs; !r.Eof(); r.MoveNext()) {
        ClearTemDetailRecord();
        gtTemDetail.TmdDate = gtTemChit.TemDate;
        gtTemDetail.TmdPsnKey = gcLogPsnKey;
        gtTemDetail.TmdChtNo = gtTemChit.TemChtNo;
        gtTemDetail.TmdSeq = ++seq;
        gtTemDetail.TmdPctDate = NzStr(r.Field(0));
        gtTemDetail.TmdPctChtNo = int32_t(NzCur(r.Field(1)).RoundToInt());
        ins.Bind(0, gtTemDetail.TmdDate);
        ins.Bind(1, BindCur(gtTemDetail.TmdPsnKey));
        ins.Bind(2, gtTemDetail.TmdChtNo);
        ins.Bind(3, gtTemDetail.TmdSeq);
        ins.Bind(4, gtTemDetail.TmdPctDate);
        ins.Bind(5, gtTemDetail.TmdPctChtNo);
        ins.Execute();
      }
    }
    return true;
  } catch (const std::exception &e) {
    SaverFailed("SaveTemDetail", e);
    return false;
  }
}

bool frmTemSave::SaveTemInitGum() {
  try {
    gtTemInitGum.TmiDate = gtTemChit.TemDate;
    gtTemInitGum.TmiPsnKey = gcLogPsnKey;
    gtTemInitGum.TmiChtNo = gtTemChit.TemChtNo;
    const db::Recordset mid = QueryBound(
        goDbPos, "SELECT SUM(IntMidGum) AS IntMidGum FROM InitGumLog WHERE IntPsnKey = ? AND "
                 "IntGuBun1 = 2",
        {BindCur(gcLogPsnKey)});
    if (!mid.Eof()) gtTemInitGum.TmiMidGum = NzCur(mid.Field(0));
    const db::Recordset init = QueryBound(
        goDbPos, "SELECT IntDate, IntTime, IntInitGum FROM InitGum WHERE IntPsnKey = ? AND "
                 "IntPosNo = ?",
        {BindCur(gcLogPsnKey), int(giSetPosNo)});
    if (!init.Eof()) {
      gtTemInitGum.TmiIntDate = NzStr(init.Field(0));
      gtTemInitGum.TmiIntTime = NzStr(init.Field(1));
      gtTemInitGum.TmiInitGum = NzCur(init.Field(2));
    }
    goDbPos.Execute(gsTemInitGumInsSql());
    return true;
  } catch (const std::exception &e) {
    SaverFailed("SaveTemInitGum", e);
    return false;
  }
}

// ---------------------------------------------------------------------------- frmTemLoad

frmTemLoad::frmTemLoad(QWidget *parent) : QDialog(parent) {
  setObjectName("frmTemLoad");
  setWindowTitle(kLoadCaption);
  auto *root = new QVBoxLayout(this);
  auto *top = new QHBoxLayout;
  dtpWrkDate = new QDateEdit(this);
  dtpWrkDate->setObjectName("dtpWrkDate");
  dtpWrkDate->setDisplayFormat("yyyy.MM");
  dtpWrkDate->setDate(QDate(giWrkYear, giWrkMonth, 1));
  cmdOk = new QPushButton(QStringLiteral("선택"), this);
  cmdOk->setObjectName("cmdOk");
  cmdExit = new QPushButton(QStringLiteral("닫기"), this);
  cmdExit->setObjectName("cmdExit");
  for (QPushButton *b : {cmdOk, cmdExit}) b->setFocusPolicy(Qt::NoFocus);
  top->addWidget(dtpWrkDate);
  top->addStretch(1);
  top->addWidget(cmdOk);
  top->addWidget(cmdExit);
  root->addLayout(top);
  vaSpread1 = new Grid(this);
  vaSpread1->setObjectName("vaSpread1");
  vaSpread1->SetMaxCols(4);
  const char *heads[] = {"일자", "시간", "번호", "비고"};
  for (int c = 1; c <= 4; ++c) vaSpread1->SetColHeaderText(c, QString::fromUtf8(heads[c - 1]));
  vaSpread1->SetRow(-1);
  vaSpread1->SetCol(-1);
  vaSpread1->SetLock(true);
  root->addWidget(vaSpread1, 1);
  resize(480, 360);
  connect(cmdOk, &QPushButton::clicked, this, [this] { ChooseRow(vaSpread1->ActiveRow()); });
  connect(cmdExit, &QPushButton::clicked, this, &QDialog::reject);
  connect(vaSpread1, &Grid::DblClick, this, [this](int, int row) { ChooseRow(row); });
  connect(dtpWrkDate, &QDateEdit::dateChanged, this, [this] {
    if (shown_) fcTemChitSerch();
  });
  formkeys::InstallKeyPreview(this, {[this](int &k, int) {
                                       if (k == keys::vbKeyEscape) {
                                         k = 0;
                                         reject();
                                       } else if (k == keys::vbKeyReturn &&
                                                  focusWidget() != dtpWrkDate) {
                                         k = 0;
                                         ChooseRow(vaSpread1->ActiveRow());
                                       }
                                     },
                                     {},
                                     {}});
  vaSpread1->setFocus();
}

void frmTemLoad::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  if (shown_) return;
  shown_ = true;
  QTimer::singleShot(0, this, [this] { fcTemChitSerch(); });
}

bool frmTemLoad::fcTemChitSerch() {
  const QString yyyymm = dtpWrkDate->date().toString("yyyyMM");
  BusyPointer busy;
  try {
    db::Recordset rs = QueryBound(
        goDbPos,
        "SELECT TemDate, TemTime, TemChtNo, TemBigo FROM TemChit WHERE TemDate BETWEEN ? AND ? "
        "AND TemPsnKey = ? ORDER BY TemDate, TemChtNo",
        {yyyymm + "01", yyyymm + "31", BindCur(gcLogPsnKey)});
    std::vector<Grid::FillRow> rows;
    for (; !rs.Eof(); rs.MoveNext()) {
      const QString d = NzStr(rs.Field(0)), t = NzStr(rs.Field(1));
      rows.push_back({{d.size() == 8 ? d.left(4) + "." + d.mid(4, 2) + "." + d.mid(6, 2) : d,
                       t.size() == 6 ? t.left(2) + ":" + t.mid(2, 2) + ":" + t.mid(4, 2) : t,
                       NzCur(rs.Field(2)).ToPlainText(), NzStr(rs.Field(3))},
                      {}});
    }
    vaSpread1->FillRows(std::move(rows));
    if (vaSpread1->MaxRows() > 0) vaSpread1->SetActiveCell(1, 1);
    return true;
  } catch (const std::exception &e) {
    ShowFormError(e, kLoadCaption);
    return false;
  }
}

void frmTemLoad::ChooseRow(int row) {
  if (row < 1 || row > vaSpread1->MaxRows()) return;
  const std::optional<SavedClosing> s =
      ValidSavedClosing(vaSpread1->CellValue(row, 1).remove('.'), vaSpread1->CellValue(row, 3));
  if (!s) return;
  settings_store::SaveSettings({{"TemChitLoad", "1"},
                                {"TemDate", s->date},
                                {"TemChtNo", QString::number(s->no)}});
  accept();
}

}  // namespace orv::closing
