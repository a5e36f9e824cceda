#pragma once
// What the goods and inquiry screens share: the drawn title and key legend, coloured boxes,
// the wait cursor while a screen queries, and the database error box under the form's
// caption.
#include <QString>
#include <exception>

class QBoxLayout;
class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace orv::goods {

// The title banner at the top of a screen.
QLabel *TitleBanner(const QString &text, QWidget *parent);
// A click area over a key legend entry: a flat button that never takes the focus.
QPushButton *LegendButton(const QString &name, const QString &text, QWidget *parent);

// A total under a grid: right-aligned on a white framed panel.
QLabel *SumLabel(const QString &name, QWidget *parent);
// Esc closes the dialog without a result, whatever control has the focus.
void EscCloses(QDialog *form);

// Back and text colours as &HBBGGRR (-1 keeps the text colour).
void SetBoxColors(QWidget *box, long back, long fore = -1);
// Right-aligned, read-only when locked.
QLineEdit *ValueBox(const QString &name, QWidget *parent, long back, bool rightAligned,
                    bool locked = true);

// The hourglass for the life of the object.
class WaitCursor {
 public:
  WaitCursor();
  ~WaitCursor();
  WaitCursor(const WaitCursor &) = delete;
  WaitCursor &operator=(const WaitCursor &) = delete;
};

// "오류번호 : … 오류내용 : …" with the error icon and the form's caption as title.
void ShowError(QWidget *form, const std::exception &error);

}  // namespace orv::goods
