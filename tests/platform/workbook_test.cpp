// The workbook layer: copies of the report templates filled, saved and read back
// both through the layer and straight from the zip, formulas left to recalculate,
// saving that never leaves a half-written file, and the refusals.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <functional>
#include <limits>
#include <utility>

#include "platform/workbook/recording_sheet.h"
#include "platform/workbook/replace_file.h"
#include "platform/workbook/workbook.h"
#include "support/scratch_dir.h"
#include "support/xlsx_parts.h"

namespace fs = std::filesystem;
using namespace rg::workbook;
using namespace rg::test;
using namespace std::chrono;

namespace {

using WorkbookTest = ScratchTest;

const fs::path ld204 = fs::path(RG_PROGRAM_DIR) / "LD_204.xlsr";
const fs::path inlet_report = fs::path(RG_PROGRAM_DIR) / "INLET_REPORT.xlsr";

void put(const fs::path& file, const std::string& text) { std::ofstream(file, std::ios::binary) << text; }

// The node an XPath names (pugixml reads element names as written, without namespaces).
pugi::xml_node at(const pugi::xml_document& doc, const std::string& path) { return doc.select_node(path.c_str()).node(); }
pugi::xml_document sheet1(const fs::path& file) { return parse(read_parts(file).at("xl/worksheets/sheet1.xml")); }

struct Write {
  int row, col;
  std::function<void(Sheet&)> write;
  std::string reads;  // the cell's text afterwards
};

const std::vector<Write> ld204_writes = {
    {5, 36, [](Sheet& s) { s.set_text(5, 36, "Back/Lt."); }, "Back/Lt."},  // a new row, its last column first
    {5, 4, [](Sheet& s) { s.set_text(5, 4, "12+50.00"); }, "12+50.00"},
    {5, 1, [](Sheet& s) { s.set_text(5, 1, "A-1"); }, "A-1"},
    {5, 3, [](Sheet& s) { s.set_fixed(5, 3, 10.0, 3); }, "10"},
    {5, 7, [](Sheet& s) { s.set_number(5, 7, 1.25); }, "1.25"},
    {5, 2, [](Sheet& s) { s.set_text(5, 2, "DI-3A"); s.set_text(5, 2, ""); }, ""},
    {1, 3, [](Sheet& s) { s.set_text(1, 3, "=SUM(A1:A2)"); }, "=SUM(A1:A2)"},
    {1, 12, [](Sheet& s) { s.set_text(1, 12, "  Lee's Mill  "); }, "  Lee's Mill  "},
    {5, 5, [](Sheet& s) { s.set_text(5, 5, "Σ CA – 5 m² Ünterführung"); }, "Σ CA – 5 m² Ünterführung"},
    {200, 36, [](Sheet& s) { s.set_text(200, 36, "T > 8.0 ft"); }, "T > 8.0 ft"},
    {6, 4, [](Sheet& s) { s.set_text(6, 4, "a\x01 _x0041_ \xff"); }, "a\x01 _x0041_ \xEF\xBF\xBD"},  // a row between two others
    {3, 1, [](Sheet&) {}, "INLET NO."},  // a heading of the template, untouched
};

TEST_F(WorkbookTest, FilledCopyReadsBackThroughTheLayerAndStraightFromTheZip) {
  const fs::path target = dir / "report.xlsx";
  put(target, "an older report");  // replaced whole
  const std::string template_bytes = bytes_of(ld204);
  const auto template_sheet = sheet1(ld204);

  auto book = Workbook::open_copy(ld204, target);
  EXPECT_EQ(&book.active_sheet(), &book.sheet(1));
  for (const auto& w : ld204_writes) w.write(book.sheet("LD 204"));
  book.save();
  EXPECT_EQ(bytes_of(ld204), template_bytes);

  auto again = Workbook::open_copy(target, dir / "unused.xlsx");
  for (const auto& w : ld204_writes) EXPECT_EQ(again.sheet(1).text(w.row, w.col), w.reads) << w.row << "," << w.col;
  EXPECT_FALSE(fs::exists(dir / "unused.xlsx"));

  const auto after = read_parts(target);
  const auto sheet = parse(after.at("xl/worksheets/sheet1.xml"));
  const auto styles = parse(after.at("xl/styles.xml"));
  const auto c1 = find_cell(sheet, "C1");
  EXPECT_EQ(c1.attribute("s").as_int(), find_cell(template_sheet, "C1").attribute("s").as_int());
  EXPECT_STREQ(c1.attribute("t").value(), "inlineStr");
  EXPECT_FALSE(c1.child("f"));
  EXPECT_STREQ(find_cell(sheet, "L1").child("is").child("t").text().get(), "  Lee's Mill  ");
  // A new cell takes its column's format.
  const auto column_style = [&](int col) {
    const auto path = "//col[@min <= " + std::to_string(col) + " and @max >= " + std::to_string(col) + "]";
    return at(template_sheet, path).attribute("style").as_int();
  };
  EXPECT_EQ(find_cell(sheet, "A5").attribute("s").as_int(), column_style(1));
  EXPECT_STREQ(find_cell(sheet, "AJ200").child("is").child("t").text().get(), "T > 8.0 ft");
  EXPECT_STREQ(sheet.child("worksheet").child("dimension").attribute("ref").value(), "A1:AJ200");

  // The fixed cell shows three decimals and otherwise looks as its column does.
  const auto format = [&](int index) { return at(styles, "//cellXfs/xf[" + std::to_string(index + 1) + "]"); };
  const auto fixed = format(find_cell(sheet, "C5").attribute("s").as_int());
  const auto column = format(column_style(3));
  EXPECT_STREQ(at(styles, std::string("//numFmt[@numFmtId='") + fixed.attribute("numFmtId").value() + "']")
                   .attribute("formatCode").value(), "0.000");
  for (const char* part : {"fontId", "borderId", "fillId"}) {
    EXPECT_EQ(fixed.attribute(part).as_int(), column.attribute(part).as_int()) << part;
  }
  EXPECT_TRUE(fixed.child("alignment"));

  // Rows, and cells within each row, stay in order.
  int last_row = 0;
  for (pugi::xml_node row : sheet.child("worksheet").child("sheetData").children("row")) {
    EXPECT_GT(row.attribute("r").as_int(), std::exchange(last_row, row.attribute("r").as_int()));
    std::pair<std::size_t, std::string> last;  // column letters: the shorter first
    for (pugi::xml_node c : row.children("c")) {
      const std::pair<std::size_t, std::string> ref{std::strlen(c.attribute("r").value()), c.attribute("r").value()};
      EXPECT_LT(last, ref);
      last = ref;
    }
  }
}

TEST_F(WorkbookTest, DateKeepsTheTemplatesDateFormat) {
  auto book = Workbook::open_copy(inlet_report, dir / "inlet.xlsx");
  book.sheet("Inlet Report").set_date(2, 10, 2024y / March / 15);
  book.save();
  const auto after = sheet1(dir / "inlet.xlsx"), before = sheet1(inlet_report);
  const auto j2 = find_cell(after, "J2");
  EXPECT_STREQ(j2.child_value("v"), "45366");  // 2024-01-01 is day 45292, and 74 days later
  EXPECT_EQ(j2.attribute("s").as_int(), find_cell(before, "J2").attribute("s").as_int());
  EXPECT_NE(j2.attribute("s").as_int(), 0);
}

// A workbook as another program leaves it: formulas with their last results, a
// calculation chain, rows and cells that leave out their address.
Parts workbook_with_formulas() {
  const std::string main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
  const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
  return {
      {"[Content_Types].xml",
       "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
       "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
       "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
       "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
       "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
       "<Override PartName=\"/xl/worksheets/sheet2.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
       "<Override PartName=\"/xl/calcChain.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.calcChain+xml\"/>"
       "</Types>"},
      {"_rels/.rels", "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                      "<Relationship Id=\"rId1\" Type=\"" + rel + "/officeDocument\" Target=\"xl/workbook.xml\"/>"
                      "</Relationships>"},
      {"xl/_rels/workbook.xml.rels",
       "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
       "<Relationship Id=\"rId1\" Type=\"" + rel + "/worksheet\" Target=\"/xl/worksheets/sheet1.xml\"/>"
       "<Relationship Id=\"rId2\" Type=\"" + rel + "/worksheet\" Target=\"worksheets/sheet2.xml\"/>"
       "<Relationship Id=\"rId9\" Type=\"" + rel + "/calcChain\" Target=\"calcChain.xml\"/>"
       "</Relationships>"},
      {"xl/workbook.xml", "<workbook xmlns=\"" + main + "\" xmlns:r=\"" + rel + "\">"
                          "<bookViews><workbookView firstSheet=\"1\" activeTab=\"1\"/></bookViews><sheets>"
                          "<sheet name=\"Data\" sheetId=\"1\" r:id=\"rId1\"/>"
                          "<sheet name=\"Notes\" sheetId=\"2\" r:id=\"rId2\"/></sheets>"
                          "<definedNames><definedName name=\"x\">Data!$A$1</definedName></definedNames></workbook>"},
      {"xl/worksheets/sheet1.xml",
       "<worksheet xmlns=\"" + main + "\"><sheetData>"
       "<row r=\"1\"><c r=\"A1\"><v>2</v></c><c r=\"B1\"><f>A1*2</f><v>4</v></c>"
       "<c r=\"C1\" t=\"str\"><f>\"x\"&amp;A1</f><v>x2</v></c></row>"
       "<row><c><v>7</v></c><c t=\"inlineStr\"><is><t>eight</t></is></c></row>"
       "</sheetData></worksheet>"},
      {"xl/worksheets/sheet2.xml", "<worksheet xmlns=\"" + main + "\"><sheetViews><sheetView tabSelected=\"1\" "
                                   "workbookViewId=\"0\"/></sheetViews><sheetData/></worksheet>"},
      {"xl/calcChain.xml", "<calcChain xmlns=\"" + main + "\"><c r=\"B1\" i=\"1\"/><c r=\"C1\"/></calcChain>"},
  };
}

TEST_F(WorkbookTest, FormulasRecalculateOnOpeningAndTheActiveSheetIsTheOneItOpensOn) {
  write_parts(dir / "formulas.xlsx", workbook_with_formulas());
  auto book = Workbook::open_copy(dir / "formulas.xlsx", dir / "out.xlsx");
  Sheet& sheet = book.sheet("Data");
  EXPECT_EQ(sheet.text(2, 1), "7");  // rows and cells without an address follow the one before
  EXPECT_EQ(sheet.text(2, 2), "eight");
  EXPECT_EQ(sheet.text(1, 2), "");   // no stale result
  sheet.set_number(1, 1, 3);
  EXPECT_EQ(&book.active_sheet(), &book.sheet("Notes"));
  book.activate(1);
  EXPECT_EQ(&book.active_sheet(), &sheet);
  EXPECT_THROW(book.activate(3), Error);
  book.save();

  const auto parts = read_parts(dir / "out.xlsx");
  EXPECT_EQ(parts.count("xl/calcChain.xml"), 0u);
  EXPECT_EQ(parts.at("[Content_Types].xml").find("calcChain"), std::string::npos);
  EXPECT_EQ(parts.at("xl/_rels/workbook.xml.rels").find("calcChain"), std::string::npos);
  const auto data = parse(parts.at("xl/worksheets/sheet1.xml"));
  for (const char* ref : {"B1", "C1"}) {
    const auto cell = find_cell(data, ref);
    EXPECT_TRUE(cell.child("f") && !cell.child("v") && !cell.attribute("t")) << ref;
  }
  const auto workbook = parse(parts.at("xl/workbook.xml"));
  const auto calc = workbook.child("workbook").child("calcPr");
  EXPECT_TRUE(calc.attribute("fullCalcOnLoad").as_bool());
  EXPECT_STREQ(calc.previous_sibling().name(), "definedNames");  // the schema's order
  const auto view = workbook.child("workbook").child("bookViews").child("workbookView");
  EXPECT_EQ(view.attribute("activeTab").as_int(-1), 0);
  EXPECT_FALSE(view.attribute("firstSheet"));
  EXPECT_FALSE(at(parse(parts.at("xl/worksheets/sheet2.xml")), "//sheetView").attribute("tabSelected"));
}

TEST_F(WorkbookTest, AFailedSaveLeavesTheOldFileWhole) {
  const fs::path target = dir / "report.xlsx";
  put(target, "the old workbook");
  const auto perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::permissions(target, perms);
  const auto files = [&] { return std::distance(fs::directory_iterator(dir), fs::directory_iterator()); };
  EXPECT_THROW(replace_file(target,
                            [](const fs::path& temporary) {
                              put(temporary, "half of the new");
                              throw Error("disk full");
                            }),
               Error);
  EXPECT_EQ(bytes_of(target), "the old workbook");
  EXPECT_EQ(files(), 1) << "no stray temporary";
  replace_file(target, [](const fs::path& temporary) { put(temporary, "the new workbook"); });
  EXPECT_EQ(bytes_of(target), "the new workbook");
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, perms);
  EXPECT_EQ(files(), 1);
}

