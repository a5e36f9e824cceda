// The work date of the sale screen and its clock.
#include <QDateEdit>
#include <QLabel>
#include <QTimer>

#include "core/dates.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "core/values.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "sale/frmMain.h"
#include "sale/sale_text.h"
#include "schema/month_tables.h"
#include "sync/go_offline.h"
#include "customer/pos_server.h"

using namespace orv;

void frmMain::SetWorkDateToday() {
  const QDate today = clock::Now().date();
  settingDate_ = true;
  dtpWrkDate->setDate(today);
  settingDate_ = false;
  const QDate d = dtpWrkDate->date();
  giWrkYear = int16_t(d.year());
  giWrkMonth = int16_t(d.month());
  giWrkDay = int16_t(d.day());
}

void frmMain::cmdDateSet_Click() {
  GoOffline();
  // The work date cannot change in the middle of a sale.
  if (HasGoodsLines()) return;
  dtpWrkDate->setEnabled(true);
  dtpWrkDate->setFocus();
}

void frmMain::dtpWrkDate_LostFocus() { dtpWrkDate->setEnabled(false); }

void frmMain::dtpWrkDate_Change() {
  const QDate d = dtpWrkDate->date();
  giWrkYear = int16_t(d.year());
  giWrkMonth = int16_t(d.month());
  giWrkDay = int16_t(d.day());
  const WorkDateBounds bounds = WorkDateBoundsFor(clock::Now().date());
  if (!bounds.Contains(YmdNumber(d))) {
    dialogs::Info(QStringLiteral("기간설정이 범위를 벗어날수 없습니다.\r\n일자 조정만 가능합니다."),
                  QStringLiteral("일자설정오류!!"));
    SetWorkDateToday();
  } else {
    CreateMonthTables(YyMmNum(giWrkYear, giWrkMonth));
    if (giCstTsMode == 2) CreateTsTables(YyMmNum(giWrkYear, giWrkMonth));
  }
  giWrkDateChanged = 1;
}

void frmMain::Timer1_Timer() {
  const QDateTime now = clock::Now();
  lblNow->setText(now.toString(QStringLiteral("yyyy-MM-dd")));
  lblTime->setText(now.toString(QStringLiteral("HH:mm:ss")));
}
