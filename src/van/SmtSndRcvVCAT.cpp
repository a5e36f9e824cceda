#include "van/SmtSndRcvVCAT.h"

#include <QFile>
#include <QGridLayout>
#include <QHostAddress>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTcpSocket>
#include <QTimer>

#include "core/byte_text.h"
#include "core/pos_settings.h"
#include "van/van_wait.h"
#include "van/van_wire.h"

using orv::van::Timeouts;

namespace {
constexpr int16_t kBadAddress = -40, kNoConnection = -30, kCannotFrame = -3, kNotWritten = -31,
                  kTimerOut = -9, kBadReply = -98;
const QString kCrLf = QStringLiteral("\r\n");
}  // namespace

SmtSndRcvVCAT::SmtSndRcvVCAT(QObject *parent) : QObject(parent) {
  connectTimer_ = new QTimer(this);
  replyTimer_ = new QTimer(this);
  for (QTimer *t : {connectTimer_, replyTimer_}) t->setSingleShot(true);
  connect(connectTimer_, &QTimer::timeout, this, [this] { Finish(kNoConnection); });
  connect(replyTimer_, &QTimer::timeout, this, [this] { Finish(kTimerOut); });
}

SmtSndRcvVCAT::~SmtSndRcvVCAT() { Drop(); }

void SmtSndRcvVCAT::SmtClear() { request_.clear(); }

int SmtSndRcvVCAT::SmtSetField(int16_t number, const QString &value) {
  request_.insert(number, value);
  return 0;
}

QString SmtSndRcvVCAT::SmtGetField(int16_t, int16_t number) const { return reply_.value(number); }

int SmtSndRcvVCAT::SmtSend(QString &serverIp, int32_t port, int32_t) {
  Start(serverIp, port, true);
  return 0;
}

int16_t SmtSndRcvVCAT::SmtSendWait(QString &serverIp, int32_t port, int32_t) {
  waitResult_ = 0;
  Start(serverIp, port, false);
  // The exchange ends itself on its own timers; the margin only guards against a stuck loop.
  const int limit = Timeouts().connectMs + Timeouts().smartroMs + 1000;
  if (!orv::van::WaitUntil([this] { return waitResult_ != 0; }, limit)) Finish(kTimerOut);
  return waitResult_;
}

void SmtSndRcvVCAT::Start(const QString &serverIp, int32_t port, bool notify) {
  Drop();
  notify_ = notify;
  busy_ = true;
  sent_ = false;
  inbox_.clear();
  const QString host = serverIp.trimmed();
  if (host.isEmpty() || port <= 0 || port > 65535) {
    Finish(kBadAddress);
    return;
  }
  QStringList fields{QStringLiteral("REQ")};
  for (auto it = request_.cbegin(); it != request_.cend(); ++it)
    fields << orv::van::NumberedField(it.key(), it.value());
  QString error;
  outgoing_ = orv::van::EncodeFrame(fields, &error);
  if (outgoing_.isEmpty()) {
    Finish(kCannotFrame);
    return;
  }
  socket_ = new QTcpSocket(this);
  connect(socket_, &QTcpSocket::connected, this, &SmtSndRcvVCAT::OnConnected);
  connect(socket_, &QTcpSocket::readyRead, this, &SmtSndRcvVCAT::OnReadyRead);
  connect(socket_, &QTcpSocket::errorOccurred, this, [this] { OnLost(); });
  connect(socket_, &QTcpSocket::disconnected, this, &SmtSndRcvVCAT::OnLost);
  connectTimer_->start(Timeouts().connectMs);
  socket_->connectToHost(host, quint16(port));
}

void SmtSndRcvVCAT::OnConnected() {
  connectTimer_->stop();
  if (socket_->write(outgoing_) != outgoing_.size()) {
    Finish(kNotWritten);
    return;
  }
  sent_ = true;
  replyTimer_->start(Timeouts().smartroMs);
}

