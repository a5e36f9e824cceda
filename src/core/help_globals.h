#pragma once
// Program-wide values of the lookup dialogs: what an opener hands a dialog, the re-entry
// guard, and what the dialog hands back. Also the sale screen's values the lookups read.
#include <QString>
#include <QVariantList>
#include <cstdint>

#include "core/currency.h"

// Inputs.
extern int16_t giHelpMode;
extern int16_t giHelpSubMode;
extern QString gsHelpStart;
extern orv::Currency gcHelpTrsKey;
extern orv::Currency gcHelpPsnKey;
extern int16_t giHelpEcdIO;
// The customer search handed to frmCust: a statement (table chosen, no ORDER BY) and the
// values bound to its '?' marks, in order. Empty: the dialog builds its own.
extern QString gsCstFindSql;
extern QVariantList gvCstFindArgs;

// 1 from an opener's decision to show a dialog until that dialog loads.
extern int16_t giHelpOpen;

// Results.
extern int16_t giHelpRet;  // 0 nothing taken, 1 one row, 2 the selected goods
extern orv::Currency gcHelpKey;
extern orv::Currency gcHelpNo;
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
extern QString gsCstHelpNo;

// The name left by the last key-to-name reader.
extern QString gsCdName;

// The on-screen keyboard's result.
extern int16_t giKeyPadOk;
extern QString gsKeyPadText;

// Values of the sale screen that the lookups read or set.
extern orv::Currency gcTcdKey;  // the sale's trade partner, 0 none
extern int32_t glGaSel;         // the sale's price tier 0..7
extern int16_t giPosProgram;    // 1 once the sale screen has loaded

namespace orv::state {
void ResetHelpGlobals();
}
