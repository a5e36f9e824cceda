#include <gtest/gtest.h>

#include "closing/closing_card_names.h"
#include "core/pos_settings.h"

using namespace orv::closing;

namespace {

TEST(ClosingCardComName, ExactCodeUnderTheNetworkInForce) {
  struct Case {
    int van;
    const char *code;
    const char *name;
  } cases[] = {
      {1, "0026", "비씨카드"},    {10, "0026", ""},          // same code, other network
      {5, "7700", "제로페이"},    {10, "7700", "제로페이"},  {4, "7700", ""},
      {2, "0122", "한빛은행"},    {2, "0124", "한빛은행"},    // one name at two codes
      {0, "3002", "캐쉬백"},      {4, "0076", "제로페이"},    {7, "0020", "KT월드패스"},
      {9, "0039", "신세계(한미)"}, {10, "0008", "해외카드(비자,마스터)"},
      {3, "0100", ""},            {6, "0001", ""},           {8, "0001", ""},  {11, "0001", ""},
      {0, "01  ", ""},            {0, "01000", ""},          {0, "100", ""},   {1, "0000", ""},
      {0, "", ""},
  };
  for (const Case &c : cases)
    EXPECT_EQ(ClosingCardComName(c.van, QString::fromUtf8(c.code)), QString::fromUtf8(c.name))
        << "network " << c.van << " code '" << c.code << "'";
}

TEST(ClosingCardComName, ReadsTheNetworkWhenItPrints) {
  const int16_t kept = giSetVan;
  giSetVan = 4;
  EXPECT_EQ(GetClosingCardComName("0001"), "비씨");
  giSetVan = 10;
  EXPECT_EQ(GetClosingCardComName("0001"), "비씨카드");
  giSetVan = kept;
}

}  // namespace