void SmtSndRcvVCAT::OnReadyRead() {
  if (!socket_) return;
  inbox_ += socket_->readAll();
  while (busy_) {
    orv::van::TakenFrame f = orv::van::TakeFrame(inbox_);
    if (!f.complete) return;
    if (!f.ok) {
      Finish(kBadReply);
      return;
    }
    const QString verb = f.fields.value(0);
    if (verb == QLatin1String("STATUS")) {
      if (notify_) emit SmtStatusEvent(f.fields.value(1));
    } else if (verb == QLatin1String("REPLY")) {
      reply_.clear();
      for (const QString &field : f.fields.mid(1)) {
        const int eq = field.indexOf(QLatin1Char('='));
        bool isNumber = false;
        const int n = field.left(eq).toInt(&isNumber);
        if (eq > 0 && isNumber) reply_.insert(n, field.mid(eq + 1));
      }
      Finish(0);
      return;
    } else if (verb == QLatin1String("ERROR")) {
      bool isNumber = false;
      const int n = f.fields.value(1).trimmed().toInt(&isNumber);
      Finish(isNumber && n < 0 && n >= -32768 ? int16_t(n) : kBadReply);
      return;
    } else {
      Finish(kBadReply);
      return;
    }
  }
}

void SmtSndRcvVCAT::OnLost() {
  if (!busy_) return;
  // Whatever arrived before the close still counts.
  if (socket_ && socket_->bytesAvailable() > 0) OnReadyRead();
  if (!busy_) return;
  Finish(sent_ ? kTimerOut : kNoConnection);
}

void SmtSndRcvVCAT::Drop() {
  connectTimer_->stop();
  replyTimer_->stop();
  if (socket_) {
    socket_->disconnect(this);
    socket_->abort();
    socket_->deleteLater();
    socket_ = nullptr;
  }
}

void SmtSndRcvVCAT::Finish(int16_t error) {
  if (!busy_) return;
  busy_ = false;
  Drop();
  if (error != 0) lastError_ = error;
  waitResult_ = error == 0 ? 1 : error;
  if (!notify_) return;
  if (error == 0) emit SmtReplyEvent();
  else emit SmtErrorEvent();
}

int32_t SmtSndRcvVCAT::SmtEncryptSign(QString &workKey, QString &keyIndex, QString &imagePath,
                                      QString &a, QString &b) {
  const QByteArray key = workKey.trimmed().toLatin1();
  if (key.isEmpty() || keyIndex.trimmed().isEmpty()) return -1;
  QFile f(imagePath);
  if (!f.open(QIODevice::ReadOnly)) return -2;
  QByteArray data = f.readAll();
  if (data.isEmpty()) return -2;
  for (int i = 0; i < data.size(); ++i) data[i] = char(data[i] ^ key[i % key.size()]);
  a = keyIndex.trimmed() + QLatin1Char(':') + QString::number(data.size());
  b = QString::fromLatin1(data.toHex().toUpper());
  return int32_t(b.size());
}

QString SmtResultText(const QString &code) {
  static const QHash<QString, QString> texts = {
      {"-3", QStringLiteral("송신 DATA 전문구성실패")},
      {"-40", QStringLiteral("IP입력값 실패")},
      {"-30", QStringLiteral("서버 연결 실패")},
      {"-31", QStringLiteral("DATA 전송 실패")},
      {"-10", QStringLiteral("NAK수신")},
      {"-11", QStringLiteral("FF수신")},
      {"-12", QStringLiteral("ETX Check Fail")},
      {"-13", QStringLiteral("STX Check Fail")},
      {"-9", QStringLiteral("TimerOut")},
      {"-99", QStringLiteral("정의되지 않은 오류")},
      {"-98", QStringLiteral("서버응답값 오류")},
      {"-97", QStringLiteral("전문수신 INDEX 오류")},
      {"-96", QStringLiteral("메모리 호출 오류")},
      {"-95", QStringLiteral("단말기 COM, TCP 선택오류")},
      {"-94", QStringLiteral("전문데이터 입력 오류")},
  };
  return texts.value(code.trimmed());
}

