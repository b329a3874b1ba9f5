#include "malhas/publication_journal.h"

#include <cstdio>
#include <random>

namespace malhas {
namespace {

constexpr std::string_view kTemporaryEnd = ".temp";
constexpr std::size_t kTokenDigits = 16;

// The first line says what the file is to whoever opens it; the last one that it is whole.
constexpr std::string_view kHeading =
    "aleta-malhas: troca de arquivos em andamento; a próxima execução de aleta-malhas nesta "
    "pasta a conclui\n";
constexpr std::string_view kEnd = "fim\n";

bool is_hex_digit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }

// A name of a file directly inside the folder: no separator of either system, no line or field
// break of the journal, and neither "." nor "..".
bool is_plain_name(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (char c : name) {
    if (c == '/' || c == '\\' || c == '\t' || c == '\n' || c == '\r' || c == '\0') return false;
  }
  return true;
}

}  // namespace

std::string temporary_name(std::string_view name) {
  std::random_device draw;
  const unsigned long long token = (static_cast<unsigned long long>(draw()) << 32) ^ draw();
  char text[kTokenDigits + 1];
  std::snprintf(text, sizeof text, "%016llx", token);
  return "." + std::string(name) + "." + text + std::string(kTemporaryEnd);
}

bool is_temporary_name(std::string_view name) {
  const std::size_t fixed = 1 + 1 + kTokenDigits + kTemporaryEnd.size();  // ".", ".", token, end
  if (name.size() <= fixed || name.front() != '.' || !is_plain_name(name)) return false;
  if (name.substr(name.size() - kTemporaryEnd.size()) != kTemporaryEnd) return false;
  const std::string_view token =
      name.substr(name.size() - kTemporaryEnd.size() - kTokenDigits, kTokenDigits);
  for (char c : token) {
    if (!is_hex_digit(c)) return false;
  }
  return name[name.size() - fixed + 1] == '.';
}

std::string journal_text(const std::vector<Renaming>& renamings) {
  std::string text(kHeading);
  for (const Renaming& r : renamings) text += r.temporary + "\t" + r.final_name + "\n";
  return text + std::string(kEnd);
}

std::optional<std::vector<Renaming>> parse_journal(std::string_view text) {
  if (text.substr(0, kHeading.size()) != kHeading || text.size() < kHeading.size() + kEnd.size() ||
      text.substr(text.size() - kEnd.size()) != kEnd) {
    return std::nullopt;
  }
  std::string_view lines =
      text.substr(kHeading.size(), text.size() - kHeading.size() - kEnd.size());
  std::vector<Renaming> renamings;
  while (!lines.empty()) {
    const std::size_t end = lines.find('\n');
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view line = lines.substr(0, end);
    lines.remove_prefix(end + 1);
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) return std::nullopt;
    const std::string_view temporary = line.substr(0, tab), final_name = line.substr(tab + 1);
    if (!is_temporary_name(temporary) || !is_plain_name(final_name)) return std::nullopt;
    renamings.push_back({std::string(temporary), std::string(final_name)});
  }
  return renamings;
}

}  // namespace malhas
