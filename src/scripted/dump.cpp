#include "scripted/dump.hpp"

namespace reddoor {

namespace {

using Json = nlohmann::ordered_json;

std::string_view Letter(Facing facing) {
  switch (facing) {
    case Facing::Right:
      return "R";
    case Facing::Left:
      return "L";
    case Facing::None:
      break;
  }
  return "";
}

std::string_view Letter(JumpPhase phase) {
  switch (phase) {
    case JumpPhase::Up:
      return "U";
    case JumpPhase::Down:
      return "D";
    case JumpPhase::None:
      break;
  }
  return "";
}

// The member variables; the coin count of the level and the bird's only where the level has
// them.
Json LevelVars(const Level& level) {
  const LevelVariables& v = level.Vars();
  Json vars = Json::object();
  vars["Speed"] = v.speed;
  vars["JumpHeight"] = v.jumpHeight;
  vars["Facing"] = Letter(v.facing);
  vars["Jumping"] = v.jumping;
  vars["JumpStart"] = v.jumpStart;
  vars["JumpPeak"] = v.jumpPeak;
  vars["JumpPhase"] = Letter(v.jumpPhase);
  vars["Standing"] = v.standing;
  vars["Dead"] = v.dead;
  if (level.Rules().countsLevelCoins) vars["LevelCoins"] = v.levelCoins;
  if (level.Rules().exit == ExitKind::Bird) {
    vars["BirdCalled"] = v.birdCalled;
    vars["BirdCarrying"] = v.birdCarrying;
    vars["Scrolling"] = v.scrolling;
  }
  return vars;
}

Json DumpControl(const Control& c, const Window& window, const Level* level) {
  Json j = Json::object();
  if (c.Kind() == ControlKind::Timer) {
    j["Enabled"] = window.TimerEnabled(c);
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
      j["Tag"] = level ? level->Tag(c) : std::string(c.record->tag);
      break;
    case ControlKind::Label:
      j["Caption"] = c.caption;
      j["ForeColor"] = c.foreColor;
      break;
    case ControlKind::Button:
      j["Caption"] = c.caption;
      break;
    default:
      break;
  }
  return j;
}

}  // namespace

Json DumpState(const Runtime& runtime) {
  Json state;
  state["t"] = runtime.Now();
  const Window* visible = runtime.VisibleWindow();
  state["visible"] = visible ? visible->Name() : "";
  state["TotalCoins"] = runtime.TotalCoins();
  state["vars"] = Json::object();
  state["controls"] = Json::object();
  if (!visible) return state;
  const Level* level = runtime.LevelWindow(visible->Id());
  if (level) state["vars"] = LevelVars(*level);
  Json& controls = state["controls"];
  for (const Control& c : visible->Contents().Controls()) {
    controls[c.DisplayName()] = DumpControl(c, *visible, level);
  }
  return state;
}

}  // namespace reddoor
