// A small stand-in for the presentation program's object model in the add-in's native tests:
// named objects with properties and methods, which write every property write and method call
// into a shared log, and a presentation with slides, a show window and notes pages built from
// them.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "HostObject.h"

namespace tandry::addin::test {

using CallLog = std::vector<std::string>;

// ASCII text of a UTF-16 text, for log lines and messages.
std::string Narrow(std::u16string_view text);
// A value as log lines show it: 5, 1.5, "text", true, <name of the object>, nothing, empty.
std::string Describe(const Value& value);

class FakeObject : public HostObject {
 public:
  using Member = std::function<Result(const Arguments&)>;

  FakeObject(std::string name, CallLog& log) : name_(std::move(name)), log_(log) {}

  // A property that reads as `value`, or a read computed at each call (with its arguments).
  FakeObject& Set(std::u16string_view member, Value value);
  FakeObject& Getter(std::u16string_view member, Member read);
  // A method; its calls are logged as "<name>.<member>(<arguments>)".
  FakeObject& Method(std::u16string_view member, Member call);
  // Every read, write or call of `member` fails from now on.
  FakeObject& Fail(std::u16string_view member);

  const std::string& Name() const { return name_; }
  // The property's value as written last; empty when there is none.
  Value Property(std::u16string_view member) const;

  Result Get(std::u16string_view member, const Arguments& arguments) override;
  bool Put(std::u16string_view member, const Value& value) override;
  Result Call(std::u16string_view member, const Arguments& arguments) override;
  bool IsSameObject(const HostObject& other) const override { return this == &other; }

 private:
  std::string name_;
  CallLog& log_;
  std::map<std::u16string, Value, std::less<>> properties_;
  std::map<std::u16string, Member, std::less<>> getters_;
  std::map<std::u16string, Member, std::less<>> methods_;
  std::set<std::u16string, std::less<>> failing_;
};

using FakeRef = std::shared_ptr<FakeObject>;

// A flaky host: while set, every read, write or call of every fake object asks `fails` whether
// it fails. Empty (the default): none fails but those marked with Fail.
void SetHostFailures(std::function<bool()> fails);

// A presentation named `name` with `slideCount` slides, its show settings, and the show that
// their Run starts: a SlideShowWindow whose View shows one slide at a time. Slides.Add inserts
// a slide, and every slide's SlideIndex follows its place. Each slide's notes page holds the
// shapes that `notes` gives it (none by default).
class FakePresentation {
 public:
  FakePresentation(std::string name, int slideCount, CallLog& log);
  FakePresentation(const FakePresentation&) = delete;
  FakePresentation& operator=(const FakePresentation&) = delete;

  FakeRef presentation;
  FakeRef settings;  // SlideShowSettings
  FakeRef window;    // SlideShowWindow
  FakeRef view;      // its View
  std::vector<FakeRef> slides;
  // The slide the show stands on, 1-based; the show starts on `startSlide`.
  int current = 0;
  int startSlide = 1;
  // Run starts no show: it fails.
  bool showFails = false;
  // Run as a call from outside while the presentation program's show starts (once it stands on
  // its first slide), and while it ends: the program runs messages then.
  std::function<void()> whileRunning;
  std::function<void()> whileExiting;

  FakeRef Slide(int number) const { return slides.at(number - 1); }
  // Adds a shape to the notes page of slide `number`: `type` 14 is a placeholder, whose
  // placeholder type is `placeholderType`; `text` is its text. Gives the shape.
  FakeRef AddNotesShape(int number, int type, int placeholderType, std::u16string text);

 private:
  FakeRef NewSlide();
  void Renumber();

  CallLog& log_;
  int made_ = 0;
  std::map<const FakeObject*, std::vector<FakeRef>> notesShapes_;
};

}  // namespace tandry::addin::test
