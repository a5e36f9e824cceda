#pragma once
// The closing reset's work without the screen: the summary record from the figures and the
// one POS transaction that closes the cashier's day.
#include <functional>
#include <optional>

#include "closing/closing_figures.h"
#include "sync/basSync.h"

namespace orv::closing {

// gtTemData from the figures (the clock's date, number 1, unsent); the rest as
// ClearTemDataRecord left it. std::overflow_error when a figure leaves its field.
void FillTemDataRecord(const ClosingFigures &f);

// The event row of the reset (kind 7 per dropped held chit, kind 8 for the reset) on goDbPos,
// under 8000 + the held chit in gtWatChit; its key is added to keys.
void AddTerminateLog(int32_t number, int16_t kind, const QString &text1, const QString &text2,
                     const QString &text3, ClosingRowKeys &keys);

// In one goDbPos transaction: the InitGum row deleted, the cashier's chits of the flagged
// months closed, the closing row of InitGumLog, the open deposits closed, the held chits of
// this POS and cashier dropped with their kind-7 rows, the kind-8 row, and the summary in
// the POS TemData (unsent). The keys of the unsent rows when it committed; on any failure
// everything is rolled back, "저장실패" is shown and nothing comes back.
std::optional<ClosingRowKeys> CloseCashierChits(const ClosingFigures &f, const ClosingContext &ctx);

// Tests: called at each named step inside the transaction ("InitGum", "Chits", "Log",
// "Deposits", "Held", "Kind8", "Summary", "Commit"); a throw fails the reset there.
using ResetStepHook = std::function<void(const char *step)>;
ResetStepHook SetResetStepHook(ResetStepHook hook);

}  // namespace orv::closing
