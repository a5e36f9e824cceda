#include "closing/frmMidInput.h"

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
#include "core/globals.h"
#include "core/money_ops.h"
#include "core/pos_settings.h"
#include "core/text_format.h"
#include "core/values.h"
#include "platform/busy_pointer.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/form_keys.h"
#include "platform/grid.h"
#include "platform/keys.h"
#include "platform/widget_colors.h"
#include "schema/month_tables.h"

namespace orv::closing {

using namespace orv::money;

namespace {
const QString kCaption = QStringLiteral("중간입금 내역");
constexpr int kMaxDigits = 12;
enum Col { ColDate = 1, ColTime, ColInit, ColHab, ColNow, ColMid, ColSeq, ColKeyDate, ColPos,
           ColPsn, ColCount = ColPsn };

// Digits and "-" only, at most twelve digits.
QString KeptAmount(const QString &text) {
  QString kept;
  int digits = 0;
  for (QChar c : text) {
    if (c == '-') {
      kept += c;
    } else if (c.isDigit() && c.unicode() < 128 && digits < kMaxDigits) {
      kept += c;
      ++digits;
    }
  }
  return kept;
}

Currency BoxAmount(const QLineEdit *box) { return NzCur(QString(box->text()).remove(',')); }
}  // namespace

frmMidInput::frmMidInput(QWidget *parent) : QDialog(parent) {
  setObjectName("frmMidInput");
  setWindowTitle(kCaption);
  auto *root = new QVBoxLayout(this);
  auto *top = new QHBoxLayout;
  auto box = [this](const char *name, long back) {
    auto *b = new QLineEdit(this);
    b->setObjectName(QLatin1String(name));
    b->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    colors::SetBack(b, back);
    return b;
  };
  txtMidGum = box("txtMidGum", 0xC0FFFF);
  top->addWidget(new QLabel(QStringLiteral("중간입금액"), this));
  top->addWidget(txtMidGum, 1);
  root->addLayout(top);

  vaSpread1 = new Grid(this);
  vaSpread1->setObjectName("vaSpread1");
  vaSpread1->SetMaxCols(ColCount);
  const char *heads[] = {"일  자", "시  간", "기초잔액", "판매금액", "현재잔액", "중간입금"};
  for (int c = 1; c <= 6; ++c) vaSpread1->SetColHeaderText(c, QString::fromUtf8(heads[c - 1]));
  for (int c = ColInit; c <= ColMid; ++c)
    vaSpread1->SetColAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
  vaSpread1->SetRow(-1);
  vaSpread1->SetCol(-1);
  vaSpread1->SetLock(true);
  // The row's key, so a delete names exactly the row the cashier chose.
  for (int c = ColSeq; c <= ColPsn; ++c) vaSpread1->SetColHidden(c, true);
  root->addWidget(vaSpread1, 1);

  auto *sums = new QHBoxLayout;
  txtInitGum = box("txtInitGum", 0xCFDFD5);
  txtMHabGum = box("txtMHabGum", 0xCFDFD5);
  txtHabGum = box("txtHabGum", 0xCFDFD5);
  txtNowGum = box("txtNowGum", 0xCFDFD5);
  const std::pair<const char *, QLineEdit *> shown[] = {{"기초잔액:", txtInitGum},
                                                        {"중간입금:", txtMHabGum},
                                                        {"판매합계:", txtHabGum},
                                                        {"현재잔액:", txtNowGum}};
  for (const auto &[caption, b] : shown) {
    b->setReadOnly(true);
    b->setFocusPolicy(Qt::NoFocus);
    sums->addWidget(new QLabel(QString::fromUtf8(caption), this));
    sums->addWidget(b, 1);
  }
  root->addLayout(sums);

  auto *buttons = new QHBoxLayout;
  auto button = [this](const char *name, const QString &caption) {
    auto *b = new QPushButton(caption, this);
    b->setObjectName(QLatin1String(name));
    b->setFocusPolicy(Qt::NoFocus);
    return b;
  };
  cmdInput = button("cmdInput", QStringLiteral("F1 입금"));
  cmdDelete = button("cmdDelete", QStringLiteral("F2 삭제"));
  cmdList = button("cmdList", QStringLiteral("F3 목록"));
  cmdExit = button("cmdExit", QStringLiteral("Esc 종료"));
  for (QPushButton *b : {cmdInput, cmdDelete, cmdList, cmdExit}) buttons->addWidget(b);
  root->addLayout(buttons);
  resize(720, 460);

  for (QLineEdit *b : {txtMidGum, txtInitGum, txtMHabGum, txtHabGum, txtNowGum})
    connect(b, &QLineEdit::textChanged, this, [this, b] { Amount_Change(b); });
  connect(cmdInput, &QPushButton::clicked, txtMidGum, qOverload<>(&QWidget::setFocus));
  connect(cmdDelete, &QPushButton::clicked, this, &frmMidInput::cmdDelete_Click);
  connect(cmdList, &QPushButton::clicked, vaSpread1, qOverload<>(&QWidget::setFocus));
  connect(cmdExit, &QPushButton::clicked, this, &QDialog::reject);
  formkeys::InstallKeyPreview(this, {[this](int &k, int s) { Form_KeyDown(k, s); }, {}, {}});

  ctx_ = WorkDateContext();
  try {
    ProbeClosingContext(ctx_);
  } catch (const std::exception &e) {
    ShowFormError(e, kCaption);
  }
  txtMidGum->setFocus();
}

void frmMidInput::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  if (shown_) return;
  shown_ = true;
  QTimer::singleShot(0, this, [this] { LoadMidDeposits(); });
}

