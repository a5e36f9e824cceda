#pragma once
// Controls made the way the forms make theirs: named after the member that holds them, so
// tests find them with findChild.
#include <QPushButton>
#include <QString>
#include <QWidget>
#include <utility>

namespace orv::widgets {

// new W(args..., parent) with objectName name: Named<QLineEdit>(this, "txtiCard"),
// Named<QLabel>(this, "lblMsg", text).
template <typename W, typename... Args>
W *Named(QWidget *parent, const char *name, Args &&...args) {
  auto *w = new W(std::forward<Args>(args)..., parent);
  w->setObjectName(QString::fromLatin1(name));
  return w;
}

// A clickable picture of a card form: no default button, takes no focus.
inline QPushButton *PictureButton(QWidget *parent, const char *name, const QString &text) {
  auto *b = Named<QPushButton>(parent, name, text);
  b->setAutoDefault(false);
  b->setFocusPolicy(Qt::NoFocus);
  return b;
}

}  // namespace orv::widgets
