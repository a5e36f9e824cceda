#include "goods/frmGdsCode.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

#include "core/daily_log.h"
#include "core/globals.h"
#include "core/text_format.h"
#include "goods/goods_form.h"
#include "goods/goods_rules.h"
#include "platform/clock.h"
#include "platform/codepage.h"
#include "platform/colors.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "platform/form_keys.h"
#include "platform/keys.h"
#include "platform/serial_port.h"

using namespace orv;
using colors::Rgb;

namespace {

constexpr long kShowBack = Rgb(224, 224, 224);
constexpr long kShowFore = Rgb(0, 0, 192);
constexpr long kMarkOff = Rgb(255, 255, 192);
constexpr long kMarkOn = Rgb(255, 192, 128);

// "###,###,###": nothing for 0.
QString Amount(Currency v) { return v.IsZero() ? QString() : FmtAmt(v, 0); }

}  // namespace

void LookUpCheckCode(const QString &raw) {
  ClearGdsRecord();
  const goods::CheckCode c = goods::CompleteCheckCode(raw);
  if (c.match == goods::CodeMatch::None) return;
  try {
    db::Statement st;
    if (c.match == goods::CodeMatch::Prefix8) {
      // The 8-digit barcodes that begin with the code, the first in barcode order.
      st = goDbMain.Prepare(QStringLiteral(
          "Select * From GdsCode Where GcdBarCode >= ? And GcdBarCode <= ? "
          "And length(trim(GcdBarCode)) = 8 Order By GcdBarCode Limit 1"));
      st.Bind(0, c.code + QString(8 - c.code.size(), '0'));
      st.Bind(1, c.code + QString(8 - c.code.size(), '9'));
    } else if (c.match == goods::CodeMatch::Exact13) {
      st = goDbMain.Prepare(QStringLiteral(
          "Select * From GdsCode Where GcdBarCode = ? And length(trim(GcdBarCode)) = 13 Limit 1"));
      st.Bind(0, c.code);
    } else {
      st = goDbMain.Prepare(QStringLiteral("Select * From GdsCode Where GcdBarCode = ? Limit 1"));
      st.Bind(0, c.code);
    }
    const db::Recordset rs = st.Query();
    if (rs.RecordCount() > 0) ReadGdsRecord(rs);
  } catch (const std::exception &e) {
    ClearGdsRecord();
    try {
      WriteLog(dailylog::kDatabaseFailure, QStringLiteral("frmGdsCode ") + QString::fromUtf8(e.what()));
    } catch (const std::exception &) {
      // A log that cannot be written loses the line; the screen goes on.
    }
  }
}

