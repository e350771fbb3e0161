#pragma once
// A window's layout as constant data: one record per control, listing only what differs
// from the defaults of its kind. Loading a window builds its controls from these records.
#include <cstdint>
#include <span>
#include <string_view>

#include "base/geometry.hpp"
#include "scene/color.hpp"

namespace reddoor {

enum class ControlKind : std::uint8_t { PictureBox, Shape, Label, Button, Timer };
// A cross is two strokes from corner to corner in the fill colour, as on the critical-stop icon.
enum class ShapeKind : std::uint8_t { Rectangle, Circle, Cross };
enum class FillStyle : std::uint8_t { Transparent, Solid, DownwardDiagonal };
enum class Alignment : std::uint8_t { Left, Center };
enum class FontFace : std::uint8_t { Sans, Rounded };
// Icon is the program's own, for the desktop to show with its windows; no control shows it.
enum class PictureId : std::uint8_t { None, ManRight, ManLeft, Monster, Bird, Cloud, Icon };
enum class BorderStyle : std::uint8_t { FixedTool, FixedSingle, SizableTool };

// The name of a picture's file under assets/, without its extension: "man-right", ...; empty
// for PictureId::None.
std::string_view PictureName(PictureId id);

struct Font {
  FontFace face = FontFace::Sans;
  std::uint8_t points = 8;
  bool bold = false;
  friend constexpr bool operator==(const Font&, const Font&) = default;
};

// One control of a layout. The defaults are those of a picture box; the factories below set
// the defaults of the other kinds, and the With* modifiers set what a layout changes.
struct ControlRecord {
  std::string_view name;
  std::int16_t index = -1;  // -1: a single control, otherwise an element of a control array
  ControlKind kind = ControlKind::PictureBox;
  Box box;
  std::int16_t rank = 0;  // stacking rank: 1 lies on top
  bool visible = true;

  // Picture box
  PictureId picture = PictureId::None;
  bool flat = false;  // flat look, no border (sprites); otherwise sunken with a border
  std::string_view tag;

  // Shape
  ShapeKind shape = ShapeKind::Rectangle;
  bool opaque = false;
  FillStyle fill = FillStyle::Transparent;
  Color fillColor = palette::kBlack;
  bool border = true;
  Color borderColor = palette::kWindowText;

  // Picture box, label, button
  Color backColor = palette::kButtonFace;

  // Label, button
  std::string_view caption;
  bool focused = false;  // a button with the keyboard's focus shows a dotted frame
  Color foreColor = palette::kButtonText;
  Alignment alignment = Alignment::Left;
  Font font;

  // Timer
  std::int32_t interval = 0;
  bool enabled = true;

  constexpr ControlRecord Hidden() const {
    ControlRecord c = *this;
    c.visible = false;
    return c;
  }
  constexpr ControlRecord WithTag(std::string_view t) const {
    ControlRecord c = *this;
    c.tag = t;
    return c;
  }
  constexpr ControlRecord WithBack(Color back) const {
    ControlRecord c = *this;
    c.opaque = true;
    c.backColor = back;
    return c;
  }
  constexpr ControlRecord WithFill(FillStyle style, Color color) const {
    ControlRecord c = *this;
    c.fill = style;
    c.fillColor = color;
    return c;
  }
  constexpr ControlRecord WithBorder(Color color) const {
    ControlRecord c = *this;
    c.border = true;
    c.borderColor = color;
    return c;
  }
  constexpr ControlRecord NoBorder() const {
    ControlRecord c = *this;
    c.border = false;
    return c;
  }
  constexpr ControlRecord Circle() const {
    ControlRecord c = *this;
    c.shape = ShapeKind::Circle;
    return c;
  }
  constexpr ControlRecord Cross() const {
    ControlRecord c = *this;
    c.shape = ShapeKind::Cross;
    return c;
  }
  constexpr ControlRecord WithFont(Font f) const {
    ControlRecord c = *this;
    c.font = f;
    return c;
  }
  constexpr ControlRecord Centered() const {
    ControlRecord c = *this;
    c.alignment = Alignment::Center;
    return c;
  }
  constexpr ControlRecord WithFocus() const {
    ControlRecord c = *this;
    c.focused = true;
    return c;
  }
  constexpr ControlRecord Disabled() const {
    ControlRecord c = *this;
    c.enabled = false;
    return c;
  }
};

// A picture box with the default sunken look and border (the hidden picture holders).
constexpr ControlRecord PictureHolder(std::string_view name, Box box, std::int16_t rank,
                                      PictureId picture) {
  ControlRecord c;
  c.name = name;
  c.box = box;
  c.rank = rank;
  c.picture = picture;
  c.backColor = palette::kWindowBackground;
  return c;
}

// A flat, borderless picture box showing a picture (the sprites and clouds).
constexpr ControlRecord Sprite(std::string_view name, std::int16_t index, Box box,
                               std::int16_t rank, PictureId picture) {
  ControlRecord c = PictureHolder(name, box, rank, picture);
  c.index = index;
  c.flat = true;
  return c;
}

constexpr ControlRecord Shape(std::string_view name, std::int16_t index, Box box,
                              std::int16_t rank) {
  ControlRecord c;
  c.name = name;
  c.index = index;
  c.kind = ControlKind::Shape;
  c.box = box;
  c.rank = rank;
  return c;
}

// An opaque rectangle with a one-pixel border: the blocks, floors and doors.
constexpr ControlRecord Rect(std::string_view name, std::int16_t index, Box box, std::int16_t rank,
                             Color back, Color border) {
  return Shape(name, index, box, rank).WithBack(back).WithBorder(border);
}

constexpr ControlRecord Label(std::string_view name, Box box, std::int16_t rank,
                              std::string_view caption, Color back, Font font) {
  ControlRecord c;
  c.name = name;
  c.kind = ControlKind::Label;
  c.box = box;
  c.rank = rank;
  c.caption = caption;
  c.backColor = back;
  c.font = font;
  return c;
}

constexpr ControlRecord Button(std::string_view name, Box box, std::int16_t rank,
                               std::string_view caption, Color back) {
  ControlRecord c;
  c.name = name;
  c.kind = ControlKind::Button;
  c.box = box;
  c.rank = rank;
  c.caption = caption;
  c.backColor = back;
  return c;
}

constexpr ControlRecord Timer(std::string_view name, std::int32_t interval) {
  ControlRecord c;
  c.name = name;
  c.kind = ControlKind::Timer;
  c.interval = interval;
  return c;
}

struct WindowLayout {
  std::string_view name;
  std::string_view caption;
  std::int32_t clientWidth = 0;
  std::int32_t clientHeight = 0;
  BorderStyle border = BorderStyle::FixedSingle;
  bool inTaskBar = true;
  Color background = palette::kSky;
  // Timers are listed in the order in which ticks due at the same instant run.
  std::span<const ControlRecord> controls;
};

// Level windows are laid out with a frame of 45 twips on each side.
constexpr std::int32_t kFrameTwips = 45;

const WindowLayout& IntroLayout();
const WindowLayout& Level1Layout();
const WindowLayout& Level2Layout();
const WindowLayout& Level3Layout();
const WindowLayout& FinishLayout();
// The five windows: the title, the three levels and the closing window.
std::span<const WindowLayout* const> AllLayouts();

}  // namespace reddoor
