#include "sale/scanner.h"

#include <QDate>

#include "core/application.h"
#include "core/daily_log.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/settings_store.h"
#include "sale/sale_globals.h"

namespace orv::sale {

ScanCode CompleteScanCode(const QString &raw, const BarcodePrefixLookup &lookup) {
  ScanCode out;
  QString d;
  for (QChar ch : raw)
    if (ch >= '0' && ch <= '9') d += ch;
  if (d.size() == 14) out.chitCode = d;
  QString c = d.size() > 13 ? d.left(13) : d;

  auto lookUp = [&] {
    if (!lookup) return;
    QString found;
    // A failed lookup leaves the code as it was padded.
    RunLogged(QStringLiteral("scanner lookup"), [&] { found = lookup(c).trimmed(); });
    if (!found.isEmpty()) c = found;
  };
  switch (c.size()) {
    case 6:
      if (c[0] != '0') c.prepend('0');
      lookUp();
      break;
    case 7:
      if (c[0] == '0')
        lookUp();
      else
        c.prepend('0');
      break;
    case 11: c.prepend("00"); break;  // padded to 13; a lookup would only confirm it
    case 12: c.prepend('0'); break;
    default: break;
  }
  out.code = c;
  return out;
}

Scanner::Scanner(QObject *parent)
    : QObject(parent), MSComm2(new serial::Port(this)), tmrScan(new QTimer(this)) {
  MSComm2->setObjectName("MSComm2");
  tmrScan->setObjectName("tmrScan");
  tmrScan->setInterval(giSetinterval != 0 ? giSetinterval : 50);
  connect(tmrScan, &QTimer::timeout, this, &Scanner::tmrScan_Timer);
  connect(MSComm2, &serial::Port::OnComm, this, &Scanner::MSComm2_OnComm);
}

bool Scanner::portInUse() const {
  return (miScanMode == kEvents || miScanMode == kPolled) && miScanPortFail == 0 &&
         !gsScanSettings.isEmpty() && giScanPort != 0;
}

void Scanner::LoadMode() {
  tmrScan->setInterval(giSetinterval != 0 ? giSetinterval : 50);
  msScanBuffer.clear();
  overlong_ = false;
  timerPauses_ = portPauses_ = 0;
  if (giSetHandScaner != 0) {
    tmrScan->stop();
    miScanMode = kHandOnly;
  } else if (giSetScanSets != 0) {
    tmrScan->stop();
    miScanMode = kEvents;
  } else {
    tmrScan->start();
    miScanMode = kPolled;
  }
}

void Scanner::setUpPort() {
  MSComm2->SetCommPort(giScanPort);
  MSComm2->SetSettings(gsScanSettings);
  MSComm2->SetRThreshold(miScanMode == kEvents ? 1 : 0);
  MSComm2->SetInBufferSize(1024);
  MSComm2->SetHandshaking(giSetScanXonOff == 1 ? serial::kRtsXonXoff : serial::kNoHandshaking);
}

void Scanner::OpenPortAtLoad() {
  miScanPortFail = 0;
  if (gsScanSettings.isEmpty() || giScanPort == 0) return;
  // Opened in every mode, also with a hand scanner, as the terminal expects.
  MSComm2->Close();
  setUpPort();
  try {
    MSComm2->Open();
  } catch (const serial::SerialError &e) {
    miScanPortFail = 1;
    serial::ShowOpenFailure(giScanPort, e, QStringLiteral("스캐너"));
  }
}

void Scanner::OpenScanPort() {
  if (!portInUse() || MSComm2->PortOpen()) return;
  setUpPort();
  MSComm2->Open();
}

void Scanner::CloseScanPort() {
  if (portInUse()) MSComm2->Close();
}

void Scanner::StartScanTimer() {
  // Not while a dialog holds the scanner, nor in the middle of a tick (the tick restarts
  // it when it ends), so that ticks never overlap.
  if (miScanMode == kPolled && timerPauses_ == 0 && !ticking_) tmrScan->start();
}

void Scanner::StopScanTimer() {
  if (miScanMode == kPolled) tmrScan->stop();
}

void Scanner::Pause(PauseKind kind) {
  ++timerPauses_;
  StopScanTimer();
  if (kind == PauseKind::TimerAndPort && portPauses_++ == 0) CloseScanPort();
}

void Scanner::Resume(PauseKind kind) {
  if (kind == PauseKind::TimerAndPort && portPauses_ > 0 && --portPauses_ == 0) {
    try {
      OpenScanPort();
    } catch (const serial::SerialError &e) {
      // Another program took the port meanwhile: say so; the next resume tries again.
      serial::ShowOpenFailure(giScanPort, e, QStringLiteral("스캐너"));
    }
  }
  if (timerPauses_ > 0 && --timerPauses_ == 0) StartScanTimer();
}

bool Scanner::checkWorkDate(bool polled) {
  if (giWrkDateChanged != 1) return false;
  const QDate today = clock::Now().date();
  const QString work = QString("%1%2%3")
                           .arg(giWrkYear)
                           .arg(giWrkMonth, 2, 10, QChar('0'))
                           .arg(giWrkDay, 2, 10, QChar('0'));
  if (work == today.toString("yyyyMMdd")) return false;

  const std::optional<QString> answer = dialogs::PasswordBox(
      polled ? QStringLiteral("* 날짜가 틀립니다. 계속 진행하려면 비밀번호(로그인비번)를 입력하세요 !")
             : QStringLiteral("날짜가 틀립니다..계속진행하려면 비밀번호를 입력하세요."));
  // Cancel reads as an empty answer.
  if (answer.value_or(QString()) != gsLogPwd) {
    dialogs::Info(polled ? QStringLiteral("* 현재 날짜로 바뀝니다 !") : QStringLiteral("현재 날짜로 바뀝니다"),
                  QStringLiteral("날짜변경"));
    if (hooks_.workDateToToday) {
      hooks_.workDateToToday();
    } else {
      giWrkYear = int16_t(today.year());
      giWrkMonth = int16_t(today.month());
      giWrkDay = int16_t(today.day());
    }
  }
  giWrkDateChanged = 0;
  return true;
}

void Scanner::takeOne(const QString &code, bool polled) {
  if (checkWorkDate(polled)) return;
  // Noise without digits makes no code: Enter on an empty code cell would start payment.
  const ScanCode sc = CompleteScanCode(code, hooks_.lookup);
  if (!sc.chitCode.isEmpty()) gsScanChitCode = sc.chitCode;
  if (sc.code.isEmpty()) return;
  if (polled && !(hooks_.mayTakeCodes && hooks_.mayTakeCodes())) return;
  if (hooks_.enter) hooks_.enter(sc.code);
}

void Scanner::voiceFlag() {
  // The settings file is written only when the flag changes, not at every tick.
  if (!hooks_.hasCustomer || !hooks_.hasCustomer()) return;
  if (settings_store::GetSetting("giSetWavCard") != "0") settings_store::SaveSetting("giSetWavCard", "0");
}

void Scanner::tmrScan_Timer() {
  if (ticking_ || giSetHandScaner == 1) return;
  if (!hooks_.codeColumnActive || !hooks_.codeColumnActive()) return;
  StopScanTimer();
  ticking_ = true;
  QString s;
  RunLogged(QStringLiteral("scanner port"), [&] {
    if (MSComm2->PortOpen()) s = QString::fromLatin1(MSComm2->Input());
  });
  if (!s.isEmpty() && !s.endsWith('\r')) {
    msScanBuffer += s;
    ticking_ = false;
    StartScanTimer();
    return;
  }
  // Complete: ended by a carriage return, or by an interval without new characters.
  // Codes that came in together are taken one by one.
  QStringList codes = (msScanBuffer + s).split('\r');
  if (codes.size() > 1 && codes.last().isEmpty()) codes.removeLast();
  msScanBuffer.clear();
  // A failing step is passed over; the tick ends normally.
  for (const QString &code : codes) RunLogged(QStringLiteral("scanner"), [&] { takeOne(code, true); });
  RunLogged(QStringLiteral("scanner"), [&] { voiceFlag(); });
  ticking_ = false;
  StartScanTimer();
}

void Scanner::MSComm2_OnComm() {
  if (miScanPortFail != 0 || miScanMode != kEvents) return;
  // A dialog opened by an entered code runs events; bytes that come meanwhile are read by
  // the loop below once the code is done.
  if (receiving_) return;
  receiving_ = true;
  struct Done {
    bool &flag;
    ~Done() { flag = false; }
  } done{receiving_};
  while (MSComm2->PortOpen() && MSComm2->InBufferCount() > 0) {
    const QByteArray bytes = MSComm2->Input();
    // A frame is whole only when its bytes come close together: what waited longer is a
    // frame that lost its end, or noise, and never the start of this scan.
    if (!msScanBuffer.isEmpty() && lastBytes_.isValid() && lastBytes_.elapsed() > kFrameGapMs)
      dropFrame(QStringLiteral("no end"));
    lastBytes_.start();
    // Digits and points are kept; a carriage return ends a code. Codes that came in
    // together are taken one by one.
    for (QChar ch : QString::fromLatin1(bytes)) {
      if (ch != '\r') {
        if (ch == '.' || (ch >= '0' && ch <= '9')) {
          if (overlong_) continue;
          msScanBuffer += ch;
          if (msScanBuffer.size() > kMaxFrame) {
            dropFrame(QStringLiteral("too long"));
            overlong_ = true;  // its rest up to the carriage return goes too
          }
        }
        continue;
      }
      const QString code = msScanBuffer;
      msScanBuffer.clear();
      if (std::exchange(overlong_, false)) continue;
      if (hooks_.mayTakeCodes && hooks_.mayTakeCodes()) TakeScanCode(code);
    }
  }
}

void Scanner::dropFrame(const QString &why) {
  TryWriteLog(kScanNoiseLog, QStringLiteral("scanner noise (") + why + "): " + msScanBuffer);
  msScanBuffer.clear();
  overlong_ = false;
}

void Scanner::TakeScanCode(const QString &code) {
  if (!checkWorkDate(false) && !code.isEmpty()) {
    const ScanCode sc = CompleteScanCode(code, hooks_.lookup);
    if (!sc.chitCode.isEmpty()) gsScanChitCode = sc.chitCode;
    if (!sc.code.isEmpty() && hooks_.enter) hooks_.enter(sc.code);
  }
  voiceFlag();
}

}  // namespace orv::sale
