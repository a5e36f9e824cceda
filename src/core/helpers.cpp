#include "core/helpers.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QTableView>
#include <QApplication>
#include <QAudioDevice>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QList>
#include <QMediaDevices>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSoundEffect>
#include <QTextEdit>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include "core/daily_log.h"
#include "core/values.h"
#include "platform/colors.h"
#include "platform/grid.h"
#include "platform/x11_windows.h"

int OpenRs(orv::db::Connection &conn, orv::db::Recordset &rs, const QString &sql) {
  rs = orv::db::Recordset();
  rs = conn.OpenRecordset(sql);
  const int n = rs.RecordCount();
  return n >= 1 ? n : 0;
}

void CloseRs(orv::db::Recordset &rs) {
  if (rs.IsOpen()) rs.Close();
  rs = orv::db::Recordset();
}

QString GetCellText(orv::Grid *grid, int row, int col) {
  grid->SetRow(row);
  grid->SetCol(col);
  return TrimBlanks(grid->Value());
}

void SetCellText(orv::Grid *grid, int row, int col, const QString &text) {
  grid->SetRow(row);
  grid->SetCol(col);
  grid->SetValue(text);
}

void ClearGrid(orv::Grid *grid) {
  grid->SetRow(1);
  grid->SetRow2(grid->MaxRows());
  grid->SetCol(1);
  grid->SetCol2(grid->MaxCols());
  grid->SetBlockMode(true);
  grid->SetAction(orv::Grid::kActionClearText);
  grid->SetLock(false);
  grid->SetBackColor(orv::colors::kWhite);
  grid->SetBlockMode(false);
  grid->SetRow(1);
  grid->SetCol(1);
  grid->SetAction(orv::Grid::kActionActiveCell);
}

namespace {

constexpr long kOnColor = 0xDDC9DE;
constexpr long kOffColor = 0xD5DFCF;

bool TagIsOne(const QWidget *w) {
  const QVariant tag = w->property("Tag");
  if (!tag.isValid()) return false;
  bool ok = false;
  const double v = tag.toString().trimmed().toDouble(&ok);
  return ok && v == 1.0;
}

enum class Kind { Other, TextBox, Button, Option, Grid };

// Parts of a compound control (the editor inside a spin box, date box or combo box, the
// table inside a grid) follow their control, which is never switched part by part.
bool InsideCompound(const QWidget *w, const QWidget *window) {
  for (const QWidget *p = w->parentWidget(); p && p != window; p = p->parentWidget())
    if (qobject_cast<const QAbstractSpinBox *>(p) || qobject_cast<const QComboBox *>(p) ||
        qobject_cast<const QAbstractItemView *>(p) || qobject_cast<const orv::Grid *>(p))
      return true;
  return false;
}

Kind KindOf(const QWidget *w) {
  if (qobject_cast<const orv::Grid *>(w) || qobject_cast<const QTableView *>(w)) return Kind::Grid;
  if (qobject_cast<const QLineEdit *>(w) || qobject_cast<const QTextEdit *>(w) ||
      qobject_cast<const QPlainTextEdit *>(w))
    return Kind::TextBox;
  if (qobject_cast<const QPushButton *>(w)) return Kind::Button;
  if (qobject_cast<const QRadioButton *>(w)) return Kind::Option;
  return Kind::Other;
}

void SwitchControls(QWidget *window, bool on) {
  if (!window) return;
  // Taken once: what the walk itself creates is not walked.
  const QList<QWidget *> controls = window->findChildren<QWidget *>();
  for (QWidget *w : controls) {
    if (TagIsOne(w) || InsideCompound(w, window)) continue;
    switch (KindOf(w)) {
      case Kind::TextBox:
      case Kind::Button:
      case Kind::Grid:
        w->setEnabled(on);
        break;
      case Kind::Option:
        if (on) w->setEnabled(true);
        break;
      case Kind::Other:
        break;
    }
  }
}

QPointer<QWidget> g_mainForm;

}  // namespace

void EnableControls(QWidget *window) { SwitchControls(window, true); }
void DisableControls(QWidget *window) { SwitchControls(window, false); }

void SetOnOffColor(QWidget *control, int16_t state) {
  if (!control) return;
  const bool on = state == 1;
  const QColor back = orv::colors::FromBgr(on ? kOnColor : kOffColor);
  QPalette pal = control->palette();
  if (qobject_cast<QPushButton *>(control)) {
    pal.setColor(QPalette::Button, back);
  } else {
    const QColor fore = on ? QColor(Qt::white) : QColor(Qt::black);
    pal.setColor(QPalette::Window, back);
    pal.setColor(QPalette::Base, back);
    pal.setColor(QPalette::Button, back);
    pal.setColor(QPalette::WindowText, fore);
    pal.setColor(QPalette::Text, fore);
    pal.setColor(QPalette::ButtonText, fore);
  }
  control->setAutoFillBackground(true);
  control->setPalette(pal);
}

