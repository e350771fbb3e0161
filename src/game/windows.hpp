#pragma once
// Builds each of the program's five windows.
#include <memory>

#include "game/runtime.hpp"

namespace reddoor {

std::unique_ptr<Form> MakeWindow(Runtime& runtime, FormId id);

}  // namespace reddoor
