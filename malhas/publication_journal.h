#pragma once
// The journal of a publication: the renames that put a study's files in their places, written
// and put on the disk before the first of them. A run stopped among them (killed, out of
// memory, a power cut) leaves the journal behind, and the next run in the folder makes the
// renames still pending before anything else, so that no later run finds a mix of two sets.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace malhas {

// The journal's name in the output folder (hidden, like the temporary files).
inline constexpr std::string_view kJournalName = ".aleta-malhas.diario";

// One rename of a publication, both names inside the output folder.
struct Renaming {
  std::string temporary;   // as temporary_name gives it
  std::string final_name;  // "malhas.csv"
};

// A hidden name beside `name` for a new file: ".malhas.csv.<16 hexadecimal digits>.temp", with
// a random token that no other run draws.
std::string temporary_name(std::string_view name);

// Whether `name` has the form temporary_name gives.
bool is_temporary_name(std::string_view name);

std::string journal_text(const std::vector<Renaming>& renamings);

// The renames of a journal; none when `text` is not a whole journal of names inside one folder.
std::optional<std::vector<Renaming>> parse_journal(std::string_view text);

}  // namespace malhas
