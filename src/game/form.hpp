#pragma once
// A window of the game: not loaded, loaded and hidden, or loaded and visible. Loading builds
// its controls from its layout and runs its load handler; unloading discards the controls,
// while the window's own member variables live on.
#include <cstdint>
#include <optional>
#include <string_view>

#include "scene/scene.hpp"

namespace reddoor {

class Runtime;

class Form {
 public:
  Form(Runtime& runtime, const WindowLayout& layout) : runtime_(runtime), layout_(layout) {}
  virtual ~Form() = default;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  std::string_view Name() const { return layout_.name; }
  const WindowLayout& Layout() const { return layout_; }
  bool IsLoaded() const { return scene_.has_value(); }
  bool IsVisible() const { return visible_; }
  // The order in which loaded windows run timer ticks that fall due at the same instant.
  std::uint64_t LoadSequence() const { return loadSequence_; }

  // The loaded controls. Only valid while the window is loaded.
  Scene& Controls() { return *scene_; }
  const Scene& Controls() const { return *scene_; }

  void Load();
  void Show();
  void Hide();
  void Unload();

  // Starting a timer that already runs changes nothing: its countdown goes on.
  void SetTimerEnabled(Control& timer, bool enabled);

  // A timer of this window fell due. The record outlives any reload the handler causes.
  virtual void Timer(const ControlSpec& timer) = 0;
  virtual void Click(std::string_view /*button*/) {}

 protected:
  // Called after the controls are built, before the load handler: look up the controls the
  // window's logic uses, and check the layout's data.
  virtual void BindControls() {}
  virtual void Form_Load() {}

  Runtime& runtime_;

 private:
  const WindowLayout& layout_;
  std::optional<Scene> scene_;
  bool visible_ = false;
  std::uint64_t loadSequence_ = 0;
};

}  // namespace reddoor
