#include "hydrology/tc_strings.h"

#include <cmath>

#include "hydrology/fields.h"
#include "platform/text/number_text.h"

namespace rg::hydrology {

std::string encode_tcstr(const TcTexts& texts) { return detail::join_fields(texts); }

DecodedTcstr decode_tcstr(std::string_view tcstr) {
  DecodedTcstr out;
  const auto parts = detail::split_fields(tcstr, tc_field_count);
  out.stored_fields = parts.size();
  for (std::size_t i = 0; i < parts.size(); ++i) out.fields[i] = parts[i];
  return out;
}

std::string encode_tcoptionstr(const TcChecks& checks) {
  std::string joined;
  for (std::size_t i = 0; i < checks.size(); ++i) {
    if (i > 0) joined += ',';
    joined += checks[i] ? '1' : '0';
  }
  return joined;
}

TcChecks decode_tcoptionstr(std::string_view tcoptionstr) {
  TcChecks checks{};
  const auto parts = detail::split_fields(tcoptionstr, checks.size());
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const auto value = text::parse_number(parts[i]);
    checks[i] = value && std::nearbyint(*value) != 0.0;
  }
  return checks;
}

}  // namespace rg::hydrology
