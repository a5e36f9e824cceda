#pragma once
// The member's chit for the shared point server, written after the sale is committed: to
// the point server, or to the POS database's queue (PanChitOn/PanListOn online,
// PanChitOff/PanListOff offline) that the data exchange forwards later. The copy comes from
// gtPanChitTs, gtPanListTs and gtCstCodeTs, which the saver prepared.
//
// replace 1: the sale is saved under the number of an earlier chit it replaces, whose rows
// go first.
#include <cstdint>

// What the checkout calls for a sale with a customer (key not 0): by giCstTsMode and
// giOnLine, the queue or the point server; nothing for no customer or state 0. Errors go to
// the caller as DbError once the chit is as safe as it can be (see WriteCstChitTs).
void WriteCstChit(int16_t replace);

// State 2, online. The chit never gets lost: (1) it is queued in PanChitOn and committed;
// (2) the point server's month rows and the customer's totals are written in one
// transaction; (3) the queue rows go. When (2) fails it is rolled back, the chit stays
// queued, the point server is switched off (SwitchTsOffline) and the error goes on. When
// (3) fails the chit is in both places, equal; the forwarder drops such a row, so the
// failure is only logged. The probe of the point server (GoTsOffline) runs after (1).
void WriteCstChitTs(int16_t replace);
// One POS transaction each; a failure rolls it back and goes to the caller.
void WriteCstChitOn(int16_t replace);
void WriteCstChitOff(int16_t replace);

// Test hook: called with a step name of WriteCstChitTs as it is reached: "queued" (the
// queue row committed), "ts-commit" (the point server's rows written, before its commit),
// "ts-committed", "dequeued". Empty: none.
#include <functional>
void SetCstChitStepHook(std::function<void(const char *step)> hook);
