#pragma once
// The cheque inquiry's requests, one per network, built from the dialog's fields.
#include <QList>
#include <QPair>
#include <QString>
#include <cstdint>

class QWidget;
class SmtReplyState;

struct SupyoInput {
  QString suNo;     // cheque number (serial, bank, branch), trimmed
  QString balDate;  // issue date yymmdd, trimmed
  QString gNo;      // account number, trimmed
  QString suGum;    // a personal cheque's amount as shown (with separators), trimmed
  QString jumin13;  // the drawer's resident number, trimmed
  bool personal = false;  // 가계수표
  int denomination = 0;   // 0 10만원, 1 30만원, 2 50만원, 3 100만원
  QWidget *owner = nullptr;
  SmtReplyState *smt = nullptr;  // the dialog's SMARTRO terminal and its reply
};

// The chosen button's code ("13" to "16") and amount text.
QString SupyoDenomCode(int denomination);
QString SupyoDenomAmount(int denomination);

QString KiccSupyoRequest(const SupyoInput &in);
QList<QPair<int, QString>> KisSupyoMembers(const SupyoInput &in);
QList<QPair<int, QString>> SmtSupyoFields(const SupyoInput &in);
QString NiceSupyoRequest(const SupyoInput &in);

// What an inquiry shows: the response text box, and whether the refusal message follows.
struct SupyoAnswer {
  bool sent = false;      // a network branch ran
  bool setMsg = false;    // lblMsg2 takes msg
  QString msg;
  bool refused = false;   // "* 수표조회가 정상처리 되지 않았습니다 !" follows
  bool inWindow = false;  // shown in the card forms' message window (KICC)
};
// The branch of each network; null for a value without one.
using SupyoBranch = SupyoAnswer (*)(const SupyoInput &in);
SupyoBranch SupyoBranchOf(int16_t van);
SupyoAnswer SupyoSmt(const SupyoInput &in);
SupyoAnswer SupyoKicc(const SupyoInput &in);
SupyoAnswer SupyoKis(const SupyoInput &in);
SupyoAnswer SupyoNice(const SupyoInput &in);
