#pragma once
// The study program's name, as its messages and its --version begin.
#include <string_view>

namespace malhas {

inline constexpr std::string_view kProgram = "aleta-malhas";

}  // namespace malhas
