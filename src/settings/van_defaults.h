#pragma once
// What each card network's settings default to: the agent address and port that "IP,Port"
// fills in, and the server address the short settings screen writes for a network.
#include <QString>
#include <cstdint>

namespace orv::settings {

struct VanDefaults {
  int van;
  const char *danNo;  // "IP,Port": nullptr leaves the box unchanged
  const char *ip;
  const char *port;
  const char *server;  // the network's server address (its local agent here)
};

// The row of the network, or nullptr for a network with no defaults ("?").
const VanDefaults *VanDefaultsOf(int16_t van);
// The server address of the network ("" when it has none).
QString VanServerAddress(int16_t van);

}  // namespace orv::settings
