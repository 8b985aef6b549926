// Conversions of late-bound results and chains of property reads.
#include "HostObject.h"

#include <cmath>
#include <limits>
#include <utility>

namespace tandry::addin {
namespace {

template <typename... F>
struct Overloaded : F... {
  using F::operator()...;
};
template <typename... F>
Overloaded(F...) -> Overloaded<F...>;

std::optional<std::int32_t> RoundedToLong(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  // Halves go to the even neighbour, as the automation conversions do.
  const double rounded = std::nearbyint(value);
  if (rounded < std::numeric_limits<std::int32_t>::min() ||
      rounded > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(rounded);
}

}  // namespace

SharedText::SharedText(std::u16string text)
    : text_(std::make_shared<const std::u16string>(std::move(text))) {}

const std::u16string& SharedText::str() const noexcept {
  static const std::u16string kEmpty;
  return text_ ? *text_ : kEmpty;  // a moved-from text reads as empty
}

std::optional<std::int32_t> AsLong(const Result& result) {
  if (!result) return std::nullopt;
  return std::visit(
      Overloaded{[](bool b) -> std::optional<std::int32_t> { return b ? -1 : 0; },
                 [](std::int32_t i) -> std::optional<std::int32_t> { return i; },
                 [](double d) { return RoundedToLong(d); },
                 [](const auto&) -> std::optional<std::int32_t> { return std::nullopt; }},
      *result);
}

std::optional<double> AsDouble(const Result& result) {
  if (!result) return std::nullopt;
  return std::visit(
      Overloaded{[](bool b) -> std::optional<double> { return b ? -1.0 : 0.0; },
                 [](std::int32_t i) -> std::optional<double> { return i; },
                 [](double d) -> std::optional<double> { return d; },
                 [](const auto&) -> std::optional<double> { return std::nullopt; }},
      *result);
}

std::optional<std::u16string> AsText(const Result& result) {
  if (!result) return std::nullopt;
  if (const auto* text = std::get_if<SharedText>(&*result)) return text->str();
  return std::nullopt;
}

ObjectRef AsObject(const Result& result) {
  if (!result) return nullptr;
  if (const auto* object = std::get_if<ObjectRef>(&*result)) return *object;
  return nullptr;
}

Result GetPath(const ObjectRef& object, std::initializer_list<std::u16string_view> members) {
  Result current = Value{object};
  for (std::u16string_view member : members) {
    const ObjectRef holder = AsObject(current);
    if (!holder) return std::nullopt;
    current = holder->Get(member);
  }
  return current;
}

ObjectRef ObjectAt(const ObjectRef& object, std::initializer_list<std::u16string_view> members) {
  return AsObject(GetPath(object, members));
}

bool SameObject(const ObjectRef& one, const ObjectRef& other) {
  if (!one || !other) return !one && !other;
  return one->IsSameObject(*other);
}

}  // namespace tandry::addin
