#pragma once
// Program-wide values of the lookup dialogs: the re-entry guard, what an opener hands a
// dialog and what it hands back.
#include <QString>
#include <QVariantList>
#include <cstdint>

#include "core/currency.h"
#include "core/globals.h"  // giSupTrsNo, gsCdName, giHelpRet

extern int16_t giHelpOpen;  // 1 while a lookup is open

// Inputs.
extern int16_t giHelpMode;
extern int16_t giHelpSubMode;
extern QString gsHelpStart;
extern orv::Currency gcHelpPsnKey;
extern orv::Currency gcHelpNo;
extern orv::Currency gcHelpKey;
extern orv::Currency gcHelpTrsKey;
extern int16_t giHelpEcdIO;
extern QString gsCstFindSql;  // customer statement handed to the customer chooser
// The values bound to the '?' marks of gsCstFindSql, the customer search handed to frmCust
// (a statement with its table chosen, no ORDER BY).
extern QVariantList gvCstFindArgs;

// Results.
extern QString gsCstHelpNo;   // customer number the chooser returns
extern int16_t giHelpNo1;
extern int16_t giHelpNo2;
extern int16_t giHelpNo3;
extern QString gsHelpGdsBar;
extern QString gsHelpTrsPrice;
extern QString gsHelpCstBar;
inline QString &gsHelpCstName = gsHelpCstBar;  // the customer dialog's other name for it
extern QString gsHelpKeys;
extern QString gsHelpNos;

// The jump-to box.
extern int16_t giDirectGoRet;
extern QString gsDirectGoText;
extern orv::Currency gcDirectGoNo;
extern orv::Currency gcDirectGoCode;

// The goods pop-up and the touch lookups.
extern int16_t giGdsHelpRet;
extern QString gsGdsHelpCode;
extern int16_t giTrsHelpPrice;
extern QString gsGdsHelpText;

// The on-screen keyboard's result.
extern int16_t giKeyPadOk;
extern QString gsKeyPadText;

namespace orv::state {
void ResetHelpGlobals();
}
