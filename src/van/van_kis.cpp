// KIS: the approval agent over TCP and the sign pad on a serial port.
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTcpSocket>
#include <QTimer>

#include "chit/records.h"
#include "core/card_ret.h"
#include "core/pos_settings.h"
#include "core/text_format.h"
#include "core/values.h"
#include "platform/clock.h"
#include "platform/codepage.h"
#include "platform/colors.h"
#include "platform/widget_colors.h"
#include "platform/datafolder.h"
#include "platform/dialogs.h"
#include "platform/serial_port.h"
#include "van/card_agent.h"
#include "van/card_log.h"
#include "van/card_request_form.h"
#include "van/card_state.h"
#include "van/frmCardChk.h"
#include "van/kis.h"
#include "van/van_approval.h"
#include "van/van_error.h"
#include "van/van_wait.h"
#include "van/van_wire.h"

namespace van = orv::van;
namespace dlg = orv::dialogs;
using orv::Currency;

// ------------------------------------------------------------------ the agent

KisPosAgent::KisPosAgent(QObject *parent) : QObject(parent) {}
KisPosAgent::~KisPosAgent() = default;

void KisPosAgent::Set(int member, const QString &value) {
  for (auto &m : request_) {
    if (m.first == member) {
      m.second = value;
      return;
    }
  }
  request_.append({member, value});
}

QString KisPosAgent::Get(int member) const { return reply_.value(member); }

void KisPosAgent::Invoke(int member) {
  if (member == 33) {
    GiveUp();
    request_.clear();
    reply_.clear();
    return;
  }
  Send(member);
  if (member == 34 && !van::WaitUntil([this] { return !waiting_; }, van::Timeouts().replyMs))
    GiveUp();
}

void KisPosAgent::GiveUp() {
  if (socket_) {
    socket_->disconnect(this);
    socket_->abort();
    socket_.reset();
  }
  if (waiting_) {
    waiting_ = false;
    reply_ = {{30, QStringLiteral("-1")}, {31, van::NoReplyText()}};
  }
}

void KisPosAgent::Send(int method) {
  GiveUp();
  reply_.clear();
  buffer_.clear();
  QString host;
  QString portText;
  QStringList fields{QStringLiteral("CALL"), QString::number(method)};
  for (const auto &[member, value] : request_) {
    if (member == 1) host = value.trimmed();
    if (member == 2) portText = value.trimmed();
    fields << van::NumberedField(member, value);
  }
  bool portOk = false;
  const uint port = portText.toUInt(&portOk);
  if (host.isEmpty() || !portOk || port == 0 || port > 65535)
    throw van::VanError(-1, QStringLiteral("KIS 에이전트 주소가 잘못되었습니다 (") + host + ":" + portText + ")");
  QString tooLong;
  const QByteArray frame = van::EncodeFrame(fields, &tooLong);
  if (frame.isEmpty()) throw van::VanError(-1, tooLong);

  socket_ = std::make_unique<QTcpSocket>();
  socket_->connectToHost(host, quint16(port));
  van::WaitUntil(
      [this] {
        const auto s = socket_->state();
        return s == QAbstractSocket::ConnectedState || s == QAbstractSocket::UnconnectedState;
      },
      van::Timeouts().connectMs);
  if (socket_->state() != QAbstractSocket::ConnectedState) {
    const QString why = socket_->state() == QAbstractSocket::UnconnectedState
                            ? socket_->errorString()
                            : QStringLiteral("연결 시간 초과");
    socket_->abort();
    socket_.reset();
    throw van::VanError(-1, QStringLiteral("KIS 에이전트에 연결하지 못했습니다 (") + host + ":" + portText + ") " + why);
  }
  connect(socket_.get(), &QTcpSocket::readyRead, this, &KisPosAgent::Received);
  connect(socket_.get(), &QTcpSocket::disconnected, this, [this] {
    // Lost before the reply: the request went out, so this is no reply, not "not sent".
    if (waiting_) Finish({{30, QStringLiteral("-1")}, {31, van::NoReplyText()}});
  });
  waiting_ = true;
  socket_->write(frame);
}

