#include "display/frmDisplay.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QTableWidget>
#include <QWindow>

#include "core/connections.h"
#include "core/globals.h"
#include "core/options.h"
#include "display/clsMovie.h"
#include "platform/datafolder.h"
#include "platform/db.h"
#include "platform/settings_store.h"

using namespace orv;
using orv::display::DisplayView;

namespace orv::display {

std::array<QString, 5> ReadDisplayMessages() {
  std::array<QString, 5> out;
  if (!goDbMain.IsOpen()) return out;
  try {
    const QString sql = QStringLiteral("SELECT RegKey, RegChar FROM OrvRegistry WHERE ") +
                        goDbMain.dialect().Fold(QStringLiteral("RTRIM(RegKey)")) +
                        QStringLiteral(" IN (?, ?, ?, ?, ?)");
    db::Statement st = goDbMain.Prepare(sql);
    for (int i = 0; i < 5; ++i) st.Bind(i, QStringLiteral("posprnmsg%1").arg(i + 1));
    db::Recordset rs = st.Query();
    for (; !rs.Eof(); rs.MoveNext()) {
      const QString key = rs.Field("RegKey").toString().trimmed().toLower();
      const int n = key.right(1).toInt();
      if (n >= 1 && n <= 5) out[size_t(n - 1)] = rs.Field("RegChar").toString().trimmed();
    }
  } catch (const db::DbError &) {
    out = {};
  }
  return out;
}

}  // namespace orv::display

namespace {

QLabel *Label(QWidget *parent, const char *name, const QString &text = {}, int px = 20,
              bool bold = false) {
  auto *l = new QLabel(text, parent);
  if (name) l->setObjectName(name);
  QFont f = l->font();
  f.setPixelSize(px);
  f.setBold(bold);
  l->setFont(f);
  return l;
}

// A frame of caption/value rows.
QFrame *Frame(QWidget *parent, const char *name, const QString &title) {
  auto *f = new QFrame(parent);
  f->setObjectName(name);
  f->setFrameShape(QFrame::Box);
  f->setAutoFillBackground(true);
  QPalette p = f->palette();
  p.setColor(QPalette::Window, QColor(255, 255, 224));
  f->setPalette(p);
  auto *g = new QGridLayout(f);
  g->addWidget(Label(f, nullptr, title, 24, true), 0, 0, 1, 2);
  f->hide();
  return f;
}

QLabel *Row(QFrame *f, const char *name, const QString &caption) {
  auto *g = static_cast<QGridLayout *>(f->layout());
  const int r = g->rowCount();
  g->addWidget(Label(f, nullptr, caption), r, 0);
  QLabel *v = Label(f, name, {}, 20, true);
  g->addWidget(v, r, 1);
  return v;
}

template <typename T>
void SetText(T *w, const QString &text) {
  if (w->text() != text) w->setText(text);
}

}  // namespace

