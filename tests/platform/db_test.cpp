#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/db/connection.h"
#include "platform/db/record_set.h"
#include "support/sqlite_rows.h"

namespace fs = std::filesystem;
using namespace rg::db;

namespace {

constexpr const char* kSchema = R"(
  CREATE TABLE PROJECT (PROJECT_ID TEXT, PROJECT_NAME TEXT, COUNTY TEXT, UNITS TEXT,
    PRODUCT_NAME TEXT(20) DEFAULT 'RAVELGRIT', MAJOR_RELEASE TEXT(10));
  CREATE TABLE INLET (INLET_NUMBER TEXT COLLATE NOCASE, ROADWAY TEXT, QCARRY TEXT, COMPUTE_I INTEGER);
  CREATE UNIQUE INDEX INLET_KEY ON INLET (INLET_NUMBER);
  INSERT INTO INLET VALUES ('A-1', 'Route 1', '0.25', 1), ('A-2', 'Route 1', NULL, 0), ('B-1', 'Elm', '', 1);
)";
constexpr const char* kAllInlets = "SELECT * FROM INLET ORDER BY INLET_NUMBER";

template <class F>
std::optional<ErrorKind> failure_of(F&& f) {
  try {
    f();
  } catch (const Error& e) {
    return e.kind();
  }
  return std::nullopt;
}

