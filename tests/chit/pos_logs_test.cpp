#include <gtest/gtest.h>

#include "chit/pos_logs.h"
#include "core/state.h"

TEST(PosLogs, InsertStatementHasEveryColumnAndQuotesTexts) {
  orv::state::ResetProgramState();
  gtPosLogs.PlgYear = 2024;
  gtPosLogs.PlgMon = 1;
  gtPosLogs.PlgDay = 5;
  gtPosLogs.PlgDate = "20240105";
  gtPosLogs.PlgChtNo = 1234;
  gtPosLogs.PlgTime = "093000";
  gtPosLogs.PlgNo = 1;
  gtPosLogs.PlgSeq = 2;
  gtPosLogs.PlgPosNo = 3;
  gtPosLogs.PlgPsnKey = orv::Currency::Won(7);
  gtPosLogs.PlgSel = 91;
  gtPosLogs.PlgText1 = "1,O'Neil";
  gtPosLogs.PlgSetDate = "20240104";
  EXPECT_EQ(gsPosLogsInsSql(401),
            "Insert Into PosLogs0401(PlgYear, PlgMon, PlgDay, PlgDate, PlgChtNo, PlgTime, PlgNo, "
            "PlgSeq, PlgPosNo, PlgPsnKey, PlgSel, PlgText1, PlgText2, PlgText3, PlgSetDate, "
            "PlgSss1, PlgSss2, PlgSss3, PlgSss4, PlgSss5) Values(2024,1,5,'20240105',1234,"
            "'093000',1,2,3,7,91,'1,O''Neil','','','20240104',0,0,0,0,0)");
}
