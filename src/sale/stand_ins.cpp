#include "sale/stand_ins.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "lookup/frmCust.h"
#include "lookup/frmTrsHelp.h"
#include "lookup/help_globals.h"
#include "platform/dialogs.h"
#include "sale/sale_globals.h"

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

void ShowfrmTrsHelp(QWidget *parent) {
  giHelpRet = 0;
  frmTrsHelp form(parent);
  orv::dialogs::ShowModal(form);
}

void ShowfrmCust(QWidget *parent) {
  giHelpRet = 0;
  gcHelpNo = {};
  gsCstHelpNo.clear();
  frmCust form(parent);
  orv::dialogs::ShowModal(form);
}
