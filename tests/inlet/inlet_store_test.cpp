// The INLET store: values bound (quotes are ordinary characters), inlet numbers
// compared without regard to letter case, previous inlets searched on both sides.

#include "inlet/inlet_store.h"

#include "inlet_fixture.h"
#include "platform/db/connection.h"
#include "platform/db/record_set.h"

namespace rg::test {
namespace {

using inlet::store::inlet_exists;
using inlet::store::inlet_naming_previous;

class StoreTest : public InletTest {
 protected:
  void SetUp() override {
    InletTest::SetUp();
    open_project();
    store_inlet("A1", "", "", "0.250", "Route 29");
    store_inlet("B'2", "a1", "", "<null>", "Main St");
    store_inlet("C3", "", "b'2", "", "Main St");
    store_inlet("x' OR 'a'='a");
  }
};

TEST_F(StoreTest, NumbersMatchIgnoringCaseAndQuotesAreOrdinary) {
  struct Case {
    const char* number;
    bool stored;
  } cases[] = {{"A1", true}, {"a1", true}, {"b'2", true}, {"C3 ", false}, {"D4", false}, {"x' OR 'a'='a", true},
               {"' OR '1'='1", false}};
  for (const auto& c : cases) EXPECT_EQ(inlet_exists(conn(), c.number), c.stored) << c.number;
}

TEST_F(StoreTest, PreviousInletSearchCoversBothSidesAndSkipsTheExcepted) {
  struct Case {
    const char* number;
    const char* except;
    const char* found;  // nullptr: none
  } cases[] = {{"A1", "", "B'2"}, {"a1", "", "B'2"}, {"B'2", "", "C3"}, {"B'2", "c3", nullptr},
               {"C3", "", nullptr}, {"", "", nullptr}};
  for (const auto& c : cases) {
    const auto found = inlet_naming_previous(conn(), c.number, c.except);
    if (c.found == nullptr) {
      EXPECT_FALSE(found) << c.number;
    } else {
      EXPECT_EQ(found.value_or("<none>"), c.found) << c.number;
    }
  }
}

TEST_F(StoreTest, StoredCarryoverIsTheTextAsStored) {
  db::RecordSet rs;
  inlet::store::open_carryover(rs, conn());
  EXPECT_EQ(inlet::store::stored_carryover(rs, "a1"), "0.250");
  EXPECT_EQ(inlet::store::stored_carryover(rs, "B'2"), "");  // Null
  EXPECT_EQ(inlet::store::stored_carryover(rs, "C3"), "");
  EXPECT_FALSE(inlet::store::stored_carryover(rs, "Z9"));
  EXPECT_EQ(rs.value("INLET_NUMBER").text(), "A1");  // left on the first row
}

TEST_F(StoreTest, OpensOneInletOrAllInNumberOrder) {
  db::RecordSet rs;
  inlet::store::open_inlet_records(rs, conn(), "b'2");
  ASSERT_EQ(rs.record_count(), 1);
  EXPECT_EQ(rs.value("ROADWAY").text(), "Main St");
  inlet::store::open_inlet_records(rs, conn(), "x' OR 'a'='a");
  EXPECT_EQ(rs.record_count(), 1);
  inlet::store::open_inlet_records(rs, conn(), "");
  ASSERT_EQ(rs.record_count(), 4);
  EXPECT_EQ(rs.value("INLET_NUMBER").text(), "A1");
}

TEST_F(StoreTest, SearchInletsGivesTheReferringInletOnlyForPreviousInletFields) {
  struct Case {
    const char* value;
    const char* field;
    bool result;
    const char* found;
  } cases[] = {{"A1", "PREINLET2", true, "B'2"}, {"b'2", "PREINLET1", true, "C3"}, {"A1", "INLET_NUMBER", true, ""},
               {"Z9", "INLET_NUMBER", false, ""}, {"A1", "ROADWAY", false, ""}};
  for (const auto& c : cases) {
    const auto search = inlet::store::search_inlets(*session, c.value, c.field);
    EXPECT_EQ(search.found_any(), c.result) << c.value << " " << c.field;
    EXPECT_EQ(search.found, c.found) << c.value << " " << c.field;
  }
}

TEST_F(StoreTest, SearchThatCannotRunIsNeitherFoundNorNotFound) {
  run_sql(project_file, "DROP TABLE INLET;");
  desktop.expect_box_containing("INLET");
  EXPECT_TRUE(inlet::store::search_inlets(*session, "A1", "PREINLET1").failed());
}

}  // namespace
}  // namespace rg::test
