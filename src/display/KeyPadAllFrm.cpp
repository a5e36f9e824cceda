#include "display/KeyPadAllFrm.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include "core/text_format.h"
#include "platform/colors.h"

using namespace orv;
using orv::display::KeyCap;

namespace {

// The form's grid: 8 rows of 16 keys, 46 × 44 pixels apart, below the text box.
constexpr int kLeft = 6, kTop = 42, kStepX = 46, kStepY = 44, kKeyW = 45, kKeyH = 43;
// A key sequence position is a 16-bit number in the keyboard's arithmetic.
constexpr int kMaxKeys = 32767;

const QColor kLetters(0, 0, 0), kDigits(0, 128, 128), kSymbols(128, 0, 128),
    kJamo(0, 128, 0), kEdit(0, 0, 255);

constexpr char16_t kHan[] = u"ㅃㅉㄸㄲㅆㅂㅈㄷㄱㅅㅁㄴㅇㄹㅎㅋㅌㅊㅍㅒㅖㅛㅕㅑㅐㅔㅗㅓㅏㅣㅠㅜㅡ";

struct Sym {
  int row, col;
  const char *name;
  char16_t ch;
};
// Symbols and the blank, where they stand (rows and columns from 1).
constexpr Sym kSyms[] = {
    {1, 13, "KeySpcLbl", u' '},   {2, 13, "KeyWonLbl", u'\\'},  {3, 13, "KeyColLbl", u':'},
    {3, 14, "KeyScolLbl", u';'},  {3, 15, "KeyULLbl", u'_'},    {3, 16, "KeyVirLbl", u'|'},
    {4, 13, "KeyLpLbl", u'('},    {4, 14, "KeyRpLbl", u')'},    {4, 15, "KeyLessLbl", u'<'},
    {4, 16, "KeyGreatLbl", u'>'}, {5, 5, "KeyGraveLbl", u'`'},  {5, 6, "KeyTildeLbl", u'~'},
    {5, 7, "KeyExcLbl", u'!'},    {5, 8, "KeyAndLbl", u'@'},    {5, 9, "KeySharpLbl", u'#'},
    {5, 10, "KeyDolLbl", u'$'},   {5, 11, "KeyCircumLbl", u'^'}, {5, 12, "KeyAmpLbl", u'&'},
    {5, 16, "KeyPlusLbl", u'+'},  {6, 16, "KeyMinusLbl", u'-'}, {7, 16, "KeyAstLbl", u'*'},
    {8, 10, "KeyCommaLbl", u','}, {8, 11, "KeyDotLbl", u'.'},   {8, 12, "KeyQuestLbl", u'?'},
    {8, 14, "KeyPerLbl", u'%'},   {8, 15, "KeyEqlLbl", u'='},   {8, 16, "KeySlashLbl", u'/'},
};

// Jamo index by row and column: row 6 ㅃ ㅉ ㄸ ㄲ ㅆ ㅛ ㅕ ㅑ ㅐ ㅔ ㅒ ㅖ, row 7 ㅂ ㅈ ㄷ ㄱ ㅅ ㅗ ㅓ ㅏ ㅣ ㅠ ㅜ ㅡ,
// row 8 ㅁ ㄴ ㅇ ㄹ ㅎ ㅋ ㅌ ㅊ ㅍ.
constexpr int kHanRow6[] = {0, 1, 2, 3, 4, 21, 22, 23, 24, 25, 19, 20};
constexpr int kHanRow7[] = {5, 6, 7, 8, 9, 26, 27, 28, 29, 30, 31, 32};
constexpr int kHanRow8[] = {10, 11, 12, 13, 14, 15, 16, 17, 18};

void SetBack(QWidget *w, long bgr) {
  QPalette p = w->palette();
  p.setColor(QPalette::Base, colors::FromBgr(bgr));
  w->setPalette(p);
}

}  // namespace

// ---------------------------------------------------------------------------- key caps

KeyCap::KeyCap(const QString &caption, QWidget *parent) : QLabel(caption, parent) {
  setAlignment(Qt::AlignCenter);
  setFocusPolicy(Qt::NoFocus);
  setAutoFillBackground(true);
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Raised);
  setLineWidth(2);
}

