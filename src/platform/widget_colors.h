#pragma once
// A control's back and text colours given as &HBBGGRR.
class QWidget;

namespace orv::colors {
void SetBack(QWidget *w, long bgr);
void SetFore(QWidget *w, long bgr);
}  // namespace orv::colors
