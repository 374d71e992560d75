// The workbook layer: copies of the report templates filled, saved and read back
// both through the layer and straight from the zip, formulas left to recalculate,
// saving that never leaves a half-written file, and the refusals.

#include <gtest/gtest.h>
#include <zip.h>

#include <cmath>
#include <functional>
#include <limits>
#include <tuple>
#include <map>

#include <pugixml.hpp>

#include "platform/workbook/recording_sheet.h"
#include "platform/workbook/replace_file.h"
#include "platform/workbook/workbook.h"
#include "support/scratch_dir.h"

namespace fs = std::filesystem;
using namespace rg::workbook;
using namespace rg::test;
using namespace std::chrono;

namespace {

using WorkbookTest = ScratchTest;
using Parts = std::map<std::string, std::string>;  // entry name -> content

const fs::path ld204 = program_file("LD_204.xlsr");

// A workbook's parts as any other reader sees them, straight from the zip.
Parts read_parts(const fs::path& file) {
  Parts parts;
  int code = 0;
  zip_t* archive = zip_open(file.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
  EXPECT_NE(archive, nullptr) << file << " is no valid zip archive";
  for (zip_int64_t i = 0; archive && i < zip_get_num_entries(archive, 0); ++i) {
    zip_stat_t stat;
    zip_stat_index(archive, i, 0, &stat);
    std::string& data = parts[stat.name] = std::string(stat.size, '\0');
    zip_file_t* entry = zip_fopen_index(archive, i, 0);
    EXPECT_EQ(zip_fread(entry, data.data(), stat.size), static_cast<zip_int64_t>(stat.size));
    zip_fclose(entry);
  }
  if (archive) zip_close(archive);
  return parts;
}

pugi::xml_document parse(const std::string& xml) {
  pugi::xml_document doc;
  EXPECT_TRUE(doc.load_string(xml.c_str(), pugi::parse_default | pugi::parse_ws_pcdata_single)) << xml;
  return doc;
}
// The node an XPath names (pugixml reads element names as written, without namespaces).
pugi::xml_node at(const pugi::xml_document& doc, const std::string& path) {
  return doc.select_node(path.c_str()).node();
}
pugi::xml_node find_cell(const pugi::xml_document& sheet, const std::string& ref) {
  return at(sheet, "//c[@r='" + ref + "']");
}

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
    {7, 1, [](Sheet& s) { s.set_number(7, 1, 0.1 + 0.2); }, "0.30000000000000004"},
    {7, 2, [](Sheet& s) { s.set_number(7, 2, -0.0); }, "0"},
    {7, 3, [](Sheet& s) { s.set_number(7, 3, 1e21); }, "1e+21"},
    {7, 4, [](Sheet& s) { s.set_fixed(7, 4, 2.5, 0); }, "2.5"},
    {7, 5, [](Sheet& s) { s.set_date(7, 5, 1900y / March / 1); }, "61"},  // after the 29th of February 1900 that Excel counts
    {3, 1, [](Sheet&) {}, "INLET NO."},  // a heading of the template, untouched
    {8, 1, [](Sheet&) {}, ""},           // where only refused writes went
};

// The report writers are tested on a RecordingSheet: it must read back exactly as
// a workbook sheet does, and refuse what it refuses.
TEST_F(WorkbookTest, FilledCopyReadsBackThroughTheLayerStraightFromTheZipAndAsARecordingSheetDoes) {
  const fs::path target = dir / "report.xlsx";
  write_file(target, "an older report");  // replaced whole
  const std::string template_bytes = bytes_of(ld204);
  const auto template_sheet = parse(read_parts(ld204).at("xl/worksheets/sheet1.xml"));

  auto book = Workbook::open_copy(ld204, target);
  RecordingSheet recording;
  for (Sheet* sheet : {&book.sheet("LD 204"), static_cast<Sheet*>(&recording)}) {
    for (const auto& w : ld204_writes) w.write(*sheet);
    EXPECT_THROW(sheet->set_number(8, 1, std::nan("")), Error);
    EXPECT_THROW(sheet->set_number(8, 1, std::numeric_limits<double>::infinity()), Error);
    EXPECT_THROW(sheet->set_fixed(8, 1, 1, 31), Error);
    EXPECT_THROW(sheet->set_text(0, 1, "x"), Error);
    EXPECT_THROW(sheet->set_text(1, 16385, "x"), Error);
    EXPECT_THROW(sheet->set_date(8, 1, 2023y / February / 29), Error);
  }
  book.save();
  EXPECT_EQ(bytes_of(ld204), template_bytes);

  auto again = Workbook::open_copy(target, dir / "unused.xlsx");
  for (const auto& w : ld204_writes) {
    EXPECT_EQ(again.sheet(1).text(w.row, w.col), w.reads) << w.row << "," << w.col;
    if (w.row == 3) continue;  // the recording has no template under it
    EXPECT_EQ(recording.text(w.row, w.col), w.reads) << w.row << "," << w.col;
  }
  EXPECT_EQ(recording.find(5, 2)->writes, 2);
  EXPECT_FALSE(fs::exists(dir / "unused.xlsx"));

  const auto after = read_parts(target);
  const auto sheet = parse(after.at("xl/worksheets/sheet1.xml"));
  const auto styles = parse(after.at("xl/styles.xml"));
  const auto c1 = find_cell(sheet, "C1");
  EXPECT_EQ(c1.attribute("s").as_int(), find_cell(template_sheet, "C1").attribute("s").as_int());
  EXPECT_STREQ(c1.attribute("t").value(), "inlineStr");
  EXPECT_FALSE(c1.child("f"));
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

  // Rows, and cells within each row, stay in order (within a row the shorter address first).
  std::tuple<int, std::size_t, std::string> last{};
  for (pugi::xml_node row : sheet.child("worksheet").child("sheetData").children("row")) {
    for (pugi::xml_node c : row.children("c")) {
      const std::string ref = c.attribute("r").value();
      const std::tuple here{row.attribute("r").as_int(), ref.size(), ref};
      EXPECT_LT(last, here) << ref;
      last = here;
    }
  }
}

// A workbook as another program leaves it: formulas with their last results, a
// calculation chain, rows and cells that leave out their address, and the second
// sheet active.
void write_workbook_with_formulas(const fs::path& file) {
  const std::string ns = "http://schemas.openxmlformats.org/", main = " xmlns=\"" + ns + "spreadsheetml/2006/main\"";
  const auto rel = [&](std::string id, std::string type, std::string target) {
    return "<Relationship Id=\"" + id + "\" Type=\"" + ns + "officeDocument/2006/relationships/" + type + "\" Target=\"" +
           target + "\"/>";
  };
  const std::string rels = "<Relationships xmlns=\"" + ns + "package/2006/relationships\">", end = "</Relationships>";
  const Parts parts = {
      {"[Content_Types].xml", "<Types xmlns=\"" + ns + "package/2006/content-types\"><Override PartName=\"/xl/calcChain."
                              "xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.calcChain+"
                              "xml\"/></Types>"},
      {"_rels/.rels", rels + rel("rId1", "officeDocument", "xl/workbook.xml") + end},
      {"xl/_rels/workbook.xml.rels", rels + rel("rId1", "worksheet", "/xl/worksheets/sheet1.xml") +
                                         rel("rId2", "worksheet", "worksheets/sheet2.xml") +
                                         rel("rId9", "calcChain", "calcChain.xml") + end},
      {"xl/workbook.xml", "<workbook" + main + " xmlns:r=\"" + ns + "officeDocument/2006/relationships\"><bookViews>"
                          "<workbookView firstSheet=\"1\" activeTab=\"1\"/></bookViews><sheets><sheet name=\"Data\" "
                          "sheetId=\"1\" r:id=\"rId1\"/><sheet name=\"Notes\" sheetId=\"2\" r:id=\"rId2\"/></sheets>"
                          "<definedNames><definedName name=\"x\">Data!$A$1</definedName></definedNames></workbook>"},
      {"xl/worksheets/sheet1.xml", "<worksheet" + main + "><sheetData><row r=\"1\"><c r=\"A1\"><v>2</v></c><c r=\"B1\">"
                                   "<f>A1*2</f><v>4</v></c><c r=\"C1\" t=\"str\"><f>\"x\"&amp;A1</f><v>x2</v></c></row>"
                                   "<row><c><v>7</v></c><c t=\"inlineStr\"><is><t>eight</t></is></c></row></sheetData>"
                                   "</worksheet>"},
      {"xl/worksheets/sheet2.xml", "<worksheet" + main + "><sheetViews><sheetView tabSelected=\"1\" workbookViewId="
                                   "\"0\"/></sheetViews><sheetData/></worksheet>"},
      {"xl/calcChain.xml", "<calcChain" + main + "><c r=\"B1\" i=\"1\"/><c r=\"C1\"/></calcChain>"},
  };
  zip_t* archive = zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, nullptr);
  for (const auto& [name, data] : parts) {
    zip_file_add(archive, name.c_str(), zip_source_buffer(archive, data.data(), data.size(), 0), 0);
  }
  ASSERT_EQ(zip_close(archive), 0);
}

TEST_F(WorkbookTest, FormulasRecalculateOnOpeningAndTheActiveSheetIsTheOneItOpensOn) {
  write_workbook_with_formulas(dir / "formulas.xlsx");
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
  write_file(target, "the old workbook");
  const auto perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::permissions(target, perms);
  EXPECT_THROW(replace_file(target,
                            [](const fs::path& temporary) {
                              write_file(temporary, "half of the new");
                              throw Error("disk full");
                            }),
               Error);
  EXPECT_EQ(bytes_of(target), "the old workbook");
  EXPECT_EQ(files(), 1) << "no stray temporary";
  replace_file(target, [](const fs::path& temporary) { write_file(temporary, "the new workbook"); });
  EXPECT_EQ(bytes_of(target), "the new workbook");
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, perms);
  EXPECT_EQ(files(), 1);
}

TEST_F(WorkbookTest, RefusalsNameTheFile) {
  write_file(dir / "notes.txt", "not a zip");
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

}  // namespace