std::string bytes_of(const fs::path& f) {
  std::ifstream in(f, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

class DbTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() / ("rg_db_" + std::to_string(::getpid()) + "_" + info->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    file_ = dir_ / "project.rvg";
    make_db(file_, kSchema);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Made with SQLite itself: the layer never creates a file.
  static void make_db(const fs::path& f, const char* sql) { rg::test::run_sql(f, sql); }

  // The rows as SQLite itself reads them.
  std::vector<std::string> stored(const std::string& sql) const { return rg::test::query_rows(file_, sql); }

  // Another writer of the same file.
  void write_elsewhere(const std::string& sql, std::vector<Value> parameters = {}) const {
    Connection other;
    other.open(file_, Access::ReadWrite);
    other.execute(sql, parameters);
  }

  fs::path dir_;
  fs::path file_;
  Connection conn_;
};

TEST_F(DbTest, NullAndEmptyTextStayDistinct) {
  conn_.open(file_, Access::ReadWrite);
  RecordSet rs;
  rs.open(conn_, "SELECT INLET_NUMBER, QCARRY, COMPUTE_I FROM INLET ORDER BY INLET_NUMBER");
  EXPECT_EQ(rs.value("QCARRY"), Value("0.25"));
  EXPECT_EQ(rs.value(2), Value(1));
  EXPECT_EQ(rs.value(2).text(), "1");
  rs.move_next();
  EXPECT_TRUE(rs.value("QCARRY").is_null());
  EXPECT_EQ(rs.value("QCARRY").text(), "");
  rs.move_next();
  EXPECT_FALSE(rs.value("QCARRY").is_null());
  EXPECT_EQ(rs.value("QCARRY"), Value(""));
  EXPECT_NE(Value(""), Value());
  EXPECT_EQ(Value(0.125).text(), "0.125");

  RecordSet edit;
  edit.open(conn_, kAllInlets, {}, RecordSet::Mode::Updatable);
  edit.set_value("QCARRY", Value());  // A-1
  edit.move_next();
  edit.set_value("QCARRY", "");  // A-2
  edit.update();
  EXPECT_EQ(stored("SELECT QCARRY FROM INLET ORDER BY INLET_NUMBER"),
            (std::vector<std::string>{"<null>", "", ""}));
  EXPECT_EQ(stored("SELECT count(*) FROM INLET WHERE QCARRY IS NULL"), std::vector<std::string>{"1"});
}

TEST_F(DbTest, AddNewThenCancelStoresNothing) {
  conn_.open(file_, Access::ReadWrite);
  RecordSet rs;
  rs.open(conn_, kAllInlets, {}, RecordSet::Mode::Updatable);
  rs.move_next();
  rs.add_new();
  EXPECT_EQ(rs.edit_mode(), EditMode::Add);
  EXPECT_EQ(rs.record_count(), 4);
  EXPECT_TRUE(rs.value("INLET_NUMBER").is_null());
  rs.set_value("INLET_NUMBER", "C-9");
  EXPECT_EQ(rs.edit_mode(), EditMode::Add);
  rs.cancel_update();
  EXPECT_EQ(rs.edit_mode(), EditMode::None);
  EXPECT_EQ(rs.record_count(), 3);
  EXPECT_EQ(rs.value("INLET_NUMBER"), Value("A-2"));
  EXPECT_EQ(stored("SELECT count(*) FROM INLET"), std::vector<std::string>{"3"});

  RecordSet empty;
  empty.open(conn_, "SELECT * from PROJECT Order by PROJECT_ID", {}, RecordSet::Mode::Updatable);
  empty.add_new();
  empty.set_value("PROJECT_ID", "P1");
  empty.cancel_update();
  EXPECT_TRUE(empty.bof() && empty.eof());
  EXPECT_EQ(empty.record_count(), 0);
  EXPECT_TRUE(stored("SELECT * FROM PROJECT").empty());
}

TEST_F(DbTest, AddNewThenUpdateStoresTheRowWithColumnDefaults) {
  conn_.open(file_, Access::ReadWrite);
  RecordSet rs;
  rs.open(conn_, "SELECT * from PROJECT Order by PROJECT_ID", {}, RecordSet::Mode::Updatable);
  ASSERT_TRUE(rs.bof() && rs.eof());
  rs.add_new();
  rs.set_value("PROJECT_ID", "P1");
  rs.set_value("project_name", "Stuart's Draft");  // field names ignore letter case
  rs.update();
  EXPECT_EQ(rs.edit_mode(), EditMode::None);
  EXPECT_EQ(rs.record_count(), 1);
  EXPECT_EQ(rs.value("PRODUCT_NAME"), Value("RAVELGRIT"));  // read back as stored
  EXPECT_TRUE(rs.value("MAJOR_RELEASE").is_null());
  EXPECT_EQ(stored("SELECT * FROM PROJECT"),
            std::vector<std::string>{"P1|Stuart's Draft|<null>|<null>|RAVELGRIT|<null>"});

  // A field assigned Null is written as Null: only unassigned fields take the default.
  rs.add_new();
  rs.set_value("PROJECT_ID", "P2");
  rs.set_value("PRODUCT_NAME", Value());
  rs.update();
  EXPECT_EQ(rs.record_count(), 2);
  EXPECT_EQ(stored("SELECT PRODUCT_NAME FROM PROJECT WHERE PROJECT_ID = 'P2'"),
            std::vector<std::string>{"<null>"});
}

TEST_F(DbTest, UpdateWritesOnlyTheChangedFieldsAndDetectsConflicts) {
  conn_.open(file_, Access::ReadWrite);
  RecordSet rs;
  rs.open(conn_, "SELECT * FROM INLET WHERE INLET_NUMBER = ?", {"A-2"}, RecordSet::Mode::Updatable);
  rs.set_value("ROADWAY", "Main St");
  EXPECT_EQ(rs.edit_mode(), EditMode::InProgress);
  write_elsewhere("UPDATE INLET SET QCARRY = '0.5' WHERE INLET_NUMBER = 'A-2'");
  rs.update();
  EXPECT_EQ(rs.edit_mode(), EditMode::None);
  EXPECT_EQ(stored("SELECT * FROM INLET WHERE INLET_NUMBER = 'A-2'"),
            std::vector<std::string>{"A-2|Main St|0.5|0"});
  EXPECT_EQ(rs.value("QCARRY"), Value("0.5"));

  rs.set_value("ROADWAY", "Oak");
  write_elsewhere("UPDATE INLET SET ROADWAY = 'Pine' WHERE INLET_NUMBER = 'A-2'");
  EXPECT_EQ(failure_of([&] { rs.update(); }), ErrorKind::Conflict);
  EXPECT_EQ(rs.edit_mode(), EditMode::InProgress);
  EXPECT_EQ(stored("SELECT ROADWAY FROM INLET WHERE INLET_NUMBER = 'A-2'"), std::vector<std::string>{"Pine"});
  rs.cancel_update();
  EXPECT_EQ(rs.value("ROADWAY"), Value("Main St"));
}

TEST_F(DbTest, MovingAwaySendsThePendingChange) {
  conn_.open(file_, Access::ReadWrite);
  RecordSet rs;
  rs.open(conn_, kAllInlets, {}, RecordSet::Mode::Updatable);
  rs.set_value("ROADWAY", "Main St");
  rs.move_next();
  EXPECT_EQ(rs.edit_mode(), EditMode::None);
  EXPECT_EQ(stored("SELECT ROADWAY FROM INLET WHERE INLET_NUMBER = 'A-1'"), std::vector<std::string>{"Main St"});

  // A send that fails keeps the cursor and the pending row.
  rs.add_new();
  rs.set_value("INLET_NUMBER", "a-1");  // the key ignores letter case
  EXPECT_EQ(failure_of([&] { rs.move_first(); }), ErrorKind::Constraint);
  EXPECT_EQ(rs.edit_mode(), EditMode::Add);
  EXPECT_EQ(rs.value("INLET_NUMBER"), Value("a-1"));
  rs.cancel_update();
  EXPECT_EQ(stored("SELECT count(*) FROM INLET"), std::vector<std::string>{"3"});
}

TEST_F(DbTest, DeleteRemovesTheRowAndMovesPassOverIt) {
  conn_.open(file_, Access::ReadWrite);
  RecordSet rs;
  rs.open(conn_, kAllInlets, {}, RecordSet::Mode::Updatable);
  rs.move_next();
  rs.delete_current();
  EXPECT_EQ(stored("SELECT INLET_NUMBER FROM INLET ORDER BY INLET_NUMBER"),
            (std::vector<std::string>{"A-1", "B-1"}));
  EXPECT_EQ(rs.record_count(), 2);
  EXPECT_FALSE(rs.has_current_row());
  EXPECT_FALSE(rs.bof() || rs.eof());
  EXPECT_EQ(failure_of([&] { (void)rs.value(0); }), ErrorKind::NoCurrentRecord);
  rs.move_next();
  EXPECT_EQ(rs.value(0), Value("B-1"));
  rs.move_previous();
  EXPECT_EQ(rs.value(0), Value("A-1"));

  rs.move_last();
  rs.delete_current();
  rs.move_next();
  EXPECT_TRUE(rs.eof());
  EXPECT_EQ(rs.record_count(), 1);
}

TEST_F(DbTest, RequeryRunsTheQueryAgainWithItsParameters) {
  conn_.open(file_, Access::ReadWrite);
  RecordSet rs;
  rs.open(conn_, "SELECT * FROM INLET WHERE ROADWAY = ? ORDER BY INLET_NUMBER", {"Route 1"});
  EXPECT_EQ(rs.record_count(), 2);
  write_elsewhere("INSERT INTO INLET (INLET_NUMBER, ROADWAY) VALUES (?, ?), (?, ?)", {"A-0", "Route 1", "Z", "Elm"});
  rs.move_last();
  rs.requery();
  EXPECT_EQ(rs.record_count(), 3);
  EXPECT_EQ(rs.value("INLET_NUMBER"), Value("A-0"));
}

TEST_F(DbTest, FindSearchesForwardIgnoringLetterCase) {
  conn_.open(file_, Access::ReadOnly);
  RecordSet rs;
  rs.open(conn_, kAllInlets);
  struct Case {
    const char* field;
    Value wanted;
    bool first;  // start from the first row
    const char* lands_on;  // nullptr: not found, at EOF
  };
  const Case cases[] = {
      {"INLET_NUMBER", "a-2", true, "A-2"},
      {"inlet_number", "B-1", false, "B-1"},
      {"INLET_NUMBER", "A-1", false, nullptr},  // behind the current row
      {"ROADWAY", "route 1", false, nullptr},   // from EOF nothing is left
      {"QCARRY", Value(), true, "A-2"},
      {"QCARRY", "", true, "B-1"},
      {"COMPUTE_I", 0, true, "A-2"},
      {"COMPUTE_I", "1", true, "A-1"},
      {"ROADWAY", "ELM", true, "B-1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.field) + " = " + c.wanted.text());
    if (c.first) rs.move_first();
    const bool found = rs.find(c.field, c.wanted);
    EXPECT_EQ(found, c.lands_on != nullptr);
    if (c.lands_on) {
      EXPECT_EQ(rs.value("INLET_NUMBER"), Value(c.lands_on));
    } else {
      EXPECT_TRUE(rs.eof());
    }
  }
  EXPECT_EQ(failure_of([&] { rs.find("NOPE", "x"); }), ErrorKind::UnknownField);
}

TEST_F(DbTest, CursorAtTheEndsAndOnAnEmptySet) {
  conn_.open(file_, Access::ReadOnly);
  RecordSet rs;
  rs.open(conn_, kAllInlets);
  EXPECT_FALSE(rs.bof() || rs.eof());
  rs.move_previous();
  EXPECT_TRUE(rs.bof());
  EXPECT_FALSE(rs.eof());
  EXPECT_EQ(failure_of([&] { rs.move_previous(); }), ErrorKind::NoCurrentRecord);
  rs.move(1);
  EXPECT_EQ(rs.value(0), Value("A-1"));
  rs.move_last();
  rs.move_next();
  EXPECT_TRUE(rs.eof());
  EXPECT_EQ(failure_of([&] { rs.move_next(); }), ErrorKind::NoCurrentRecord);
  EXPECT_EQ(failure_of([&] { rs.move(1); }), ErrorKind::NoCurrentRecord);
  rs.move(-2);
  EXPECT_EQ(rs.value(0), Value("A-2"));
  rs.move(5);
  EXPECT_TRUE(rs.eof());
  rs.move_first();
  rs.move(2);
  EXPECT_EQ(rs.value(0), Value("B-1"));
  rs.move(-5);
  EXPECT_TRUE(rs.bof());

  RecordSet empty;
  empty.open(conn_, "SELECT * FROM PROJECT");
  EXPECT_TRUE(empty.bof());
  EXPECT_TRUE(empty.eof());
  EXPECT_EQ(empty.record_count(), 0);
  EXPECT_EQ(empty.field_count(), 6);
  for (auto step : {&RecordSet::move_first, &RecordSet::move_last, &RecordSet::move_next,
                    &RecordSet::move_previous}) {
    EXPECT_EQ(failure_of([&] { (empty.*step)(); }), ErrorKind::NoCurrentRecord);
  }
  EXPECT_EQ(failure_of([&] { empty.move(1); }), ErrorKind::NoCurrentRecord);
  EXPECT_EQ(failure_of([&] { (void)empty.value("PROJECT_ID"); }), ErrorKind::NoCurrentRecord);
  EXPECT_FALSE(empty.find("PROJECT_ID", "P1"));
}

TEST_F(DbTest, BookmarkLeadsBackUntilTheSetIsRequeried) {
  conn_.open(file_, Access::ReadOnly);
  RecordSet rs;
  rs.open(conn_, kAllInlets);
  rs.move_last();
  const Bookmark b = rs.bookmark();
  rs.move_first();
  rs.set_bookmark(b);
  EXPECT_EQ(rs.value(0), Value("B-1"));
  rs.requery();
  EXPECT_EQ(failure_of([&] { rs.set_bookmark(b); }), ErrorKind::NoCurrentRecord);
}

TEST_F(DbTest, EventsComeWithTheirReasonsInOrder) {
  conn_.open(file_, Access::ReadWrite);
  std::vector<std::string> log;
  RecordSet rs;
  rs.on_move_complete([&](Reason r) { log.push_back("move " + std::to_string(static_cast<int>(r))); });
  rs.on_will_change_record([&](Reason r) { log.push_back("will " + std::to_string(static_cast<int>(r))); });
  const auto next = [&](auto&& action) {
    log.clear();
    action();
    return log;
  };
  using Log = std::vector<std::string>;
  EXPECT_EQ(next([&] { rs.open(conn_, kAllInlets, {}, RecordSet::Mode::Updatable); }), Log{"move 10"});
  EXPECT_EQ(next([&] { rs.set_value("ROADWAY", "X"); }), Log{"will 11"});
  EXPECT_EQ(next([&] { rs.set_value("QCARRY", "1"); }), Log{});
  EXPECT_EQ(next([&] { rs.move_next(); }), (Log{"will 3", "move 13"}));
  EXPECT_EQ(next([&] { rs.set_value("ROADWAY", "Route 1"); }), Log{});  // the value it holds
  EXPECT_EQ(next([&] { rs.add_new(); }), (Log{"will 1", "move 1"}));
  EXPECT_EQ(next([&] { rs.set_value("INLET_NUMBER", "C-1"); }), Log{"will 11"});  // first change of the new row
  EXPECT_EQ(next([&] { rs.set_value("ROADWAY", "C"); }), Log{});
  EXPECT_EQ(next([&] { rs.cancel_update(); }), (Log{"will 5", "move 5"}));
  EXPECT_EQ(next([&] { rs.find("INLET_NUMBER", "b-1"); }), Log{"move 10"});
  EXPECT_EQ(next([&] { rs.requery(); }), Log{"move 7"});
  EXPECT_EQ(next([&] { rs.set_value("ROADWAY", "Y"); }), Log{"will 11"});
  EXPECT_EQ(next([&] { rs.update(); }), Log{"will 3"});
  EXPECT_EQ(next([&] { rs.set_value("ROADWAY", "Z"); }), Log{"will 11"});  // first change since sent
  EXPECT_EQ(next([&] { rs.cancel_update(); }), Log{"will 4"});
  EXPECT_EQ(next([&] { rs.move_last(); }), Log{"move 15"});
  EXPECT_EQ(next([&] { rs.move_first(); }), Log{"move 12"});
  EXPECT_EQ(next([&] { rs.move(1); }), Log{"move 10"});
  EXPECT_EQ(next([&] { rs.move_previous(); }), Log{"move 14"});
  EXPECT_EQ(next([&] { rs.delete_current(); }), Log{"will 2"});
  // A second listener hears the same events; a removed one hears nothing more.
  std::vector<Reason> second;
  const auto id = rs.on_move_complete([&](Reason r) { second.push_back(r); });
  rs.move_first();
  rs.remove_listener(id);
  rs.move_last();
  EXPECT_EQ(second, std::vector<Reason>{Reason::MoveFirst});
  EXPECT_EQ(stored("SELECT * FROM INLET ORDER BY INLET_NUMBER"),
            (std::vector<std::string>{"A-2|Route 1|<null>|0", "B-1|Elm||1"}));
}

TEST_F(DbTest, ValuesWithQuotesTravelAsParameters) {
  conn_.open(file_, Access::ReadWrite);
  const std::string road = "O'Hara \"Rd\"'; DROP TABLE INLET; --";
  EXPECT_EQ(conn_.execute("INSERT INTO INLET (INLET_NUMBER, ROADWAY) VALUES (?, ?)", {"Stuart's Draft", road}), 1);
  RecordSet rs;
  rs.open(conn_, "SELECT * FROM INLET WHERE INLET_NUMBER = ?", {"stuart's draft"}, RecordSet::Mode::Updatable);
  ASSERT_EQ(rs.record_count(), 1);
  EXPECT_EQ(rs.value("ROADWAY"), Value(road));
  rs.set_value("INLET_NUMBER", "Stuart's Draft 2");
  rs.update();

  // The renumber of one inlet and of the references to it, in one transaction.
  Transaction t(conn_);
  EXPECT_EQ(conn_.execute("UPDATE INLET SET ROADWAY = ? WHERE INLET_NUMBER = ?", {"It's", "Stuart's Draft 2"}), 1);
  EXPECT_EQ(conn_.execute("UPDATE INLET SET QCARRY = ? WHERE ROADWAY = ?", {"0.1", "It's"}), 1);
  t.commit();
  EXPECT_EQ(stored("SELECT * FROM INLET WHERE INLET_NUMBER LIKE 'Stuart%'"),
            std::vector<std::string>{"Stuart's Draft 2|It's|0.1|<null>"});
  EXPECT_TRUE(conn_.has_table("INLET"));
}

TEST_F(DbTest, AFileThatIsNotADatabaseFailsAndStaysUntouched) {
  const std::string header("SQLite format 3\0", 16);
  const std::string cases[] = {
      "",                                          // empty
      "PROJECT_ID,PROJECT_NAME\nP1,Stuart's Draft\n",  // text
      header + std::string(4096, '\x7f'),          // right header, nothing behind it
  };
  for (const std::string& content : cases) {
    for (Access access : {Access::ReadOnly, Access::ReadWrite}) {
      SCOPED_TRACE(content.size());
      const fs::path f = dir_ / "not.rvg";
      std::ofstream(f, std::ios::binary) << content;
      Connection c;
      EXPECT_EQ(failure_of([&] { c.open(f, access); }), ErrorKind::NotADatabase);
      EXPECT_FALSE(c.is_open());
      EXPECT_NE(c.last_error().find("not a database"), std::string::npos) << c.last_error();
      EXPECT_EQ(bytes_of(f), content);
      EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2);
      fs::remove(f);
    }
  }
  Connection c;
  EXPECT_EQ(failure_of([&] { c.open(dir_, Access::ReadOnly); }), ErrorKind::NotADatabase);
}

TEST_F(DbTest, AMissingFileFailsAndIsNotCreated) {
  const fs::path f = dir_ / "missing.rvg";
  for (Access access : {Access::ReadOnly, Access::ReadWrite}) {
    Connection c;
    try {
      c.open(f, access);
      ADD_FAILURE() << "opened a missing file";
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::FileNotFound);
      EXPECT_NE(e.description().find(f.string()), std::string::npos) << e.description();
    }
    EXPECT_FALSE(c.is_open());
    EXPECT_FALSE(fs::exists(f));
  }
  // A failed open closes what the connection had open before.
  conn_.open(file_, Access::ReadWrite);
  EXPECT_THROW(conn_.open(f, Access::ReadWrite), Error);
  EXPECT_FALSE(conn_.is_open());
  EXPECT_EQ(failure_of([&] { conn_.execute("DELETE FROM INLET"); }), ErrorKind::NotOpen);
}

TEST_F(DbTest, AReadOnlyConnectionRefusesEveryWrite) {
  const std::string before = bytes_of(file_);
  conn_.open(file_, Access::ReadOnly);
  EXPECT_EQ(failure_of([&] { conn_.execute("DELETE FROM INLET"); }), ErrorKind::ReadOnly);
  EXPECT_NE(conn_.last_error().find("reading only"), std::string::npos) << conn_.last_error();
  EXPECT_EQ(failure_of([&] { conn_.execute("ALTER TABLE PROJECT ADD NOAA_STATION TEXT(50)"); }), ErrorKind::ReadOnly);
  RecordSet rs;
  EXPECT_EQ(failure_of([&] { rs.open(conn_, kAllInlets, {}, RecordSet::Mode::Updatable); }), ErrorKind::ReadOnly);
  EXPECT_FALSE(rs.is_open());
  rs.open(conn_, kAllInlets);
  EXPECT_EQ(failure_of([&] { rs.set_value("ROADWAY", "X"); }), ErrorKind::ReadOnly);
  EXPECT_EQ(failure_of([&] { rs.add_new(); }), ErrorKind::ReadOnly);
  EXPECT_EQ(failure_of([&] { rs.delete_current(); }), ErrorKind::ReadOnly);
  conn_.close();
  EXPECT_EQ(bytes_of(file_), before);
}

TEST_F(DbTest, ATransactionThatFailsLeavesNothing) {
  conn_.open(file_, Access::ReadWrite);
  RecordSet rs;
  rs.open(conn_, kAllInlets, {}, RecordSet::Mode::Updatable);
  const auto before = stored("SELECT * FROM INLET ORDER BY INLET_NUMBER");
  try {
    Transaction t(conn_);
    conn_.execute("UPDATE INLET SET ROADWAY = ?", {"changed"});
    rs.set_value("QCARRY", "9");
    rs.update();
    conn_.execute("UPDATE INLET SET INLET_NUMBER = ? WHERE INLET_NUMBER = ?", {"b-1", "A-2"});  // taken
    t.commit();
    ADD_FAILURE() << "the duplicate key was accepted";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::Constraint);
  }
  EXPECT_EQ(stored("SELECT * FROM INLET ORDER BY INLET_NUMBER"), before);
  // The connection is usable afterwards, and a committed transaction stays.
  {
    Transaction t(conn_);
    conn_.execute("DELETE FROM INLET WHERE INLET_NUMBER = ?", {"B-1"});
    t.commit();
  }
  EXPECT_EQ(stored("SELECT count(*) FROM INLET"), std::vector<std::string>{"2"});
}

