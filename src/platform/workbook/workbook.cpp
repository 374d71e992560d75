#include "platform/workbook/workbook.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/workbook/package.h"
#include "platform/workbook/replace_file.h"
#include "platform/workbook/styles.h"
#include "platform/workbook/xlsx_sheet.h"

namespace rg::workbook {

namespace fs = std::filesystem;
using detail::Package;
using detail::XlsxSheet;

namespace {

std::string quoted(const fs::path& file) { return "\"" + file.string() + "\""; }

struct Relationship {
  pugi::xml_node node;
  std::string type;  // the type's last word: "worksheet", "styles", ...
  std::string part;  // the part it points at
};

std::vector<Relationship> relationships(const pugi::xml_document& rels, std::string_view source) {
  std::vector<Relationship> list;
  for (pugi::xml_node node : rels.child("Relationships").children("Relationship")) {
    if (std::string_view(node.attribute("TargetMode").value()) == "External") continue;
    list.push_back({node, std::string(detail::type_word(node.attribute("Type").value())),
                    detail::resolve_target(source, node.attribute("Target").value())});
  }
  return list;
}

const Relationship* by_type(const std::vector<Relationship>& list, std::string_view type) {
  for (const auto& r : list) {
    if (r.type == type) return &r;
  }
  return nullptr;
}

void check_target(const fs::path& template_file, const fs::path& target) {
  std::error_code error;
  if (!fs::is_regular_file(template_file, error)) {
    throw Error("The workbook template " + quoted(template_file) + " does not exist.");
  }
  const bool same = fs::exists(target, error)
                        ? fs::equivalent(target, template_file, error)
                        : fs::weakly_canonical(target, error) == fs::weakly_canonical(template_file, error);
  if (same) {
    throw Error("The workbook cannot be saved as " + quoted(target) + ": that file is its template.");
  }
  if (fs::is_directory(target, error)) throw Error("The workbook cannot be saved as " + quoted(target) + ": it is a folder.");
  const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  if (!fs::is_directory(folder, error)) {
    throw Error("The workbook cannot be saved as " + quoted(target) + ": its folder does not exist.");
  }
}

}  // namespace

struct Workbook::Impl {
  fs::path template_file;
  fs::path target;
  Package package;
  std::string workbook_part;
  pugi::xml_document workbook;
  std::vector<std::string> shared_strings;
  std::string styles_part;
  std::optional<detail::Styles> styles;
  struct Entry {
    std::string name;
    std::unique_ptr<XlsxSheet> sheet;  // null for a chart sheet
  };
  std::vector<Entry> sheets;

  [[noreturn]] void unreadable(const std::string& why) const {
    throw Error("The file " + quoted(template_file) + " is not a workbook the program can read (" + why + ").");
  }

  pugi::xml_document xml(std::string_view part_name, bool required = true) {
    const detail::Part* part = package.find(part_name);
    if (!part) {
      if (required) unreadable("it has no part " + std::string(part_name));
      return {};
    }
    return detail::parse_xml(*part, template_file);
  }

  void store(std::string_view part_name, const pugi::xml_document& doc) {
    package.find(part_name)->data = detail::xml_text(doc);
  }

  detail::Styles& load_styles() {
    if (!styles) {
      if (styles_part.empty()) unreadable("it has no cell formats");
      styles.emplace(xml(styles_part), template_file);
    }
    return *styles;
  }

