#include "checkout/pay_out.h"

#include <exception>

#include "checkout/pay_calc.h"
#include "chit/records.h"
#include "core/options.h"
#include "core/pos_settings.h"
#include "platform/coin_changer.h"
#include "platform/dialogs.h"
#include "chit/sale_state.h"

void PayOutCoins(const QString &change) {
  try {
    if (giCoinOn == 0 || change.isEmpty() || giSetPos == 0 || giSetCoin != 2) return;
    // The pay-out reads the option as a whole number (elsewhere it is read as text).
    const bool pointRule = !gtCstCode.CcdKey.IsZero() && GetRegInt("PosBnsMoneyPoint") != 0;
    const auto amount = orv::checkout::CoinPayoutAmount(change, pointRule);
    if (!amount) return;
    int16_t status = CoinOut(*amount);
    for (int retry = 0; status == -1 && retry < 10; ++retry) status = CoinOut(*amount);
    if (status == -1) return;
    if (status == -2)
      orv::dialogs::Plain(QStringLiteral("입력금액 Error"));
    else if (status > 0)
      orv::dialogs::Plain(QStringLiteral("인출 부족 금액"));
  } catch (const std::exception &e) {
    orv::dialogs::Plain(QString::fromUtf8(e.what()));
  }
}
