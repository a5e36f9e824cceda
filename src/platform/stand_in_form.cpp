#include "platform/stand_in_form.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/dialogs.h"

StandInForm::StandInForm(const QString &name, const QString &caption, const QString &note,
                         QWidget *parent)
    : QDialog(parent) {
  setObjectName(name);
  setWindowTitle(caption);
  auto *l = new QVBoxLayout(this);
  auto *text = new QLabel(caption + QStringLiteral("\n\n") + note +
                              QStringLiteral("\n\n(Esc: 닫기)"),
                          this);
  text->setWordWrap(true);
  l->addWidget(text);
  auto *close = new QPushButton(QStringLiteral("닫기"), this);
  close->setObjectName(QStringLiteral("cmdClose"));
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  l->addWidget(close);
  resize(360, 180);
}

int ShowStandIn(const QString &name, const QString &caption, const QString &note,
                QWidget *parent) {
  StandInForm form(name, caption, note, parent);
  return orv::dialogs::ShowModal(form);
}
