#pragma once
// The coin changer. The device comes with the checkout work; opening it is not checked.
namespace orv::coin {
int CoinOpen(int port);
}
using orv::coin::CoinOpen;
