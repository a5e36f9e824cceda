#pragma once
// Every wait of the card layer for an agent, a terminal or a pad: a local event loop that
// runs timers and device events but no keyboard or mouse input, so the screens under the
// card dialog take nothing while it waits.
#include <functional>

namespace orv::van {

// The limits of the waits, in milliseconds. Tests make them tiny.
struct VanTimeouts {
  int connectMs = 5000;   // connecting to an agent, starting it, a short call
  int replyMs = 60000;    // an approval's reply (KIS, NICE, First Data, KICC)
  int smartroMs = 30000;  // SMARTRO's reply
  int padMs = 60000;      // the sign pad
  int pauseMs = 2000;     // the fixed pauses before some requests
};
VanTimeouts &Timeouts();

// Runs pending events until done() holds or timeoutMs passed. True when done() held.
bool WaitUntil(const std::function<bool()> &done, int timeoutMs);
// Lets events run for ms (0: once).
void Pause(int ms);

}  // namespace orv::van
