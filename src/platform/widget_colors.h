#pragma once
// A control's back and text colours given as &HBBGGRR.
class QLineEdit;
class QWidget;

namespace orv::colors {
void SetBack(QWidget *w, long bgr);
void SetFore(QWidget *w, long bgr);

// The card forms' entry boxes: light yellow with the whole text selected while the box has
// the focus, white again when it leaves.
inline constexpr long kEntryFocusBack = 0x80FFFF;
void HighlightOnFocus(QLineEdit *box);
}  // namespace orv::colors