TEST_F(DbTest, AddingAColumnThatExistsIsToldApart) {
  conn_.open(file_, Access::ReadWrite);
  EXPECT_EQ(conn_.execute("UPDATE INLET SET QCARRY = ? WHERE ROADWAY = ?", {"1", "Route 1"}), 2);
  EXPECT_EQ(conn_.execute("ALTER TABLE PROJECT ADD NOAA_STATION TEXT(50)"), 0);
  EXPECT_EQ(conn_.columns("project"),
            (std::vector<std::string>{"PROJECT_ID", "PROJECT_NAME", "COUNTY", "UNITS", "PRODUCT_NAME",
                                      "MAJOR_RELEASE", "NOAA_STATION"}));
  try {
    conn_.execute("ALTER TABLE PROJECT ADD NOAA_STATION TEXT(50)");
    ADD_FAILURE() << "the column was added twice";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::ColumnExists);
    EXPECT_NE(e.description().find("NOAA_STATION already exists"), std::string::npos) << e.description();
  }
  EXPECT_EQ(failure_of([&] { conn_.execute("ALTER TABLE OLDPROJECT ADD NOAA_STATION TEXT(50)"); }),
            ErrorKind::General);
  EXPECT_TRUE(conn_.has_table("project"));
  EXPECT_FALSE(conn_.has_table("OLDPROJECT"));
  EXPECT_TRUE(conn_.columns("OLDPROJECT").empty());
}

