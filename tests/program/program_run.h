#pragma once
// One run of the aleta program in a scratch directory, with a stand-in notepad on PATH that
// records the arguments of every editor command instead of opening anything.
#include <string>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"

namespace testing_support {

class ProgramRun {
 public:
  ProgramRun();

  // Writes an input (or any) file into the working directory.
  void put(const std::string& name, const std::string& bytes) const;
  std::string get(const std::string& name) const;
  bool exists(const std::string& name) const;
  const std::string& directory() const { return work_; }

  ChildResult run(const std::vector<std::string>& arguments = {},
                  const std::string& input = "") const;

  // The arguments of each editor command, in order.
  std::vector<std::vector<std::string>> editor_calls() const;

 private:
  TempDir root_;
  std::string work_;
  std::string bin_;
  std::string log_;
};

// "entradas_geral.ent" with one value per line and a comment after each, like a user's file.
std::string general_input(const std::string& saida, const std::vector<std::string>& values);

// The report without the digits of its last record (the processing time, which depends on the
// run), and that record's time field.
struct SplitReport {
  std::string without_time;
  std::string time_field;
};
SplitReport split_time(const std::string& report);

}  // namespace testing_support
