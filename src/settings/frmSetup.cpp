#include "settings/frmSetup.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {
void build(QDialog *d, const QString &caption) {
  d->setWindowTitle(caption);
  auto *l = new QVBoxLayout(d);
  l->addWidget(new QLabel(QStringLiteral("이 화면은 아직 준비 중입니다."), d));
  auto *b = new QDialogButtonBox(QDialogButtonBox::Close, d);
  QObject::connect(b, &QDialogButtonBox::rejected, d, &QDialog::reject);
  l->addWidget(b);
}
}  // namespace

frmSetup::frmSetup(QWidget *parent) : QDialog(parent) {
  setObjectName("frmSetup");
  build(this, QStringLiteral("환경설정"));
}

frmConfig::frmConfig(QWidget *parent) : QDialog(parent) {
  setObjectName("frmConfig");
  build(this, QStringLiteral("설정작업"));
}