  void load();
  void drop_calculation_chain(const std::vector<Relationship>& workbook_rels, pugi::xml_document& rels_doc);
  void recalculate_on_open();
};

void Workbook::Impl::load() {
  const auto root = relationships(xml("_rels/.rels"), "");
  const Relationship* main = by_type(root, "officeDocument");
  if (!main) unreadable("it names no workbook part");
  workbook_part = main->part;
  workbook = xml(workbook_part);

  const std::string rels_part = detail::rels_name(workbook_part);
  pugi::xml_document rels_doc = xml(rels_part);
  const auto rels = relationships(rels_doc, workbook_part);
  if (const Relationship* strings = by_type(rels, "sharedStrings")) {
    const auto doc = xml(strings->part, false);
    for (pugi::xml_node item : doc.child("sst").children("si")) shared_strings.push_back(detail::string_item_text(item));
  }
  if (const Relationship* found = by_type(rels, "styles")) styles_part = found->part;

  for (pugi::xml_node node : workbook.child("workbook").child("sheets").children("sheet")) {
    std::string id;
    for (pugi::xml_attribute attribute : node.attributes()) {
      const std::string_view name = attribute.name();
      if (name != "id" && detail::local_name(name) == "id") id = attribute.value();
    }
    Entry entry{node.attribute("name").value(), nullptr};
    for (const auto& r : rels) {
      if (r.node.attribute("Id").value() != id || r.type != "worksheet") continue;
      entry.sheet = std::make_unique<XlsxSheet>(template_file, r.part, xml(r.part), shared_strings,
                                                [this]() -> detail::Styles& { return load_styles(); });
    }
    sheets.push_back(std::move(entry));
  }
  if (sheets.empty()) unreadable("it has no sheets");
  drop_calculation_chain(rels, rels_doc);
  recalculate_on_open();
}

// The chain lists the formula cells in the order they were last calculated; it
// is rebuilt on opening, and a stale one can make a spreadsheet program refuse
// the file.
void Workbook::Impl::drop_calculation_chain(const std::vector<Relationship>& rels, pugi::xml_document& rels_doc) {
  const Relationship* chain = by_type(rels, "calcChain");
  if (!chain) return;
  const std::string part = chain->part;
  rels_doc.child("Relationships").remove_child(chain->node);
  store(detail::rels_name(workbook_part), rels_doc);
  package.remove(part);
  pugi::xml_document types = xml("[Content_Types].xml");
  pugi::xml_node list = types.child("Types");
  for (pugi::xml_node node : list.children("Override")) {
    if (node.attribute("PartName").value() == "/" + part) {
      list.remove_child(node);
      break;
    }
  }
  store("[Content_Types].xml", types);
}

void Workbook::Impl::recalculate_on_open() {
  pugi::xml_node book = workbook.child("workbook");
  pugi::xml_node calc = book.child("calcPr");
  if (!calc) {
    // Its place is fixed: after the last of these that the workbook has.
    pugi::xml_node before;
    for (const char* name : {"sheets", "functionGroups", "externalReferences", "definedNames"}) {
      if (pugi::xml_node node = book.child(name)) before = node;
    }
    calc = book.insert_child_after("calcPr", before);
  }
  if (!calc.attribute("fullCalcOnLoad")) calc.append_attribute("fullCalcOnLoad");
  calc.attribute("fullCalcOnLoad").set_value(1);
}

Workbook::Workbook(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Workbook::Workbook(Workbook&&) noexcept = default;
Workbook& Workbook::operator=(Workbook&&) noexcept = default;
Workbook::~Workbook() = default;

Workbook Workbook::open_copy(const fs::path& template_file, const fs::path& target) {
  check_target(template_file, target);
  auto impl = std::make_unique<Impl>();
  impl->template_file = template_file;
  impl->target = target;
  impl->package = Package::read(template_file);
  impl->load();
  return Workbook(std::move(impl));
}

Sheet& Workbook::sheet(std::string_view name) {
  for (std::size_t i = 0; i < impl_->sheets.size(); ++i) {
    if (impl_->sheets[i].name == name) return sheet(static_cast<int>(i) + 1);
  }
  throw Error("The workbook " + quoted(impl_->template_file) + " has no sheet named \"" + std::string(name) + "\".");
}

Sheet& Workbook::sheet(int index) {
  if (index < 1 || index > static_cast<int>(impl_->sheets.size())) {
    throw Error("The workbook " + quoted(impl_->template_file) + " has no sheet " + std::to_string(index) + ".");
  }
  auto& entry = impl_->sheets[index - 1];
  if (!entry.sheet) {
    throw Error("The sheet \"" + entry.name + "\" of the workbook " + quoted(impl_->template_file) +
                " is not a worksheet.");
  }
  return *entry.sheet;
}

Sheet& Workbook::active_sheet() {
  const pugi::xml_node view = impl_->workbook.child("workbook").child("bookViews").child("workbookView");
  return sheet(view.attribute("activeTab").as_int(0) + 1);
}

void Workbook::activate(int index) {
  sheet(index);  // refuses a missing or chart sheet
  pugi::xml_node book = impl_->workbook.child("workbook");
  pugi::xml_node views = book.child("bookViews");
  if (!views) views = book.insert_child_before("bookViews", book.child("sheets"));
  pugi::xml_node view = views.child("workbookView");
  if (!view) view = views.append_child("workbookView");
  if (!view.attribute("activeTab")) view.append_attribute("activeTab");
  view.attribute("activeTab").set_value(index - 1);
  view.remove_attribute("firstSheet");  // the first tab shown must not lie beyond the active one
  for (std::size_t i = 0; i < impl_->sheets.size(); ++i) {
    if (impl_->sheets[i].sheet) impl_->sheets[i].sheet->select_tab(static_cast<int>(i) == index - 1);
  }
}

void Workbook::save() {
  Impl& impl = *impl_;
  for (auto& entry : impl.sheets) {
    if (entry.sheet && entry.sheet->changed()) impl.package.find(entry.sheet->part())->data = entry.sheet->xml();
  }
  if (impl.styles && impl.styles->changed()) impl.store(impl.styles_part, impl.styles->document());
  impl.store(impl.workbook_part, impl.workbook);
  replace_file(impl.target, [&](const fs::path& temporary) { impl.package.write(temporary, impl.target); });
}

}  // namespace rg::workbook
