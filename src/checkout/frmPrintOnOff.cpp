#include "checkout/frmPrintOnOff.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "checkout/checkout_globals.h"

frmPrintOnOff::frmPrintOnOff(QWidget *parent) : QDialog(parent) {
  setObjectName("frmPrintOnOff");
  setWindowTitle(QStringLiteral("영수증 출력 선택"));
  auto *g = new QGridLayout(this);
  Label1 = new QLabel(QStringLiteral("영수증 출력 선택"), this);
  Label1->setObjectName("Label1");
  PrintOnCmd = new QPushButton(QStringLiteral("영수증 출력 하기"), this);
  PrintOnCmd->setObjectName("PrintOnCmd");
  Label2 = new QLabel(QStringLiteral(" PgUp, Ent, ↑"), this);
  Label2->setObjectName("Label2");
  PrintOffCmd = new QPushButton(QStringLiteral("영수증 출력 안함"), this);
  PrintOffCmd->setObjectName("PrintOffCmd");
  Label3 = new QLabel(QStringLiteral(" Esc, Ent, ↓"), this);
  Label3->setObjectName("Label3");
  g->addWidget(Label1, 0, 0, 1, 2);
  g->addWidget(PrintOnCmd, 1, 0);
  g->addWidget(Label2, 1, 1);
  g->addWidget(PrintOffCmd, 2, 0);
  g->addWidget(Label3, 2, 1);
  for (QPushButton *b : {PrintOnCmd, PrintOffCmd}) {
    b->setAutoDefault(false);
    b->setEnabled(false);
    b->installEventFilter(this);
  }
  connect(PrintOnCmd, &QPushButton::clicked, this, &frmPrintOnOff::ChoosePrintOn);
  connect(PrintOffCmd, &QPushButton::clicked, this, &frmPrintOnOff::ChoosePrintOff);
}

void frmPrintOnOff::ChoosePrintOn() {
  giPrintOnOffRet = 1;
  accept();
}

void frmPrintOnOff::ChoosePrintOff() {
  giPrintOnOffRet = 0;
  accept();
}

void frmPrintOnOff::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  Form_Activate();
}

void frmPrintOnOff::Form_Activate() {
  if (miActivated != 0) return;
  miActivated = 1;
  PrintOnCmd->setEnabled(true);
  PrintOffCmd->setEnabled(true);
  PrintOffCmd->setFocus();
}

void frmPrintOnOff::keyPressEvent(QKeyEvent *event) {
  // Only the buttons answer; the dialog's own Esc would close it without one.
  event->accept();
}

bool frmPrintOnOff::eventFilter(QObject *watched, QEvent *event) {
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  const int key = static_cast<QKeyEvent *>(event)->key();
  const bool on = watched == PrintOnCmd;
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      on ? ChoosePrintOn() : ChoosePrintOff();
      return true;
    case Qt::Key_PageUp:
      ChoosePrintOn();
      return true;
    case Qt::Key_Escape:
      if (on) PrintOffCmd->setFocus();
      else ChoosePrintOff();
      return true;
    case Qt::Key_Up:
      PrintOnCmd->setFocus();
      return true;
    case Qt::Key_Down:
      PrintOffCmd->setFocus();
      return true;
    default:
      return true;
  }
}
