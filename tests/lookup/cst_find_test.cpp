// The customer search typed into the customer box, run on both engines.
#include <gtest/gtest.h>

#include <set>

#include "core/values.h"
#include "platform/db.h"
#include "lookup/cst_find.h"
#include "schema/tables.h"
#include "test_support.h"

using namespace orv;

namespace {

class CstFind : public orvtest::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    if (IsSkipped()) return;
    db_.Open(NewDatabase());
    schema::CreateTable(db_, "CstCode");
    schema::CreateTable(db_, "CstCodeTs");
    const char *rows[] = {
        // 1 and 2 share a card barcode.
        "Insert Into CstCode(CcdKey, CcdNo, CcdName, CcdBarcode, CcdTel, CcdHp, CcdEMail, CcdSss5) "
        "Values(1, 123, 'Kim Min', '8809999000011', '02-555-1678', '010-1234-5678', 'Kim@Mail.com', 0)",
        "Insert Into CstCode(CcdKey, CcdNo, CcdName, CcdBarcode, CcdTel, CcdHp, CcdEMail, CcdSss5) "
        "Values(2, 124, '이 영희', '8809999000011', '031-678-0000', '010-9999-0000', 'lee@mail.com', 1)",
        "Insert Into CstCode(CcdKey, CcdNo, CcdName, CcdBarcode, CcdTel, CcdHp) "
        "Values(3, 125, '50%_off!', '1111', '02-000-1111', '010-2222-0000')",
        "Insert Into CstCodeTs(CcdKey, CcdNo, CcdName) Values(9, 900, 'Park')",
    };
    for (const char *sql : rows) db_.Execute(QString::fromUtf8(sql));
  }

  std::set<int> Numbers(const lookup::CstFindSql &f) {
    db::Statement st = db_.Prepare(f.sql);
    for (int i = 0; i < f.values.size(); ++i) st.Bind(i, f.values[i]);
    db::Recordset rs = st.Query();
    std::set<int> out;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) out.insert(int(NzCur(rs.Field("CcdNo")).RoundToInt()));
    return out;
  }

  db::Connection db_;
};

TEST_P(CstFind, TypedTextAndChainedPrefixes) {
  const struct {
    const char *typed;
    std::set<int> want;
  } cases[] = {
      {"123", {123}},
      {"999", {}},
      {"/8809999", {123, 124}},  // two customers on one card barcode
      {"/kim", {123}},           // name and e-mail without regard to case
      {"/MAIL.COM", {123, 124}},
      {"/영희", {124}},          // blanks of the name removed
      {"/124", {124}},           // the customer number
      // LIKE's own characters are matched as typed.
      {"/%", {125}},
      {"/_", {125}},
      {"/!", {125}},
      {"/O'Neil", {}},
      // Phone or mobile, only customers whose CcdSss5 is empty or 0.
      {"+678", {123}},
      {"+125", {125}},
      {"-678", {123}},   // ends with it
      {"-555", {}},      // only in the middle
      {"/+1234", {123}},  // chained: the "+" search for 1234
      {"/-0000", {125}},  // chained: the "-" search; 124 is left out by CcdSss5
  };
  for (const auto &c : cases) {
    const auto f = lookup::BuildCstFindSql(QString::fromUtf8(c.typed), db_.dialect(), "CstCode");
    ASSERT_TRUE(f.has_value()) << c.typed;
    EXPECT_EQ(Numbers(*f), c.want) << c.typed;
  }
}

TEST_P(CstFind, NothingToLookFor) {
  for (const char *typed : {"", "   ", "/", "/ ", "+", "/-", "/+ "})
    EXPECT_FALSE(lookup::BuildCstFindSql(QString::fromUtf8(typed), db_.dialect(), "CstCode"))
        << typed;
}

TEST_P(CstFind, TableIsAParameterNotAnEditOfTheWords) {
  // The typed words keep "CstCode" even when the table is CstCodeTs.
  const auto f = lookup::BuildCstFindSql(QStringLiteral("/CstCode"), db_.dialect(), "CstCodeTs");
  ASSERT_TRUE(f);
  EXPECT_EQ(f->values.first().toString(), "%CstCode%");
  EXPECT_TRUE(Numbers(*f).empty());
  EXPECT_EQ(Numbers(*lookup::BuildCstFindSql("900", db_.dialect(), "CstCodeTs")), std::set<int>{900});
}

// The two point screens search their own ways (customer 124 has CcdSss5 1, which only the
// sale screen leaves out).
TEST_P(CstFind, ThePointScreensVariants) {
  using V = lookup::CstFindVariant;
  const struct {
    V variant;
    const char *typed;
    std::set<int> want;
  } cases[] = {
      {V::CstEdit, "123", {123}},
      {V::CstEdit, "1111", {125}},          // the barcode as typed
      {V::CstEdit, "+0000", {124, 125}},    // contains, no CcdSss5 condition
      {V::CstEdit, "-0000", {124, 125}},    // ends with
      {V::CstEdit, "-5678", {123}},
      {V::CstEdit, "-124", {124}},          // or the number
      {V::CstEdit, "/+1234", {123}},        // chained
      {V::CstEdit, "/kim", {123}},
      {V::CstPadd, "+555", {}},             // "+" ends with, as "-" does
      {V::CstPadd, "+5678", {123}},
      {V::CstPadd, "-0000", {124, 125}},
      {V::CstPadd, "-125", {125}},
      {V::CstPadd, "/+1234", {}},           // no chaining: "+1234" anywhere
      {V::CstPadd, "/1678", {123, 124}},
  };
  for (const auto &c : cases) {
    const auto f = lookup::BuildCstFindSql(QString::fromUtf8(c.typed), db_.dialect(), "CstCode",
                                           c.variant);
    ASSERT_TRUE(f.has_value()) << c.typed;
    EXPECT_EQ(Numbers(*f), c.want) << c.typed << " variant " << int(c.variant);
  }
  for (const char *typed : {"123", "/", "+ ", "-"})
    EXPECT_FALSE(lookup::BuildCstFindSql(typed, db_.dialect(), "CstCode", V::CstPadd)) << typed;
}

INSTANTIATE_TEST_SUITE_P(Engines, CstFind, ORV_BOTH_ENGINES);

}  // namespace
