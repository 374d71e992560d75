// The project template: every new project file is a copy of it, so its tables
// are the contract between the program and every project it makes. (Its PROJECT
// columns are checked against what the upgrade makes of an older file.)

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/scratch_dir.h"
#include "support/sqlite_rows.h"

namespace rg::test {
namespace {

using ProjectTemplate = ScratchTest;
using Rows = std::vector<std::string>;

// A new project as the program makes one: a plain copy of the template, which
// holds no row.
TEST_F(ProjectTemplate, ANewProjectNamesTheProgramAndKeepsInletNumbersUniqueWithoutRegardToCase) {
  const auto file = dir / "new.rvg";
  std::filesystem::copy_file(program_file("Tovrel21.rdb"), file);
  run_sql(file, "INSERT INTO PROJECT (PROJECT_ID, PROJECT_NAME, COUNTY, UNITS, MAJOR_RELEASE) "
                "VALUES ('P-1', 'Route 29', 'Accomack', 'ENGLISH', '2.1')");
  EXPECT_EQ(query_rows(file, "SELECT PRODUCT_NAME, NOAA_STATION FROM PROJECT"), Rows{"RAVELGRIT|<null>"});  // Null, not ""

  run_sql(file, "INSERT INTO INLET (INLET_NUMBER) VALUES ('A1')");
  EXPECT_THROW(run_sql(file, "INSERT INTO INLET (INLET_NUMBER) VALUES ('a1')"), std::runtime_error);
  // Other numbers, also ones with a quote, go in (run_sql throws on a refusal).
  run_sql(file, "INSERT INTO INLET (INLET_NUMBER, PREINLET1) VALUES ('A2', 'a1');"
                "INSERT INTO INLET (INLET_NUMBER, PREINLET2) VALUES ('B''1', 'A2');");
  // A look-up by number finds the inlet whatever the case, on either side.
  EXPECT_EQ(query_rows(file, "SELECT INLET_NUMBER FROM INLET WHERE INLET_NUMBER = 'a1'"), Rows{"A1"});
  EXPECT_EQ(query_rows(file, "SELECT INLET_NUMBER FROM INLET WHERE PREINLET1 = 'A1' OR PREINLET2 = 'A1'"), Rows{"A2"});
  EXPECT_EQ(query_rows(file, "SELECT INLET_NUMBER FROM INLET WHERE PREINLET1 = 'a2' OR PREINLET2 = 'a2'"), Rows{"B'1"});
}

}  // namespace
}  // namespace rg::test