frmDisplay::frmDisplay(std::unique_ptr<display::DisplaySource> source, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), source_(std::move(source)) {
  setObjectName("frmDisplay");
  setWindowTitle(QStringLiteral("고객용 화면"));
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
  auto *grid = new QGridLayout(this);

  Picture1 = new QWidget(this);
  Picture1->setObjectName("Picture1");
  Picture1->setMinimumSize(320, 240);
  Picture1->setAutoFillBackground(true);
  QPalette black = Picture1->palette();
  black.setColor(QPalette::Window, Qt::black);
  Picture1->setPalette(black);
  grid->addWidget(Picture1, 0, 0, 3, 1);

  auto *clock = new QHBoxLayout;
  lblNow2 = Label(this, "lblNow2", {}, 24, true);
  lblTime2 = Label(this, "lblTime2", QStringLiteral("00:00:00"), 24, true);
  clock->addWidget(lblNow2);
  clock->addWidget(lblTime2);
  clock->addStretch();
  grid->addLayout(clock, 0, 1);

  vaSpread1 = new QTableWidget(0, 4, this);
  vaSpread1->setObjectName("vaSpread1");
  vaSpread1->setHorizontalHeaderLabels({QStringLiteral("상품명 & 규격"), QStringLiteral("수량"),
                                        QStringLiteral("단가"), QStringLiteral("합계")});
  vaSpread1->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  vaSpread1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  vaSpread1->setFocusPolicy(Qt::NoFocus);
  grid->addWidget(vaSpread1, 1, 1);

  auto *totals = new QGridLayout;
  totals->addWidget(Label(this, "Label7", QStringLiteral("합계금액 : "), 28, true), 0, 0);
  lblHabGum = Label(this, "lblHabGum", {}, 36, true);
  totals->addWidget(lblHabGum, 0, 1, Qt::AlignRight);
  totals->addWidget(Label(this, "Label2", QStringLiteral("받은금액 : "), 24), 1, 0);
  lblRGum = Label(this, "lblRGum", {}, 28);
  totals->addWidget(lblRGum, 1, 1, Qt::AlignRight);
  totals->addWidget(Label(this, nullptr, QStringLiteral("거스름돈 : "), 24), 2, 0);
  lblCGum = Label(this, "lblCGum", {}, 28);
  totals->addWidget(lblCGum, 2, 1, Qt::AlignRight);
  grid->addLayout(totals, 2, 1);

  auto *cst = new QGridLayout;
  auto pair = [&](int r, int c, const char *capName, const QString &caption, const char *name) {
    QLabel *cap = Label(this, capName, caption, 18);
    cst->addWidget(cap, r, c);
    QLabel *v = Label(this, name, {}, 18, true);
    cst->addWidget(v, r, c + 1);
    return std::pair{cap, v};
  };
  lblCcdNo = pair(0, 0, "Label22", QStringLiteral("고객번호:"), "lblCcdNo").second;
  lblCcdName = Label(this, "lblCcdName", {}, 18, true);
  cst->addWidget(lblCcdName, 0, 2);
  lblCcdDegree = Label(this, "lblCcdDegree", {}, 18, true);
  cst->addWidget(lblCcdDegree, 0, 3);
  lblCcdBarcode = Label(this, "lblCcdBarcode", {}, 18);
  cst->addWidget(lblCcdBarcode, 1, 1);
  lblCcdTele = pair(2, 0, "Label19", QStringLiteral("전화번호:"), "lblCcdTele").second;
  lblCcdHp = Label(this, "lblCcdHp", {}, 18);
  cst->addWidget(lblCcdHp, 2, 2, 1, 2);
  lblCcdJuso = pair(3, 0, "Label15", QStringLiteral("주     소 :"), "lblCcdJuso").second;
  lblCcdJuso2 = Label(this, "lblCcdJuso2", {}, 18);
  cst->addWidget(lblCcdJuso2, 3, 2, 1, 2);
  std::tie(lblCcdZerdoTit, lblCcdZerdo) =
      pair(4, 0, "lblCcdZerdoTit", QStringLiteral("현재금액:"), "lblCcdZerdo");
  std::tie(lblCcdJumsuTit, lblCcdJumsu) =
      pair(4, 2, "lblCcdJumsuTit", QStringLiteral("현재점수:"), "lblCcdJumsu");
  lblCcdLpDate = pair(5, 0, "Label18", QStringLiteral("최종판매:"), "lblCcdLpDate").second;
  grid->addLayout(cst, 3, 0);

  auto *msgs = new QVBoxLayout;
  for (int i = 0; i < 5; ++i) {
    lblMsg[size_t(i)] = Label(this, nullptr, QStringLiteral("메시지%1").arg(i + 1), 22, true);
    lblMsg[size_t(i)]->setObjectName(QStringLiteral("lblMsg%1").arg(i + 1));
    msgs->addWidget(lblMsg[size_t(i)]);
  }
  lblOneMoa = Label(this, "lblOneMoa", QStringLiteral("원모아포인트:"), 20, true);
  msgs->addWidget(lblOneMoa);
  grid->addLayout(msgs, 3, 1);
  Label1 = Label(this, "Label1", QStringLiteral("오늘도 저희 매장을 찾아주셔서 감사합니다."), 18);
  grid->addWidget(Label1, 4, 0, 1, 2, Qt::AlignCenter);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 1);

  // The frames lie over the lines and totals while their forms are open.
  fraCash = Frame(this, "fraCash", QStringLiteral("결제"));
  const char *cashNames[] = {"lblHabGum2", "lblRGum2", "txtPayGum", "txtCard", "txtCSobi",
                             "txtOisang", "txtJaSangPum", "txtTaSangPum", "txtCustJum",
                             "lblUseCustGum", "lblUseCustJum", "lblDcGum", "lblReGum"};
  const QString cashCaps[] = {
      QStringLiteral("합계금액"), QStringLiteral("받은금액"), QStringLiteral("현금판매"),
      QStringLiteral("신용판매"), QStringLiteral("사내소비"), QStringLiteral("외상판매"),
      QStringLiteral("자상품권"), QStringLiteral("타상품권"), QStringLiteral("고객점수"),
      QStringLiteral("사용금액"), QStringLiteral("사용점수"), QStringLiteral("할인금액"),
      QStringLiteral("거스름돈")};
  for (size_t i = 0; i < 13; ++i) cashFields[i] = Row(fraCash, cashNames[i], cashCaps[i]);
  auto cardFrame = [&](const char *frameName, const char *suffix, std::array<QLabel *, 13> &out,
                       QLabel *&msg) {
    QFrame *f = Frame(this, frameName, suffix[0] ? QStringLiteral("카드 취소")
                                                 : QStringLiteral("카드 승인"));
    const char *names[] = {"txtiCard", "txtiHalbu", "txtiNo", "lblCardName", "txtiDate",
                           "lblGabu", "lblBalCode", "lblBalName", "lblMeipCode", "lblMeipName",
                           "lblGaM", "lblResult", "txtiGum"};
    const QString caps[] = {QStringLiteral("카드번호"), QStringLiteral("할부개월"),
                            QStringLiteral("승인번호"), QStringLiteral("카드"),
                            QStringLiteral("승인일자"), QStringLiteral("승인여부"),
                            QStringLiteral("발 급 사"), QString(), QStringLiteral("매 입 사"),
                            QString(), QStringLiteral("가 맹 점"), QString(),
                            QStringLiteral("승인금액")};
    for (size_t i = 0; i < 13; ++i)
      out[i] = Row(f, (QByteArray(names[i]) + suffix).constData(), caps[i]);
    msg = Row(f, (QByteArray("lblMsg22") + (suffix[0] ? "2" : "")).constData(), {});
    return f;
  };
  fraCard = cardFrame("fraCard", "", cardFields, lblMsg22);
  fraCard2 = cardFrame("fraCard2", "2", card2Fields, lblMsg222);
  fraMoney = Frame(this, "fraMoney", QStringLiteral("현금영수증"));
  txti_Card = Row(fraMoney, "txti_Card", QStringLiteral("입력번호:"));
  txti_Gum = Row(fraMoney, "txti_Gum", QStringLiteral("승인금액:"));
  txti_No = Row(fraMoney, "txti_No", QStringLiteral("승인번호:"));
  txti_Date = Row(fraMoney, "txti_Date", QStringLiteral("승인일자:"));
  chkSaup = new QCheckBox(QStringLiteral("사업자시 체크(F2)"), fraMoney);
  chkSaup->setObjectName("chkSaup");
  chkSaup->setEnabled(false);
  fraMoney->layout()->addWidget(chkSaup);
  Lab_Msg = Row(fraMoney, "Lab_Msg", {});
  SignPleaseFme = Frame(this, "SignPleaseFme", QStringLiteral("서명 부탁드려요 ^^*"));
  for (QFrame *f : {fraCash, fraCard, fraCard2, fraMoney, SignPleaseFme})
    grid->addWidget(f, 1, 1, 2, 1);

  Timer1 = new QTimer(this);
  Timer1->setInterval(500);
  connect(Timer1, &QTimer::timeout, this, &frmDisplay::Timer1_Timer);
  connect(qGuiApp, &QGuiApplication::screenRemoved, this, [this](QScreen *s) {
    // Never fall onto the cashier's screen.
    if (s == screen_) hide();
  });
}

