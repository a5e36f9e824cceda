#include "sale/frmMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/globals.h"
#include "core/pos_settings.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "sale/pos_event.h"

frmMain::frmMain(QWidget *parent) : QWidget(parent) {
  setObjectName("frmMain");
  setWindowTitle(QStringLiteral("판매등록"));
  setAttribute(Qt::WA_DeleteOnClose, false);
  lblDate = new QLabel(QStringLiteral("Ver 2024.01.30"), this);
  lblDate->setObjectName("lblDate");
  lblSaName = new QLabel(this);
  lblSaName->setObjectName("lblSaName");
  lblLine = new QLabel(this);
  lblLine->setObjectName("lblLine");
  cmdExit = new QPushButton(QStringLiteral("종 료"), this);
  cmdExit->setObjectName("cmdExit");

  lblSaName->setText(QStringLiteral("판매원: ") + gsPcdName);
  lblLine->setText(giOnLine == 1 ? QStringLiteral("온라인") : QStringLiteral("오프라인"));
  QFont big = font();
  big.setPointSize(big.pointSize() + 6);
  for (QLabel *l : {lblSaName, lblLine}) l->setFont(big);

  auto *top = new QHBoxLayout;
  top->addWidget(lblSaName);
  top->addStretch();
  top->addWidget(lblLine);
  top->addWidget(lblDate);
  auto *bottom = new QHBoxLayout;
  bottom->addStretch();
  bottom->addWidget(cmdExit);
  auto *main = new QVBoxLayout(this);
  main->addLayout(top);
  main->addStretch();
  main->addLayout(bottom);
  resize(1024, 700);

  connect(cmdExit, &QPushButton::clicked, this, &frmMain::cmdExit_Click);
}

void frmMain::WriteExitRow() {
  try {
    LogPosEvent(1, 92, {}, {}, {});
  } catch (const orv::db::DbError &e) {
    orv::dialogs::Plain(e.Description);
  }
}

void frmMain::cmdExit_Click() {
  if (!orv::dialogs::AskYesNo(QStringLiteral("정말 종료하시겠습니까 ?"), QStringLiteral("종료"),
                              orv::dialogs::kQuestion))
    return;
  WriteExitRow();
  goDbMain.Close();
  goDbPos.Close();
  leaving_ = true;
  close();
}

void frmMain::closeEvent(QCloseEvent *event) {
  // Closed any other way: the exit row is written without asking.
  if (!leaving_) WriteExitRow();
  leaving_ = true;
  event->accept();
}
