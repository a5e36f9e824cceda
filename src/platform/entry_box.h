#pragma once
// The entry boxes of the point dialogs: pale yellow (&H0080FFFF) while a box has the focus,
// white otherwise; a number box empties itself on the first key after it took the focus
// when that key is a digit, "+", "-", "." or a keypad key, so typing replaces the figure.
// What the box held on taking the focus is kept for the leave handlers.
class QLineEdit;
class QString;

namespace orv::entrybox {

void Watch(QLineEdit *box, bool numberBox);
// The box's text when it last took the focus.
QString Remembered(const QLineEdit *box);
void SetRemembered(QLineEdit *box, const QString &text);
// True for the virtual-key codes that start a fresh figure (43, 45, 46, 48-57, 96-111, 189).
bool IsFirstKeyCode(int vk);

}  // namespace orv::entrybox
