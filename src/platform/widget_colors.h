#pragma once
// A control's back and text colours given as &HBBGGRR.
#include <functional>

class QLineEdit;
class QWidget;

namespace orv::colors {
void SetBack(QWidget *w, long bgr);
void SetFore(QWidget *w, long bgr);

// The card forms' entry boxes: light yellow with the whole text selected while the box has
// the focus, white again when it leaves.
inline constexpr long kEntryFocusBack = 0x80FFFF;
void HighlightOnFocus(QLineEdit *box);
// The box turns focusBgr while it has the focus and white when it loses it; onLeave (when
// set) runs after it lost the focus. Lives as long as the box.
void TintOnFocus(QWidget *box, long focusBgr, std::function<void()> onLeave = {});
// Drops the onLeave calls of the boxes inside form. A form that gave one calls this first in
// its destructor: the focused box loses the focus while the form's children are deleted, and
// no call may run on a form half destroyed.
void DropLeaveCallbacks(QWidget &form);
}  // namespace orv::colors
