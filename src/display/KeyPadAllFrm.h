#pragma once
// The on-screen keyboard for touch screens, titled "숫자 문자 입력": every key at once (Latin
// letters, digits, symbols, a blank, 33 jamo), backspace, clear, OK and cancel over one text
// box. Tapped jamo are composed into syllables. OK leaves KeyPadOk() 1 and the SQL-safe
// text in KeyPadText(); cancel, Esc and the close box leave 0 and "". The opener reads them
// after the form closes.
#include <QDialog>
#include <QLabel>
#include <QVector>
#include <functional>

#include "display/hangul.h"

class QLineEdit;

namespace orv::display {

// One key: a caption on a key cap that never takes the focus. A tap acts on release; the
// second tap of a quick double tap arrives as a double click and calls `second` instead
// (each key group decides what it does).
class KeyCap : public QLabel {
  Q_OBJECT
 public:
  KeyCap(const QString &caption, QWidget *parent);
  std::function<void()> tap, second;

 protected:
  void mousePressEvent(QMouseEvent *event) override;
  void mouseDoubleClickEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;

 private:
  bool secondTap_ = false;
};

}  // namespace orv::display

class KeyPadAllFrm : public QDialog {
  Q_OBJECT
 public:
  explicit KeyPadAllFrm(QWidget *parent = nullptr);

  QLineEdit *KeyGumTxt;
  orv::display::KeyCap *KeyEnterLbl, *KeyExitLbl, *KeyBsLbl, *KeyDelLbl;
  QVector<orv::display::KeyCap *> KeyHanLbl;  // 0 ㅃ … 32 ㅡ

  // The key sequence and the syllable table (HanKeySeq lives in the composer).
  orv::display::HangulComposer han;

  void Form_Load();
  void CharKey(QChar ch);
  void HanKey(int index);
  void KeyBs_Click();
  void KeyDel_Click();
  void KeyEnter_Click();
  void KeyExit_Click();
  void MoveCaretEnd();

  int16_t KeyPadOk() const { return keyPadOk_; }
  const QString &KeyPadText() const { return keyPadText_; }

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;

 private:
  orv::display::KeyCap *key(int row, int col, const QString &name, const QString &caption,
                            const QColor &color);
  void showComposed();

  int16_t keyPadOk_ = 0;
  QString keyPadText_;
};