TEST_F(WorkbookTest, RefusalsNameTheFile) {
  put(dir / "notes.txt", "not a zip");
  fs::create_directory(dir / "folder");
  const fs::path copy = dir / "copy.xlsr";
  fs::copy_file(ld204, copy);
  const struct {
    const char* what;
    std::function<void()> run;
    fs::path named;
  } cases[] = {
      {"missing template", [&] { Workbook::open_copy(dir / "none.xlsr", dir / "a.xlsx"); }, dir / "none.xlsr"},
      {"target is the template", [&] { Workbook::open_copy(copy, copy); }, copy},
      {"the template by another path", [&] { Workbook::open_copy(copy, dir / "folder" / ".." / "copy.xlsr"); },
       dir / "folder" / ".." / "copy.xlsr"},
      {"not a workbook", [&] { Workbook::open_copy(dir / "notes.txt", dir / "a.xlsx"); }, dir / "notes.txt"},
      {"no such folder", [&] { Workbook::open_copy(copy, dir / "none" / "a.xlsx"); }, dir / "none" / "a.xlsx"},
      {"target is a folder", [&] { Workbook::open_copy(copy, dir / "folder"); }, dir / "folder"},
      {"no such sheet", [&] { Workbook::open_copy(copy, dir / "a.xlsx").sheet("Summary"); }, copy},
      {"sheet beyond the last", [&] { Workbook::open_copy(copy, dir / "a.xlsx").sheet(2); }, copy},
  };
  for (const auto& c : cases) {
    try {
      c.run();
      ADD_FAILURE() << c.what << ": no error";
    } catch (const Error& e) {
      EXPECT_NE(e.description().find("\"" + c.named.string() + "\""), std::string::npos) << c.what << ": " << e.what();
    }
  }
  EXPECT_EQ(bytes_of(copy), bytes_of(ld204));
  EXPECT_FALSE(fs::exists(dir / "a.xlsx"));
}