// ------------------------------------------------------------------ the form's side

namespace orv::van {

const SmtDumpLine kSmtDump[40] = {
    {17, "응답코드 : "},
    {3, "카드번호 : "},
    {18, "화면메세지 : "},
    {40, "가맹점 사업자 정보 : "},
    {41, "가맹점 상호 : "},
    {42, "가맹점 대표자 성명 : "},
    {43, "가맹점 전화번호 : "},
    {44, "가맹점 주소 : "},
    {45, "VCAT버전 : "},
    {4, "승인요청금액 : "},
    {5, "세금 : "},
    {6, "봉사료 : "},
    {7, "현금승인유형 : "},
    {8, "승인번호 : "},
    {9, "매출일자 : "},
    {10, "매출시간 : "},
    {11, "거래고유번호 : "},
    {12, "가맹점번호 : "},
    {13, "'단말기번호 : "},
    {14, "발급사코드(4) + 발급사명(16) : "},
    {15, "매입사코드(4) + 매입사명(16) : "},
    {16, "DDC유무 : "},
    {19, "전표 타이틀 : "},
    {20, "출력메세지 : "},
    {21, "MasterKey Index : "},
    {22, "WorkingKey : "},
    {23, "서명이미지 : "},
    {24, "서명이미지 정보 : "},
    {25, "Filler1 : "},
    {26, "Filler2 : "},
    {27, "보너스카드 번호 : "},
    {28, "보너스 응답코드 : "},
    {29, "보너스 승인번호 : "},
    {30, "보너스 발급사 코드(4) + 발급사명(16) : "},
    {31, "보너스 매입사 코드(4) + 발급사명(16) : "},
    {32, "보너스 발생점수 : "},
    {33, "보너스 가용점수 : "},
    {34, "보너스 누적점수 : "},
    {35, "보너스 출력메세지 : "},
    {36, "보너스 발생전점수 : "},
};

QString SmtDumpText(const QHash<int, QString> &reply) {
  QString dump;
  for (const auto &line : kSmtDump) dump += QString::fromUtf8(line.label) + reply.value(line.field) + kCrLf;
  return dump;
}

int32_t SmtPort() {
  bool ok = false;
  const int port = gsSetServerPort.trimmed().toInt(&ok);
  return ok ? port : 0;
}

}  // namespace orv::van

namespace {
QPlainTextEdit *DumpBox(QWidget *form, const char *name, const QString &first) {
  auto *box = new QPlainTextEdit(form);
  box->setObjectName(QString::fromLatin1(name));
  box->setReadOnly(true);
  box->setLineWrapMode(QPlainTextEdit::NoWrap);
  box->setPlainText(first + kCrLf);
  box->hide();
  return box;
}
void Append(QPlainTextEdit *box, const QString &text) {
  // The box keeps the CR LF pairs as they are written.
  box->setPlainText(box->toPlainText() + text);
}
}  // namespace

SmtReplyState::SmtReplyState(QWidget *form, StatusHandler onStatus)
    : QObject(form), control_(new SmtSndRcvVCAT(this)), onStatus_(std::move(onStatus)) {
  mnMsg = DumpBox(form, "mnMsg", QStringLiteral("응답메세지"));
  mnErrEvent = DumpBox(form, "mnErrEvent", QStringLiteral("에러이벤트"));
  mnStatusEvent = DumpBox(form, "mnStatusEvent", QStringLiteral("진행이벤트"));
  SmtMsgCmd = new QPushButton(QStringLiteral("?"), form);
  SmtMsgCmd->setObjectName(QStringLiteral("SmtMsgCmd"));
  SmtMsgCmd->setFocusPolicy(Qt::NoFocus);
  SmtMsgCmd->hide();
  connect(SmtMsgCmd, &QPushButton::clicked, this, &SmtReplyState::SmtMsgCmd_Click);
  connect(control_, &SmtSndRcvVCAT::SmtReplyEvent, this, &SmtReplyState::SmtReplyEvent);
  connect(control_, &SmtSndRcvVCAT::SmtErrorEvent, this, &SmtReplyState::SmtErrorEvent);
  connect(control_, &SmtSndRcvVCAT::SmtStatusEvent, this, &SmtReplyState::SmtStatusEvent);
}

