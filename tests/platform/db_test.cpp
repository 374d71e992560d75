// The record layer on a file SQLite itself made: what it refuses, the cursor,
// changes sent row by row, events, transactions and controls bound to fields.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/db/binding.h"
#include "platform/db/connection.h"
#include "platform/db/record_set.h"
#include "platform/ui/form.h"
#include "support/scratch_dir.h"
#include "support/sqlite_rows.h"

namespace fs = std::filesystem;
using namespace rg::db;
using Rows = std::vector<std::string>;

namespace {

constexpr const char* kSchema = R"(
  CREATE TABLE PROJECT (PROJECT_ID TEXT, PROJECT_NAME TEXT, COUNTY TEXT, UNITS TEXT,
    PRODUCT_NAME TEXT(20) DEFAULT 'RAVELGRIT', MAJOR_RELEASE TEXT(10));
  CREATE TABLE INLET (INLET_NUMBER TEXT COLLATE NOCASE, ROADWAY TEXT, QCARRY TEXT, COMPUTE_I INTEGER);
  CREATE UNIQUE INDEX INLET_KEY ON INLET (INLET_NUMBER);
  INSERT INTO INLET VALUES ('A-1', 'Route 1', '0.25', 1), ('A-2', 'Route 1', NULL, 0), ('B-1', 'Elm', '', 1);
)";
constexpr const char* kAllInlets = "SELECT * FROM INLET ORDER BY INLET_NUMBER";
constexpr auto kUpdatable = RecordSet::Mode::Updatable;

// The error an action throws, whole.
template <class F>
std::optional<Error> failure(F&& f) {
  try {
    f();
  } catch (const Error& e) {
    return e;
  }
  return std::nullopt;
}
template <class F>
std::optional<ErrorKind> failure_of(F&& f) {
  const auto e = failure(f);
  return e ? std::optional(e->kind()) : std::nullopt;
}

struct BoundForm : rg::ui::Form {
  BoundForm() : Form("frmBound", "Bound") {
    number = &add("Inlet_Number", rg::ui::ControlKind::TextBox);
    road = &add("RoadWay", rg::ui::ControlKind::TextBox);
    carry = &add("txtQc", rg::ui::ControlKind::TextBox);
    flag = &add("compute_Icheck", rg::ui::ControlKind::CheckBox);
    for (auto* c : {number, road, carry, flag}) c->Change = [this, c] { changes.push_back(c->name()); };
  }
  rg::ui::Control *number, *road, *carry, *flag;
  std::vector<std::string> changes;
};

class DbTest : public rg::test::ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    file_ = dir / "project.rvg";
    rg::test::run_sql(file_, kSchema);  // made by SQLite itself: the layer never creates a file
  }

  // The rows as SQLite itself reads them.
  Rows stored(const std::string& sql) const { return rg::test::query_rows(file_, sql); }
  // The file open, and the set of every inlet, at its first row.
  void open_inlets(Access access = Access::ReadWrite, RecordSet::Mode mode = kUpdatable) {
    conn_.open(file_, access);
    rs_.open(conn_, kAllInlets, {}, mode);
  }
  // Another writer of the same file.
  void write_elsewhere(const std::string& sql, std::vector<Value> parameters = {}) const {
    Connection other;
    other.open(file_, Access::ReadWrite);
    other.execute(sql, parameters);
  }

  fs::path file_;
  Connection conn_;
  RecordSet rs_;
};

