#include "sync/frmDataRebuild.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/helpers.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/wait_cursor.h"
#include "sync/resend_day.h"

frmDataRebuild::frmDataRebuild(QWidget *parent) : QDialog(parent) {
  setObjectName("frmDataRebuild");
  setWindowTitle(QStringLiteral("데이타재전송~~"));
  auto *lay = new QVBoxLayout(this);
  dtpFromDate = new QDateEdit(orv::clock::Now().date(), this);
  dtpFromDate->setObjectName("dtpFromDate");
  dtpFromDate->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
  dtpFromDate->setCalendarPopup(true);
  chkCstCode = new QCheckBox(QStringLiteral("고객포인트 포함"), this);
  chkCstCode->setObjectName("chkCstCode");
  cmdOK = new QPushButton(QStringLiteral("재전송작업"), this);
  cmdOK->setObjectName("cmdOK");
  cmdOK->setAutoDefault(false);
  Prs = new QProgressBar(this);
  Prs->setObjectName("Prs");
  Prs->setRange(0, 100);
  Prs->setValue(0);
  for (QWidget *w : std::initializer_list<QWidget *>{dtpFromDate, chkCstCode, cmdOK, Prs})
    lay->addWidget(w);
  resize(360, 180);
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
}

void frmDataRebuild::cmdOK_Click() {
  if (!orv::dialogs::AskYesNo(QStringLiteral("데이타 재전송 작업을 하시겠습니까 ?"),
                              QStringLiteral("데이타재전송"), 0))
    return;
  ResendDayData();
}

void frmDataRebuild::ResendDayData() {
  orv::sync::ResendOutcome out;
  {
    orv::WaitCursor wait;
    DisableControls(this);
    struct Enable {
      QWidget *w;
      ~Enable() { EnableControls(w); }
    } enable{this};
    out = orv::sync::ResendDayData(dtpFromDate->date(), chkCstCode->isChecked(),
                                   [this](int value) { Prs->setValue(value); });
  }
  if (!out.failure.isEmpty()) orv::dialogs::Critical(out.failure, out.title);
}