frmDisplay::~frmDisplay() = default;

void frmDisplay::Form_Load() {
  movie_ = std::make_unique<display::clsMovie>();
  movie_->SetWindow(Picture1);
  movie_->SetFileName(datafolder::Path(QStringLiteral("ORV.avi")));
  movie_->Play();
  const bool amounts = GetRegInt(QStringLiteral("PosCstPanPrt")) == 0;
  lblCcdZerdoTit->setVisible(amounts);
  lblCcdZerdo->setVisible(amounts);
  lblCcdJumsuTit->setVisible(!amounts);
  lblCcdJumsu->setVisible(!amounts);
  Timer1->start();
}

void frmDisplay::ShowOn(QScreen *screen) {
  screen_ = screen;
  if (!screen) return;
  setGeometry(screen->geometry());
  show();
  if (windowHandle()) windowHandle()->setScreen(screen);
  setGeometry(screen->geometry());
  showFullScreen();
}

void frmDisplay::Timer1_Timer() {
  if (!source_) return;
  display::DisplayInputs in = source_->Read();
  in.messages = display::ReadDisplayMessages();
  Apply(display::DisplayTick(in));
  // The movie starts again from its end.
  if (movie_ && movie_->Duration() == movie_->Position()) {
    movie_->SetPosition(0);
    movie_->Play();
  }
}