void SmtReplyState::AddTo(QGridLayout *grid, int &row, int columns) {
  grid->addWidget(SmtMsgCmd, row++, columns - 1);
  for (QWidget *box : {mnMsg, mnErrEvent, mnStatusEvent}) grid->addWidget(box, row++, 0, 1, columns);
}

void SmtReplyState::SmtReplyEvent() {
  auto read = [this](int n) { msSmtReply[n] = control_->SmtGetField(1, int16_t(n)); };
  for (int n : {17, 3, 18}) read(n);
  if (msSmtReqKind == QLatin1String("5201")) {
    // The query's answer is read by its own caller; the code keeps its value.
    for (int n = 40; n <= 45; ++n) read(n);
    return;
  }
  for (int n : {4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 19, 20}) read(n);
  if (msSmtReqKind == QLatin1String("010101") || msSmtReqKind == QLatin1String("210101"))
    for (int n = 21; n <= 24; ++n) read(n);
  for (int n = 25; n <= 36; ++n) read(n);
  Append(mnMsg, orv::van::SmtDumpText(msSmtReply));
  // Set last: a waiting request finds the whole reply stored. A reply without a code would
  // leave the request waiting forever, so it counts as a reply that does not parse.
  const QString code = msSmtReply.value(17).trimmed();
  msSmtRetCode = code.isEmpty() ? QStringLiteral("-98") : code;
}

void SmtReplyState::SmtErrorEvent() {
  const QString number = QString::number(control_->SmtLastError());
  Append(mnErrEvent, number + kCrLf);
  msSmtRetCode = number.trimmed();
}

void SmtReplyState::SmtStatusEvent(const QString &status) {
  const QString shown = onStatus_ ? onStatus_(status) : status;
  Append(mnStatusEvent, shown + kCrLf);
}

void SmtReplyState::SmtMsgCmd_Click() {
  // The boxes' own visibility, whether or not the form is on screen.
  const bool show = mnMsg->isHidden();
  for (QPlainTextEdit *b : {mnMsg, mnErrEvent, mnStatusEvent}) b->setVisible(show);
}

QString SmtReplyState::SendAndWait() {
  msSmtRetCode.clear();
  QString ip = gsSetServerIp;
  control_->SmtSend(ip, orv::van::SmtPort(), 30);
  // The control ends every exchange itself; this only guards a loop that would never end.
  const int limit = Timeouts().connectMs + Timeouts().smartroMs + 1000;
  if (!orv::van::WaitUntil([this] { return !msSmtRetCode.isEmpty(); }, limit))
    msSmtRetCode = QStringLiteral("-9");
  return msSmtRetCode;
}

void SmtReplyState::SmtQueryMerchantInfo() {
  msSmtReqKind = QStringLiteral("5201");
  control_->SmtClear();
  control_->SmtSetField(1, QStringLiteral("5201"));
  QString ip = gsSetServerIp;
  if (control_->SmtSendWait(ip, orv::van::SmtPort(), 30) == 1) {
    const QString filler = control_->SmtGetField(1, 25);
    msSmtWorkKey = MidH(filler, 43, 16).trimmed();
    msSmtKeyIndex = MidH(filler, 59, 2).trimmed();
  } else {
    msSmtWorkKey.clear();
    msSmtKeyIndex.clear();
  }
}
