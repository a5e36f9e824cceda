#pragma once
// Everything a login needs of the schema.
#include <QString>

#include "schema/check_tables.h"
#include "schema/month_tables.h"

// Every base table and this month's tables, where missing (the login's check).
void CheckTodaysTables();
// Opens the working and the POS connection on one database and makes its tables there;
// the connections stay open for the caller to close.
void CreateSchemaOn(const QString &connectionText);
