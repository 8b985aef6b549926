// The presentation program's object model as the add-in reaches it: late-bound, by member name.
// An object answers property reads, property writes and method calls by name; optional
// arguments may be left out. Every call reports whether it worked, so that a caller can skip a
// failed statement and keep the value that a failed read would have replaced.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tandry::addin {

class HostObject;
// A reference to a host object; null is "nothing".
using ObjectRef = std::shared_ptr<HostObject>;

// A text as a member returns or takes it. Its characters are shared and never change, so that
// copying a Value never allocates: with GCC 12, an allocation that fails while a variant copies
// a string alternative is not caught, and the process dies instead.
class SharedText {
 public:
  // Implicit, so that a Value is made from a string.
  SharedText(std::u16string text);
  const std::u16string& str() const noexcept;
  friend bool operator==(const SharedText& a, const SharedText& b) { return a.str() == b.str(); }
  friend bool operator!=(const SharedText& a, const SharedText& b) { return !(a == b); }

 private:
  std::shared_ptr<const std::u16string> text_;
};

// What a member returns or takes: empty, Boolean, integer, floating point, text or an object.
using Value = std::variant<std::monostate, bool, std::int32_t, double, SharedText, ObjectRef>;
// One positional argument; nullopt leaves an optional argument out.
using Argument = std::optional<Value>;
using Arguments = std::vector<Argument>;
// The outcome of a read or a call; nullopt when it failed.
using Result = std::optional<Value>;

class HostObject {
 public:
  virtual ~HostObject() = default;
  // Reads property `member`; indexed properties (such as Item) take arguments.
  virtual Result Get(std::u16string_view member, const Arguments& arguments = {}) = 0;
  // Writes property `member`; false when the write failed.
  virtual bool Put(std::u16string_view member, const Value& value) = 0;
  virtual Result Call(std::u16string_view member, const Arguments& arguments = {}) = 0;
  // Whether `other` is this very object (identity, not equal contents).
  virtual bool IsSameObject(const HostObject& other) const = 0;
};

// Conversions of a result. Each gives nullopt (or null) when the result failed or does not
// convert: a caller then skips the assignment.
// Integers: whole numbers, Booleans (True is -1) and floating point rounded half to even, within
// the signed 32-bit range.
std::optional<std::int32_t> AsLong(const Result& result);
std::optional<double> AsDouble(const Result& result);
std::optional<std::u16string> AsText(const Result& result);
ObjectRef AsObject(const Result& result);

// Reads a chain of properties without arguments, `object.A.B.C`; fails at the first object
// that is nothing or member that fails.
Result GetPath(const ObjectRef& object, std::initializer_list<std::u16string_view> members);
// The object at the end of such a chain; null when any step failed.
ObjectRef ObjectAt(const ObjectRef& object, std::initializer_list<std::u16string_view> members);

// Whether two references name the same object; nothing is the same only as nothing.
bool SameObject(const ObjectRef& one, const ObjectRef& other);

}  // namespace tandry::addin