void SetMainFormWindow(QWidget *window) { g_mainForm = window; }
QWidget *MainFormWindow() { return g_mainForm; }

void SizeMainForm(int16_t flag) {
  if (flag != 0) return;
  QWidget *w = g_mainForm;
  if (!w) return;
  QScreen *screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  SizeMainFormFor(w, screen->size());
}

void SizeMainFormFor(QWidget *window, QSize screenPixels) {
  if (!window) return;
  if (screenPixels.width() > 1024 || screenPixels.height() > 768) {
    window->setWindowState(window->windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized |
                                                      Qt::WindowFullScreen));
    window->resize(qRound(15480.0 / kTwipsPerPixel), qRound(11200.0 / kTwipsPerPixel));
  } else {
    window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
  }
}

void PlayWav(const QString &path) {
  if (path.isEmpty() || QMediaDevices::audioOutputs().isEmpty()) return;
  QSoundEffect effect;
  QEventLoop loop;
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
  QObject::connect(&effect, &QSoundEffect::statusChanged, &loop, [&] {
    if (effect.status() != QSoundEffect::Loading) loop.quit();
  });
  effect.setSource(QUrl::fromLocalFile(path));
  if (effect.status() == QSoundEffect::Loading || effect.status() == QSoundEffect::Null) {
    guard.start(3000);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
  }
  if (effect.status() != QSoundEffect::Ready) return;
  QObject::disconnect(&effect, &QSoundEffect::statusChanged, nullptr, nullptr);
  QObject::connect(&effect, &QSoundEffect::playingChanged, &loop, [&] {
    if (!effect.isPlaying()) loop.quit();
  });
  effect.play();
  // A wave longer than this is cut: the cashier must not wait on a broken device.
  guard.start(30000);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  effect.stop();
}

namespace {
void LogWindowWalkUnavailable(const QString &text) {
  try {
    WriteLog(0, QStringLiteral("other programs' windows cannot be closed here: ") + text);
  } catch (const std::exception &) {
  }
}
}  // namespace

void CloseWindowByTitle(const QString &text) {
  if (text.isEmpty()) return;
  QList<QPointer<QWidget>> windows;
  for (QWidget *w : QApplication::topLevelWidgets()) windows.append(w);
  for (const QPointer<QWidget> &w : windows) {
    if (!w || !w->isWindow()) continue;
    if (w->windowTitle().contains(text, Qt::CaseSensitive)) w->close();
  }
  // Other programs' windows, where the display server lets us see them.
  QList<unsigned long> ours;
  for (QWidget *w : QApplication::topLevelWidgets())
    if (w->testAttribute(Qt::WA_WState_Created) && w->windowHandle())
      ours.append(static_cast<unsigned long>(w->winId()));
  if (orv::x11::CloseWindowsByTitle(text, ours) < 0)
    LogWindowWalkUnavailable(text);
}

bool CheckJuminNo(QString &number) {
  number = TrimBlanks(number);
  if (number.isEmpty()) return false;
  if (number.size() >= 7 && number[6] == QLatin1Char('-')) number = number.left(6) + number.mid(7);
  if (number.size() != 13) return false;
  // A character that is not a digit counts 0.
  auto value = [&](int i) {
    const QChar c = number[i];
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ? c.unicode() - '0' : 0;
  };
  static const int kWeights[12] = {2, 3, 4, 5, 6, 7, 8, 9, 2, 3, 4, 5};
  int sum = 0;
  for (int i = 0; i < 12; ++i) sum += value(i) * kWeights[i];
  const int check = (11 - sum % 11) % 10;
  return check == value(12);
}

orv::Currency CalcVat(orv::Currency amount, int16_t half) {
  const bool negative = amount.raw() < 0;
  const orv::Currency a = negative ? CurSub(orv::Currency(), amount, 1) : amount;
  const orv::Currency net = CurDiv(a, orv::Currency::FromRaw(11000), 1);  // a / 1.1
  const orv::Currency supply = CurAdd(net, orv::Currency::FromRaw(5000), 0);
  orv::Currency vat = CurSub(a, supply, 0);
  if (half == 1) vat = CurDiv(vat, orv::Currency::Won(2), 0);
  return negative ? CurSub(orv::Currency(), vat, 1) : vat;
}