TEST_F(DbTest, StatementsAndQueriesThatAreRefused) {
  conn_.open(file_, Access::ReadWrite);
  EXPECT_EQ(failure_of([&] { conn_.execute("DELETE FROM INLET WHERE INLET_NUMBER = 'A-1'; DROP TABLE INLET"); }),
            ErrorKind::General);
  EXPECT_EQ(failure_of([&] { conn_.execute("DELETE FROM INLET WHERE INLET_NUMBER = ?", {}); }), ErrorKind::General);
  EXPECT_EQ(stored("SELECT count(*) FROM INLET"), std::vector<std::string>{"3"});

  RecordSet rs;
  EXPECT_EQ(failure_of([&] { rs.open(conn_, "SELECT * FROM INLET, PROJECT", {}, RecordSet::Mode::Updatable); }),
            ErrorKind::General);
  EXPECT_EQ(failure_of([&] { rs.open(conn_, "SELECT DISTINCT ROADWAY FROM INLET", {}, RecordSet::Mode::Updatable); }),
            ErrorKind::General);
  rs.open(conn_, "SELECT INLET_NUMBER, ROADWAY || '!' AS SHOUT FROM INLET", {}, RecordSet::Mode::Updatable);
  EXPECT_EQ(rs.field_names(), (std::vector<std::string>{"INLET_NUMBER", "SHOUT"}));
  EXPECT_EQ(failure_of([&] { rs.set_value("SHOUT", "x"); }), ErrorKind::General);
  EXPECT_EQ(rs.edit_mode(), EditMode::None);
}