void KisPosAgent::Received() {
  if (!socket_) return;
  buffer_ += socket_->readAll();
  van::TakenFrame t = van::TakeFrame(buffer_);
  if (!t.complete || !waiting_) return;
  QMap<int, QString> reply;
  if (!t.ok || t.fields.value(0) != QLatin1String("RET")) {
    reply = {{30, QStringLiteral("-1")}, {31, t.ok ? QStringLiteral("전문 형식 오류") : t.error}};
  } else {
    for (const QString &f : t.fields.mid(1)) {
      const int eq = f.indexOf(QLatin1Char('='));
      bool ok = false;
      const int n = f.left(eq).toInt(&ok);
      if (eq > 0 && ok) reply.insert(n, f.mid(eq + 1));
    }
  }
  Finish(reply);
}

void KisPosAgent::Finish(const QMap<int, QString> &reply) {
  waiting_ = false;
  reply_ = reply;
  if (socket_) {
    socket_->disconnect(this);
    socket_->abort();
    socket_.release()->deleteLater();
  }
  emit Replied();
}

// ------------------------------------------------------------------ the sign pad

namespace orv::van {

namespace {
constexpr char kStx = '\x02';
constexpr char kEtx = '\x03';
char Lrc(const QByteArray &body) {
  char x = kEtx;
  for (char c : body) x ^= c;
  return x;
}
}  // namespace

QByteArray PadFrame(const QStringList &fields) {
  const QByteArray body = codepage::Encode(fields.join(QChar(kFs)));
  return kStx + body + kEtx + Lrc(body);
}

PadTaken TakePadFrame(QByteArray &buffer) {
  PadTaken t;
  const int stx = buffer.indexOf(kStx);
  if (stx < 0) {
    buffer.clear();
    return t;
  }
  buffer.remove(0, stx);
  const int etx = buffer.indexOf(kEtx);
  if (etx < 0 || buffer.size() < etx + 2) return t;
  const QByteArray body = buffer.mid(1, etx - 1);
  const char lrc = buffer.at(etx + 1);
  buffer.remove(0, etx + 2);
  t.complete = true;
  const QString text = codepage::Decode(body);
  if (lrc != Lrc(body) || text.contains(QChar(0xFFFD))) return t;
  t.ok = true;
  t.fields = text.split(QChar(kFs));
  return t;
}

QByteArray MonoBmp(const QByteArray &dots, int width, int height) {
  const int rowBytes = ((width + 31) / 32) * 4;
  const int srcRow = (width + 7) / 8;
  const int imageSize = rowBytes * height;
  QByteArray out;
  auto le = [&out](quint32 v, int n) {
    for (int i = 0; i < n; ++i) out.append(char((v >> (8 * i)) & 0xff));
  };
  out += "BM";
  le(14 + 40 + 8 + imageSize, 4);
  le(0, 4);
  le(14 + 40 + 8, 4);
  le(40, 4);
  le(quint32(width), 4);
  le(quint32(height), 4);
  le(1, 2);
  le(1, 2);
  le(0, 4);
  le(quint32(imageSize), 4);
  le(2835, 4);
  le(2835, 4);
  le(2, 4);
  le(0, 4);
  // Index 0 white paper, 1 black ink.
  out += QByteArray("\xff\xff\xff\x00\x00\x00\x00\x00", 8);
  for (int y = height - 1; y >= 0; --y) {
    QByteArray row = dots.mid(y * srcRow, srcRow);
    row.resize(rowBytes, '\0');
    out += row;
  }
  return out;
}

QString PadCardField(const QString &cardBox) { return (cardBox + QString(20, QLatin1Char('0'))).left(20); }

QString PadTranField(const QString &danId, int posNo, Currency count, const QDate &date,
                     const QString &amountText) {
  const QString pos = (QStringLiteral("000") + QString::number(posNo)).right(3);
  const QString serial = (QStringLiteral("000000") + QString::number(count.RoundToInt())).right(6);
  return (danId + QString(16, QLatin1Char('0'))).left(16) +
         (pos + serial + QString(12, QLatin1Char('0'))).left(12) + date.toString(QStringLiteral("yyMMdd")) +
         (QString(12, QLatin1Char('0')) + QString(amountText).remove(QLatin1Char(','))).right(12);
}

QList<QPair<int, QString>> KisApprovalMembers(int16_t payKind, const QString &months,
                                              const QString &amountText, Currency vat,
                                              const QString &barcode) {
  QList<QPair<int, QString>> m{{1, gsSetServerIp},
                               {2, gsSetServerPort},
                               {3, payKind == 0 ? QStringLiteral("D1") : QStringLiteral("EP")}};
  if (payKind != 0) m.append({124, QStringLiteral("AC")});
  m.append({4, (QStringLiteral("00") + months).right(2)});
  m.append({5, QString(amountText).remove(QLatin1Char(',')).trimmed()});
  m.append({6, QString::number(vat.RoundToInt())});
  if (payKind != 0) m.append({61, barcode});
  return m;
}

QString KisFailDetail(const QString &replyCode) {
  if (replyCode == QLatin1String("7777")) return QStringLiteral("(IC카드 리딩 오류) ");
  if (replyCode == QLatin1String("8888")) return QStringLiteral("(IC카드 리딩 대기시간 초과) ");
  if (replyCode == QLatin1String("8001")) return QStringLiteral("(잔액 부족) ");
  return {};
}

}  // namespace orv::van

