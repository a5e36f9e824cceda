#include "sync/msg_wait_dialog.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

MsgWaitDialog::MsgWaitDialog(const QString &objectName, const QString &title, QWidget *parent)
    : QDialog(parent) {
  setObjectName(objectName);
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  auto *lay = new QVBoxLayout(this);
  DspTitleLbl = new QLabel(title, this);
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

void MsgWaitDialog::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  // Should the window system never expose it, the work still runs.
  QTimer::singleShot(1000, this, [this] { StartWork(); });
}

void MsgWaitDialog::paintEvent(QPaintEvent *event) {
  QDialog::paintEvent(event);
  // Only once the dialog is on the screen: before that its steps would paint nothing, and
  // the cashier would look at an empty frame for the whole copy.
  StartWork();
}

void MsgWaitDialog::StartWork() {
  if (started_) return;
  started_ = true;
  QTimer::singleShot(0, this, [this] { RunOnce(); });
}

void MsgWaitDialog::RunOnce() {
  started_ = true;
  Run();
  accept();
}

void MsgWaitDialog::ShowCopyStep(const QString &text, int value) {
  if (!text.isNull()) MsgTextLbl->setText(text);
  ProgressBar1->setValue(value);
  repaint();
}
