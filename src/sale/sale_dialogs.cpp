#include "sale/sale_dialogs.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "core/byte_text.h"
#include "core/globals.h"
#include "core/values.h"
#include "platform/colors.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "platform/keys.h"
#include "sale/goods_lookup.h"

using namespace orv;

QString gsErrDispMsg;
QString gsErrDispCode;

namespace {

constexpr long kButtonBack = 0x00E0E0E0;
constexpr long kButtonFocused = 0x00C0FFC0;

void SetBack(QWidget *w, long bgr) {
  w->setStyleSheet(QStringLiteral("background-color: %1;").arg(colors::FromBgr(bgr).name()));
}

}  // namespace

// ---------------------------------------------------------------------------- pack chooser

frmGdsSelect::frmGdsSelect(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmGdsSelect"));
  setWindowTitle(QStringLiteral("단축키 선택 작업 - ( Esc : 취소 )"));
  static const char16_t *const kGroups[] = {
      u"그룹#1 ( F1, Ins ) 01~10",  u"그룹#2 ( F2, Del ) 11~20", u"그룹#3 ( F3, Home ) 21~30",
      u"그룹#4 ( F4, End ) 31~40",  u"그룹#5 ( F5, PgUp ) 41~50", u"그룹#6 ( F6, PgDn ) 51~60"};
  auto *grid = new QGridLayout(this);
  for (int g = 1; g <= 6; ++g) {
    // Three groups side by side, two rows of groups; each group a label over ten buttons.
    const int baseRow = (g - 1) / 3 * 11;
    const int col = (g - 1) % 3;
    GroupLbl[size_t(g)] = new QLabel(QString::fromUtf16(kGroups[g - 1]), this);
    GroupLbl[size_t(g)]->setObjectName(QStringLiteral("GroupLbl%1").arg(g));
    grid->addWidget(GroupLbl[size_t(g)], baseRow, col);
    for (int i = 1; i <= 10; ++i) {
      const int index = 10 * (g - 1) + i;
      auto *b = new QPushButton(this);
      b->setObjectName(QStringLiteral("GdsNameCmd%1").arg(index));
      b->setProperty("Tag", QString());
      b->setAutoDefault(false);
      b->setMinimumWidth(260);
      SetBack(b, kButtonBack);
      b->installEventFilter(this);
      connect(b, &QPushButton::clicked, this, [this, index] { GdsNameCmd_Click(index); });
      GdsNameCmd[size_t(index)] = b;
      grid->addWidget(b, baseRow + i, col);
    }
  }
  gcGdsSelectKey = {};
  group_ = 1;
  LoadPackGoods();
  QTimer::singleShot(0, this, [this] { FocusButton(1); });
}

void frmGdsSelect::LoadPackGoods() {
  db::Recordset rs = goDbMain.OpenRecordset(gsGdsSelectSql);
  for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
    int pos = int(NzCur(rs.Field("Key2Pack")).RoundToInt());
    if (pos == 0) pos = 1;
    if (pos < 1 || pos > 60) continue;
    const Currency mech = NzCur(rs.Field("GcdMech"));
    const Currency mech2 = NzCur(rs.Field("GcdMech2"));
    QString price = mech.ToPlainText();
    if (mech2 > Currency{}) price += "/" + mech2.ToPlainText();
    const QString caption = LeftAnsi(NzStr(rs.Field("GcdName")), 26) + " " +
                            LeftAnsi(NzStr(rs.Field("GcdKyg")), 10) + " [" + price + "]";
    GdsNameCmd[size_t(pos)]->setText(caption.trimmed());
    GdsNameCmd[size_t(pos)]->setProperty("Tag", NzCur(rs.Field("GcdKey")).ToPlainText());
  }
  rs.Close();
}

void frmGdsSelect::FocusButton(int index) {
  if (index < 1 || index > 60) return;
  GdsNameCmd[size_t(index)]->setFocus();
  // Focus events wait for an active window; the group follows the key at once.
  ButtonFocused(index);
}

void frmGdsSelect::ButtonFocused(int index) {
  group_ = (index - 1) / 10 + 1;
  for (int i = 1; i <= 60; ++i) SetBack(GdsNameCmd[size_t(i)], i == index ? kButtonFocused : kButtonBack);
}

void frmGdsSelect::GdsNameCmd_Click(int index) {
  const Currency key = NzCur(GdsNameCmd[size_t(index)]->property("Tag").toString());
  if (key.IsZero()) return;
  gcGdsSelectKey = key;
  accept();
}

bool frmGdsSelect::HandleKey(QKeyEvent *event) {
  using namespace keys;
  const int vk = ToVirtualKey(event);
  static const struct {
    int a, b, button;
  } kGroupKeys[] = {{vbKeyF1, vbKeyInsert, 1},      {vbKeyF1 + 1, vbKeyDelete, 11},
                    {vbKeyF1 + 2, vbKeyHome, 21},   {vbKeyF1 + 3, vbKeyEnd, 31},
                    {vbKeyF1 + 4, vbKeyPageUp, 41}, {vbKeyF1 + 5, vbKeyPageDown, 51}};
  if (vk == vbKeyEscape) {
    reject();
    return true;
  }
  for (const auto &k : kGroupKeys) {
    if (vk == k.a || vk == k.b) {
      FocusButton(k.button);
      return true;
    }
  }
  const QString text = event->text();
  if (text.size() == 1 && text[0].isDigit() && event->modifiers() == Qt::NoModifier) {
    const int d = text[0].digitValue();
    FocusButton(d == 0 ? 10 * group_ : 10 * (group_ - 1) + d);
    return true;
  }
  if (vk == vbKeyReturn) {
    for (int i = 1; i <= 60; ++i)
      if (GdsNameCmd[size_t(i)]->hasFocus()) GdsNameCmd_Click(i);
    return true;
  }
  return false;
}