void KeyCap::mousePressEvent(QMouseEvent *event) { event->accept(); }

void KeyCap::mouseDoubleClickEvent(QMouseEvent *event) {
  // Not a press of its own: the release that follows is the second tap.
  secondTap_ = true;
  event->accept();
}

void KeyCap::mouseReleaseEvent(QMouseEvent *event) {
  event->accept();
  const bool second = secondTap_;
  secondTap_ = false;
  if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint())) return;
  if (second) {
    if (this->second) this->second();
  } else if (tap) {
    tap();
  }
}

// ---------------------------------------------------------------------------- the form

KeyPadAllFrm::KeyPadAllFrm(QWidget *parent) : QDialog(parent) {
  setObjectName("KeyPadAllFrm");
  setWindowTitle(QStringLiteral("숫자 문자 입력"));
  setFixedSize(746, 399);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(192, 0, 0));
  setPalette(pal);

  KeyGumTxt = new QLineEdit(this);
  KeyGumTxt->setObjectName("KeyGumTxt");
  KeyGumTxt->setGeometry(6, 6, 734, 32);
  QFont f = KeyGumTxt->font();
  f.setPixelSize(22);
  f.setBold(true);
  KeyGumTxt->setFont(f);
  SetBack(KeyGumTxt, colors::kWhite);
  KeyGumTxt->installEventFilter(this);

  const QString upper = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  for (int i = 0; i < 26; ++i) {
    // Rows 1-2: A-L, M-X; row 5: Y, Z. Rows 3-4: a-l, m-x; row 5: y, z.
    const int row = i < 12 ? 1 : i < 24 ? 2 : 5;
    const int col = i < 24 ? i % 12 + 1 : i - 23;
    const QChar up = upper[i], low = up.toLower();
    const QString stem = QString(up);
    key(row, col, "Key" + stem + "hLbl", up, kLetters)->tap = [this, up] { CharKey(up); };
    key(row + (row == 5 ? 0 : 2), row == 5 ? col + 2 : col, "Key" + stem + "Lbl", low, kLetters)
        ->tap = [this, low] { CharKey(low); };
  }
  for (int d = 0; d <= 9; ++d) {
    // 7 8 9 / 4 5 6 / 1 2 3 in columns 13-15 of rows 5-7; 0 in row 8.
    const int row = d == 0 ? 8 : 7 - (d - 1) / 3;
    const int col = d == 0 ? 13 : 13 + (d - 1) % 3;
    const QChar ch('0' + d);
    key(row, col, QString("Key%1Lbl").arg(d), ch, kDigits)->tap = [this, ch] { CharKey(ch); };
  }
  for (const Sym &s : kSyms) {
    const QChar ch(s.ch);
    key(s.row, s.col, s.name, ch == ' ' ? QString() : QString(ch), kSymbols)->tap = [this, ch] {
      CharKey(ch);
    };
  }
  // A character key's second tap types it again.
  for (KeyCap *k : findChildren<KeyCap *>()) k->second = k->tap;

  KeyHanLbl.resize(33);
  auto han = [this](int row, const int *idx, int n) {
    for (int c = 0; c < n; ++c) {
      const int i = idx[c];
      KeyCap *k = key(row, c + 1, QString("KeyHanLbl_%1").arg(i), QString(QChar(kHan[i])), kJamo);
      k->tap = [this, i] { HanKey(i); };
      KeyHanLbl[i] = k;
    }
  };
  han(6, kHanRow6, 12);
  han(7, kHanRow7, 12);
  han(8, kHanRow8, 9);

  KeyBsLbl = key(1, 14, "KeyBsLbl", QStringLiteral("←"), kEdit);
  KeyBsLbl->tap = KeyBsLbl->second = [this] { KeyBs_Click(); };
  KeyDelLbl = key(2, 14, "KeyDelLbl", QStringLiteral("ⓒ"), kEdit);
  KeyDelLbl->tap = [this] { KeyDel_Click(); };
  KeyEnterLbl = key(1, 15, "KeyEnterLbl", QStringLiteral("✔ 확인"), QColor(0, 0, 0));
  KeyEnterLbl->tap = [this] { KeyEnter_Click(); };
  KeyExitLbl = key(2, 15, "KeyExitLbl", QStringLiteral("✖ 취소"), QColor(0, 0, 0));
  KeyExitLbl->tap = [this] { KeyExit_Click(); };
  for (KeyCap *k : {KeyEnterLbl, KeyExitLbl}) {
    k->resize(2 * kKeyW + 1, kKeyH);
    QFont kf = k->font();
    kf.setPixelSize(16);
    k->setFont(kf);
  }

  Form_Load();
}