TEST_F(DbTest, ARecordSetOutlivesItsConnectionWithoutWriting) {
  const fs::path second = dir_ / "second.rvg";
  make_db(second, kSchema);
  const std::string second_before = bytes_of(second);
  conn_.open(file_, Access::ReadWrite);
  RecordSet rs;
  rs.open(conn_, kAllInlets, {}, RecordSet::Mode::Updatable);
  conn_.open(second, Access::ReadWrite);  // the first file is closed now
  EXPECT_EQ(rs.value("INLET_NUMBER"), Value("A-1"));
  rs.set_value("ROADWAY", "X");
  EXPECT_EQ(failure_of([&] { rs.update(); }), ErrorKind::NotOpen);
  EXPECT_EQ(failure_of([&] { rs.requery(); }), ErrorKind::NotOpen);
  conn_.close();
  EXPECT_EQ(bytes_of(second), second_before);
  EXPECT_EQ(stored("SELECT ROADWAY FROM INLET WHERE INLET_NUMBER = 'A-1'"), std::vector<std::string>{"Route 1"});
}

}  // namespace

// --- Binding of controls to fields ---------------------------------------------

#include "platform/db/binding.h"
#include "platform/ui/form.h"

namespace {
struct BoundForm : rg::ui::Form {
  BoundForm() : Form("frmBound", "Bound") {
    number = &add("Inlet_Number", rg::ui::ControlKind::TextBox);
    road = &add("RoadWay", rg::ui::ControlKind::TextBox);
    carry = &add("txtQc", rg::ui::ControlKind::TextBox);
    flag = &add("compute_Icheck", rg::ui::ControlKind::CheckBox);
    for (auto* c : {number, road, carry, flag}) {
      c->Change = [this, c] { changes.push_back(c->name()); };
    }
  }
  rg::ui::Control *number, *road, *carry, *flag;
  std::vector<std::string> changes;
};
}  // namespace

