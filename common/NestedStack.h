// The items of nested calls under way on one thread (a modal wait inside a modal wait), innermost
// first, kept without allocating: each item's entry lives in the frame of the call it belongs to,
// so entries come and go in reverse order. Something outside the calls (a shutdown that arrives
// in the innermost wait) can then reach every one of them.
#pragma once

namespace tandry {

template <typename Item>
class NestedStack {
 public:
  // While it lives, `item` is the innermost of the stack.
  class Entry {
   public:
    Entry(NestedStack& stack, Item value) : item(value), stack_(stack), below_(stack.innermost_) {
      stack.innermost_ = this;
    }
    ~Entry() { stack_.innermost_ = below_; }
    Entry(const Entry&) = delete;
    Entry& operator=(const Entry&) = delete;

    Item item;

   private:
    friend class NestedStack;
    NestedStack& stack_;
    Entry* const below_;
  };

  // The entry made last that still lives; null when there is none.
  Entry* Innermost() const { return innermost_; }

  // Runs `visit(item)` for every entry, innermost first.
  template <typename Visit>
  void ForEach(Visit&& visit) const {
    for (const Entry* entry = innermost_; entry; entry = entry->below_) visit(entry->item);
  }

 private:
  Entry* innermost_ = nullptr;
};

}  // namespace tandry
