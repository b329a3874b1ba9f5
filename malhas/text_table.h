#pragma once
// malhas.txt: the study's table for people, in Portuguese, as Windows-1252 text with CR LF line
// ends like the report of aleta.
#include <string>
#include <vector>

#include "malhas/analysis.h"

namespace malhas {

std::string text_table(const std::vector<SchemeStudy>& studies);

}  // namespace malhas
