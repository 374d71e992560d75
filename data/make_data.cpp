// Writes the database files that ship beside the program: the project template
// and the three rainfall files.
//
//   rg_make_data <source folder> <output folder>
//
// The source folder holds the template's schema script and the place lists; the
// rainfall tables take their columns from the model's return periods. The station
// names come from the program's own list, so the rainfall file cannot drift from
// what the upgrade dialog offers. Each file is written under a temporary name and
// renamed when complete, so a failed run never leaves a half-written file behind.

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/noaa_stations.h"
#include "app/product.h"
#include "platform/text/number_text.h"
#include "rainfall_model.h"

namespace fs = std::filesystem;

namespace {

using rg::data::Location;

struct Place {
  std::string name;
  Location where;
};

std::runtime_error failure(const std::string& what) { return std::runtime_error(what); }

std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw failure("cannot read " + path.string());
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Lines "name|latitude|longitude"; the name is everything before the last two
// separators, blanks included. Blank lines and lines starting with '#' are notes.
std::vector<Place> read_places(const fs::path& path) {
  std::istringstream lines(read_file(path));
  std::vector<Place> places;
  std::set<std::string> seen;
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line.front() == '#') continue;
    const std::string where = path.filename().string() + ":" + std::to_string(number);
    const auto second = line.rfind('|');
    const auto first = second == std::string::npos || second == 0 ? std::string::npos
                                                                    : line.rfind('|', second - 1);
    if (first == std::string::npos || first == 0) {
      throw failure(where + ": expected name|latitude|longitude");
    }
    const auto latitude = rg::text::parse_number(std::string_view(line).substr(first + 1, second - first - 1));
    const auto longitude = rg::text::parse_number(std::string_view(line).substr(second + 1));
    // Every place lies in Virginia; a coordinate outside it is a typing error
    // (a lost minus sign, swapped columns).
    if (!latitude || !longitude || *latitude < 36.5 || *latitude > 39.5 || *longitude < -83.7 ||
        *longitude > -75.2) {
      throw failure(where + ": latitude and longitude must be numbers inside Virginia");
    }
    Place place{line.substr(0, first), {*latitude, *longitude}};
    if (!seen.insert(place.name).second) throw failure(where + ": \"" + place.name + "\" appears twice");
    places.push_back(std::move(place));
  }
  return places;
}

// The stations in the program's list order, each with its coordinates. Every
// listed name needs coordinates, and every coordinate row must name a listed station.
std::vector<Place> stations_in_list_order(const std::vector<Place>& located) {
  std::map<std::string, Location> by_name;
  for (const auto& p : located) by_name.emplace(p.name, p.where);
  const auto& names = rg::app::noaa_station_names();
  std::vector<Place> stations;
  std::vector<std::string> problems;
  for (const auto& name : names) {
    const auto found = by_name.find(name);
    if (found == by_name.end()) {
      problems.push_back("station \"" + name + "\" has no coordinates");
    } else {
      stations.push_back({name, found->second});
    }
  }
  const std::set<std::string> listed(names.begin(), names.end());
  for (const auto& p : located) {
    if (!listed.count(p.name)) problems.push_back("coordinates for \"" + p.name + "\", which is no listed station");
  }
  if (!problems.empty()) {
    std::string all;
    for (const auto& problem : problems) all += "\n  " + problem;
    throw failure("station coordinates do not match the station list:" + all);
  }
  return stations;
}

class Database {
 public:
  explicit Database(const fs::path& path) {
    if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
      const std::string why = db_ ? sqlite3_errmsg(db_) : "out of memory";
      sqlite3_close(db_);
      throw failure("cannot create " + path.string() + ": " + why);
    }
  }
  ~Database() { sqlite3_close(db_); }
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  void exec(const std::string& sql) {
    char* message = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
      const std::string why = message ? message : sqlite3_errmsg(db_);
      sqlite3_free(message);
      throw failure(why);
    }
  }

  sqlite3* handle() { return db_; }

 private:
  sqlite3* db_ = nullptr;
};

// One prepared INSERT, run once per row with the values bound in column order.
class Insert {
 public:
  Insert(Database& db, const std::string& table, const std::vector<std::string>& columns) : db_(db) {
    std::string names;
    std::string marks;
    for (const auto& c : columns) {
      names += (names.empty() ? "" : ", ") + c;
      marks += marks.empty() ? "?" : ", ?";
    }
    const std::string sql = "INSERT INTO " + table + " (" + names + ") VALUES (" + marks + ")";
    if (sqlite3_prepare_v2(db.handle(), sql.c_str(), -1, &stmt_, nullptr) != SQLITE_OK) {
      throw failure(sql + ": " + sqlite3_errmsg(db.handle()));
    }
  }
  ~Insert() { sqlite3_finalize(stmt_); }
  Insert(const Insert&) = delete;
  Insert& operator=(const Insert&) = delete;

  Insert& text(const std::string& value) {
    check(sqlite3_bind_text(stmt_, ++bound_, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT));
    return *this;
  }
  Insert& integer(int value) {
    check(sqlite3_bind_int(stmt_, ++bound_, value));
    return *this;
  }
  Insert& real(double value) {
    check(sqlite3_bind_double(stmt_, ++bound_, value));
    return *this;
  }
  void row() {
    check(sqlite3_step(stmt_) == SQLITE_DONE ? SQLITE_OK : SQLITE_ERROR);
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
    bound_ = 0;
  }

