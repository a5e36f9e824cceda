#include "closing/frmSelPrint.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "core/daily_log.h"
#include "core/helpers.h"
#include "core/values.h"
#include "platform/colors.h"
#include "platform/settings_store.h"

using orv::colors::FromBgr;

namespace {

QRect Twips(int left, int top, int width, int height) {
  return QRect(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
               height / kTwipsPerPixel);
}

QString SalePrnKey(int n) { return QStringLiteral("PosSalePrn%1").arg(n); }

void SetColors(QWidget *w, const QColor &back, const QColor &fore) {
  QPalette p = w->palette();
  if (back.isValid()) {
    p.setColor(QPalette::Window, back);
    w->setAutoFillBackground(true);
  }
  if (fore.isValid()) p.setColor(QPalette::WindowText, fore);
  w->setPalette(p);
}

}  // namespace

namespace orv::closing {
bool SalePrnTicked(int n) {
  return NzCur(orv::settings_store::GetSetting(SalePrnKey(n))).RoundToInt() == 1;
}
}  // namespace orv::closing

frmSelPrint::frmSelPrint(QWidget *parent) : QDialog(parent) {
  setObjectName("frmSelPrint");
  setWindowTitle(QStringLiteral("출력조건 선택"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(4200 / kTwipsPerPixel, 3630 / kTwipsPerPixel);
  SetColors(this, FromBgr(0xFFFFC0), QColor());
  QFont font(QStringLiteral("굴림체"));
  font.setBold(true);
  setFont(font);

  Label1 = new QLabel(QStringLiteral("* 출력옵션을 선택하세요 *"), this);
  Label1->setObjectName("Label1");
  Label1->setGeometry(Twips(60, 60, 4065, 405));
  Label1->setAlignment(Qt::AlignCenter);
  SetColors(Label1, FromBgr(0x80C0FF), QColor());

  Frame1 = new QGroupBox(QStringLiteral("판매내역"), this);
  Frame1->setObjectName("Frame1");
  Frame1->setGeometry(Twips(60, 540, 2115, 1905));
  Frame2 = new QGroupBox(QStringLiteral("카드내역"), this);
  Frame2->setObjectName("Frame2");
  Frame2->setGeometry(Twips(2220, 540, 1905, 1905));

  auto box = [this](const char *name, const QString &caption, QWidget *owner, QRect at) {
    auto *b = new QCheckBox(caption, owner);
    b->setObjectName(name);
    b->setGeometry(at);
    return b;
  };
  prt1Chk = box("prt1Chk", QStringLiteral("매입처 매출"), Frame1, Twips(180, 330, 1815, 315));
  prt2Chk = box("prt2Chk", QStringLiteral("부문1  매출"), Frame1, Twips(180, 600, 1815, 315));
  prt3Chk = box("prt3Chk", QStringLiteral("부문2  매출"), Frame1, Twips(180, 900, 1815, 315));
  prt4Chk = box("prt4Chk", QStringLiteral("부문3  매출"), Frame1, Twips(180, 1200, 1815, 315));
  prt5Chk = box("prt5Chk", QStringLiteral("반 품 내 역"), Frame1, Twips(180, 1500, 1815, 315));
  SetColors(prt5Chk, QColor(), QColor(Qt::red));
  prt6Chk = box("prt6Chk", QStringLiteral("간단"), Frame2, Twips(150, 360, 975, 315));
  prt7Chk = box("prt7Chk", QStringLiteral("상세"), Frame2, Twips(150, 690, 975, 315));
  prt8Chk = box("prt8Chk", QStringLiteral("브라모마트 폼 사용"), this, Twips(90, 2520, 4035, 255));
  prt9Chk = box("prt9Chk", QStringLiteral("현금계산(잔돈계산연동) 출력"), this,
                Twips(90, 2820, 4035, 255));

  Label2 = new QLabel(QStringLiteral("CC실행후 출력하세요. "), this);
  Label2->setObjectName("Label2");
  Label2->setGeometry(Twips(60, 3180, 2925, 345));
  SetColors(Label2, QColor(Qt::black), QColor(Qt::yellow));

  cmdPrint = new QPushButton(QStringLiteral("출력"), this);
  cmdPrint->setObjectName("cmdPrint");
  cmdPrint->setGeometry(Twips(3060, 3150, 1065, 405));
  cmdPrint->setAutoDefault(false);

  // Tab order as the form lays it out: the two frames' boxes, the print button, then the
  // returns box, the notice and the two boxes below.
  QWidget *order[] = {prt1Chk, prt2Chk, prt3Chk, prt4Chk, prt6Chk, prt7Chk,
                      cmdPrint, prt5Chk, prt8Chk, prt9Chk};
  for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

  for (int n = 1; n <= 9; ++n) {
    connect(Box(n), &QCheckBox::toggled, this, [this, n](bool on) {
      if (mbLoading) return;
      orv::settings_store::SaveSetting(SalePrnKey(n), on ? "1" : "0");
    });
  }
  connect(cmdPrint, &QPushButton::clicked, this, &frmSelPrint::cmdPrint_Click);
  Form_Load();
}

QCheckBox *frmSelPrint::Box(int n) const {
  QCheckBox *boxes[] = {prt1Chk, prt2Chk, prt3Chk, prt4Chk, prt5Chk,
                        prt6Chk, prt7Chk, prt8Chk, prt9Chk};
  return boxes[n - 1];
}

void frmSelPrint::Form_Load() {
  // Loading only shows the keys; it must not rewrite a hand-edited value.
  mbLoading = true;
  for (int n = 1; n <= 9; ++n) Box(n)->setChecked(orv::closing::SalePrnTicked(n));
  mbLoading = false;
  prt1Chk->setFocus();
}

void frmSelPrint::cmdPrint_Click() {
  orv::settings_store::SaveSetting("PosSalePrnOK", "1");
  WriteLog(13, QString());
  accept();
}
