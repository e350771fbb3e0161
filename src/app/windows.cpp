#include "game/windows.hpp"

#include "app/finish.hpp"
#include "app/intro.hpp"
#include "game/levels.hpp"

namespace reddoor {

std::unique_ptr<Form> MakeWindow(Runtime& runtime, FormId id) {
  switch (id) {
    case FormId::Intro: return std::make_unique<Intro>(runtime);
    case FormId::Level1: return std::make_unique<Level1>(runtime);
    case FormId::Level2: return std::make_unique<Level2>(runtime);
    case FormId::Level3: return std::make_unique<Level3>(runtime);
    case FormId::Finish: return std::make_unique<Finish>(runtime);
  }
  return nullptr;
}

}  // namespace reddoor