bool frmGdsSelect::eventFilter(QObject *watched, QEvent *event) {
  if (event->type() == QEvent::KeyPress) {
    if (HandleKey(static_cast<QKeyEvent *>(event))) return true;
  } else if (event->type() == QEvent::FocusIn) {
    for (int i = 1; i <= 60; ++i)
      if (watched == GdsNameCmd[size_t(i)]) ButtonFocused(i);
  }
  return QDialog::eventFilter(watched, event);
}

void frmGdsSelect::keyPressEvent(QKeyEvent *event) {
  if (!HandleKey(event)) QDialog::keyPressEvent(event);
}

// ---------------------------------------------------------------------------- scan error

frmErrDisp::frmErrDisp(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmErrDisp"));
  setWindowTitle(QStringLiteral("오류발생"));
  auto *l = new QVBoxLayout(this);
  ErrDispLbl = new QLabel(gsErrDispMsg, this);
  ErrDispLbl->setObjectName(QStringLiteral("ErrDispLbl"));
  ErrDataLbl = new QLabel(gsErrDispCode, this);
  ErrDataLbl->setObjectName(QStringLiteral("ErrDataLbl"));
  QFont f = ErrDispLbl->font();
  f.setBold(true);
  f.setPointSize(16);
  ErrDispLbl->setFont(f);
  ErrDataLbl->setFont(f);
  for (QLabel *lbl : {ErrDispLbl, ErrDataLbl}) lbl->setAlignment(Qt::AlignCenter);
  l->addWidget(ErrDispLbl);
  l->addWidget(ErrDataLbl);
  auto *close = new QLabel(QStringLiteral("닫기 [ESC]"), this);
  close->setAlignment(Qt::AlignRight);
  l->addWidget(close);
  resize(480, 200);
}

void frmErrDisp::keyPressEvent(QKeyEvent *event) {
  // Only Esc: a scanner's Enter must not wave the error away.
  if (keys::ToVirtualKey(event) == keys::vbKeyEscape) reject();
}

// ---------------------------------------------------------------------------- hot-key list

frmKeylist::frmKeylist(const QString &listSql, QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmKeylist"));
  setWindowTitle(QStringLiteral("단축키선택작업"));
  auto *l = new QVBoxLayout(this);
  auto *title = new QLabel(QStringLiteral("단축키선택작업"), this);
  QFont f = title->font();
  f.setBold(true);
  f.setPointSize(14);
  title->setFont(f);
  l->addWidget(title);
  lstKey = new QTableWidget(this);
  lstKey->setObjectName(QStringLiteral("lstKey"));
  lstKey->setColumnCount(3);
  lstKey->setHorizontalHeaderLabels({QStringLiteral("키"), QStringLiteral("상품명"), QStringLiteral("판매가")});
  lstKey->setSelectionBehavior(QAbstractItemView::SelectRows);
  lstKey->setSelectionMode(QAbstractItemView::SingleSelection);
  lstKey->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lstKey->verticalHeader()->hide();
  lstKey->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  lstKey->installEventFilter(this);
  connect(lstKey, &QTableWidget::cellDoubleClicked, this, [this] { Take(); });
  l->addWidget(lstKey);
  l->addWidget(new QLabel(QStringLiteral("선택:F1 취소:ESC"), this));

  db::Recordset rs = goDbMain.OpenRecordset(listSql);
  lstKey->setRowCount(rs.RecordCount());
  int row = 0;
  for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext(), ++row) {
    auto *key = new QTableWidgetItem(NzCur(rs.Field("GcdKey")).ToPlainText());
    auto *price = new QTableWidgetItem(NzCur(rs.Field("GcdMech")).ToPlainText());
    price->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lstKey->setItem(row, 0, key);
    lstKey->setItem(row, 1, new QTableWidgetItem(NzStr(rs.Field("GcdName"))));
    lstKey->setItem(row, 2, price);
  }
  rs.Close();
  if (lstKey->rowCount() > 0) lstKey->setCurrentCell(0, 0);
  resize(480, 320);
}

void frmKeylist::Take() {
  const int row = lstKey->currentRow();
  if (row < 0 || !lstKey->item(row, 0)) return;
  chosen_ = NzCur(lstKey->item(row, 0)->text());
  accept();
}

bool frmKeylist::eventFilter(QObject *watched, QEvent *event) {
  if (watched == lstKey && event->type() == QEvent::KeyPress) {
    const int vk = keys::ToVirtualKey(static_cast<QKeyEvent *>(event));
    if (vk == keys::vbKeyReturn || vk == keys::vbKeyF1) {
      Take();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void frmKeylist::keyPressEvent(QKeyEvent *event) {
  const int vk = keys::ToVirtualKey(event);
  if (vk == keys::vbKeyReturn || vk == keys::vbKeyF1)
    Take();
  else
    QDialog::keyPressEvent(event);  // Esc: cancelled
}

// ---------------------------------------------------------------------------- openers

void ShowfrmGdsSelect(QWidget *parent) {
  gcGdsSelectKey = {};
  frmGdsSelect form(parent);
  dialogs::ShowModal(form);
}

void ShowfrmErrDisp(QWidget *parent) {
  frmErrDisp form(parent);
  dialogs::ShowModal(form);
}

Currency ShowfrmKeylist(const QString &listSql, QWidget *parent) {
  frmKeylist form(listSql, parent);
  dialogs::ShowModal(form);
  return form.result() == QDialog::Accepted ? form.Chosen() : Currency{};
}
