#pragma once
// The card companies of each card network by the network's issuer code: fixed data of the
// program, in the order the networks list them.
#include <QString>
#include <cstdint>
#include <span>

namespace orv::van {

struct IssuerCode {
  int code;
  const char *name;  // UTF-8
};

// The list of a network (the value of giSetVan): 1 KICC, 4 First Data, 5 SMARTRO, 9 NICE,
// 10 KIS. Empty for every other value.
std::span<const IssuerCode> IssuerCodes(int16_t van);

// The four-digit code as the cashier types it ("0006").
QString IssuerCodeText(const IssuerCode &row);

// The company of a typed code in the network's list: an exact match of the whole text, so
// "6" or "06" finds nothing. Empty for an unknown code or a network without a list.
QString CardComName(int16_t van, const QString &code);

// The network's list for the code prompt: "code name" entries two to a line, the first
// padded to 22 code-page bytes and the second to 26, each line ended by CR LF; an odd last
// entry alone padded to 48. Empty for a network without a list.
QString IssuerCodePrompt(int16_t van);

}  // namespace orv::van

// The company of a code in the list of the card network in use (giSetVan).
QString GetCardComName(const QString &code);

namespace orv::van {

}  // namespace orv::van
