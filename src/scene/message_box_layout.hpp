#pragma once
// The death message's box as the game draws it itself: titled "Red Door", the critical-stop
// icon, the message, and one OK button ("CmdOK"), which has the focus, laid out around the
// text as the desktop lays out its message boxes. The page's back end draws it from here.
#include <string>
#include <string_view>
#include <vector>

#include "scene/layout.hpp"
#include "scene/renderer.hpp"

namespace reddoor {

class MessageBoxLayout {
 public:
  // Measures the text at scale 1 with `text`.
  MessageBoxLayout(std::string_view message, TextRasterizer& text);
  // The layout points into the box's own text and controls.
  MessageBoxLayout(const MessageBoxLayout&) = delete;
  MessageBoxLayout& operator=(const MessageBoxLayout&) = delete;

  const WindowLayout& Layout() const { return layout_; }

 private:
  std::string text_;
  std::vector<ControlRecord> controls_;
  WindowLayout layout_;
};

}  // namespace reddoor
