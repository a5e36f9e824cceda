// The goods dialog's selected goods: the list the selection check fills, and the take of
// every listed goods item at once.
#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QVBoxLayout>

#include "core/values.h"
#include "lookup/GdsHelpFrm.h"
#include "lookup/help_globals.h"
#include "platform/list_grid.h"

using namespace orv;

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

enum SelField { sNo, sName, sKyg, sBar, sNote, sKey };

}  // namespace

void GdsHelpFrm::buildSelected(QWidget *host) {
  GdsSeltFme = new QFrame(host);
  GdsSeltFme->setObjectName("GdsSeltFme");
  GdsSeltFme->setFrameShape(QFrame::Box);
  GdsSeltFme->setStyleSheet("#GdsSeltFme { background: #C0C0FF; }");
  auto *l = new QGridLayout(GdsSeltFme);
  l->addWidget(new QLabel("선택상품(F1)", GdsSeltFme), 0, 0, 1, 5);
  vaSpread2 = new ListGrid(GdsSeltFme);
  vaSpread2->setObjectName("vaSpread2");
  const char *heads[] = {"No", "상품명", "규격", "바코드", "비고", "GdsKey"};
  const double widths[] = {11, 18, 8, 14, 6, 10};
  vaSpread2->SetMaxCols(6);
  for (int c = 1; c <= 6; ++c) {
    vaSpread2->SetColHeaderText(c, QString::fromUtf8(heads[c - 1]));
    vaSpread2->SetColWidth(c, widths[c - 1]);
  }
  vaSpread2->SetFormatter([](const ListFields &f, int col) {
    ListCell c;
    c.text = f.value(col - 1).toString();
    return c;
  });
  vaSpread2->SetColHidden(6, true);
  vaSpread2->SetRowHeight(20);
  l->addWidget(vaSpread2, 1, 0, 1, 5);
  SelEnterCmd = button(GdsSeltFme, "SelEnterCmd", "확인", "F6");
  SelDeltCmd = button(GdsSeltFme, "SelDeltCmd", "삭제");
  SelDelt1Cmd = button(GdsSeltFme, "SelDelt1Cmd", "D");
  SelCloseCmd = button(GdsSeltFme, "SelCloseCmd", "닫기");
  InitCol2Rtn = button(GdsSeltFme, "InitCol2Rtn", "초기");
  int c = 0;
  for (QPushButton *b : {SelEnterCmd, SelDeltCmd, SelDelt1Cmd, SelCloseCmd, InitCol2Rtn})
    l->addWidget(b, 2, c++);
  GdsSeltFme->hide();

  connect(SelEnterCmd, &QPushButton::clicked, this, &GdsHelpFrm::SelEnterCmd_Click);
  connect(SelDeltCmd, &QPushButton::clicked, this, &GdsHelpFrm::SelDeltCmd_Click);
  connect(SelDelt1Cmd, &QPushButton::clicked, this, &GdsHelpFrm::SelDelt1Cmd_Click);
  connect(SelCloseCmd, &QPushButton::clicked, this, &GdsHelpFrm::SelCloseCmd_Click);
  connect(InitCol2Rtn, &QPushButton::clicked, this, [this] { ResetColumns(vaSpread2); });
}

void GdsHelpFrm::SelEnterCmd_Click() {
  const int n = vaSpread2->MaxRows();
  if (n == 0) return;
  gcHelpNo = {};
  giHelpNo1 = giHelpNo2 = giHelpNo3 = 0;
  QStringList keys, nos;
  for (int r = 1; r <= n; ++r) {
    keys << TrimBlanks(vaSpread2->Fields(r).value(sKey).toString());
    nos << TrimBlanks(vaSpread2->Fields(r).value(sNo).toString());
  }
  gsHelpKeys = keys.join(',');
  gsHelpNos = nos.join(',');
  giHelpRet = 2;
  rowTaken_ = true;
  accept();
}

void GdsHelpFrm::SelDelt1Cmd_Click() {
  const int r = vaSpread2->ActiveRow();
  if (vaSpread2->MaxRows() == 0 || r < 1) return;
  QVector<ListFields> rows;
  for (int i = 1; i <= vaSpread2->MaxRows(); ++i)
    if (i != r) rows << vaSpread2->Fields(i);
  vaSpread2->Clear();
  vaSpread2->AppendRows(rows);
  if (!rows.isEmpty()) vaSpread2->SetActiveCell(1, std::min(r, int(rows.size())));
}

void GdsHelpFrm::SelDeltCmd_Click() {
  vaSpread2->Clear();
  SelCloseCmd_Click();
}

void GdsHelpFrm::SelCloseCmd_Click() {
  GdsSeltFme->hide();
  vaSpread1->setFocus();
}

void GdsHelpFrm::ToggleSeltGds(int remove, const QString &no, const QString &name,
                               const QString &kyg, const QString &bar, const QString &key) {
  int found = 0;
  for (int r = 1; r <= vaSpread2->MaxRows() && found == 0; ++r)
    if (TrimBlanks(vaSpread2->Fields(r).value(sNo).toString()) == no) found = r;
  if (remove != 0) {
    if (found == 0) return;
    vaSpread2->SetActiveCell(1, found);
    SelDelt1Cmd_Click();
    return;
  }
  if (found != 0) return;
  vaSpread2->AppendRows({ListFields{no, name, kyg, bar, QString(), key}});
  vaSpread2->SetActiveCell(1, vaSpread2->MaxRows());
}

void GdsHelpFrm::ChtSeltCmd_Click() {
  const int r = vaSpread1->ActiveRow();
  if (r > 0) {
    const QString no = TrimBlanks(vaSpread1->CellValue(r, 1).left(10));
    if (!no.endsWith("0000")) {
      const QString name = vaSpread1->CellValue(r, 3), kyg = vaSpread1->CellValue(r, 4),
                    bar = vaSpread1->CellValue(r, 5), key = vaSpread1->CellValue(r, 22);
      if (vaSpread1->Checked(r)) {
        vaSpread1->SetChecked(r, false);
        ToggleSeltGds(1, no, name, kyg, bar, key);
      } else {
        vaSpread1->SetChecked(r, true);
        ToggleSeltGds(0, no, name, kyg, bar, key);
      }
    }
  }
  GdsSeltFme->setVisible(vaSpread2->MaxRows() > 0);
  vaSpread1->setFocus();
}

void GdsHelpFrm::MoveSeltCmd_Click() {
  loadRest();
  if (vaSpread1->MaxRows() > 0) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    vaSpread2->Clear();
    // One row per goods number, as the toggle keeps it, without a scan per row.
    QSet<QString> listed;
    QVector<ListFields> rows;
    for (int r = 1; r <= vaSpread1->MaxRows(); ++r) {
      if (!vaSpread1->Checked(r)) continue;
      const QString no = TrimBlanks(vaSpread1->CellValue(r, 1).left(10));
      if (no.endsWith("0000") || listed.contains(no)) continue;
      listed.insert(no);
      rows << ListFields{no,         vaSpread1->CellValue(r, 3), vaSpread1->CellValue(r, 4),
                         vaSpread1->CellValue(r, 5), QString(), vaSpread1->CellValue(r, 22)};
    }
    vaSpread2->AppendRows(rows);
    if (!rows.isEmpty()) vaSpread2->SetActiveCell(1, vaSpread2->MaxRows());
    QApplication::restoreOverrideCursor();
    GdsSeltFme->setVisible(vaSpread2->MaxRows() > 0);
  }
  vaSpread1->setFocus();
}
