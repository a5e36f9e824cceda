#pragma once
// The entry boxes of the point dialogs: pale yellow (&H0080FFFF) while a box has the focus,
// white otherwise; a number box empties itself on the first key after it took the focus
// when that key is a digit, "+", "-", "." or a keypad key, so typing replaces the figure.
// What the box held on taking the focus is kept for the leave handlers.
#include <initializer_list>

class QLineEdit;
class QString;
class QWidget;

namespace orv::entrybox {

void Watch(QLineEdit *box, bool numberBox);
// The box's text when it last took the focus.
QString Remembered(const QLineEdit *box);
void SetRemembered(QLineEdit *box, const QString &text);
// True for the virtual-key codes that start a fresh figure (43, 45, 46, 48-57, 96-111, 189).
bool IsFirstKeyCode(int vk);

// A box's row of a form's key table: where Up, Enter and Down send the focus (nullptr: it
// stays).
struct FocusMove {
  QLineEdit *box;
  QWidget *up, *enter, *down;
};
// True when vk is Up, Enter or Down and box has a row: the focus has moved as it says.
bool MoveFocus(std::initializer_list<FocusMove> moves, const QLineEdit *box, int vk);

}  // namespace orv::entrybox