 private:
  void check(int rc) {
    if (rc != SQLITE_OK) throw failure(sqlite3_errmsg(db_.handle()));
  }
  Database& db_;
  sqlite3_stmt* stmt_ = nullptr;
  int bound_ = 0;
};

// Builds the file under a temporary name and puts it in place only when complete.
void write_database(const fs::path& target, const std::function<void(Database&)>& fill) {
  fs::path temporary = target;
  temporary += ".tmp";
  fs::path journal = temporary;
  journal += "-journal";
  // A journal left by an interrupted run would be replayed into the new file.
  fs::remove(temporary);
  fs::remove(journal);
  try {
    {
      Database db(temporary);
      db.exec("BEGIN");
      fill(db);
      db.exec("COMMIT");
    }
    fs::rename(temporary, target);
  } catch (const std::exception& e) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    fs::remove(journal, ignored);
    throw failure(target.filename().string() + ": " + e.what());
  }
}

// The coefficient columns "YEAR<n><letter>" of every return period, in table order.
std::vector<std::string> coefficient_columns(const auto& periods, const std::string& letters) {
  std::vector<std::string> columns;
  for (int years : periods) {
    for (char letter : letters) columns.push_back("YEAR" + std::to_string(years) + letter);
  }
  return columns;
}

// Names compare and sort without regard to letter case, so the station box lists
// the stations in the order of the upgrade dialog's list.
const std::string name_column_type = "TEXT NOT NULL UNIQUE COLLATE NOCASE";

// Creates a rainfall table: its leading columns ("NAME TYPE"), then a REAL column
// per coefficient. Coefficients give the intensity in in/hr for a Tc in minutes.
void create_table(Database& db, const std::string& table, const std::vector<std::string>& leading,
                  const std::vector<std::string>& coefficients) {
  std::string sql = "CREATE TABLE " + table + " (";
  for (const auto& column : leading) sql += "\n  " + column + ",";
  for (const auto& column : coefficients) sql += "\n  " + column + " REAL,";
  sql.back() = '\n';
  db.exec(sql + ")");
}

// STORMDATA, keyed by a station or a county: I = YEARnB / (Tc + YEARnD)^YEARnE.
void add_storm_table(Database& db, const std::string& key, const std::vector<Place>& places) {
  const auto coefficients = coefficient_columns(rg::data::storm_return_periods, "BDE");
  create_table(db, "STORMDATA", {key + " " + name_column_type}, coefficients);
  auto columns = coefficients;
  columns.insert(columns.begin(), key);
  Insert insert(db, "STORMDATA", columns);
  for (const auto& place : places) {
    insert.text(place.name);
    for (int years : rg::data::storm_return_periods) {
      const auto curve = rg::data::storm_curve(place.where, years);
      insert.real(curve.b).real(curve.d).real(curve.e);
    }
    insert.row();
  }
}

// VARAINFALL of the older county file: I = YEARnA / (Tc + YEARnB), no 5-year
// storm; COUNTY_NO numbers the counties in the order given (alphabetical).
void add_older_county_table(Database& db, const std::vector<Place>& counties) {
  const auto coefficients = coefficient_columns(rg::data::county_return_periods, "AB");
  create_table(db, "VARAINFALL", {"COUNTY_NO INTEGER NOT NULL UNIQUE", "COUNTY_NAME " + name_column_type},
               coefficients);
  auto columns = coefficients;
  columns.insert(columns.begin(), {"COUNTY_NO", "COUNTY_NAME"});
  Insert insert(db, "VARAINFALL", columns);
  int number = 0;
  for (const auto& c : counties) {
    insert.integer(++number).text(c.name);
    for (int years : rg::data::county_return_periods) {
      const auto curve = rg::data::county_curve(c.where, years);
      insert.real(curve.a).real(curve.b);
    }
    insert.row();
  }
}

bool before_ignoring_case(const Place& a, const Place& b) {
  return std::lexicographical_compare(a.name.begin(), a.name.end(), b.name.begin(), b.name.end(),
                                      [](unsigned char x, unsigned char y) {
                                        return std::tolower(x) < std::tolower(y);
                                      });
}

void make_all(const fs::path& source, const fs::path& output) {
  auto counties = read_places(source / "counties.txt");
  std::sort(counties.begin(), counties.end(), before_ignoring_case);
  const auto stations = stations_in_list_order(read_places(source / "stations.txt"));
  fs::create_directories(output);

  write_database(output / "Tovrel21.rdb", [&](Database& db) {
    std::string sql = read_file(source / "template.sql");
    const std::string marker = "@PRODUCT_NAME@";
    sql.replace(sql.find(marker), marker.size(), rg::app::kProductName);
    db.exec(sql);
  });

  // The file of current projects: the county list and the stations' storm data.
  write_database(output / "VARMNOAA.rdb", [&](Database& db) {
    create_table(db, "VACOUNTY", {"COUNTY_NAME " + name_column_type}, {});
    Insert county(db, "VACOUNTY", {"COUNTY_NAME"});
    for (const auto& c : counties) {
      county.text(c.name);
      county.row();
    }
    add_storm_table(db, "NOAA_STATION", stations);
  });

  // The county files of older projects.
  write_database(output / "VARMSTORM.rdb", [&](Database& db) { add_storm_table(db, "COUNTY_NAME", counties); });
  write_database(output / "VArainfall.rdb", [&](Database& db) { add_older_county_table(db, counties); });
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: rg_make_data <source folder> <output folder>\n");
    return 2;
  }
  try {
    make_all(argv[1], argv[2]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "rg_make_data: %s\n", e.what());
    return 1;
  }
  return 0;
}