TEST_F(DbTest, BoundControlsFollowTheCursorWithoutChangeEventsAndEditsLandInTheRow) {
  conn_.open(file_, Access::ReadWrite);
  RecordSet rs;
  rs.open(conn_, kAllInlets, {}, RecordSet::Mode::Updatable);
  BoundForm f;
  Binding binding;
  binding.attach(rs, {{f.number, "INLET_NUMBER"}, {f.road, "ROADWAY"}, {f.carry, "QCARRY"}, {f.flag, "COMPUTE_I"}});
  EXPECT_EQ(f.number->text(), "A-1");
  EXPECT_EQ(f.carry->text(), "0.25");
  EXPECT_EQ(f.flag->value(), 1);
  rs.move_next();
  EXPECT_EQ(f.number->text(), "A-2");
  EXPECT_EQ(f.carry->text(), "") << "a Null field shows as an empty box";
  EXPECT_EQ(f.flag->value(), 0);
  EXPECT_TRUE(f.changes.empty()) << "filling from the record raises no Change";

  std::vector<Reason> will;
  rs.on_will_change_record([&](Reason r) { will.push_back(r); });
  f.carry->set_text("");  // unchanged: Null stays Null
  EXPECT_TRUE(will.empty());
  f.road->user_edit_text("Route 9");
  f.flag->user_click();
  EXPECT_EQ(will, std::vector<Reason>{Reason::FirstChange});
  rs.update();
  EXPECT_EQ(stored("SELECT * FROM INLET WHERE INLET_NUMBER = 'A-2'"),
            std::vector<std::string>{"A-2|Route 9|<null>|1"});

  // A new row blanks the boxes; what is typed lands in it; column order is kept.
  rs.add_new();
  EXPECT_EQ(f.number->text(), "");
  f.number->set_text("C-1");
  f.carry->set_text("0.5");
  rs.update();
  EXPECT_EQ(stored("SELECT * FROM INLET WHERE INLET_NUMBER = 'C-1'"), std::vector<std::string>{"C-1|<null>|0.5|<null>"});

  // Let go, the boxes keep their text and no longer write.
  binding.clear();
  rs.move_first();
  EXPECT_EQ(f.number->text(), "C-1");
  f.road->set_text("not stored");
  EXPECT_EQ(rs.edit_mode(), EditMode::None);
}

TEST_F(DbTest, BindingToAFieldTheSetLacksFails) {
  conn_.open(file_, Access::ReadWrite);
  RecordSet rs;
  rs.open(conn_, "SELECT * FROM PROJECT", {}, RecordSet::Mode::Updatable);
  BoundForm f;
  Binding binding;
  EXPECT_EQ(failure_of([&] { binding.attach(rs, {{f.number, "PROJECT_ID"}, {f.road, "NOAA_STATION"}}); }),
            ErrorKind::UnknownField);
}

TEST_F(DbTest, ADataComboListsOneFieldOfEveryRowOfItsRowSource) {
  conn_.open(file_, Access::ReadOnly);
  RecordSet rs;
  rs.open(conn_, kAllInlets);
  rs.move_last();
  BoundForm f;
  fill_list(*f.road, &rs, "INLET_NUMBER");
  EXPECT_EQ(f.road->items(), (std::vector<std::string>{"A-1", "A-2", "B-1"}));
  EXPECT_EQ(rs.value(0), Value("A-1")) << "the row source is left at its first row";
  fill_list(*f.road, nullptr, "INLET_NUMBER");
  EXPECT_TRUE(f.road->items().empty());
}
