#pragma once
// The schema check at login and after the code copy drops its tables: every missing base
// table is made on the POS connection, and the closing summary on both connections.
#include <cstdint>

// Probes the 68 base tables on goDbPos in their fixed order and makes each missing one
// with its keys; then TemData on goDbMain and on goDbPos. Errors go to the caller as
// DbError; the tables made before stay.
void CheckDBTables();

// onPos 0: the working connection goDbMain; any other value: the POS connection goDbPos.
int16_t ExistsTemDataTable(int16_t onPos);
void CreateTemDataTable(int16_t onPos);
