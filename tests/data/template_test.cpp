// The project template: every new project file is a copy of it, so its tables
// are the contract between the program and every project it makes.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "sqlite_file.h"

namespace rg::data_test {
namespace {

namespace fs = std::filesystem;

const fs::path template_path = program_file("Tovrel21.rdb");

// A new project as the program makes one: a plain copy of the template, so the
// tests that write leave the shipped file alone.
class NewProject : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = fs::path(::testing::TempDir()) / (std::string("rg_data_") + info->name() + ".rvg");
    fs::remove(path_);
    fs::copy_file(template_path, path_);
    db_ = std::make_unique<SqliteFile>(path_, true);
  }
  void TearDown() override {
    db_.reset();
    fs::remove(path_);
  }
  SqliteFile& db() { return *db_; }

 private:
  fs::path path_;
  std::unique_ptr<SqliteFile> db_;
};

TEST(ProjectTemplate, ProjectTableHasTheThirteenFieldsAndNoRow) {
  SqliteFile db(template_path);
  const std::vector<std::string> expected{
      "PROJECT_ID", "PROJECT_NAME",  "DESCRIPTION",   "LOCATION",     "COUNTY",
      "STATE",      "UNITS",         "DESIGNER",      "PRODUCT_NAME", "MAJOR_RELEASE",
      "MINOR_RELEASE", "RELEASE_DATE", "NOAA_STATION"};
  EXPECT_EQ(db.columns("PROJECT"), expected);
  EXPECT_TRUE(db.query("SELECT * FROM PROJECT").empty());
}

TEST(ProjectTemplate, InletTableHasThe87FieldsInBindingOrder) {
  SqliteFile db(template_path);
  const std::vector<std::string> expected{
      "INLET_NUMBER",   "ROADWAY",        "PROJECT_ID",    "INLET_LOCATION",  "INLET_TYPE",
      "INLET_SUBTYPE",  "OFFSET",         "OFFSET_LOCATION", "STATION",       "TOP_ELEVATION",
      "ALLOWABLE_SPREAD", "COMPUTE_DISCHARGE", "INPUT_DISCHARGE", "DISCHARGE1", "DISCHARGE2",
      "TOTAL_DISCHARGE", "COMPUTE_I",     "INPUT_I",       "ITC",             "CF",
      "TC",             "INTENSITY",      "INPUTINT",      "AREABUFSTR1",     "AREABUFSTR2",
      "CBUFSTR1",       "CBUFSTR2",       "TCSTR",         "TCOPTIONSTR",     "IA",
      "IB",             "TOTALAREA1",     "TOTALAREA2",    "TOTALCA1",        "TOTALCA2",
      "PREINLET1",      "PREINLET2",      "CARRYOVER1",    "CARRYOVER2",      "STORM_FREQUENCY",
      "LONGSLOPE",      "MANNINGS",       "GUTWIDTH",      "PAVXSLOPE",       "GUTXSLOPE",
      "LOCDEPWIDTH",    "LOCALDEP",       "INLETLENGTH",   "GRATETYPE",       "CURBOPTION",
      "THROATYPE",      "GRATEPERCLOG",   "OPENLEN_GRATE", "GRATEWIDTH",      "LSCOPERATIO",
      "RSCOPERATIO",    "HEIGHTOFCURB",   "THROATANGLE",   "GRATEPERI",       "GRATEAREA",
      "SLOTWIDTH",      "OPENSPREAD",     "GUTTERSPREAD",  "WT",              "WETPERI",
      "FLOWAREA",       "FLOWRATIO",      "DEPXSLOPE",     "HYDRAD",          "COMPXSLOPE",
      "CURBDEPTH",      "FFLOWEFF",       "FLOWVEL",       "SFLOWEFF",        "DSBH",
      "EFFPERI",        "INTLEN",         "DEPTHATINLET",  "EFFICIENCY",      "INLETPERF",
      "RPERI",          "RAREA",          "EFFLEN",        "QINT",            "QCARRY",
      "QINTCURB",       "QINTGRATE"};
  ASSERT_EQ(expected.size(), 87u);
  EXPECT_EQ(db.columns("INLET"), expected);
  EXPECT_TRUE(db.query("SELECT * FROM INLET").empty());

  // The four option flags are numbers; everything else keeps the box's text.
  const std::set<std::string> flags{"COMPUTE_DISCHARGE", "INPUT_DISCHARGE", "COMPUTE_I", "INPUT_I"};
  for (const auto& row : db.query("SELECT name, type FROM pragma_table_info('INLET')")) {
    const auto& name = std::get<std::string>(row[0]);
    EXPECT_EQ(std::get<std::string>(row[1]), flags.count(name) ? "INTEGER" : "TEXT") << name;
  }
}

TEST_F(NewProject, ARowAddedWithoutProductNameIsRavelgrit) {
  db().query("INSERT INTO PROJECT (PROJECT_ID, PROJECT_NAME, COUNTY, UNITS, MAJOR_RELEASE) "
             "VALUES (?, ?, ?, ?, ?)",
             {std::string("P-1"), std::string("Route 29"), std::string("Accomack"),
              std::string("ENGLISH"), std::string("2.1")});
  const auto rows = db().query("SELECT PRODUCT_NAME, NOAA_STATION FROM PROJECT");
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(std::get<std::string>(rows[0][0]), "RAVELGRIT");
  EXPECT_TRUE(std::holds_alternative<std::monostate>(rows[0][1]));  // Null, not ""
}

TEST_F(NewProject, InletNumbersAreUniqueWithoutRegardToCase) {
  db().query("INSERT INTO INLET (INLET_NUMBER, COMPUTE_DISCHARGE) VALUES (?, ?)",
             {std::string("A1"), 1LL});
  EXPECT_THROW(db().query("INSERT INTO INLET (INLET_NUMBER) VALUES (?)", {std::string("a1")}),
               std::runtime_error);
  EXPECT_THROW(db().query("INSERT INTO INLET (INLET_NUMBER) VALUES (?)", {std::string("A1")}),
               std::runtime_error);
  // Other numbers, also ones with a quote, go in.
  db().query("INSERT INTO INLET (INLET_NUMBER, PREINLET1) VALUES (?, ?)",
             {std::string("A2"), std::string("a1")});
  db().query("INSERT INTO INLET (INLET_NUMBER, PREINLET2) VALUES (?, ?)",
             {std::string("B'1"), std::string("A2")});
  EXPECT_EQ(db().query("SELECT * FROM INLET").size(), 3u);

  // A look-up by number finds the inlet whatever the case, on either side.
  EXPECT_EQ(db().texts("SELECT INLET_NUMBER FROM INLET WHERE INLET_NUMBER = 'a1'"),
            std::vector<std::string>{"A1"});
  EXPECT_EQ(db().texts("SELECT INLET_NUMBER FROM INLET WHERE PREINLET1 = 'A1' OR PREINLET2 = 'A1'"),
            std::vector<std::string>{"A2"});
  EXPECT_EQ(db().texts("SELECT INLET_NUMBER FROM INLET WHERE PREINLET1 = 'a2' OR PREINLET2 = 'a2'"),
            std::vector<std::string>{"B'1"});
}

}  // namespace
}  // namespace rg::data_test