void frmMidInput::Amount_Change(QLineEdit *b) {
  const QString kept = KeptAmount(b->text());
  const Currency v = NzCur(kept);
  // A lone "-" stays, so a negative deposit can be typed sign first.
  const QString shown = !v.IsZero() ? FmtAmt(v, 0) : kept == "-" ? kept : QString();
  if (shown != b->text()) b->setText(shown);
  b->setCursorPosition(int(shown.size()));
}

bool frmMidInput::LoadMidDeposits() {
  BusyPointer busy;
  try {
    const QVariantList key{int(giSetPosNo), BindCur(gcLogPsnKey)};
    db::Recordset rs = QueryBound(
        goDbPos,
        "SELECT A.IntSeqNo, A.IntDate, A.IntWrtdate, A.IntWrttime, B.PcdName, A.IntInitGum, "
        "A.IntHab, A.IntNGum, A.IntMidGum FROM InitGumLog A LEFT JOIN PsnCode B ON "
        "A.IntPsnKey = B.PcdKey WHERE A.IntPosNo = ? AND A.IntPsnKey = ? AND A.IntGuBun1 = 2 "
        "ORDER BY A.IntWrtdate, A.IntWrttime, A.IntDate, A.IntSeqNo",
        key);
    std::vector<Grid::FillRow> rows;
    Currency mid;
    for (; !rs.Eof(); rs.MoveNext()) {
      const QString t = NzStr(rs.Field("IntWrttime"));
      const Currency gum = NzCur(rs.Field("IntMidGum"));
      mid += gum;
      rows.push_back({{NzStr(rs.Field("IntWrtdate")),
                       t.left(2) + ":" + t.mid(2, 2) + ":" + t.mid(4, 2),
                       NzCur(rs.Field("IntInitGum")).ToPlainText(),
                       NzCur(rs.Field("IntHab")).ToPlainText(),
                       NzCur(rs.Field("IntNGum")).ToPlainText(), gum.ToPlainText(),
                       NzCur(rs.Field("IntSeqNo")).ToPlainText(), NzStr(rs.Field("IntDate")),
                       QString::number(giSetPosNo), gcLogPsnKey.ToPlainText()},
                      {}});
    }
    Currency hab, cSobi, oiSang;
    const QStringList months = ctx_.Months();
    if (!months.isEmpty()) {
      QStringList parts;
      QVariantList args;
      for (const QString &m : months) {
        parts << "SELECT SUM(PctHab) AS PctHab, SUM(PctCSobi) AS PctCSobi, "
                 "SUM(PctOiSang) AS PctOiSang FROM PanChitT" +
                     schema::MonthSuffix(m.toInt()) + " WHERE PctPsnKey = ? AND PctSss3 = 0";
        args << BindCur(gcLogPsnKey);
      }
      db::Recordset s = QueryBound(goDbPos,
                                   "SELECT SUM(PctHab) AS PctHab, SUM(PctCSobi) AS PctCSobi, "
                                   "SUM(PctOiSang) AS PctOiSang FROM (" +
                                       parts.join(" UNION ALL ") + ") A",
                                   args);
      if (!s.Eof()) {
        hab = NzCur(s.Field("PctHab"));
        cSobi = NzCur(s.Field("PctCSobi"));
        oiSang = NzCur(s.Field("PctOiSang"));
      }
    }
    db::Recordset ig = QueryBound(
        goDbPos, "SELECT IntInitGum FROM InitGum WHERE IntPosNo = ? AND IntPsnKey = ?", key);
    const Currency init = ig.Eof() ? Currency() : NzCur(ig.Field(0));
    vaSpread1->FillRows(std::move(rows));
    txtInitGum->setText(init.ToPlainText());
    txtHabGum->setText(hab.ToPlainText());
    txtMHabGum->setText(mid.ToPlainText());
    txtNowGum->setText((init + hab - cSobi - oiSang - mid).ToPlainText());
    return true;
  } catch (const std::exception &e) {
    ShowFormError(e, kCaption);
    return false;
  }
}