// The report writers are tested on a RecordingSheet: it must read back exactly as
// a workbook sheet does, and refuse what it refuses.
TEST_F(WorkbookTest, RecordingSheetReadsBackAsAWorkbookSheet) {
  auto book = Workbook::open_copy(ld204, dir / "a.xlsx");
  RecordingSheet recording;
  for (Sheet* sheet : {&book.sheet(1), static_cast<Sheet*>(&recording)}) {
    for (const auto& w : ld204_writes) w.write(*sheet);
    sheet->set_number(7, 1, 0.1 + 0.2);
    sheet->set_number(7, 2, -0.0);
    sheet->set_number(7, 3, 1e21);
    sheet->set_fixed(7, 4, 2.5, 0);
    sheet->set_date(7, 5, 1900y / March / 1);
    EXPECT_THROW(sheet->set_number(8, 1, std::nan("")), Error);
    EXPECT_THROW(sheet->set_number(8, 1, std::numeric_limits<double>::infinity()), Error);
    EXPECT_THROW(sheet->set_fixed(8, 1, 1, 31), Error);
    EXPECT_THROW(sheet->set_text(0, 1, "x"), Error);
    EXPECT_THROW(sheet->set_text(1, 16385, "x"), Error);
    EXPECT_THROW(sheet->set_date(8, 1, 2023y / February / 29), Error);
  }
  for (const auto& w : ld204_writes) {
    if (w.row == 3) continue;  // a heading the recording never had
    EXPECT_EQ(recording.text(w.row, w.col), book.sheet(1).text(w.row, w.col)) << w.row << "," << w.col;
  }
  const std::vector<std::string> row7 = {"0.30000000000000004", "0", "1e+21", "2.5", "61"};
  for (int col = 1; col <= 5; ++col) {
    EXPECT_EQ(book.sheet(1).text(7, col), row7[col - 1]);
    EXPECT_EQ(recording.text(7, col), row7[col - 1]);
  }
  EXPECT_EQ(recording.text(8, 1), "");
  EXPECT_EQ(recording.find(5, 2)->writes, 2);
}

}  // namespace
