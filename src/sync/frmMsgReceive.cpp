#include "sync/frmMsgReceive.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

#include "core/pos_settings.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "platform/wait_cursor.h"
#include "sync/code_copy.h"

frmMsgReceive::frmMsgReceive(QWidget *parent) : QDialog(parent) {
  setObjectName("frmMsgReceive");
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  auto *lay = new QVBoxLayout(this);
  DspTitleLbl = new QLabel(QStringLiteral("* 코드 데이타 불러 오는 중 *"), this);
  DspTitleLbl->setObjectName("DspTitleLbl");
  Label1 = new QLabel(QStringLiteral("= 잠시 대기 ="), this);
  Label1->setObjectName("Label1");
  MsgTextLbl = new QLabel(this);
  MsgTextLbl->setObjectName("MsgTextLbl");
  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setObjectName("ProgressBar1");
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setValue(0);
  for (QLabel *l : {DspTitleLbl, Label1, MsgTextLbl}) {
    l->setAlignment(Qt::AlignCenter);
    lay->addWidget(l);
  }
  lay->addWidget(ProgressBar1);
  resize(420, 150);
}

void frmMsgReceive::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  if (started_) return;
  started_ = true;
  QTimer::singleShot(0, this, [this] { ReceiveCodeTables(); });
}

void frmMsgReceive::ShowCopyStep(const QString &table, int value) {
  MsgTextLbl->setText(table);
  ProgressBar1->setValue(value);
  repaint();
}

void frmMsgReceive::ReceiveCodeTables() {
  started_ = true;
  if (!gsSetMainDB.isEmpty() && !gsSetPosDB.isEmpty()) {
    try {
      orv::WaitCursor wait;
      orv::sync::CopyCodesFromMain(orv::sync::CustomerCopy::Always,
                                   [this](int step, const QString &table) {
                                     ShowCopyStep(table, orv::sync::CodeCopyProgress(step));
                                   });
      copied_ = true;
    } catch (const orv::db::DbError &e) {
      orv::dialogs::Critical(e.Description, QStringLiteral("전송오류!!"));
    }
  }
  accept();
}
