#include "scene/scene.hpp"

#include <fmt/format.h>

#include <algorithm>

#include "base/fault.hpp"

namespace reddoor {

std::string_view PictureName(PictureId id) {
  switch (id) {
    case PictureId::ManRight:
      return "man-right";
    case PictureId::ManLeft:
      return "man-left";
    case PictureId::Monster:
      return "monster";
    case PictureId::Bird:
      return "bird";
    case PictureId::Cloud:
      return "cloud";
    case PictureId::Icon:
      return "reddoor";
    case PictureId::None:
      break;
  }
  return "";
}

std::string Control::DisplayName() const {
  if (record->index < 0) return std::string(record->name);
  return fmt::format("{}({})", record->name, record->index);
}

void Control::Reset() {
  left = record->box.left;
  top = record->box.top;
  width = record->box.width;
  height = record->box.height;
  visible = record->visible;
  picture = record->picture;
  if (caption != record->caption) caption = record->caption;
  foreColor = record->foreColor;
}

void ControlArray::MissingElement(int index) const {
  throw GameFault(fmt::format("layout fault: window {} has no element {}({}) (UBound is {})",
                              window_, name_, index, UBound()));
}

namespace {

bool DrawnWithPictures(ControlKind kind) {
  return kind == ControlKind::PictureBox || kind == ControlKind::Button;
}

}  // namespace

Scene::Scene(const WindowLayout& layout) : layout_(&layout) {
  // Group the records by name, keeping the order in which each name first appears.
  const std::size_t count = layout.controls.size();
  std::vector<const ControlRecord*> ordered;
  ordered.reserve(count);
  std::vector<bool> grouped(count);
  for (std::size_t first = 0; first < count; ++first) {
    if (grouped[first]) continue;
    const ControlRecord& record = layout.controls[first];
    Group group{record.name, ordered.size(), 0, record.index >= 0};
    for (std::size_t i = first; i < count; ++i) {
      const ControlRecord& member = layout.controls[i];
      if (grouped[i] || member.name != record.name) continue;
      grouped[i] = true;
      if ((member.index >= 0) != group.isArray) {
        throw GameFault(
            fmt::format("layout fault: window {} mixes a single control and an array named {}",
                        layout.name, record.name));
      }
      ordered.push_back(&member);
      ++group.count;
    }
    std::sort(ordered.begin() + static_cast<std::ptrdiff_t>(group.first), ordered.end(),
              [](const ControlRecord* a, const ControlRecord* b) { return a->index < b->index; });
    for (std::size_t i = 0; i < group.count; ++i) {
      const int expected = group.isArray ? static_cast<int>(i) : -1;
      if (ordered[group.first + i]->index != expected) {
        throw GameFault(
            fmt::format("layout fault: window {} has a gap or a repeat in array {} at index {}",
                        layout.name, record.name, i));
      }
    }
    groups_.push_back(group);
  }

  controls_.resize(ordered.size());
  for (std::size_t i = 0; i < ordered.size(); ++i) controls_[i].record = ordered[i];
  Reset();

  for (Control& c : controls_) {
    if (c.Kind() == ControlKind::Timer) {
      timers_.push_back(&c);
    } else {
      drawOrder_.push_back(&c);
    }
  }
  std::stable_sort(drawOrder_.begin(), drawOrder_.end(), [](const Control* a, const Control* b) {
    const bool aTop = DrawnWithPictures(a->Kind()), bTop = DrawnWithPictures(b->Kind());
    if (aTop != bTop) return bTop;
    return a->record->rank > b->record->rank;
  });
}

void Scene::Reset() {
  for (Control& c : controls_) c.Reset();
}

const Scene::Group& Scene::FindGroup(std::string_view name) const {
  for (const Group& g : groups_) {
    if (g.name == name) return g;
  }
  throw GameFault(fmt::format("layout fault: window {} has no control {}", layout_->name, name));
}

Control& Scene::Get(std::string_view name) {
  const Group& g = FindGroup(name);
  if (g.isArray) {
    throw GameFault(fmt::format(
        "layout fault: window {}: {} is a control array; an index is needed", layout_->name, name));
  }
  return controls_[g.first];
}

const Control& Scene::Get(std::string_view name) const {
  return const_cast<Scene*>(this)->Get(name);
}

ControlArray Scene::Array(std::string_view name) {
  const Group& g = FindGroup(name);
  return ControlArray(layout_->name, name, std::span<Control>(controls_).subspan(g.first, g.count));
}

}  // namespace reddoor
