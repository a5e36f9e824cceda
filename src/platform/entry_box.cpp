#include "platform/entry_box.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVariant>
#include <QWidget>

#include "platform/keys.h"
#include "platform/widget_colors.h"

namespace orv::entrybox {

namespace {

constexpr long kFocusBack = 0x0080FFFF;
constexpr long kBack = 0x00FFFFFF;
constexpr char kRemembered[] = "orvRemembered";
constexpr char kFresh[] = "orvFreshFocus";

class Filter : public QObject {
 public:
  Filter(QLineEdit *box, bool number) : QObject(box), number_(number) {}

  bool eventFilter(QObject *watched, QEvent *event) override {
    auto *box = static_cast<QLineEdit *>(watched);
    switch (event->type()) {
      case QEvent::FocusIn:
        colors::SetBack(box, kFocusBack);
        box->setProperty(kRemembered, box->text());
        box->setProperty(kFresh, true);
        break;
      case QEvent::FocusOut:
        colors::SetBack(box, kBack);
        break;
      case QEvent::KeyPress: {
        if (!box->property(kFresh).toBool()) break;
        const auto *ke = static_cast<QKeyEvent *>(event);
        const int vk = keys::ToVirtualKey(ke);
        if (vk == 0 || vk == keys::vbKeyShift || vk == keys::vbKeyControl ||
            vk == keys::vbKeyMenu)
          break;
        box->setProperty(kFresh, false);
        const QString t = ke->text();
        const bool figure = IsFirstKeyCode(vk) ||
                            (t.size() == 1 && QStringLiteral("+-.").contains(t[0]));
        if (number_ && figure) box->clear();
        break;
      }
      default:
        break;
    }
    return false;
  }

 private:
  bool number_;
};

}  // namespace

void Watch(QLineEdit *box, bool numberBox) {
  colors::SetBack(box, kBack);
  box->installEventFilter(new Filter(box, numberBox));
}

QString Remembered(const QLineEdit *box) { return box->property(kRemembered).toString(); }

void SetRemembered(QLineEdit *box, const QString &text) { box->setProperty(kRemembered, text); }

bool IsFirstKeyCode(int vk) {
  return vk == 43 || vk == 45 || vk == 46 || (vk >= 48 && vk <= 57) || (vk >= 96 && vk <= 111) ||
         vk == 189;
}

bool MoveFocus(std::initializer_list<FocusMove> moves, const QLineEdit *box, int vk) {
  if (vk != keys::vbKeyUp && vk != keys::vbKeyReturn && vk != keys::vbKeyDown) return false;
  for (const FocusMove &m : moves) {
    if (m.box != box) continue;
    QWidget *to = vk == keys::vbKeyUp ? m.up : vk == keys::vbKeyReturn ? m.enter : m.down;
    if (to) to->setFocus();
    return true;
  }
  return false;
}

}  // namespace orv::entrybox
