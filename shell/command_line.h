#pragma once
#include <optional>
#include <ostream>

namespace kerumo {

// Answers "--help" and "--version"; refuses any other argument with the help
// on `err` and status 2. Returns the exit status when the program should end
// here, or nothing when Kerumo should start (no argument).
std::optional<int> answerCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace kerumo
