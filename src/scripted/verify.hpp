#pragma once
// A recording checked by playing it again: the replay, headless and as fast as the machine
// goes, must print every state line that the recording carries as a comment, in order.
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

#include "game/runtime.hpp"

namespace reddoor {

// How a replayed game ended, as --verify prints it: whether it reached the closing window, the
// run's game time with its splits, the coins and the deaths.
std::string DescribeEnd(const Runtime& game);

// Replays the recording read from `in`, named `name` in messages. Prints DescribeEnd on `out`
// and returns 0 when every state line was played again; 1 at the first difference, naming the
// line and the field on `err`; 2 for what is no recording.
int VerifyRecording(std::istream& in, std::string_view name, std::ostream& out, std::ostream& err);
// The same for the recording in the file at `path`; a file that cannot be read is status 2,
// named with the reason.
int VerifyRecordingFile(const std::string& path, std::ostream& out, std::ostream& err);

}  // namespace reddoor
