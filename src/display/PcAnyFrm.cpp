#include "display/PcAnyFrm.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

PcAnyFrm::PcAnyFrm(QWidget *parent) : QDialog(parent) {
  setObjectName("PcAnyFrm");
  setWindowTitle(QStringLiteral("원격지원"));
  auto *l = new QVBoxLayout(this);
  l->addWidget(new QLabel(QStringLiteral("원격지원 프로그램이 설정되지 않았습니다."), this));
  auto *b = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(b, &QDialogButtonBox::rejected, this, &QDialog::reject);
  l->addWidget(b);
}
