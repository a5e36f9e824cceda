#include "lookup/DirectGoFrm.h"

#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "lookup/help_globals.h"
#include "core/text_format.h"
#include "core/values.h"
#include "platform/keys.h"

DirectGoFrm::DirectGoFrm(QWidget *parent) : QDialog(parent) {
  setObjectName("DirectGoFrm");
  setWindowTitle("바로가기");
  auto *frame = new QFrame(this);
  frame->setObjectName("CdeHelpFme");
  frame->setStyleSheet("#CdeHelpFme { background: #C0C0FF; }");
  auto *label = new QLabel("시작위치", frame);
  label->setObjectName("Label1");
  label->setStyleSheet("background: #FF80FF;");
  InputTxt = new QLineEdit(frame);
  InputTxt->setObjectName("InputTxt");
  QFont f = InputTxt->font();
  f.setBold(true);
  f.setPointSize(12);
  InputTxt->setFont(f);
  Command1 = new QPushButton("확인", frame);
  Command1->setObjectName("Command1");
  Command1->setStyleSheet("background: #FF8080;");
  Command2 = new QPushButton("취소", frame);
  Command2->setObjectName("Command2");
  Command2->setStyleSheet("background: #808080;");
  Command1->setAutoDefault(false);
  Command2->setAutoDefault(false);
  auto *grid = new QGridLayout(frame);
  grid->addWidget(label, 0, 0);
  grid->addWidget(InputTxt, 0, 1, 1, 2);
  grid->addWidget(Command1, 1, 1);
  grid->addWidget(Command2, 1, 2);
  auto *outer = new QGridLayout(this);
  outer->addWidget(frame);
  connect(Command1, &QPushButton::clicked, this, &DirectGoFrm::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &DirectGoFrm::Command2_Click);
  InputTxt->installEventFilter(this);

  // Load.
  giHelpOpen = 0;
  giHelpRet = 0;
  giDirectGoRet = 0;
  adjustSize();
  setFixedSize(size());
}

void DirectGoFrm::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  QTimer::singleShot(0, InputTxt, [this] { InputTxt->setFocus(); });
}

void DirectGoFrm::Command1_Click() {
  giHelpRet = 1;
  confirmed_ = true;
  giDirectGoRet = 1;
  accept();
}

void DirectGoFrm::Command2_Click() {
  giHelpRet = 0;
  giDirectGoRet = 0;
  reject();
}

void DirectGoFrm::done(int r) {
  if (!unloaded_) {
    unloaded_ = true;
    if (!confirmed_) giHelpRet = 0;
    gsDirectGoText = SqlText(QVariant(InputTxt->text()), 0);
    const QString head = gsDirectGoText.left(10);
    gcDirectGoNo = NzCur(head);
    gcDirectGoCode = ValCode334(head, 0);
    if (gsDirectGoText.isEmpty()) giHelpRet = 0;
  }
  QDialog::done(r);
}

bool DirectGoFrm::eventFilter(QObject *watched, QEvent *event) {
  if (watched == InputTxt && event->type() == QEvent::KeyPress) {
    const int vk = orv::keys::ToVirtualKey(static_cast<QKeyEvent *>(event));
    if (vk == orv::keys::vbKeyEscape) {
      Command2_Click();
      return true;
    }
    if (vk == orv::keys::vbKeyReturn) {
      Command1_Click();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}
