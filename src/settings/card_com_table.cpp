#include "settings/card_com_table.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "core/application.h"
#include "core/connections.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/wait_cursor.h"
#include "settings/frmConfig.h"
#include "settings/frmSetup.h"
#include "settings/setup_parts.h"

namespace orv::settings {

namespace {

using van::IssuerCode;

constexpr IssuerCode kNetwork2[] = {
    {100, "비씨카드사"},
    {103, "기업은행"},
    {106, "국민은행"},
    {111, "농협중앙회"},
    {121, "조흥은행"},
    {122, "우리은행"},
    {123, "제일은행"},
    {124, "우리은행"},
    {125, "하나은행"},
    {131, "대구은행"},
    {132, "부산은행"},
    {133, "하나은행"},
    {136, "한미은행"},
    {139, "경남은행"},
    {204, "국민은행"},
    {207, "수협중앙회"},
    {216, "농협중앙회"},
    {227, "한미은행"},
    {281, "하나은행"},
    {283, "우리은행"},
    {305, "외환은행"},
    {326, "신한카드"},
    {329, "국민은행"},
    {334, "광주은행"},
    {335, "제주은행"},
    {337, "전북은행"},
    {338, "조흥은행"},
    {400, "삼성카드"},
    {500, "LG카드"},
    {600, "JCB카드"},
    {700, "현대카드"},
    {800, "롯데카드"},
    {900, "VISA카드"},
    {1000, "MASTER카드"},
    {1100, "현대카드"},
    {1200, "SK카드"},
    {1300, "롯데카드"},
    {1400, "오일뱅크(보너스)"},
    {1500, "오일벵크(자사)"},
    {1600, "롯데백화점"},
    {1700, "현대백화점"},
    {2300, "월드패스카드"},
    {2626, "산한은행(관광카드)"},
    {3200, "에쓰오일(보너스)"},
    {4100, "한국통신프리텔"},
    {5001, "더블적립카드"},
    {5002, "신보람카드"},
    {5100, "SK(캐쉬백)"},
    {8900, "LG카드(보너스)"},
    {9999, "기타"},
};

}  // namespace

std::span<const IssuerCode> CardComList(int16_t van) {
  if (van == 2) return kNetwork2;
  return van::IssuerCodes(van);
}

int64_t FirstCardComKey(const QDateTime &now) {
  return now.toString(QStringLiteral("yyMMddHHmm")).toLongLong();
}

int64_t FreeCardComKey(db::Connection &conn, const QDateTime &now) {
  const int64_t day = now.toString(QStringLiteral("yyMMdd")).toLongLong();
  int64_t h = now.time().hour() * 100 + now.time().minute();
  db::Statement probe = conn.Prepare(QStringLiteral("Select EcdKey From ExtCode Where EcdKey=?"));
  for (;; ++h) {
    const int64_t key = day * 10000 + h;
    probe.Bind(0, qlonglong(key));
    if (probe.Query().RecordCount() == 0) return key;
  }
}

void InsertCardCom(db::Statement &insert, int64_t key, int64_t code, const QString &name) {
  const QDateTime now = clock::Now();
  insert.Bind(0, qlonglong(key));
  insert.Bind(1, qlonglong(code));
  insert.Bind(2, name);
  insert.Bind(3, now.toString(QStringLiteral("yyyyMMdd")));
  insert.Bind(4, now.toString(QStringLiteral("HHmmss")));
  insert.Execute();
}

int MakeCardComTable(db::Connection &conn, int16_t van, int64_t firstKey) {
  const std::span<const IssuerCode> list = CardComList(van);
  if (list.empty()) return 0;
  db::Transaction tx(conn);
  conn.Execute(QStringLiteral("Delete From ExtCode Where EcdIO=401"));
  db::Statement insert = conn.Prepare(QStringLiteral(
      "Insert Into ExtCode(EcdKey, EcdIO, EcdNo, EcdName, EcdJata, EcdWrtdate, EcdWrtTime)"
      " Values(?, 401, ?, ?, 0, ?, ?)"));
  int64_t key = firstKey;
  for (const IssuerCode &row : list) InsertCardCom(insert, key++, row.code, QString::fromUtf8(row.name));
  tx.Commit();
  return int(list.size());
}

}  // namespace orv::settings

// ---------------------------------------------------------------- the two screens' buttons

using namespace orv;

void frmSetup::OpenMainDb() {
  const QString server = ResolveServerHost(txtMainServer->text().trimmed(), 0);
  mainDb_.Open(settings::BoxConnectionText(cboMainDriver->currentText(), server,
                                           txtMainUID->text(), txtMainPWD->text(),
                                           txtMainDB->text()),
               settings::kMainDbTimeoutSeconds);
}

void frmSetup::CloseMainDb() { mainDb_.Close(); }

void frmSetup::CardTableCmd_Click() {
  if (!dialogs::AskYesNo(QStringLiteral("* 카드사 테이블을 만들까요 ?"), QStringLiteral("카드정보")))
    return;
  std::optional<db::DbError> failed;
  {
    WaitCursor wait;
    settings::ButtonBusy busy(CardTableCmd);
    try {
      OpenMainDb();
      settings::MakeCardComTable(mainDb_, giSetVan, settings::FirstCardComKey(clock::Now()));
    } catch (const db::DbError &e) {
      failed = e;
    }
    CloseMainDb();
  }
  if (failed) ShowDbError(*failed);
}

void frmConfig::Command2_Click() {
  if (!mainDb_.IsOpen()) {
    dialogs::Critical(mainDbError_, QStringLiteral("카드정보"));
    return;
  }
  try {
    WaitCursor wait;
    const int64_t first = settings::FreeCardComKey(mainDb_, clock::Now());
    settings::MakeCardComTable(mainDb_, giSetVan, first);
  } catch (const db::DbError &e) {
    dialogs::Critical(ErrorBoxText(e.Number, e.Description), QStringLiteral("카드정보"));
  }
}
