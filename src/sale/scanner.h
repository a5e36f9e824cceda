#pragma once
// The serial barcode scanner of the sale screen. The port is either polled by a timer or
// read as bytes arrive; every complete code is cleaned to its digits, completed to a full
// barcode when it is short, and handed to the sale screen to be entered like a typed code.
#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <functional>

#include "platform/serial_port.h"

namespace orv::sale {

// The first barcode of 8 characters that begins with these digits, in barcode order; empty
// when there is none (or the lookup failed).
using BarcodePrefixLookup = std::function<QString(const QString &digits)>;

struct ScanCode {
  QString code;      // what goes into the code cell; empty: nothing to enter
  QString chitCode;  // the 14 digits of a printed receipt's code, else empty
};

// Keeps the digits, cuts them to 13, and completes short codes: 6 digits (with a "0" put in
// front unless they begin with one) and 7 digits beginning with 0 are looked up as the
// start of an 8-character barcode; 7 other digits get a "0" in front; 11 and 12 digits are
// padded with zeros to 13.
ScanCode CompleteScanCode(const QString &raw, const BarcodePrefixLookup &lookup);

class Scanner : public QObject {
  Q_OBJECT
 public:
  enum Mode : int16_t { kHandOnly = 0, kEvents = 1, kPolled = 2 };

  struct Hooks {
    // The sale grid's active cell is in the code column (the polled path reads the port
    // only then; codes read meanwhile wait in the port).
    std::function<bool()> codeColumnActive;
    // A code may be entered now: code column active, the grid has the focus, and no chit
    // is being replayed through the grid.
    std::function<bool()> mayTakeCodes;
    // Enters a complete code into the sale grid (never called with an empty code).
    std::function<void(const QString &code)> enter;
    BarcodePrefixLookup lookup;
    // A customer is attached to the sale.
    std::function<bool()> hasCustomer;
    // Puts the work date (and its picker) back to today; without it, only the globals.
    std::function<void()> workDateToToday;
  };

  explicit Scanner(QObject *parent = nullptr);
  void SetHooks(Hooks hooks) { hooks_ = std::move(hooks); }

  // The load: the timer's interval and the mode from the settings (LoadMode), then the
  // port opened in every mode when one is set (OpenPortAtLoad); a port that fails shows its
  // box and stays out of use for this run.
  void Load() {
    LoadMode();
    OpenPortAtLoad();
  }
  void LoadMode();
  void OpenPortAtLoad();

  void OpenScanPort();  // errors (SerialError) go to the caller
  void CloseScanPort();
  void StartScanTimer();
  void StopScanTimer();
  void tmrScan_Timer();
  void MSComm2_OnComm();
  void TakeScanCode(const QString &code);

  // Around a dialog: the timer alone (the code waits in the port), or the timer and the
  // port. Pauses nest; the last resume reopens the port and restarts the timer.
  enum class PauseKind { TimerOnly, TimerAndPort };
  void Pause(PauseKind kind);
  void Resume(PauseKind kind);

  int16_t miScanMode = kHandOnly;
  int16_t miScanPortFail = 0;
  QString msScanBuffer;
  orv::serial::Port *MSComm2;  // children of the scanner
  QTimer *tmrScan;

 private:
  bool portInUse() const;
  void setUpPort();
  // The work-date question; true when it was asked (the code that set it off is dropped).
  bool checkWorkDate(bool polled);
  void takeOne(const QString &code, bool polled);
  void voiceFlag();
  // Drops an unfinished frame and writes it to the day's log.
  void dropFrame(const QString &why);

  // Well above a scanner's time between characters at 9600 baud, below a person's next scan.
  static constexpr int kFrameGapMs = 100;
  // The longest code the sale screen takes is a printed receipt's 14 digits.
  static constexpr int kMaxFrame = 20;
  static constexpr int16_t kScanNoiseLog = 0;

  Hooks hooks_;
  QElapsedTimer lastBytes_;  // when the event mode last read bytes
  bool overlong_ = false;    // the frame being read was too long and is dropped
  bool ticking_ = false;
  bool receiving_ = false;
  int timerPauses_ = 0;
  int portPauses_ = 0;
};

// Pauses the scanner for a scope (a dialog's life).
class ScanPause {
 public:
  ScanPause(Scanner &scanner, Scanner::PauseKind kind) : scanner_(scanner), kind_(kind) {
    scanner_.Pause(kind_);
  }
  ~ScanPause() { scanner_.Resume(kind_); }
  ScanPause(const ScanPause &) = delete;
  ScanPause &operator=(const ScanPause &) = delete;

 private:
  Scanner &scanner_;
  Scanner::PauseKind kind_;
};

}  // namespace orv::sale