KisvanMS3::KisvanMS3(QObject *parent) : QObject(parent) {}
KisvanMS3::~KisvanMS3() = default;

void KisvanMS3::SelectPort(int16_t &port) { portNo_ = port; }
void KisvanMS3::SetSpeed(int32_t baud) { baud_ = baud; }

void KisvanMS3::RequestSign(const QString &cardField, const QString &tranField) {
  Ask({QStringLiteral("SIGN"), cardField, tranField});
}

void KisvanMS3::RequestNumber() {
  keyed_.clear();
  Ask({QStringLiteral("NUMBER")});
}

void KisvanMS3::Ask(const QStringList &request) {
  if (!port_) {
    port_ = std::make_unique<orv::serial::Port>();
    connect(port_.get(), &orv::serial::Port::OnComm, this, &KisvanMS3::Received);
  }
  port_->Close();
  port_->SetCommPort(portNo_);
  port_->SetSettings(QString::number(baud_) + QStringLiteral(",N,8,1"));
  port_->SetRThreshold(1);
  port_->Open();
  buffer_.clear();
  image_.clear();
  failText_.clear();
  port_->Output(van::PadFrame(request));
  waiting_ = true;
  const int generation = ++generation_;
  QTimer::singleShot(van::Timeouts().padMs, this, [this, generation] {
    if (waiting_ && generation == generation_) Fail(QStringLiteral("싸인패드 응답이 없습니다"));
  });
}

void KisvanMS3::Received() {
  if (!port_ || !port_->PortOpen()) return;
  buffer_ += port_->Input();
  for (;;) {
    van::PadTaken t = van::TakePadFrame(buffer_);
    if (!t.complete) return;
    if (!waiting_) continue;  // nothing asked for: dropped
    const QString verb = t.fields.value(0);
    if (t.ok && verb == QLatin1String("DONE")) {
      const QByteArray dots = QByteArray::fromHex(t.fields.value(1).toLatin1());
      if (dots.size() == van::kSignWidth * van::kSignHeight / 8) {
        waiting_ = false;
        image_ = dots;
        emit Signed();
        continue;
      }
      Fail(QStringLiteral("서명 이미지 오류"));
    } else if (t.ok && verb == QLatin1String("KEYED")) {
      waiting_ = false;
      keyed_ = t.fields.value(1);
      emit Keyed();
    } else if (t.ok && verb == QLatin1String("FAIL")) {
      Fail(t.fields.value(1));
    } else {
      Fail(QStringLiteral("싸인패드 전문 오류"));
    }
  }
}

void KisvanMS3::Fail(const QString &text) {
  waiting_ = false;
  failText_ = text;
  emit Failed();
}

void KisvanMS3::SaveSign(const QString &, const QString &, const QString &path) {
  if (image_.isEmpty()) throw van::VanError(-1, QStringLiteral("서명이 없습니다"));
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      f.write(van::MonoBmp(image_, van::kSignWidth, van::kSignHeight)) < 0)
    throw van::VanError(-1, QStringLiteral("서명 파일을 쓰지 못했습니다: ") + path);
}

namespace {
QString SignPath(const QString &file) { return orv::datafolder::Path(file); }
}  // namespace