// Every refused operation: the kind callers branch on, a description that says
// why (naming the file where it is the file's fault), and nothing changed on
// disk, no file made.
TEST_F(DbTest, RefusedOperationsSayWhyAndChangeNothing) {
  using F = std::function<void()>;
  const F rw = [&] { conn_.open(file_, Access::ReadWrite); };
  const F ro = [&] { conn_.open(file_, Access::ReadOnly); };
  const auto query = [&](const char* sql) -> F { return [=, this] { ro(), rs_.open(conn_, sql); }; };
  const auto edit = [&](const char* sql) -> F { return [=, this] { rw(), rs_.open(conn_, sql, {}, kUpdatable); }; };
  const auto open_set = [&](const char* sql) -> F { return [=, this] { rs_.open(conn_, sql, {}, kUpdatable); }; };
  // Every inlet, keyed by its number, which another writer then changes.
  const auto renumbered = [&](F also) -> F {
    return [=, this] {
      rw(), rs_.open(conn_, kAllInlets, {}, kUpdatable, {"INLET_NUMBER"}), also();
      write_elsewhere("UPDATE INLET SET INLET_NUMBER = 'A-9' WHERE INLET_NUMBER = 'A-1'");
    };
  };
  const auto exec = [&](const char* sql) -> F { return [=, this] { conn_.execute(sql); }; };
  const auto then = [](F first, F second) -> F { return [=] { first(), second(); }; };
  Connection other;  // another program holding the file
  const auto content = [&](std::string bytes) -> F { return [=, this] { rg::test::write_file(file_, bytes); }; };
  const F none = [] {};
  using K = ErrorKind;
  const struct {
    const char* what;
    F set_up, act;
    ErrorKind kind;
    std::string says;  // "<file>" stands for the file's path
  } cases[] = {
      {"missing", none, [&] { conn_.open(dir / "gone.rvg", Access::ReadWrite); }, K::FileNotFound, "gone.rvg\""},
      {"empty file", content(""), rw, K::NotADatabase, "<file>\" is not a database"},
      {"header only", content(std::string("SQLite format 3\0", 16) + std::string(4096, '\x7f')), rw, K::NotADatabase,
       "not a database"},
      {"folder", none, [&] { conn_.open(dir, Access::ReadOnly); }, K::NotADatabase, "is a folder"},
      {"failed open closes", then(rw, [&] { (void)failure([&] { conn_.open(dir / "x", Access::ReadWrite); }); }),
       exec("DELETE FROM INLET"), K::NotOpen, "not open"},
      {"read-only delete", ro, exec("DELETE FROM INLET"), K::ReadOnly, "<file>\" is open for reading only"},
      {"query edit", query(kAllInlets), [&] { rs_.set_value("ROADWAY", "X"); }, K::ReadOnly, "set is read-only"},
      {"locked", [&] { other.open(file_, Access::ReadWrite), other.execute("BEGIN EXCLUSIVE"); }, ro, K::Locked,
       "<file>\" is being used by another program"},
      {"empty first", query("SELECT * FROM PROJECT"), [&] { rs_.move_first(); }, K::NoCurrentRecord, "no current"},
      {"empty last", query("SELECT * FROM PROJECT"), [&] { rs_.move_last(); }, K::NoCurrentRecord, "no current"},
      {"after EOF", then(query(kAllInlets), [&] { rs_.move_last(), rs_.move_next(); }), [&] { rs_.move_next(); },
       K::NoCurrentRecord, ""},
      {"field at EOF", then(query(kAllInlets), [&] { rs_.find("ROADWAY", "Oak"); }), [&] { (void)rs_.value(0); },
       K::NoCurrentRecord, "no current"},
      {"find field", query(kAllInlets), [&] { rs_.find("NOPE", "x"); }, K::UnknownField, "no field named NOPE"},
      {"query field", ro, exec("SELECT NOPE FROM INLET"), K::UnknownField, "<file>\" has no field NOPE in table INLET"},
      {"joined field", ro, exec("SELECT i.NOPE FROM \"INLET\" i, PROJECT JOIN INLET ON 1 WHERE 'FROM X'"),
       K::UnknownField, "has no field NOPE in the tables INLET and PROJECT."},
      {"inserted field", rw, exec("INSERT INTO INLET (NOPE) VALUES (1)"), K::UnknownField, "NOPE in table INLET"},
      {"table", rw, exec("ALTER TABLE OLDPROJECT ADD NOAA_STATION TEXT(50)"), K::UnknownTable,
       "<file>\" has no table OLDPROJECT."},
      {"column twice", rw, exec("ALTER TABLE PROJECT ADD MAJOR_RELEASE TEXT(10)"), K::ColumnExists,
       "The field MAJOR_RELEASE already exists in table PROJECT."},
      {"duplicate key", rw, exec("UPDATE INLET SET INLET_NUMBER = 'b-1' WHERE INLET_NUMBER = 'A-2'"), K::Constraint,
       "Table INLET already has a record with this INLET_NUMBER."},
      {"two statements", rw, exec("DELETE FROM INLET; DROP TABLE INLET"), K::General, "more than one statement"},
      {"parameters", rw, exec("DELETE FROM INLET WHERE INLET_NUMBER = ?"), K::General, "takes 1 parameters"},
      {"join for changes", rw, open_set("SELECT * FROM INLET, PROJECT"), K::General, "single table"},
      {"distinct for changes", rw, open_set("SELECT DISTINCT ROADWAY FROM INLET"), K::General, "single table"},
      {"fault for changes", rw, open_set("SELECT * FROM INLET WHERE NOPE"), K::UnknownField, "no field NOPE"},
      {"statement for a set", rw, [&] { rs_.open(conn_, "DELETE FROM INLET"); }, K::General, "needs a query"},
      {"computed field", edit("SELECT INLET_NUMBER, ROADWAY || '!' AS SHOUT FROM INLET"),
       [&] { rs_.set_value("SHOUT", "x"); }, K::General, "computed"},
      {"conflict", then(edit(kAllInlets), [&] {
         rs_.set_value("ROADWAY", "Oak");
         write_elsewhere("UPDATE INLET SET ROADWAY = 'Pine' WHERE INLET_NUMBER = 'A-1'");
       }), [&] { rs_.update(); }, K::Conflict, "changed or deleted by someone else"},
      {"renumbered", renumbered([&] { rs_.set_value("ROADWAY", "Oak"); }), [&] { rs_.update(); }, K::Conflict,
       "changed or deleted by someone else"},
      {"renumbered, unchanged", renumbered(none), [&] { rs_.update(); }, K::Conflict, "changed or deleted"},
      {"key field", rw, [&] { rs_.open(conn_, kAllInlets, {}, kUpdatable, {"NOPE"}); }, K::UnknownField,
       "no field named NOPE"},
      {"closed connection", then(edit(kAllInlets), [&] { rs_.set_value("ROADWAY", "X"), conn_.close(); }),
       [&] { rs_.update(); }, K::NotOpen, "not open"},
  };
  const auto let_go = [&] { rs_.close(), conn_.close(), other.close(); };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    let_go();
    fs::remove(file_);
    rg::test::run_sql(file_, kSchema);
    c.set_up();
    const std::string before = rg::test::bytes_of(file_);
    const auto files_before = files();
    const auto e = failure(c.act);
    ASSERT_TRUE(e) << "not refused";
    std::string says = c.says;
    if (const auto at = says.find("<file>"); at != std::string::npos) says.replace(at, 6, file_.string());
    EXPECT_EQ(e->kind(), c.kind);
    EXPECT_NE(e->description().find(says), std::string::npos) << e->description();
    EXPECT_EQ(conn_.last_error(), e->description());
    let_go();
    EXPECT_EQ(rg::test::bytes_of(file_), before);
    EXPECT_EQ(files(), files_before);
  }
}