void frmMidInput::Form_KeyDown(int &k, int shift) {
  const bool inBox = focusWidget() == txtMidGum;
  if (k == keys::vbKeyEscape) {
    k = 0;
    reject();
  } else if (k == keys::vbKeyF1) {
    k = 0;
    txtMidGum->setFocus();
    txtMidGum->selectAll();
  } else if (k == keys::vbKeyF1 + 1) {
    k = 0;
    cmdDelete_Click();
  } else if (k == keys::vbKeyF1 + 2) {
    k = 0;
    vaSpread1->setFocus();
  } else if (inBox && k == keys::vbKeyReturn) {
    k = 0;
    txtMidGum_Enter();
  } else if (inBox && (k == keys::vbKeyOemPlus || k == keys::vbKeyOemPeriod)) {
    const QString zeros = k == keys::vbKeyOemPlus ? "00" : "000";
    k = 0;
    txtMidGum->setText(txtMidGum->text() + zeros);
  } else if (inBox && k == keys::vbKeyF1 + 9 && shift == 0 && giSetKey == 1) {
    k = 0;
    txtMidGum->insert("-");
  }
}

void frmMidInput::txtMidGum_Enter() {
  const Currency deposit = BoxAmount(txtMidGum);
  const Currency balance = BoxAmount(txtNowGum);
  if (deposit > balance) {
    dialogs::MsgBox(QStringLiteral("입금금액이 현재잔액보다 클수없습니다."),
                    dialogs::kInformation, QStringLiteral("입력정보"));
    vaSpread1->setFocus();
    return;
  }
  if (!dialogs::AskYesNo(QStringLiteral("중간입금 금액을 변경하시겠습니까?"),
                         QStringLiteral("중간입금 변경"))) {
    vaSpread1->setFocus();
    return;
  }
  if (InsertMidDeposit(deposit)) vaSpread1->setFocus();
}

bool frmMidInput::InsertMidDeposit(Currency deposit) {
  {
    BusyPointer busy;
    try {
      const Currency mid = BoxAmount(txtMHabGum) + deposit;
      const Currency now = BoxAmount(txtNowGum) - deposit;
      const QString date = ctx_.msWrkDate;
      db::Transaction tx(goDbPos);
      const int16_t seq = NextInitGumLogSeq(date, giSetPosNo);
      const QDateTime at = clock::Now();
      ExecBound(goDbPos,
                "INSERT INTO InitGumLog (IntYear, IntMon, IntDay, IntDate, IntSeqNo, IntPosNo, "
                "IntPsnKey, IntInitGum, IntHab, IntNGum, IntMidGum, IntWrtdate, IntWrttime, "
                "IntGuBun, IntGuBun1) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, 2)",
                {int(giWrkYear), int(giWrkMonth), int(giWrkDay), date, int(seq), int(giSetPosNo),
                 BindCur(gcLogPsnKey), BindCur(BoxAmount(txtInitGum)),
                 BindCur(BoxAmount(txtHabGum)), BindCur(now), BindCur(deposit),
                 at.toString("yyyyMMdd"), at.toString("hhmmss")});
      tx.Commit();
      txtMHabGum->setText(mid.ToPlainText());
      txtNowGum->setText(now.ToPlainText());
    } catch (const std::exception &e) {
      dialogs::MsgBox("[Delete_Init:" + QString::number(ErrorNumber(e)) + ":" +
                      ErrorDescription(e) + "]");
      return false;
    }
  }
  if (!LoadMidDeposits())
    dialogs::MsgBox(QStringLiteral("중간입금은 저장되었으나 목록을 다시 읽지 못했습니다."),
                    dialogs::kInformation, kCaption);
  return true;
}

void frmMidInput::cmdDelete_Click() {
  const int row = vaSpread1->ActiveRow();
  if (row <= 0 || row > vaSpread1->MaxRows()) return;
  if (!dialogs::AskYesNo(QStringLiteral("줄") + QString::number(row) +
                             QStringLiteral("을 삭제하시겠습니까??"),
                         QStringLiteral("중간입금삭제")))
    return;
  DeleteMidDeposit(row);
}

bool frmMidInput::DeleteMidDeposit(int row) {
  {
    BusyPointer busy;
    try {
      db::Transaction tx(goDbPos);
      const long long n = ExecBound(
          goDbPos,
          "UPDATE InitGumLog SET IntGuBun1 = 3 WHERE IntDate = ? AND IntSeqNo = ? AND "
          "IntPosNo = ? AND IntPsnKey = ? AND IntGuBun1 = 2",
          {vaSpread1->CellValue(row, ColKeyDate), vaSpread1->CellValue(row, ColSeq).toInt(),
           vaSpread1->CellValue(row, ColPos).toInt(),
           BindCur(NzCur(vaSpread1->CellValue(row, ColPsn)))});
      if (n != 1)
        throw db::DbError(db::kErrGeneric,
                          QStringLiteral("삭제할 중간입금이 없습니다. 목록을 다시 읽습니다."));
      tx.Commit();
    } catch (const std::exception &e) {
      dialogs::MsgBox("[Delete_Init:" + QString::number(ErrorNumber(e)) + ":" +
                      ErrorDescription(e) + "]");
      LoadMidDeposits();
      return false;
    }
  }
  if (!LoadMidDeposits())
    dialogs::MsgBox(QStringLiteral("중간입금은 삭제되었으나 목록을 다시 읽지 못했습니다."),
                    dialogs::kInformation, kCaption);
  return true;
}

void ShowMidInput(QWidget *parent) {
  frmMidInput form(parent);
  dialogs::ShowModal(form);
}

}  // namespace orv::closing