namespace orv::van {

KisSignRule KisSignPlan(bool signNeed, int16_t vanDan, bool signNotUse, int16_t sign0, int padOutcome) {
  KisSignRule r;
  if (!signNeed) return r;
  auto stock = [&] {
    if (sign0 != 0) r.image = QStringLiteral("sign0.bmp");
    else r.clearSignFlag = true;
  };
  if (signNotUse) {
    stock();
  } else if (vanDan == 0 || vanDan == 1) {
    r.flag = QStringLiteral("Y");
    r.image = QStringLiteral("sign.bmp");
    r.agentSigns = true;
  } else {
    r.usePad = true;
    if (padOutcome == 1) {
      r.image = QStringLiteral("sign.bmp");
    } else if (padOutcome == 2) {
      stock();
      r.askCardCompany = sign0 == 0;
    }
  }
  return r;
}

}  // namespace orv::van

bool RunKisSignPad(const RequestScreen &screen, QLineEdit *cardBox, QLineEdit *amountBox,
                   int16_t &padState) {
  KisvanMS3 pad;
  QObject::connect(&pad, &KisvanMS3::Signed, &pad, [&] {
    const QString card = van::PadCardField(cardBox->text());
    const QString tran = van::PadTranField(gsSetDanId, giSetPosNo, gcSetCdCount,
                                           orv::clock::Now().date(), amountBox->text());
    try {
      pad.SaveSign(card + tran.left(16), tran.mid(16), SignPath(QStringLiteral("sign.bmp")));
    } catch (const van::VanError &e) {
      // No image to name: as a pad that failed.
      dlg::MsgBox(QStringLiteral("싸인패드에 문제가 발생했습니다 !\n") + e.Description, dlg::kCritical,
                  QStringLiteral("싸인패드오류"));
      padState = 2;
      return;
    }
    padState = 1;
  });
  QObject::connect(&pad, &KisvanMS3::Failed, &pad, [&padState] {
    dlg::MsgBox(QStringLiteral("싸인패드에 문제가 발생했습니다 !"), dlg::kCritical,
                QStringLiteral("싸인패드오류"));
    padState = 2;
  });
  int16_t port = giSetSignPortNo;
  pad.SelectPort(port);
  pad.SetSpeed(57600);
  ShowSignPrompt(screen);
  screen.Kis->show();
  // Set before the request, so an answer that comes at once is kept.
  padState = 0;
  pad.RequestSign(van::PadCardField(cardBox->text()),
                  van::PadTranField(gsSetDanId, giSetPosNo, gcSetCdCount, orv::clock::Now().date(),
                                    amountBox->text()));
  if (!van::WaitUntil([&padState] { return padState != 0; }, van::Timeouts().padMs + 1000))
    padState = 2;
  screen.fraSign->hide();
  giDspSignPlease = 2;
  return padState == 1;
}

bool RunKisSignPad(frmCardChk &form) {
  return RunKisSignPad(ScreenOf(form), form.txtiCard, form.txtiGum, form.miSignPadState);
}

QString van::FillKisCardRet(const KisPosAgent &agent, bool barcode, int16_t months) {
  auto f = [&agent](int member) { return NzStr(agent.Get(member)); };
  CardRetRec &c = gtCardRet;
  c.CardName = f(27);
  c.MeipCode = (QStringLiteral("0000") + KeepDigits(f(24), 0)).right(4);
  const QString receivedCode = c.MeipCode;
  c.MeipName = f(25);
  if (barcode) {
    const QString kind = f(195);
    if (kind == QLatin1String("KKO")) {
      giKzPayKind = 1;
      c.MeipCode = QStringLiteral("3900");
      c.MeipName = QStringLiteral("카카오[") + SqlStrCut(c.MeipName, 10) + "]";
    } else if (kind == QLatin1String("ZRP")) {
      giKzPayKind = 2;
      c.MeipCode = QStringLiteral("7700");
      c.MeipName = QStringLiteral("제로[") + SqlStrCut(c.MeipName, 10) + "]";
    }
    gsKzKakaoGbn = f(225).left(1);
    gcKzDcGum = NzCur(f(44));
    if (giKzPayKind == 1)
      c.MeipName += "(" + gsKzKakaoGbn + ":" + QString::number(gcKzDcGum.RoundToInt()) + ")";
  }
  c.CardNo = f(14).left(16);
  if (barcode && giKzPayKind == 1) c.CardNo = QStringLiteral("K") + gsKzKakaoGbn + gsKzBarcode.left(12);
  if (barcode && giKzPayKind == 2) c.CardNo = QStringLiteral("Z") + gsKzBarcode.left(12);
  c.CardDate = QStringLiteral("0000");
  c.Halbu = months;
  c.CmitNo = f(20);
  c.CmitDate = barcode ? f(21).left(8) : f(21);
  c.GamyNo = f(28);
  gsCardPrnMsg1 = NzStr2(agent.Get(31));
  gsCardPrnMsg2 = NzStr2(agent.Get(32));
  return receivedCode;
}

