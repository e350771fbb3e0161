#pragma once
// The controls of a window, built from its layout once and put back to the layout's values at
// every load. The logic reads and moves these controls directly: a control's box is its
// geometry in the world.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/geometry.hpp"
#include "scene/layout.hpp"

namespace reddoor {

// A live control. What the logic may change is copied out of the layout record; the rest
// (kind, look, rank, tag) is read from the record itself.
struct Control {
  const ControlRecord* record = nullptr;
  std::int32_t left = 0, top = 0, width = 0, height = 0;
  bool visible = true;
  PictureId picture = PictureId::None;
  std::string caption;
  Color foreColor = palette::kButtonText;

  std::string_view Name() const { return record->name; }
  ControlKind Kind() const { return record->kind; }
  std::int32_t Interval() const { return record->interval; }
  Box Area() const { return {left, top, width, height}; }
  // "Man" or "Block(7)", as the controls are named in messages and dumps.
  std::string DisplayName() const;
  // Back to what the layout says.
  void Reset();
};

// A control array, or a single control, as a view over the scene's storage. Indexing an
// element that does not exist is a fault of the layout data.
class ControlArray {
 public:
  ControlArray(std::string_view window, std::string_view name, std::span<Control> elements)
      : window_(window), name_(name), elements_(elements) {}

  Control& operator()(int index) const {
    if (index < 0 || index >= static_cast<int>(elements_.size())) MissingElement(index);
    return elements_[static_cast<std::size_t>(index)];
  }
  int UBound() const { return static_cast<int>(elements_.size()) - 1; }
  auto begin() const { return elements_.begin(); }
  auto end() const { return elements_.end(); }

 private:
  [[noreturn]] void MissingElement(int index) const;

  std::string_view window_;
  std::string_view name_;
  std::span<Control> elements_;
};

class Scene {
 public:
  // Checks the layout: a fault names a gap or a repeat in an array, or a name used both for a
  // single control and an array.
  explicit Scene(const WindowLayout& layout);
  Scene(const Scene&) = delete;
  Scene& operator=(const Scene&) = delete;

  const WindowLayout& Layout() const { return *layout_; }
  // Every control back to the layout's values.
  void Reset();

  // A single control by name; a fault when the window has none of that name.
  Control& Get(std::string_view name);
  const Control& Get(std::string_view name) const;
  // A control array by name (a single control is an array of one without an index).
  ControlArray Array(std::string_view name);

  // All controls, grouped by name in the layout's first-appearance order, arrays by index.
  std::span<Control> Controls() { return controls_; }
  std::span<const Control> Controls() const { return controls_; }

  // Drawing order: shapes and labels, then picture boxes and buttons, each from the highest
  // rank down to rank 1.
  std::span<const Control* const> DrawOrder() const { return drawOrder_; }
  // The timers, in the order in which ticks due at the same instant run.
  std::span<Control* const> Timers() const { return timers_; }

 private:
  struct Group {
    std::string_view name;
    std::size_t first = 0, count = 0;
    bool isArray = false;
  };
  const Group& FindGroup(std::string_view name) const;

  const WindowLayout* layout_;
  std::vector<Control> controls_;
  std::vector<Group> groups_;
  std::vector<const Control*> drawOrder_;
  std::vector<Control*> timers_;
};

}  // namespace reddoor