TEST_F(DbTest, AFileThatCannotBeWrittenOpensReadOnlyAndRefusesSaves) {
  EXPECT_FALSE(conn_.can_write());
  conn_.open(file_, Access::ReadOnly);
  EXPECT_FALSE(conn_.can_write());
  conn_.open(file_, Access::ReadWrite);
  EXPECT_TRUE(conn_.can_write());
  conn_.close();
  fs::permissions(file_, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  // What a user who cannot write the file meets; "" when all is as it should be.
  auto refused = [this]() -> std::string {
    open_inlets();
    if (conn_.can_write() || rs_.value("ROADWAY") != Value("Route 1")) return "not opened to be read only";
    rs_.set_value("ROADWAY", "X");
    const auto e = failure([&] { rs_.update(); });
    const std::string why = "The file \"" + file_.string() + "\" cannot be written, because the file or its folder "
                            "is read-only.";
    if (!e || e->kind() != ErrorKind::ReadOnly || e->description() != why) return "not refused as read-only";
    return rs_.edit_mode() == EditMode::InProgress ? "" : "the edit is not kept to be saved elsewhere";
  };
  if (::access(file_.c_str(), W_OK) != 0) {
    EXPECT_EQ(refused(), "");
    return;
  }
  // Root writes read-only files: the check runs as an unprivileged user.
  EXPECT_EXIT(
      {
        const std::string problem = ::setgid(65534) != 0 || ::setuid(65534) != 0 ? "still root" : refused();
        std::fprintf(stderr, "%s", problem.c_str());
        std::exit(problem.empty() ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(DbTest, TheLibraryCanTellWhereAResultColumnComesFrom) { EXPECT_EQ(library_problem(), std::nullopt); }

TEST_F(DbTest, AddNewStoresOnlyOnUpdateWithColumnDefaults) {
  open_inlets();
  rs_.move_next();
  rs_.add_new();
  EXPECT_EQ(rs_.record_count(), 4);
  rs_.set_value("INLET_NUMBER", "C-9");
  rs_.cancel_update();
  EXPECT_EQ(rs_.record_count(), 3);
  EXPECT_EQ(rs_.value("INLET_NUMBER"), Value("A-2"));
  EXPECT_EQ(stored("SELECT count(*) FROM INLET"), Rows{"3"});

  rs_.open(conn_, "SELECT * from PROJECT Order by PROJECT_ID", {}, kUpdatable);
  rs_.add_new();
  rs_.set_value("PROJECT_ID", "P1");
  rs_.set_value("project_name", "Stuart's Draft");  // field names ignore letter case
  rs_.update();
  EXPECT_EQ(rs_.value("PRODUCT_NAME"), Value("RAVELGRIT"));  // read back as stored
  // A field assigned Null is written as Null: only unassigned fields take the default.
  rs_.add_new();
  rs_.set_value("PROJECT_ID", "P2");
  rs_.set_value("PRODUCT_NAME", Value());
  rs_.update();
  EXPECT_EQ(stored("SELECT * FROM PROJECT ORDER BY PROJECT_ID"),
            (Rows{"P1|Stuart's Draft|<null>|<null>|RAVELGRIT|<null>", "P2|<null>|<null>|<null>|<null>|<null>"}));
}

// Null and empty text stay apart, read and written.
TEST_F(DbTest, WritesSendOnlyChangedFieldsWhenTheCursorMovesNullApartFromEmptyAndKeepWhatFailed) {
  open_inlets();
  EXPECT_EQ(rs_.value(3), Value(1));
  rs_.set_value("ROADWAY", "Main St");
  write_elsewhere("UPDATE INLET SET QCARRY = '0.5' WHERE INLET_NUMBER = 'A-1'");
  rs_.move_next();
  EXPECT_EQ(rs_.edit_mode(), EditMode::None);
  EXPECT_EQ(stored(kAllInlets)[0], "A-1|Main St|0.5|1");
  EXPECT_TRUE(rs_.value("QCARRY").is_null());
  rs_.set_value("QCARRY", "");  // A-2
  rs_.move_next();
  EXPECT_EQ(rs_.value("QCARRY"), Value(""));
  rs_.set_value("QCARRY", Value());  // B-1
  rs_.add_new();
  EXPECT_EQ(stored("SELECT QCARRY FROM INLET ORDER BY INLET_NUMBER"), (Rows{"0.5", "", "<null>"}));
  rs_.set_value("INLET_NUMBER", "a-1");  // the key ignores letter case
  EXPECT_EQ(failure_of([&] { rs_.move_first(); }), ErrorKind::Constraint);
  EXPECT_EQ(rs_.edit_mode(), EditMode::Add);
  EXPECT_EQ(rs_.value("INLET_NUMBER"), Value("a-1"));
}

TEST_F(DbTest, FindSearchesForwardIgnoringLetterCaseAndRequeryKeepsTheParameters) {
  open_inlets(Access::ReadOnly, RecordSet::Mode::ReadOnly);
  struct Case {
    const char* field;
    Value wanted;
    bool first;            // start from the first row
    const char* lands_on;  // nullptr: not found, at EOF
  };
  const Case cases[] = {
      {"INLET_NUMBER", "a-2", true, "A-2"},   {"inlet_number", "B-1", false, "B-1"},
      {"INLET_NUMBER", "A-1", false, nullptr},  // behind the current row
      {"ROADWAY", "route 1", false, nullptr},   // from EOF nothing is left
      {"QCARRY", Value(), true, "A-2"},       {"QCARRY", "", true, "B-1"},
      {"COMPUTE_I", 0, true, "A-2"},          {"COMPUTE_I", "1", true, "A-1"},
      {"ROADWAY", "ELM", true, "B-1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.field) + " = " + c.wanted.text());
    if (c.first) rs_.move_first();
    EXPECT_EQ(rs_.find(c.field, c.wanted), c.lands_on != nullptr);
    if (c.lands_on) EXPECT_EQ(rs_.value("INLET_NUMBER"), Value(c.lands_on));
    else EXPECT_TRUE(rs_.eof());
  }
  rs_.open(conn_, "SELECT * FROM INLET WHERE ROADWAY = ? ORDER BY INLET_NUMBER", {"Route 1"});
  write_elsewhere("INSERT INTO INLET (INLET_NUMBER, ROADWAY) VALUES (?, ?), (?, ?)", {"A-0", "Route 1", "Z", "Elm"});
  rs_.move_last();
  rs_.requery();
  EXPECT_EQ(rs_.record_count(), 3);
  EXPECT_EQ(rs_.value("INLET_NUMBER"), Value("A-0"));
  rs_.open(conn_, "SELECT * FROM PROJECT");
  EXPECT_FALSE(rs_.find("PROJECT_ID", "P1"));
}

// The forms mark a record changed on "will change" with these reasons, and the
// bound controls fill again on every "move complete".
TEST_F(DbTest, EventsComeWithTheirReasonsInOrder) {
  conn_.open(file_, Access::ReadWrite);
  Rows log;
  rs_.on_move_complete([&](Reason r) { log.push_back("move " + std::to_string(static_cast<int>(r))); });
  rs_.on_will_change_record([&](Reason r) { log.push_back("will " + std::to_string(static_cast<int>(r))); });
  const auto next = [&](auto&& action) { return log.clear(), action(), log; };
  EXPECT_EQ(next([&] { rs_.open(conn_, kAllInlets, {}, kUpdatable); }), Rows{"move 10"});
  EXPECT_EQ(next([&] { rs_.set_value("ROADWAY", "X"); }), Rows{"will 11"});
  EXPECT_EQ(next([&] { rs_.set_value("QCARRY", "1"); }), Rows{});
  EXPECT_EQ(next([&] { rs_.move_next(); }), (Rows{"will 3", "move 13"}));
  EXPECT_EQ(next([&] { rs_.set_value("ROADWAY", "Route 1"); }), Rows{});  // the value it holds
  EXPECT_EQ(next([&] { rs_.add_new(); }), (Rows{"will 1", "move 1"}));
  EXPECT_EQ(next([&] { rs_.set_value("INLET_NUMBER", "C-1"); }), Rows{"will 11"});  // first change of the new row
  EXPECT_EQ(next([&] { rs_.set_value("ROADWAY", "C"); }), Rows{});
  EXPECT_EQ(next([&] { rs_.cancel_update(); }), (Rows{"will 5", "move 5"}));
  EXPECT_EQ(next([&] { rs_.find("INLET_NUMBER", "b-1"); }), Rows{"move 10"});
  EXPECT_EQ(next([&] { rs_.requery(); }), Rows{"move 7"});
  EXPECT_EQ(next([&] { rs_.set_value("ROADWAY", "Y"); }), Rows{"will 11"});
  EXPECT_EQ(next([&] { rs_.update(); }), Rows{"will 3"});
  EXPECT_EQ(next([&] { rs_.set_value("ROADWAY", "Z"); }), Rows{"will 11"});  // first change since sent
  EXPECT_EQ(next([&] { rs_.cancel_update(); }), Rows{"will 4"});
  EXPECT_EQ(rs_.value("ROADWAY"), Value("Y")) << "the edit is undone";
  EXPECT_EQ(next([&] { rs_.move_last(); }), Rows{"move 15"});
}

TEST_F(DbTest, ValuesWithQuotesTravelAsParameters) {
  conn_.open(file_, Access::ReadWrite);
  const std::string road = "O'Hara \"Rd\"'; DROP TABLE INLET; --";
  EXPECT_EQ(conn_.execute("INSERT INTO INLET (INLET_NUMBER, ROADWAY) VALUES (?, ?)", {"Stuart's Draft", road}), 1);
  rs_.open(conn_, "SELECT * FROM INLET WHERE INLET_NUMBER = ?", {"stuart's draft"}, kUpdatable);
  EXPECT_EQ(rs_.value("ROADWAY"), Value(road));  // on the one row found
  rs_.set_value("INLET_NUMBER", "Stuart's Draft 2");
  rs_.update();
  EXPECT_EQ(stored("SELECT INLET_NUMBER FROM INLET WHERE ROADWAY LIKE 'O''Hara%'"), Rows{"Stuart's Draft 2"});
  EXPECT_EQ(conn_.execute("UPDATE INLET SET QCARRY = ? WHERE ROADWAY = ?", {"1", "Route 1"}), 2);
  EXPECT_EQ(conn_.execute("ALTER TABLE PROJECT ADD NOAA_STATION TEXT(50)"), 0);
  EXPECT_EQ(conn_.columns("project").back(), "NOAA_STATION");
  EXPECT_TRUE(conn_.has_table("project") && !conn_.has_table("OLDPROJECT"));
}

TEST_F(DbTest, TransactionsNestAsSavepoints) {
  open_inlets();
  const auto roads = [&] { return stored("SELECT ROADWAY FROM INLET ORDER BY INLET_NUMBER"); };
  {
    Transaction outer(conn_);
    conn_.execute("UPDATE INLET SET ROADWAY = 'outer' WHERE INLET_NUMBER = 'A-1'");
    {
      Transaction inner(conn_);
      conn_.execute("UPDATE INLET SET ROADWAY = 'undone' WHERE INLET_NUMBER = 'A-2'");
      EXPECT_THROW(conn_.execute("UPDATE INLET SET INLET_NUMBER = 'b-1' WHERE INLET_NUMBER = 'A-2'"), Error);
    }  // left without commit: its part alone is undone
    {
      Transaction inner(conn_);
      rs_.move_last();
      rs_.set_value("ROADWAY", "inner");
      rs_.update();
      EXPECT_EQ(failure_of([&] { outer.commit(); }), ErrorKind::General) << "the inner one is still open";
      inner.commit();
    }
    outer.commit();
  }
  EXPECT_EQ(roads(), (Rows{"outer", "Route 1", "inner"}));

  // Rolling the outer one back undoes what committed inner ones did.
  {
    Transaction outer(conn_);
    conn_.execute("UPDATE INLET SET ROADWAY = 'gone'");
    Transaction inner(conn_);
    conn_.execute("DELETE FROM INLET WHERE INLET_NUMBER = 'A-1'");
    inner.commit();
  }
  EXPECT_EQ(roads(), (Rows{"outer", "Route 1", "inner"}));
}

TEST_F(DbTest, BoundControlsFollowTheCursorEditsLandInTheRowAFailedAttachTiesNothingAndADataComboListsAField) {
  open_inlets();
  BoundForm f;
  Binding binding;
  binding.attach(rs_, {{f.number, "INLET_NUMBER"}, {f.road, "ROADWAY"}, {f.carry, "QCARRY"}, {f.flag, "COMPUTE_I"}});
  EXPECT_EQ(f.carry->text(), "0.25");
  rs_.move_next();
  EXPECT_EQ(f.number->text(), "A-2");
  EXPECT_EQ(f.carry->text(), "") << "a Null field shows as an empty box";
  EXPECT_EQ(f.flag->value(), 0);
  EXPECT_TRUE(f.changes.empty()) << "filling from the record raises no Change";
  f.carry->set_text("");  // unchanged: Null stays Null
  f.road->user_edit_text("Route 9");
  f.flag->user_click();
  rs_.update();
  EXPECT_EQ(stored("SELECT * FROM INLET WHERE INLET_NUMBER = 'A-2'"), Rows{"A-2|Route 9|<null>|1"});

  // A new row blanks the boxes and what is typed lands in it.
  rs_.add_new();
  EXPECT_EQ(f.number->text(), "");
  f.number->set_text("C-1");
  f.carry->set_text("0.5");
  rs_.update();
  EXPECT_EQ(stored("SELECT * FROM INLET WHERE INLET_NUMBER = 'C-1'"), Rows{"C-1|<null>|0.5|<null>"});

  // An attach that fails lets the earlier one go and ties nothing: the boxes keep
  // their text, and neither fill nor write.
  EXPECT_EQ(failure_of([&] { binding.attach(rs_, {{f.number, "INLET_NUMBER"}, {f.road, "NOAA_STATION"}}); }),
            ErrorKind::UnknownField);
  rs_.move_first();
  EXPECT_EQ(f.number->text(), "C-1");
  f.road->user_edit_text("not stored");
  f.carry->user_edit_text("9");
  EXPECT_EQ(rs_.edit_mode(), EditMode::None);

  // A data combo lists one field of every row of its row source.
  rs_.move_last();
  fill_list(*f.road, &rs_, "INLET_NUMBER");
  EXPECT_EQ(f.road->items(), (Rows{"A-1", "A-2", "B-1", "C-1"}));
  EXPECT_EQ(rs_.value(0), Value("A-1")) << "the row source is left at its first row";
  fill_list(*f.road, nullptr, "INLET_NUMBER");
  EXPECT_TRUE(f.road->items().empty());
}

}  // namespace
