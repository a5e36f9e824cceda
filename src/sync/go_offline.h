#pragma once
// Switching to offline work when the main database or the point server stops answering.
#include <QString>
#include <functional>

#include "core/currency.h"

// What the sale screen shows of the switch: a caption and its text colour (&HBBGGRR).
using OfflineLabelHook = std::function<void(const QString &caption, long bgr)>;
// The sale screen's line-state label (lblLine) and point-server label (TotPointLbl); an
// empty hook shows nothing. Return the previous hook.
OfflineLabelHook SetLineLabelHook(OfflineLabelHook hook);
OfflineLabelHook SetPointLabelHook(OfflineLabelHook hook);

// The row count of ComCode through the working connection (the point-server connection),
// or -1 when it cannot be read. The statement alone runs under a short limit, so a server
// gone silent counts as failed within a few seconds.
orv::Currency ProbeMainDb();
orv::Currency ProbeTsDb();
inline constexpr int kProbeLimitMs = 3000;
// Tests shorten the limit; returns the one before. Reset with the program state.
int SetProbeLimitMs(int ms);

// Online: probes the working connection; when it fails, warns, reopens the working
// connection on the POS database, marks the screen offline, giOnLine 2 and the work
// month's tables. Offline it does nothing. When the POS database cannot be opened either,
// the program ends (EndProgramNow) after the connection's error box.
void GoOffline();
// Point server connected (giCstTsMode 2): probes it; when it fails, warns (sound and box)
// and switches as SwitchTsOffline.
void GoTsOffline();
// The quiet switch: the point label reads offline, the customer download is disabled and
// giCstTsMode is 1, so customers come from the local copy and member chits are queued.
// No sound, no box; goDbTs stays as it is.
void SwitchTsOffline();

inline constexpr long kOfflineLineColor = 0x008080FF;
inline constexpr long kOfflinePointColor = 0x000080FF;
