#pragma once
// What the files of the full settings screen share among themselves.
#include <QPushButton>
#include <QString>
#include <cstdint>
#include <optional>

namespace orv::settings {

// The button is disabled while the work runs and enabled again on every way out.
struct ButtonBusy {
  explicit ButtonBusy(QPushButton *b) : button(b) { button->setEnabled(false); }
  ~ButtonBusy() { button->setEnabled(true); }
  ButtonBusy(const ButtonBusy &) = delete;
  ButtonBusy &operator=(const ButtonBusy &) = delete;
  QPushButton *button;
};

// The number at the start of the text rounded to a whole number, halves to the even one
// (0 for text that is no number); nullopt beyond the 16-bit range.
std::optional<int16_t> WholeNumber16(const QString &text);

// The test and the screen's own main-database connection open from the boxes: the driver,
// the server (the main one through the host-code look-up), and the trimmed texts.
QString BoxConnectionText(const QString &driver, const QString &server, const QString &uid,
                          const QString &pwd, const QString &database);

inline constexpr int kMainDbTimeoutSeconds = 30;

}  // namespace orv::settings
