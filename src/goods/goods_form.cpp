#include "goods/goods_form.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/application.h"
#include "platform/colors.h"
#include "platform/dialogs.h"
#include "platform/form_keys.h"
#include "platform/keys.h"

namespace orv::goods {

QLabel *TitleBanner(const QString &text, QWidget *parent) {
  auto *l = new QLabel(text, parent);
  l->setObjectName(QStringLiteral("Image1"));
  l->setAlignment(Qt::AlignCenter);
  l->setMinimumHeight(40);
  l->setStyleSheet(QStringLiteral("background: #2F4F7F; color: white; font-size: 16pt; font-weight: bold;"));
  return l;
}

QPushButton *LegendButton(const QString &name, const QString &text, QWidget *parent) {
  auto *b = new QPushButton(text, parent);
  b->setObjectName(name);
  b->setFocusPolicy(Qt::NoFocus);
  b->setFlat(true);
  b->setAutoDefault(false);
  b->setStyleSheet(QStringLiteral("color: #203050; font-weight: bold;"));
  return b;
}

QLabel *SumLabel(const QString &name, QWidget *parent) {
  auto *l = new QLabel(parent);
  l->setObjectName(name);
  l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  l->setMinimumWidth(120);
  l->setStyleSheet(QStringLiteral("background: white; border: 1px solid #808080;"));
  return l;
}

void EscCloses(QDialog *form) {
  formkeys::InstallKeyPreview(form, {[form](int &vk, int) {
                                       if (vk != keys::vbKeyEscape) return;
                                       vk = 0;
                                       form->reject();
                                     },
                                     {},
                                     {}});
}

void SetBoxColors(QWidget *box, long back, long fore) {
  QString css = QStringLiteral("background: %1;").arg(colors::FromBgr(back).name());
  if (fore >= 0) css += QStringLiteral(" color: %1;").arg(colors::FromBgr(fore).name());
  box->setStyleSheet(css);
}

QLineEdit *ValueBox(const QString &name, QWidget *parent, long back, bool rightAligned, bool locked) {
  auto *b = new QLineEdit(parent);
  b->setObjectName(name);
  if (rightAligned) b->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  if (locked) b->setEnabled(false);
  SetBoxColors(b, back, locked ? 0 : -1);
  return b;
}

WaitCursor::WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
WaitCursor::~WaitCursor() { QApplication::restoreOverrideCursor(); }

void ShowError(QWidget *form, const std::exception &error) {
  dialogs::MsgBox(ErrorBoxText(error), dialogs::kCritical, form ? form->windowTitle() : QString());
}

}  // namespace orv::goods
