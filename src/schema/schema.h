#pragma once
// Everything a login needs of the schema.
#include "schema/check_tables.h"
#include "schema/month_tables.h"