void frmDisplay::Apply(const DisplayView &v) {
  SetText(lblNow2, v.now);
  SetText(lblTime2, v.time);
  if (vaSpread1->rowCount() != v.rows.size()) vaSpread1->setRowCount(int(v.rows.size()));
  for (int r = 0; r < v.rows.size(); ++r) {
    for (int c = 0; c < 4; ++c) {
      QTableWidgetItem *it = vaSpread1->item(r, c);
      if (!it) {
        it = new QTableWidgetItem;
        if (c > 0) it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        vaSpread1->setItem(r, c, it);
      }
      if (it->text() != v.rows[r][size_t(c)]) it->setText(v.rows[r][size_t(c)]);
    }
  }
  if (v.activeRow >= 1 && v.activeRow <= vaSpread1->rowCount() &&
      vaSpread1->currentRow() != v.activeRow - 1)
    vaSpread1->setCurrentCell(v.activeRow - 1, 0);
  SetText(lblHabGum, v.habGum);
  SetText(lblRGum, v.rGum);
  SetText(lblCGum, v.cGum);
  const std::array<QLabel *, 11> cst = {lblCcdNo,   lblCcdName, lblCcdDegree, lblCcdBarcode,
                                        lblCcdTele, lblCcdHp,   lblCcdJuso,   lblCcdJuso2,
                                        lblCcdZerdo, lblCcdJumsu, lblCcdLpDate};
  for (size_t i = 0; i < cst.size(); ++i)
    if (i != 7 || v.customer[0].isEmpty()) SetText(cst[i], v.customer[i]);
  for (size_t i = 0; i < 5; ++i) SetText(lblMsg[i], v.messages[i]);

  if (v.cashShown)
    for (size_t i = 0; i < 13; ++i) SetText(cashFields[i], v.cash[i]);
  fraCash->setVisible(v.cashShown);
  if (v.cardShown) {
    for (size_t i = 0; i < 13; ++i) SetText(cardFields[i], v.card[i]);
    lblMsg22->clear();
  }
  fraCard->setVisible(v.cardShown);
  if (v.disCardShown) {
    for (size_t i = 0; i < 13; ++i) SetText(card2Fields[i], v.disCard[i]);
    lblMsg222->clear();
  }
  fraCard2->setVisible(v.disCardShown);
  if (v.moneyShown) {
    SetText(txti_Card, v.moneyCard);
    SetText(txti_Gum, v.moneyGum);
    SetText(txti_No, v.moneyNo);
    SetText(txti_Date, v.moneyDate);
    chkSaup->setChecked(v.moneySaup);
    Lab_Msg->clear();
  }
  fraMoney->setVisible(v.moneyShown);
  if (v.newSaleSeen) {
    // The voice program hears of the new sale once.
    settings_store::SaveSettings({{QStringLiteral("giSetWavStart"), QStringLiteral("1")},
                                  {QStringLiteral("giSetWavCard"), QStringLiteral("1")}});
  }
  if (source_) source_->Clear(v);
  SignPleaseFme->setVisible(v.signShown);
  SetText(lblOneMoa, v.oneMoa);
  QPalette p = lblOneMoa->palette();
  if (p.color(QPalette::WindowText) != v.oneMoaColor) {
    p.setColor(QPalette::WindowText, v.oneMoaColor);
    lblOneMoa->setPalette(p);
  }
  if (v.signShown) SignPleaseFme->raise();
}
