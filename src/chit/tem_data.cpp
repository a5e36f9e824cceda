#include "chit/tem_data.h"

#include <array>

#include "chit/field_list.h"
#include "core/state.h"

TemDataRec gtTemData;

namespace {
using F = orv::chit::FieldOf<TemDataRec>;
#define ORV_FIELD_ENTRY(type, name) F{#name, &TemDataRec::name},
const F kFields[] = {ORV_TEM_DATA_FIELDS(ORV_FIELD_ENTRY)};
#undef ORV_FIELD_ENTRY
}  // namespace

void ClearTemDataRecord() { gtTemData = TemDataRec{}; }
static const bool kResetRegistered = orv::state::RegisterReset(&ClearTemDataRecord);

void ReadTemDataRecord(const orv::db::Recordset &rs) {
  orv::chit::ReadFields<TemDataRec>(rs, gtTemData, kFields);
}

int TemDataFieldCount() { return int(std::size(kFields)); }
std::span<const orv::chit::FieldOf<TemDataRec>> TemDataFields() { return kFields; }