bool RunKisRequest(CardRequestForm &form, KisPosAgent &agent, const QList<QPair<int, QString>> &members,
                   bool barcode, bool signNeed, int16_t &padState, const QString &tag, QString *code) {
  QObject::connect(&agent, &KisPosAgent::Replied, &form, [&form] { form.msKisReply = QStringLiteral("응답"); });
  agent.Invoke(33);
  for (const auto &[member, value] : members) agent.Set(member, value);

  // Who takes the signature.
  const bool ticked = form.chkSignNotUse->isChecked();
  van::KisSignRule sign = van::KisSignPlan(signNeed, giSetVanDan, ticked, giSetSign0, 0);
  if (sign.usePad) {
    const bool signed_ = RunKisSignPad(form.Screen(), form.txtiCard, form.txtiGum, padState);
    sign = van::KisSignPlan(signNeed, giSetVanDan, ticked, giSetSign0, signed_ ? 1 : 2);
  }
  if (sign.agentSigns) {
    ShowSignPrompt(form.Screen());
    form.KisPosAgent1->show();
  }
  if (sign.clearSignFlag) gtPanList.PclSss2 = 0;
  if (sign.askCardCompany)
    dlg::MsgBox(QStringLiteral("* 카드사에 문의하세요 !"), dlg::kInformation, QStringLiteral("카드사문의요망"));
  agent.Set(37, sign.flag);
  agent.Set(38, sign.image.isEmpty() ? QString() : SignPath(sign.image));

  // Nothing goes out before this row is written: its failure ends the attempt.
  CardLogRow(CardLogRequestText(tag, form.txtiGum->text()), 0);
  if (!barcode) {
    agent.Invoke(34);
  } else {
    form.msKisReply.clear();
    agent.Invoke(137);
    if (!van::WaitUntil([&form] { return !form.msKisReply.isEmpty(); }, van::Timeouts().replyMs))
      agent.GiveUp();
  }
  form.LogRow(tag + QStringLiteral("_OutRet"), 1);
  form.fraSign->hide();
  giDspSignPlease = 2;
  form.KisPosAgent1->hide();
  form.Kis->hide();

  // A status that is not a number is no approval.
  bool statusOk = false;
  const int status = agent.Get(30).trimmed().toShort(&statusOk);
  *code = agent.Get(12);
  const bool approved = statusOk && status == 0 && *code == QLatin1String("0000");
  form.LogRow(tag + (approved ? QStringLiteral("_OutRet_Ok") : QStringLiteral("_OutRet_Err")), 2);
  return approved;
}

// ------------------------------------------------------------------ the approval

int16_t ApproveKis(frmCardChk &form) {
  const bool barcode = giKzPayKind != 0;
  const QString tag = barcode ? QStringLiteral("KIS_ApprovalKz") : QStringLiteral("KIS_Approval");
  KisPosAgent agent;
  QString code;
  if (RunKisRequest(form, agent,
                    van::KisApprovalMembers(giKzPayKind, form.txtiHalbu->text(), form.txtiGum->text(),
                                            form.mcTaxGum, gsKzBarcode),
                    barcode, form.miSignRequired == 1, form.miSignPadState, tag, &code)) {
    const QString receivedCode = van::FillKisCardRet(agent, barcode, int16_t(form.Months().toInt()));
    form.ShowResult();
    form.lblMeipCode->setText(receivedCode);
    if (barcode) KeepBarcode(form);
    return 0;
  }
  ClearCardRet();
  for (int i = 0; i < 5; ++i) van::Pause(0);
  dlg::MsgBox(QStringLiteral("* 승인을 다시 하세요 ") + van::KisFailDetail(code) + QStringLiteral("!\r\n") +
                  agent.Get(31).trimmed() + QStringLiteral("\r\n") + agent.Get(32).trimmed(),
              dlg::kCritical, QStringLiteral("카드재승인요청"));
  return 9999;
}
