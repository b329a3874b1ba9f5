#include "malhas/output_files.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace malhas {
namespace fs = std::filesystem;

namespace {

// Writes `file` under a temporary name beside its final one, then renames it over the final one
// (which std::filesystem::rename replaces on both systems).
std::string write_one(const fs::path& folder, const OutputFile& file) {
  const fs::path final_path = folder / file.name;
  const fs::path temporary = folder / ("." + file.name + ".temp");
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(file.bytes.data(), static_cast<std::streamsize>(file.bytes.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      fs::remove(temporary, ignored);
      return "não foi possível gravar " + final_path.string();
    }
  }
  std::error_code error;
  fs::rename(temporary, final_path, error);
  if (error) {
    fs::remove(temporary, error);
    return "não foi possível renomear " + temporary.string() + " para " + final_path.string();
  }
  return {};
}

}  // namespace

std::string write_output_files(const std::string& folder, const std::vector<OutputFile>& files) {
  std::error_code error;
  fs::create_directories(folder, error);
  if (error || !fs::is_directory(folder, error)) return "não foi possível criar a pasta " + folder;
  for (const OutputFile& file : files) {
    std::string failure = write_one(folder, file);
    if (!failure.empty()) return failure;
  }
  return {};
}

}  // namespace malhas
