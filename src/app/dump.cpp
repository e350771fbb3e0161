#include "app/dump.hpp"

#include "game/level.hpp"

namespace reddoor {

namespace {

using Json = nlohmann::ordered_json;

std::string Letter(char c) { return c ? std::string(1, c) : std::string(); }

Json LevelVars(const Level& level, FormId id) {
  Json vars = Json::object();
  vars["Speed"] = level.Speed;
  vars["JumpHeight"] = level.JumpHeight;
  vars["Facing"] = Letter(level.Facing);
  vars["Jumping"] = level.Jumping;
  vars["JumpStart"] = level.JumpStart;
  vars["JumpPeak"] = level.JumpPeak;
  vars["JumpPhase"] = Letter(level.JumpPhase);
  vars["Standing"] = level.Standing;
  vars["Dead"] = level.Dead;
  if (id == FormId::Level2 || id == FormId::Level3) vars["LevelCoins"] = level.LevelCoins;
  if (id == FormId::Level3) {
    vars["BirdCalled"] = level.BirdCalled;
    vars["BirdCarrying"] = level.BirdCarrying;
    vars["Scrolling"] = level.Scrolling;
  }
  return vars;
}

Json DumpControl(const Control& c) {
  Json j = Json::object();
  if (c.Kind() == ControlKind::Timer) {
    j["Enabled"] = c.enabled;
    j["Interval"] = c.Interval();
    return j;
  }
  j["Left"] = c.left;
  j["Top"] = c.top;
  j["Width"] = c.width;
  j["Height"] = c.height;
  j["Visible"] = c.visible;
  switch (c.Kind()) {
    case ControlKind::PictureBox:
      j["Picture"] = PictureName(c.picture);
      j["Tag"] = c.tag;
      break;
    case ControlKind::Label:
      j["Caption"] = c.caption;
      j["ForeColor"] = c.foreColor;
      break;
    case ControlKind::Button: j["Caption"] = c.caption; break;
    default: break;
  }
  return j;
}

}  // namespace

Json DumpState(Runtime& runtime) {
  Json state;
  state["t"] = runtime.Now();
  Form* visible = runtime.VisibleWindow();
  state["visible"] = visible ? visible->Name() : "";
  state["TotalCoins"] = runtime.TotalCoins;
  state["vars"] = Json::object();
  state["controls"] = Json::object();
  if (!visible) return state;
  for (std::size_t i = 0; i < kFormCount; ++i) {
    const FormId id = static_cast<FormId>(i);
    const auto* level = dynamic_cast<const Level*>(&runtime.Window(id));
    if (level && level == visible) state["vars"] = LevelVars(*level, id);
  }
  Json& controls = state["controls"];
  for (const Control& c : visible->Controls().Controls()) controls[c.DisplayName()] = DumpControl(c);
  return state;
}

}  // namespace reddoor
