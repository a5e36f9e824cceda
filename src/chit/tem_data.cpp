#include "chit/tem_data.h"

#include <array>

#include "chit/field_list.h"

TemDataRec gtTemData;

namespace {
using F = orv::chit::FieldOf<TemDataRec>;
#define ORV_FIELD_ENTRY(type, name) F{#name, &TemDataRec::name},
const F kFields[] = {ORV_TEM_DATA_FIELDS(ORV_FIELD_ENTRY)};
#undef ORV_FIELD_ENTRY
}  // namespace

void ClearTemDataRecord() { gtTemData = TemDataRec{}; }

void ReadTemDataRecord(const orv::db::Recordset &rs) {
  orv::chit::ReadFields<TemDataRec>(rs, gtTemData, kFields);
}

int TemDataFieldCount() { return int(std::size(kFields)); }
