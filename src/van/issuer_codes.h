#pragma once
// The card companies of each card network by the network's issuer code: fixed data of the
// program, in the order the networks list them.
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

}  // namespace orv::van
