#pragma once
// A sale in the chit records, as the payment screen hands it to the savers.
#include <QString>

#include "chit/etc_chits.h"
#include "chit/records.h"
#include "core/globals.h"
#include "platform/db.h"

namespace chittest {

inline void FillSale(int lines, const QString &tag = "T1", int64_t firstKey = 1000) {
  ClearPanChitRecord();
  ClearPanGodsRecords();
  ClearPanListRecord();
  ClearPanCardRecords();
  PanChitRec &h = gtPanChit;
  h.PctYear = 2024;
  h.PctMon = 3;
  h.PctDay = 15;
  h.PctDate = "20240315";
  h.PctPosNo = 3;
  h.PctPsnKey = orv::Currency::Won(5);
  h.PctHab = orv::Currency::Won(1500 * lines);
  h.PctMoney = orv::Currency::Won(1500 * lines);
  h.PctCmitNo = tag;  // tells the tests' sales apart
  h.PctWrtdate = "20240315";
  h.PctWrttime = "140520";
  h.PctCDGubun = "00";
  PanListRec &l = gtPanList;
  l.PclYear = 2024;
  l.PclMon = 3;
  l.PclDay = 15;
  l.PclDate = "20240315";
  l.PclPosNo = 3;
  l.PclPsnKey = orv::Currency::Won(5);
  for (int i = 1; i <= lines; ++i) {
    PanGodsLine &g = gtPanGods[i];
    g.PcgYear = 2024;
    g.PcgMon = 3;
    g.PcgDay = 15;
    g.PcgDate = "20240315";
    g.PcgSeqNo = i;
    g.PcgGdsKey = *orv::Currency::FromWhole(firstKey + i);
    g.PcgSu = orv::Currency::Won(1);
    g.PcgDanga = orv::Currency::Won(1500);
    g.PcgGum = orv::Currency::Won(1500);
  }
}

inline void SetOption(const QString &key, int value) {
  goDbMain.Execute("Delete From OrvRegistry Where RegKey=" + orv::db::SqlText(key));
  goDbMain.Execute("Insert Into OrvRegistry(RegKey, RegInt) Values(" + orv::db::SqlText(key) +
                   "," + QString::number(value) + ")");
}

}  // namespace chittest
