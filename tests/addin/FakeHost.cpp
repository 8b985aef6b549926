// The fake object model of the add-in's native tests.
#include "FakeHost.h"

#include <sstream>

namespace tandry::addin::test {
namespace {

std::string DescribeArguments(const Arguments& arguments) {
  std::string text;
  for (const Argument& argument : arguments) {
    if (!text.empty()) text += ", ";
    text += argument ? Describe(*argument) : "missing";
  }
  return text;
}

// Integer argument `index` of a call; nullopt when it is missing or no number.
std::optional<std::int32_t> LongArgument(const Arguments& arguments, std::size_t index) {
  if (index >= arguments.size() || !arguments[index]) return std::nullopt;
  return AsLong(*arguments[index]);
}

std::function<bool()>& HostFailures() {
  static std::function<bool()> fails;
  return fails;
}

bool FailsNow() { return HostFailures() && HostFailures()(); }

}  // namespace

void SetHostFailures(std::function<bool()> fails) { HostFailures() = std::move(fails); }

std::string Narrow(std::u16string_view text) {
  std::string narrow;
  for (char16_t c : text) narrow += c < 0x80 ? static_cast<char>(c) : '?';
  return narrow;
}

std::string Describe(const Value& value) {
  struct Visitor {
    std::string operator()(std::monostate) const { return "empty"; }
    std::string operator()(bool b) const { return b ? "true" : "false"; }
    std::string operator()(std::int32_t i) const { return std::to_string(i); }
    std::string operator()(double d) const {
      std::ostringstream text;
      text << d;
      return text.str();
    }
    std::string operator()(const SharedText& s) const { return "\"" + Narrow(s.str()) + "\""; }
    std::string operator()(const ObjectRef& o) const {
      if (!o) return "nothing";
      const auto* fake = dynamic_cast<const FakeObject*>(o.get());
      return "<" + (fake ? fake->Name() : std::string("object")) + ">";
    }
  };
  return std::visit(Visitor{}, value);
}

FakeObject& FakeObject::Set(std::u16string_view member, Value value) {
  properties_[std::u16string(member)] = std::move(value);
  return *this;
}

FakeObject& FakeObject::Getter(std::u16string_view member, Member read) {
  getters_[std::u16string(member)] = std::move(read);
  return *this;
}

FakeObject& FakeObject::Method(std::u16string_view member, Member call) {
  methods_[std::u16string(member)] = std::move(call);
  return *this;
}

FakeObject& FakeObject::Fail(std::u16string_view member) {
  failing_.insert(std::u16string(member));
  return *this;
}

Value FakeObject::Property(std::u16string_view member) const {
  const auto found = properties_.find(member);
  return found == properties_.end() ? Value() : found->second;
}

Result FakeObject::Get(std::u16string_view member, const Arguments& arguments) {
  if (failing_.count(member) || FailsNow()) return std::nullopt;
  if (const auto getter = getters_.find(member); getter != getters_.end()) {
    return getter->second(arguments);
  }
  const auto property = properties_.find(member);
  if (property == properties_.end() || !arguments.empty()) return std::nullopt;
  return property->second;
}

bool FakeObject::Put(std::u16string_view member, const Value& value) {
  const bool fails = failing_.count(member) != 0 || FailsNow();
  log_.push_back(name_ + "." + Narrow(member) + " = " + Describe(value) + (fails ? " fails" : ""));
  if (fails) return false;
  properties_[std::u16string(member)] = value;
  return true;
}

Result FakeObject::Call(std::u16string_view member, const Arguments& arguments) {
  const auto method = methods_.find(member);
  const bool fails = failing_.count(member) != 0 || method == methods_.end() || FailsNow();
  log_.push_back(name_ + "." + Narrow(member) + "(" + DescribeArguments(arguments) + ")" +
                 (fails ? " fails" : ""));
  if (fails) return std::nullopt;
  return method->second(arguments);
}

FakePresentation::FakePresentation(std::string name, int slideCount, CallLog& log) : log_(log) {
  presentation = std::make_shared<FakeObject>("pres", log);
  settings = std::make_shared<FakeObject>("settings", log);
  window = std::make_shared<FakeObject>("window", log);
  view = std::make_shared<FakeObject>("view", log);
  auto slidesObject = std::make_shared<FakeObject>("slides", log);
  for (int i = 0; i < slideCount; ++i) slides.push_back(NewSlide());
  Renumber();

  presentation->Set(u"Name", std::u16string(name.begin(), name.end()))
      .Set(u"Slides", slidesObject)
      .Set(u"SlideShowSettings", settings)
      .Getter(u"SlideShowWindow", [this](const Arguments&) -> Result {
        if (current == 0) return std::nullopt;
        return Value{ObjectRef(window)};
      });
  slidesObject->Getter(u"Count", [this](const Arguments&) -> Result {
    return Value{static_cast<std::int32_t>(slides.size())};
  });
  slidesObject->Getter(u"Item", [this](const Arguments& arguments) -> Result {
    const auto index = LongArgument(arguments, 0);
    if (!index || *index < 1 || *index > static_cast<int>(slides.size())) return std::nullopt;
    return Value{ObjectRef(Slide(*index))};
  });
  slidesObject->Method(u"Add", [this](const Arguments& arguments) -> Result {
    const auto index = LongArgument(arguments, 0);
    if (!index || *index < 1 || *index > static_cast<int>(slides.size()) + 1) return std::nullopt;
    const FakeRef slide = NewSlide();
    slides.insert(slides.begin() + (*index - 1), slide);
    if (current >= *index) ++current;
    Renumber();
    return Value{ObjectRef(slide)};
  });
  settings->Method(u"Run", [this](const Arguments&) -> Result {
    if (showFails) return std::nullopt;
    current = startSlide;
    if (whileRunning) whileRunning();
    return Value{ObjectRef(window)};
  });
  window->Set(u"View", view);
  view->Getter(u"Slide", [this](const Arguments&) -> Result {
    if (current < 1 || current > static_cast<int>(slides.size())) return std::nullopt;
    return Value{ObjectRef(Slide(current))};
  });
  view->Method(u"GotoSlide", [this](const Arguments& arguments) -> Result {
    const auto index = LongArgument(arguments, 0);
    if (!index || *index < 1 || *index > static_cast<int>(slides.size())) return std::nullopt;
    current = *index;
    return Value();
  });
  view->Method(u"Exit", [this](const Arguments&) -> Result {
    if (whileExiting) whileExiting();
    current = 0;
    return Value();
  });
}

FakeRef FakePresentation::AddNotesShape(int number, int type, int placeholderType,
                                     std::u16string text) {
  std::vector<FakeRef>& shapes = notesShapes_[Slide(number).get()];
  const std::string name = Slide(number)->Name() + ".shape" + std::to_string(shapes.size() + 1);
  auto range = std::make_shared<FakeObject>(name + ".range", log_);
  range->Set(u"Text", std::move(text));
  auto frame = std::make_shared<FakeObject>(name + ".frame", log_);
  frame->Set(u"TextRange", range);
  auto shape = std::make_shared<FakeObject>(name, log_);
  shape->Set(u"Type", std::int32_t{type}).Set(u"TextFrame", frame);
  // Only placeholders have a placeholder format; reading it on other shapes fails.
  if (type == 14) {
    auto format = std::make_shared<FakeObject>(name + ".format", log_);
    format->Set(u"Type", std::int32_t{placeholderType});
    shape->Set(u"PlaceholderFormat", format);
  }
  shapes.push_back(shape);
  return shape;
}

FakeRef FakePresentation::NewSlide() {
  auto slide = std::make_shared<FakeObject>("slide" + std::to_string(++made_), log_);
  auto notesPage = std::make_shared<FakeObject>(slide->Name() + ".notes", log_);
  auto shapes = std::make_shared<FakeObject>(slide->Name() + ".shapes", log_);
  const FakeObject* key = slide.get();
  shapes->Getter(u"Count", [this, key](const Arguments&) -> Result {
    return Value{static_cast<std::int32_t>(notesShapes_[key].size())};
  });
  shapes->Getter(u"Item", [this, key](const Arguments& arguments) -> Result {
    const std::vector<FakeRef>& onPage = notesShapes_[key];
    const auto index = LongArgument(arguments, 0);
    if (!index || *index < 1 || *index > static_cast<int>(onPage.size())) return std::nullopt;
    return Value{ObjectRef(onPage[*index - 1])};
  });
  notesPage->Set(u"Shapes", shapes);
  slide->Set(u"NotesPage", notesPage).Set(u"DisplayMasterShapes", std::int32_t{-1});
  return slide;
}

void FakePresentation::Renumber() {
  for (std::size_t i = 0; i < slides.size(); ++i) {
    slides[i]->Set(u"SlideIndex", static_cast<std::int32_t>(i + 1));
  }
}

}  // namespace tandry::addin::test
