#include "platform/workbook/package.h"

#include <zip.h>

#include <algorithm>
#include <memory>
#include <sstream>

#include "platform/workbook/sheet.h"

namespace rg::workbook::detail {

namespace fs = std::filesystem;

namespace {

// libzip's own choice is zlib's best compression, which on a sheet of many
// thousand alike rows costs several times what writing the cells does and
// saves little over a fast level.
constexpr zip_uint32_t kDeflateLevel = 3;

std::string quoted(const fs::path& file) { return "\"" + file.string() + "\""; }

struct ArchiveCloser {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

std::string read_entry(zip_t* archive, zip_uint64_t index, const fs::path& file) {
  zip_stat_t stat;
  zip_stat_init(&stat);
  zip_file_t* entry = nullptr;
  std::string data;
  if (zip_stat_index(archive, index, 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) &&
      (entry = zip_fopen_index(archive, index, 0)) != nullptr) {
    data.resize(stat.size);
    const zip_int64_t got = zip_fread(entry, data.data(), stat.size);
    zip_fclose(entry);
    if (got == static_cast<zip_int64_t>(stat.size)) return data;
  }
  throw Error("The workbook " + quoted(file) + " is damaged: " + zip_strerror(archive) + ".");
}

}  // namespace

Package Package::read(const fs::path& file) {
  std::error_code error;
  if (!fs::is_regular_file(file, error)) {
    throw Error("The workbook " + quoted(file) + " does not exist.");
  }
  int code = 0;
  Archive archive(zip_open(file.c_str(), ZIP_RDONLY, &code));
  if (!archive) {
    zip_error_t reason;
    zip_error_init_with_code(&reason, code);
    const std::string text = zip_error_strerror(&reason);
    zip_error_fini(&reason);
    throw Error("The file " + quoted(file) + " is not a workbook the program can read (" + text + ").");
  }
  Package package;
  const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    const char* name = zip_get_name(archive.get(), i, ZIP_FL_ENC_GUESS);
    if (!name) continue;
    package.parts_.push_back({name, read_entry(archive.get(), i, file)});
  }
  return package;
}

void Package::write(const fs::path& file, const fs::path& shown_as) const {
  int code = 0;
  Archive archive(zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code));
  const auto fail = [&](const std::string& why) {
    throw Error("The workbook " + quoted(shown_as) + " cannot be written: " + why + ".");
  };
  if (!archive) fail("the file cannot be opened");
  for (const Part& part : parts_) {
    if (!part.name.empty() && part.name.back() == '/') {
      if (zip_dir_add(archive.get(), part.name.c_str(), ZIP_FL_ENC_UTF_8) < 0) fail(zip_strerror(archive.get()));
      continue;
    }
    // The buffers outlive the archive: they are read when it is closed.
    zip_source_t* source = zip_source_buffer(archive.get(), part.data.data(), part.data.size(), 0);
    if (!source) fail(zip_strerror(archive.get()));
    const zip_int64_t index = zip_file_add(archive.get(), part.name.c_str(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
      zip_source_free(source);
      fail(zip_strerror(archive.get()));
    }
    if (zip_set_file_compression(archive.get(), index, ZIP_CM_DEFLATE, kDeflateLevel) < 0) {
      fail(zip_strerror(archive.get()));
    }
  }
  if (zip_close(archive.get()) != 0) fail(zip_strerror(archive.get()));
  archive.release();
}

Part* Package::find(std::string_view name) {
  const auto it = std::find_if(parts_.begin(), parts_.end(), [&](const Part& p) { return p.name == name; });
  return it == parts_.end() ? nullptr : &*it;
}

void Package::remove(std::string_view name) {
  std::erase_if(parts_, [&](const Part& p) { return p.name == name; });
}

pugi::xml_document parse_xml(const Part& part, const fs::path& file) {
  pugi::xml_document doc;
  // Whitespace-only texts matter in cells (a text of one blank).
  const auto result = doc.load_buffer(part.data.data(), part.data.size(),
                                      pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata_single);
  if (!result) {
    throw Error("The workbook " + quoted(file) + " is damaged: its part " + part.name + " is not valid XML (" +
                result.description() + ").");
  }
  return doc;
}

std::string xml_text(const pugi::xml_document& doc) {
  std::ostringstream out;
  doc.save(out, "", pugi::format_raw);
  return out.str();
}

std::string resolve_target(std::string_view source, std::string_view target) {
  std::string path;
  if (!target.empty() && target.front() == '/') {
    path = target.substr(1);
  } else {
    const auto slash = source.rfind('/');
    path = std::string(slash == std::string_view::npos ? "" : source.substr(0, slash + 1)) + std::string(target);
  }
  // Fold "." and ".." steps.
  std::vector<std::string> steps;
  std::istringstream in(path);
  for (std::string step; std::getline(in, step, '/');) {
    if (step.empty() || step == ".") continue;
    if (step == "..") {
      if (!steps.empty()) steps.pop_back();
    } else {
      steps.push_back(step);
    }
  }
  std::string joined;
  for (const auto& step : steps) joined += (joined.empty() ? "" : "/") + step;
  return joined;
}

std::string rels_name(std::string_view source) {
  const auto slash = source.rfind('/');
  const std::string_view folder = slash == std::string_view::npos ? "" : source.substr(0, slash + 1);
  const std::string_view name = slash == std::string_view::npos ? source : source.substr(slash + 1);
  return std::string(folder) + "_rels/" + std::string(name) + ".rels";
}

std::string_view type_word(std::string_view type) {
  const auto slash = type.rfind('/');
  return slash == std::string_view::npos ? type : type.substr(slash + 1);
}

std::string_view local_name(std::string_view name) {
  const auto colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

}  // namespace rg::workbook::detail