KeyCap *KeyPadAllFrm::key(int row, int col, const QString &name, const QString &caption,
                          const QColor &color) {
  auto *k = new KeyCap(caption, this);
  k->setObjectName(name);
  k->setGeometry(kLeft + (col - 1) * kStepX, kTop + (row - 1) * kStepY, kKeyW, kKeyH);
  QFont f = k->font();
  f.setPixelSize(24);
  f.setBold(true);
  k->setFont(f);
  QPalette p = k->palette();
  p.setColor(QPalette::Window, QColor(236, 236, 236));
  p.setColor(QPalette::WindowText, color);
  k->setPalette(p);
  return k;
}

void KeyPadAllFrm::Form_Load() {
  while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
  han.HanKeySeq.clear();
  han.LoadHangulTable(display::HangulTablePath());
  keyPadOk_ = 0;
  keyPadText_.clear();
}

void KeyPadAllFrm::MoveCaretEnd() { KeyGumTxt->setCursorPosition(int(KeyGumTxt->text().size())); }

void KeyPadAllFrm::CharKey(QChar ch) {
  if (han.HanKeySeq.size() >= kMaxKeys) return;
  han.HanKeySeq += ch;
  KeyGumTxt->setText(KeyGumTxt->text() + ch);
  MoveCaretEnd();
  KeyGumTxt->setFocus();
}

void KeyPadAllFrm::showComposed() {
  KeyGumTxt->setText(han.ComposeHangul());
  MoveCaretEnd();
  KeyGumTxt->setFocus();
}

void KeyPadAllFrm::HanKey(int index) {
  if (index < 0 || index > 32 || han.HanKeySeq.size() >= kMaxKeys) return;
  han.HanKeySeq += QChar(kHan[index]);
  showComposed();
}

void KeyPadAllFrm::KeyBs_Click() {
  if (!han.HanKeySeq.isEmpty()) han.HanKeySeq.chop(1);
  showComposed();
}

void KeyPadAllFrm::KeyDel_Click() {
  han.HanKeySeq.clear();
  KeyGumTxt->clear();
  MoveCaretEnd();
  KeyGumTxt->setFocus();
}

void KeyPadAllFrm::KeyEnter_Click() {
  MoveCaretEnd();
  keyPadOk_ = 1;
  keyPadText_ = SqlText(KeyGumTxt->text(), 0);
  accept();
}

void KeyPadAllFrm::KeyExit_Click() {
  keyPadOk_ = 0;
  keyPadText_.clear();
  reject();
}

bool KeyPadAllFrm::eventFilter(QObject *watched, QEvent *event) {
  if (watched == KeyGumTxt) {
    switch (event->type()) {
      case QEvent::FocusIn:
        SetBack(KeyGumTxt, colors::Rgb(255, 255, 128));
        MoveCaretEnd();
        break;
      case QEvent::FocusOut:
        MoveCaretEnd();
        SetBack(KeyGumTxt, colors::kWhite);
        break;
      case QEvent::KeyPress: {
        const int k = static_cast<QKeyEvent *>(event)->key();
        if (k == Qt::Key_Escape) break;  // the form's
        if (k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Down) {
          KeyEnter_Click();
          return true;
        }
        if (k == Qt::Key_Up) return true;
        break;
      }
      default:
        break;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void KeyPadAllFrm::keyPressEvent(QKeyEvent *event) {
  // Esc closes with the results of the opening (0 and "").
  if (event->key() == Qt::Key_Escape) {
    reject();
    return;
  }
  QDialog::keyPressEvent(event);
}