frmGdsCode::frmGdsCode(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmGdsCode"));
  setWindowTitle(QStringLiteral("상품가격정보"));
  resize(396, 498);  // 5940 × 7470 twips

  QFont big = font();
  big.setFamilies({QStringLiteral("Gulim"), QStringLiteral("NanumGothic")});
  big.setPointSize(16);
  big.setBold(true);
  setFont(big);

  GdsBarcdTxt = goods::ValueBox("GdsBarcdTxt", this, Rgb(255, 255, 192), false, false);
  GdsNameTxt = goods::ValueBox("GdsNameTxt", this, kShowBack, false, false);
  GdsKygTxt = goods::ValueBox("GdsKygTxt", this, kShowBack, false, false);
  GdsMechTxt = goods::ValueBox("GdsMechTxt", this, kShowBack, true, false);
  GdsMech2Txt = goods::ValueBox("GdsMech2Txt", this, kShowBack, true, false);
  txtSalega = goods::ValueBox("txtSalega", this, kShowBack, true, false);
  txtSaleDate = goods::ValueBox("txtSaleDate", this, kShowBack, false, false);
  for (QLineEdit *b : {GdsNameTxt, GdsKygTxt, GdsMechTxt, GdsMech2Txt, txtSalega, txtSaleDate}) {
    goods::SetBoxColors(b, kShowBack, kShowFore);
    b->setReadOnly(true);  // typed characters are discarded
  }
  lblHalIN = new QLabel(QStringLiteral("행사기간설정"), this);
  lblHalIN->setObjectName(QStringLiteral("lblHalIN"));
  lblHalIN->setAlignment(Qt::AlignCenter);
  goods::SetBoxColors(lblHalIN, kMarkOff);
  lblPortState = new QLabel(this);
  lblPortState->setObjectName(QStringLiteral("lblPortState"));
  lblPortState->setStyleSheet(QStringLiteral("color: #C00000; font-size: 10pt;"));

  auto *grid = new QGridLayout;
  auto label = [this](const char *name, const QString &text) {
    auto *l = new QLabel(text, this);
    l->setObjectName(QString::fromLatin1(name));
    return l;
  };
  grid->addWidget(label("Label3", QStringLiteral("바코드 :")), 0, 0);
  grid->addWidget(GdsBarcdTxt, 0, 1, 1, 2);
  grid->addWidget(label("Label4", QStringLiteral("상품명 :")), 1, 0);
  grid->addWidget(GdsNameTxt, 1, 1);
  grid->addWidget(GdsKygTxt, 1, 2);
  grid->addWidget(label("Label6", QStringLiteral("판매가 :")), 2, 0);
  grid->addWidget(GdsMechTxt, 2, 1);
  grid->addWidget(label("Label7", QStringLiteral("판매가2:")), 3, 0);
  grid->addWidget(GdsMech2Txt, 3, 1);
  grid->addWidget(label("Label2", QStringLiteral("행사가 :")), 4, 0);
  grid->addWidget(txtSalega, 4, 1);
  grid->addWidget(lblHalIN, 4, 2);
  grid->addWidget(txtSaleDate, 5, 1, 1, 2);

  auto *lay = new QVBoxLayout(this);
  lay->addWidget(goods::TitleBanner(QStringLiteral("상품가격정보"), this));
  lay->addLayout(grid);
  lay->addStretch();
  lay->addWidget(lblPortState);
  auto *legend = new QLabel(QStringLiteral("ESC:종료"), this);
  legend->setAlignment(Qt::AlignRight);
  lay->addWidget(legend);

  MSComm1 = new serial::Port(this);
  MSComm1->setObjectName(QStringLiteral("MSComm1"));
  tmrScan = new QTimer(this);
  tmrScan->setObjectName(QStringLiteral("tmrScan"));
  tmrScan->setSingleShot(true);
  tmrScan->setInterval(400);
  connect(tmrScan, &QTimer::timeout, this, &frmGdsCode::tmrScan_Timer);
  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(500);
  connect(Timer1, &QTimer::timeout, this, [this] { lblHalIN->setVisible(!lblHalIN->isVisible()); });

  GdsBarcdTxt->installEventFilter(this);
  goods::EscCloses(this);

  // Form_Load.
  if (!gsScanSettings.isEmpty() && giScanPort != 0) {
    MSComm1->SetCommPort(giScanPort);
    MSComm1->SetSettings(gsScanSettings);
    try {
      MSComm1->Open();
    } catch (const serial::SerialError &e) {
      lblPortState->setText(QStringLiteral("스캐너 포트(COM%1)를 열 수 없습니다: %2")
                                .arg(giScanPort)
                                .arg(e.Description));
    }
  }
  tmrScan->start();
  GdsBarcdTxt->setFocus();
}

frmGdsCode::~frmGdsCode() = default;

void frmGdsCode::done(int r) {
  tmrScan->stop();
  Timer1->stop();
  MSComm1->Close();
  QDialog::done(r);
}

bool frmGdsCode::eventFilter(QObject *watched, QEvent *event) {
  if (watched == GdsBarcdTxt && event->type() == QEvent::KeyPress &&
      keys::ToVirtualKey(static_cast<QKeyEvent *>(event)) == keys::vbKeyReturn) {
    msScanBuf = GdsBarcdTxt->text().trimmed() + '\r';
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void frmGdsCode::tmrScan_Timer() {
  QString read;
  if (MSComm1->PortOpen()) {
    try {
      read = codepage::Decode(MSComm1->Input());
    } catch (const serial::SerialError &) {
      // A port that cannot be read reads as nothing.
    }
  }
  if (!read.isEmpty() && !read.endsWith('\r')) {
    msScanBuf += read;
    tmrScan->start();
    return;
  }
  const QString code = msScanBuf + read;
  if (!code.isEmpty()) {
    LookUpCheckCode(code);
    if (!gtGdsCode.GcdKey.IsZero()) ShowGoods();
  }
  msScanBuf.clear();
  tmrScan->start();
}

void frmGdsCode::ShowGoods() {
  const GdsCodeRec &g = gtGdsCode;
  GdsBarcdTxt->setText(g.GcdBarcode);
  GdsNameTxt->setText(g.GcdName);
  GdsKygTxt->setText(g.GcdKyg);
  GdsMechTxt->setText(Amount(g.GcdMech));
  GdsMech2Txt->setText(Amount(g.GcdMech2));
  txtSalega->setText(Amount(g.GcdSalega));
  txtSaleDate->setText(goods::EventPeriodText(g.GcdStdtsale, g.GcdEddtsale));
  const QTime now = clock::Now().time();
  const bool inForce = goods::EventInForce(g, goods::WorkDateNumber(), now.hour() * 100 + now.minute());
  goods::SetBoxColors(txtSaleDate, kShowBack, inForce ? Rgb(255, 0, 0) : colors::kBlack);
  goods::SetBoxColors(lblHalIN, inForce ? kMarkOn : kMarkOff);
  if (inForce) {
    Timer1->start();
  } else {
    Timer1->stop();
    lblHalIN->setVisible(true);
  }
}

void ShowfrmGdsCode(QWidget *parent) {
  frmGdsCode form(parent);
  dialogs::ShowModal(form);
}
