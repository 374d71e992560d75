#include "platform/db/value.h"

#include "platform/text/number_text.h"

namespace rg::db {

std::string Value::text() const {
  switch (type()) {
    case Type::Null: return {};
    case Type::Integer: return std::to_string(std::get<std::int64_t>(v_));
    case Type::Real: return rg::text::plain_text(std::get<double>(v_));
    case Type::Text: return std::get<std::string>(v_);
  }
  return {};
}

std::optional<std::int64_t> Value::integer() const {
  if (type() == Type::Integer) return std::get<std::int64_t>(v_);
  return std::nullopt;
}

std::optional<double> Value::number() const {
  if (type() == Type::Integer) return static_cast<double>(std::get<std::int64_t>(v_));
  if (type() == Type::Real) return std::get<double>(v_);
  return std::nullopt;
}

}  // namespace rg::db
