#pragma once
// The coin part of a change, paid out by the coin changer.
#include <QString>

// Pays the tens and hundreds of the change text ("1,234") out when the changer is on
// (giCoinOn, giSetPos, giSetCoin 2); a busy changer is asked again up to ten more times.
// Shows a box for a refused amount or a shortage; never throws.
void PayOutCoins(const QString &change);
