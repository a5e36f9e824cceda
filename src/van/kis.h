#pragma once
// KIS: the approval agent (TCP to gsSetServerIp:gsSetServerPort, a connection per call) and
// the sign pad on a serial port (57,600 8N1), both driven by their members' dispatch numbers
// as the card dialog knows them. The wire is docs/van-wire.md.
#include <QByteArray>
#include <QDate>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>

#include "core/currency.h"

class QLineEdit;
class QTcpSocket;
class CardRequestForm;
class frmCardChk;
struct RequestScreen;
namespace orv::serial {
class Port;
}

class KisPosAgent : public QObject {
  Q_OBJECT
 public:
  explicit KisPosAgent(QObject *parent = nullptr);
  ~KisPosAgent() override;

  // A request member (1 address, 2 port, 3 code, 124 sub-code, 4 months, 5 amount, 6 VAT,
  // 61 barcode, 37 signature flag, 38 signature path, or any other).
  void Set(int member, const QString &value);
  // A reply member (30 status, 12 reply code, …); empty when the reply had none.
  QString Get(int member) const;
  // 33 clears request and reply. 34 sends the request and waits for the reply (a reply not
  // in time is given up). 137 sends it and returns; the reply raises Replied. A request
  // that could not be sent (no agent, a port that is not one, a frame too long) throws
  // VanError.
  void Invoke(int member);
  // Stops waiting: the connection closes (a late reply is dropped), the status reads -1 and
  // member 31 says that no reply came.
  void GiveUp();
  bool Waiting() const { return waiting_; }

 signals:
  void Replied();

 private:
  void Send(int method);
  void Received();
  void Finish(const QMap<int, QString> &reply);
  QList<QPair<int, QString>> request_;
  QMap<int, QString> reply_;
  std::unique_ptr<QTcpSocket> socket_;
  QByteArray buffer_;
  bool waiting_ = false;
};

class KisvanMS3 : public QObject {
  Q_OBJECT
 public:
  explicit KisvanMS3(QObject *parent = nullptr);
  ~KisvanMS3() override;

  void SelectPort(int16_t &port);  // member 4
  void SetSpeed(int32_t baud);     // member 5
  // Member 6: opens the port and asks the pad for a signature; returns at once. The pad's
  // answer raises Signed or Failed; a pad silent for Timeouts().padMs raises Failed.
  // Throws SerialError when the port cannot be opened or written.
  void RequestSign(const QString &cardField, const QString &tranField);
  // Member 11: opens the port and lets the customer key a number on the pad; returns at
  // once. The number raises Keyed (the pad's event 10) and reads as member 1; a refusal or
  // silence raises Failed. Throws SerialError as RequestSign does.
  void RequestNumber();
  QString KeyedNumber() const { return keyed_; }  // member 1
  // Member 9: writes the signature last taken to path as a monochrome BMP. Throws
  // VanError when there is none or the file cannot be written.
  void SaveSign(const QString &cardAndDan, const QString &rest, const QString &path);
  // The pad's last failure text.
  QString FailText() const { return failText_; }

 signals:
  void Signed();
  void Keyed();
  void Failed();

 private:
  void Received();
  void Fail(const QString &text);
  // Opens the port, sends the request and starts the pad's time-out.
  void Ask(const QStringList &request);
  QString keyed_;
  std::unique_ptr<orv::serial::Port> port_;
  int16_t portNo_ = 0;
  int32_t baud_ = 57600;
  QByteArray buffer_;
  QByteArray image_;  // 128 x 64, one bit a dot, rows top first
  QString failText_;
  bool waiting_ = false;
  int generation_ = 0;
};

namespace orv::van {

// The pad's frame: STX, the body in CP949 (fields split by FS), ETX, and the XOR of the
// body's bytes and ETX.
QByteArray PadFrame(const QStringList &fields);
struct PadTaken {
  bool complete = false;
  bool ok = false;
  QStringList fields;
};
// Takes the first frame off buffer; bytes before an STX are dropped. A bad check byte or
// body fails that frame.
PadTaken TakePadFrame(QByteArray &buffer);

constexpr int kSignWidth = 128;
constexpr int kSignHeight = 64;
// A 1-bit BMP of the dots (rows top first, a set bit is ink).
QByteArray MonoBmp(const QByteArray &dots, int width, int height);

// The signature request's two fields and the save call's first two texts.
QString PadCardField(const QString &cardBox);
QString PadTranField(const QString &danId, int posNo, orv::Currency count, const QDate &date,
                     const QString &amountText);

// The request members of a KIS approval (card or barcode), in the order they are set,
// without the signature's 37 and 38.
QList<QPair<int, QString>> KisApprovalMembers(int16_t payKind, const QString &months,
                                              const QString &amountText, orv::Currency vat,
                                              const QString &barcode);
// gtCardRet from an approved reply of an approval or a cancellation (barcode: "EP", whose
// member 195 names KakaoPay or ZeroPay and sets giKzPayKind), with the Kakao kind, the
// discount and the two print lines. The acquirer code as received: the form's label shows
// it, not the barcode payment's fixed one. The amount is left as it was.
QString FillKisCardRet(const KisPosAgent &agent, bool barcode, int16_t months);
// The failure box's detail for a reply code.
QString KisFailDetail(const QString &replyCode);

// What a KIS request does about the signature, from the amount's need, the pad model switch,
// the no-signature box, the stored-image setting and the pad's outcome (0 not asked, 1
// signed, 2 failed): whether the pad is asked, members 37 and 38 (the image's file name in
// the data folder, or empty), the chit's signature flag, and the prompts.
struct KisSignRule {
  bool usePad = false;       // ask the pad, then decide again with its outcome
  bool agentSigns = false;   // the customer signs through the agent: prompt and show it
  QString flag = QStringLiteral("N");
  QString image;
  bool clearSignFlag = false;   // PclSss2 = 0
  bool askCardCompany = false;  // "* 카드사에 문의하세요 !"
};
KisSignRule KisSignPlan(bool signNeed, int16_t vanDan, bool signNotUse, int16_t sign0, int padOutcome);

}  // namespace orv::van

// One request through the agent for the card form (approval or cancellation): the members,
// the signature as KisSignPlan says, the card-log rows (tag), the call (member 34, or 137
// with a wait on the reply event for a barcode payment) and the form's prompt put away.
// True when the agent approved; code is its reply code.
bool RunKisRequest(CardRequestForm &form, KisPosAgent &agent, const QList<QPair<int, QString>> &members,
                   bool barcode, bool signNeed, int16_t &padState, const QString &tag, QString *code);

// The signature on the KIS pad: true when the customer signed and sign.bmp was written.
// padState ends 1 (signed) or 2 (failed or silent).
bool RunKisSignPad(const RequestScreen &screen, QLineEdit *cardBox, QLineEdit *amountBox,
                   int16_t &padState);
bool RunKisSignPad(frmCardChk &form);
