#include "display/KeyPadAllFrm.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "lookup/help_globals.h"

KeyPadAllFrm::KeyPadAllFrm(QWidget *parent) : QDialog(parent) {
  setObjectName("KeyPadAllFrm");
  setWindowTitle(QStringLiteral("키보드"));
  giKeyPadOk = 0;
  gsKeyPadText.clear();
  auto *l = new QVBoxLayout(this);
  l->addWidget(new QLabel(QStringLiteral("화상 키보드는 다음 작업에서 제공됩니다."), this));
  auto *b = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(b, &QDialogButtonBox::rejected, this, &QDialog::reject);
  l->addWidget(b);
}
