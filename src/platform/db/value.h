#pragma once
// A field value or a statement parameter. Null is its own state, distinct from
// the empty text: a text column may hold either, and the forms tell them apart
// only where they choose to.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace rg::db {

class Value {
 public:
  enum class Type { Null, Integer, Real, Text };

  Value() = default;  // Null
  Value(std::nullptr_t) {}
  Value(int v) : v_(std::int64_t{v}) {}
  Value(long v) : v_(std::int64_t{v}) {}
  Value(long long v) : v_(std::int64_t{v}) {}
  Value(double v) : v_(v) {}
  Value(std::string v) : v_(std::move(v)) {}
  Value(std::string_view v) : v_(std::string(v)) {}
  Value(const char* v) { if (v) v_ = std::string(v); }

  static Value null() { return {}; }

  Type type() const { return static_cast<Type>(v_.index()); }
  bool is_null() const { return type() == Type::Null; }

  // The value as the forms copy it into a box: "" for Null, a text as it is, an
  // integer in decimal, a real as the plain text a computation would write.
  std::string text() const;

  // The number held, if the value is an integer (integer()) or any number
  // (number()); texts are not converted.
  std::optional<std::int64_t> integer() const;
  std::optional<double> number() const;

  // Same type and same value; Null equals Null.
  friend bool operator==(const Value&, const Value&) = default;

 private:
  std::variant<std::monostate, std::int64_t, double, std::string> v_;
};

}  // namespace rg::db
