// The project template: every new project file is a copy of it, so its tables
// are the contract between the program and every project it makes. (Its PROJECT
// columns are checked against what the upgrade makes of an older file.)

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "support/sqlite_rows.h"

namespace rg::test {
namespace {

namespace fs = std::filesystem;

const fs::path kTemplate = fs::path(RG_PROGRAM_DIR) / "Tovrel21.rdb";

// A new project as the program makes one: a plain copy of the template, so the
// tests that write leave the shipped file alone.
class NewProject : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::remove(file);
    fs::copy_file(kTemplate, file);
  }
  void TearDown() override { fs::remove(file); }
  const fs::path file = fs::path(::testing::TempDir()) /
                        (std::string("rg_data_") + ::testing::UnitTest::GetInstance()->current_test_info()->name() +
                         ".rvg");
};

TEST(ProjectTemplate, HoldsNoRowAnd87InletFieldsOfWhichTheFourOptionFlagsAreNumbers) {
  EXPECT_EQ(query_rows(kTemplate, "SELECT (SELECT count(*) FROM PROJECT) + (SELECT count(*) FROM INLET)"),
            std::vector<std::string>{"0"});
  const auto fields = query_rows(kTemplate, "SELECT name, type FROM pragma_table_info('INLET')");
  EXPECT_EQ(fields.size(), 87u);
  const std::set<std::string> flags{"COMPUTE_DISCHARGE", "INPUT_DISCHARGE", "COMPUTE_I", "INPUT_I"};
  std::set<std::string> names;
  for (const auto& field : fields) {
    const auto name = field.substr(0, field.find('|'));
    names.insert(name);
    EXPECT_EQ(field, name + (flags.count(name) ? "|INTEGER" : "|TEXT"));
  }
  EXPECT_EQ(names.size(), fields.size()) << "distinct names";
}

TEST_F(NewProject, ARowAddedWithoutProductNameIsRavelgrit) {
  run_sql(file, "INSERT INTO PROJECT (PROJECT_ID, PROJECT_NAME, COUNTY, UNITS, MAJOR_RELEASE) "
                "VALUES ('P-1', 'Route 29', 'Accomack', 'ENGLISH', '2.1')");
  EXPECT_EQ(query_rows(file, "SELECT PRODUCT_NAME, NOAA_STATION FROM PROJECT"),
            std::vector<std::string>{"RAVELGRIT|<null>"});  // Null, not ""
}

TEST_F(NewProject, InletNumbersAreUniqueWithoutRegardToCase) {
  run_sql(file, "INSERT INTO INLET (INLET_NUMBER, COMPUTE_DISCHARGE) VALUES ('A1', 1)");
  for (const char* same : {"a1", "A1"}) {
    EXPECT_THROW(run_sql(file, std::string("INSERT INTO INLET (INLET_NUMBER) VALUES ('") + same + "')"),
                 std::runtime_error)
        << same;
  }
  // Other numbers, also ones with a quote, go in.
  run_sql(file, "INSERT INTO INLET (INLET_NUMBER, PREINLET1) VALUES ('A2', 'a1');"
                "INSERT INTO INLET (INLET_NUMBER, PREINLET2) VALUES ('B''1', 'A2');");
  EXPECT_EQ(query_rows(file, "SELECT count(*) FROM INLET"), std::vector<std::string>{"3"});
  // A look-up by number finds the inlet whatever the case, on either side.
  EXPECT_EQ(query_rows(file, "SELECT INLET_NUMBER FROM INLET WHERE INLET_NUMBER = 'a1'"),
            std::vector<std::string>{"A1"});
  EXPECT_EQ(query_rows(file, "SELECT INLET_NUMBER FROM INLET WHERE PREINLET1 = 'A1' OR PREINLET2 = 'A1'"),
            std::vector<std::string>{"A2"});
  EXPECT_EQ(query_rows(file, "SELECT INLET_NUMBER FROM INLET WHERE PREINLET1 = 'a2' OR PREINLET2 = 'a2'"),
            std::vector<std::string>{"B'1"});
}

}  // namespace
}  // namespace rg::test
