#pragma once
// A member sale as the saver leaves it: the chit records and the prepared copies of point
// server rows (member 7, shop giSupTrsNo, 12,000 won). Shared by the customer tests and
// customer_bench.
#include <QString>
#include <cstdint>

#include "chit/records.h"
#include "chit/ts_records.h"
#include "core/globals.h"

namespace customertest {

inline void PrepareMemberChit(int32_t no, const QString &cmit = "T1") {
  PanChitTsRec &h = gtPanChitTs;
  h = {};
  h.PctYear = 2024;
  h.PctMon = 3;
  h.PctDay = 15;
  h.PctDate = "20240315";
  h.PctComNo = giSupTrsNo;
  h.PctChtNo = no;
  h.PctPosNo = 3;
  h.PctPsnKey = orv::Currency::Won(5);
  h.PctHab = orv::Currency::Won(12000);
  h.PctCstKey = orv::Currency::Won(7);
  h.PctCmitNo = cmit;
  h.PctPsnName = "김 '판매'";
  h.PctSss4 = -3;
  PanListTsRec &l = gtPanListTs;
  l = {};
  l.PclYear = 2024;
  l.PclMon = 3;
  l.PclDay = 15;
  l.PclDate = "20240315";
  l.PclComNo = giSupTrsNo;
  l.PclChtNo = no;
  l.PclPosNo = 3;
  l.PclPsnKey = orv::Currency::Won(5);
  l.PclGum06 = orv::Currency::Won(12000);
  gtCstCodeTs = {};
  gtCstCodeTs.CcdKey = orv::Currency::Won(7);
  gtCstCodeTs.CcdLpdate = "20240315";
  gtCstCodeTs.CcdTcnt = orv::Currency::Won(2);
  gtCstCodeTs.CcdJumsu = orv::Currency::Won(22);
  gtCstCode.CcdKey = orv::Currency::Won(7);
}

}  // namespace customertest
