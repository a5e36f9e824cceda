#pragma once
// The SMARTRO terminal: a request of numbered text fields sent over TCP to the terminal agent,
// one connection per send (docs/van-wire.md). SmtSend returns at once and the outcome comes
// as a notification; SmtSendWait blocks and raises none. Every failure of the exchange is an
// error notification with a negative number (see SmtResultText):
//   -40 the address or port is not usable, -30 no connection, -3 the request cannot be
//   framed, -31 it could not be written, -9 no reply in time or the connection dropped
//   after the request went out, -98 a reply that does not parse.
// A reply that comes after the exchange gave up belongs to a closed connection and is lost.
#include <QHash>
#include <QMap>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>

class QGridLayout;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTcpSocket;
class QTimer;
class QWidget;

class SmtSndRcvVCAT : public QObject {
  Q_OBJECT
 public:
  explicit SmtSndRcvVCAT(QObject *parent = nullptr);
  ~SmtSndRcvVCAT() override;

  // 1 when the reply is in and its fields can be read, else the error number.
  int16_t SmtSendWait(QString &serverIp, int32_t port, int32_t waitSeconds);
  void SmtClear();
  int SmtSetField(int16_t number, const QString &value);
  // A field of the last reply (the first argument is always 1).
  QString SmtGetField(int16_t one, int16_t number) const;
  int SmtSend(QString &serverIp, int32_t port, int32_t waitSeconds);
  // Encrypts the signature image at imagePath with the working key: above 0 (the length of
  // the data) with the signature information in a and the data in hex in b; 0 or below when
  // the key, the index or the image is missing.
  int32_t SmtEncryptSign(QString &workKey, QString &keyIndex, QString &imagePath, QString &a,
                         QString &b);
  int16_t SmtLastError() const { return lastError_; }

  // The names the card refund, cash-receipt and cheque forms use for the same calls.
  int16_t SmtRequestWait(QString &ip, int32_t port, int32_t w) { return SmtSendWait(ip, port, w); }
  void SmtClearRequest() { SmtClear(); }
  int SmtRequest(QString &ip, int32_t port, int32_t w) { return SmtSend(ip, port, w); }
  int32_t SmtMakeSignData(QString &k, QString &i, QString &p, QString &a, QString &b) {
    return SmtEncryptSign(k, i, p, a, b);
  }
  int16_t SmtErrorCode() const { return lastError_; }

  // The request as it stands, by field number (tests and the journal of the caller).
  const QMap<int, QString> &Request() const { return request_; }

 signals:
  void SmtReplyEvent();
  void SmtErrorEvent();
  void SmtStatusEvent(const QString &status);

 private:
  // Starts one exchange; notify: raise the reply and error notifications.
  void Start(const QString &serverIp, int32_t port, bool notify);
  void OnConnected();
  void OnReadyRead();
  void OnLost();
  void Finish(int16_t error);  // 0: a reply came
  void Drop();

  QMap<int, QString> request_;
  QHash<int, QString> reply_;
  int16_t lastError_ = 0;
  QTcpSocket *socket_ = nullptr;
  QTimer *connectTimer_ = nullptr;
  QTimer *replyTimer_ = nullptr;
  QByteArray inbox_;
  QByteArray outgoing_;
  bool sent_ = false;
  bool busy_ = false;
  bool notify_ = true;
  int16_t waitResult_ = 0;  // SmtSendWait's outcome once set
};

// The words of a SMARTRO result code (the control's negative numbers); empty for any other.
QString SmtResultText(const QString &code);

// What a form holding the terminal keeps of its exchanges: the reply members, the code the
// requests wait on, the request kind, the working key of the merchant query and the three
// dump boxes with their "?" button (hidden, as is the button). The form places the boxes;
// its status handler gets the status as it came and returns the text to list (none: the
// status as it came).
class SmtReplyState : public QObject {
  Q_OBJECT
 public:
  using StatusHandler = std::function<QString(const QString &status)>;
  explicit SmtReplyState(QWidget *form, StatusHandler onStatus = {});

  SmtSndRcvVCAT *control() const { return control_; }

  QString msSmtRetCode;  // empty while a request waits
  QString msSmtReqKind;
  QString msSmtWorkKey, msSmtKeyIndex;
  QHash<int, QString> msSmtReply;  // by reply field number
  // The names the cheque, cash-receipt and refund forms use for the same members.
  QString &SmtReplyMark = msSmtRetCode;
  QString &SmtReqKind = msSmtReqKind;
  QHash<int, QString> &SmtReplyFields = msSmtReply;

  QPlainTextEdit *mnMsg, *mnErrEvent, *mnStatusEvent;
  QPushButton *SmtMsgCmd;

  // Places the "?" button in the last of columns on row and each dump box across a row
  // below; row moves past them.
  void AddTo(QGridLayout *grid, int &row, int columns = 3);

  // Empties the code, sends with the settings' address and port, and waits until a
  // notification set the code. The code, as the requests read it.
  QString SendAndWait();
  // The merchant query: fills the working key and key index, both empty when it fails.
  void SmtQueryMerchantInfo();

  void SmtReplyEvent();
  void SmtErrorEvent();
  void SmtStatusEvent(const QString &status);
  void SmtMsgCmd_Click();

 private:
  SmtSndRcvVCAT *control_;
  StatusHandler onStatus_;
};

namespace orv::van {
// The labels of the reply dump, in the order the reply is read.
struct SmtDumpLine {
  int field;
  const char *label;
};
extern const SmtDumpLine kSmtDump[40];
// The dump of a reply: a line per label, its value and CR LF.
QString SmtDumpText(const QHash<int, QString> &reply);
// The settings' port as the control takes it (0 when it is not a number).
int32_t SmtPort();
}  // namespace orv::van
