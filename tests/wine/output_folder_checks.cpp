// The mesh study's output folder on Windows: a final name that another program has open, even
// sharing its removal as viewers and virus scanners do, is refused before any file is replaced;
// a folder name that Windows would change is refused before anything is created.
#include <windows.h>

#include <string>
#include <vector>

#include "malhas/output_files.h"
#include "platform/win32/wide_text.h"
#include "tests/support/temp_dir.h"
#include "tests/wine/check.h"

namespace {

using testing_support::file_exists;
using testing_support::read_file;
using testing_support::TempDir;

const char* const kNames[] = {"malhas.csv", "malhas.txt", "erro.svg", "ordens.svg"};

std::vector<malhas::OutputFile> study_set(const std::string& tag) {
  std::vector<malhas::OutputFile> files;
  for (const char* name : kNames) files.push_back({name, std::string(name) + " of " + tag + "\n"});
  return files;
}

std::string write_set(const std::string& folder, const std::string& tag) {
  malhas::OutputFolder output(platform::native_folder_files(), folder, [](const std::string&) {});
  return output.error().empty() ? output.write(study_set(tag)) : output.error();
}

void check_set(const std::string& folder, const std::string& tag) {
  for (const char* name : kNames) {
    CHECK_EQ(read_file(folder + "/" + name), std::string(name) + " of " + tag + "\n");
  }
}

WINE_CASE(FileOpenWithEverySharingIsRefusedBeforeAnyIsReplaced) {
  TempDir dir;
  const std::string folder = dir.file("estudo");
  CHECK_EQ(write_set(folder, "earlier"), "");
  const HANDLE viewer =
      CreateFileW(platform::win32::wide_from_utf8(folder + "/erro.svg").c_str(), GENERIC_READ,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                  FILE_ATTRIBUTE_NORMAL, nullptr);
  CHECK(viewer != INVALID_HANDLE_VALUE);
  CHECK_EQ(write_set(folder, "later"),
           folder + "/erro.svg está em uso por outro programa; os arquivos anteriores da pasta " +
               folder + " ficam como estavam");
  CloseHandle(viewer);
  check_set(folder, "earlier");
  CHECK_EQ(write_set(folder, "later"), "");
  check_set(folder, "later");
}

WINE_CASE(FolderNameWindowsWouldChangeIsRefusedBeforeAnythingIsCreated) {
  TempDir dir;
  for (const std::string name : {"trail. ", "trail.", "trail ", "pai./estudo"}) {
    CHECK_EQ(write_set(dir.file(name), "any"),
             "não foi possível criar a pasta " + dir.file(name) +
                 " (nome terminado em ponto ou espaço, que o Windows removeria)");
  }
  CHECK(!file_exists(dir.file("trail")));
  CHECK(!file_exists(dir.file("pai")));
  CHECK_EQ(write_set(dir.file("./estudo/../estudo"), "any"), "");  // "." and ".." stay names
}

}  // namespace
