// The report when the disk fails under it: the write that fails is made to fail first at the
// first call, then at the second, and so on until the report is complete. Each time the run ends
// with the error of that write, and the file holds exactly the whole blocks written before it.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "aleta/relatorio.h"
#include "fin/processamento.h"
#include "process/termination.h"
#include "tests/fin/worked_case.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"
#include "tests/textio/unit_test_support.h"
#include "textio/unit_close.h"

namespace aleta {
namespace {

using fin::Case;
using fin::GeneralInput;
using fin::IterationInput;
using fin::TipScheme;
using fin::compute_case;

using testing_support::ChildResult;

constexpr std::size_t kBlock = 1024;

// Writes the worked UDS-2 report to `path` in a child whose `failing_write`-th write fails with
// `error` (0: none fails).
ChildResult write_worked_report(const std::string& path, int failing_write,
                                platform::FileError error) {
  return testing_support::run_in_child([&] {
    setenv("PATH", "/usr/bin:/bin", 1);  // no editor: the shell says so and the run goes on
    textio::testing::FaultyFileSystem files;
    files.failing_write = failing_write;
    files.write_error = error;
    textio::initialise_unit_layer();
    const GeneralInput in = fin::testing::worked_input(TipScheme::Uds2);
    std::array<char, 100> name;
    name.fill(' ');
    std::memcpy(name.data(), path.data(), path.size());
    const IterationInput iteration = fin::testing::iteration_controls(100, 1e-10, 25);
    const Case<double> c = compute_case<double>(in, in.mesh_choice(), iteration);
    write_report(files, {name, in, iteration, c, 0.0});
    process::terminate_process(0);
  });
}

TEST(ReportWriteFaults, EachFailingWriteKeepsTheBlocksBeforeIt) {
  testing_support::TempDir dir;
  const std::string path = dir.file("r.txt");
  ASSERT_EQ(write_worked_report(path, 0, platform::FileError::None).exit_code, 0);
  const std::string full = testing_support::read_file(path);
  const std::size_t writes = (full.size() + kBlock - 1) / kBlock;
  ASSERT_GE(writes, 3u) << "the report must span several blocks";

  struct Fault {
    platform::FileError error;
    std::string message;
  };
  const Fault faults[] = {
      {platform::FileError::DiskFull, "6422: %s(" + path + ")\r\n- cannot write file: disk full"},
      {platform::FileError::AccessDenied,
       "6421: %s(" + path + ")\r\n- cannot write file: access denied or file locked"},
  };
  for (const Fault& fault : faults) {
    for (std::size_t failing = 1; failing <= writes; ++failing) {
      std::remove(path.c_str());
      const ChildResult r = write_worked_report(path, static_cast<int>(failing), fault.error);
      // The last write is the close's, of what is left in the buffer.
      std::string message = "\r\nrun-time error F" + fault.message + "\r\n";
      message.replace(message.find("%s"), 2, failing == writes ? "CLOSE" : "WRITE");
      EXPECT_EQ(r.exit_code, 1) << "write " << failing;
      EXPECT_EQ(r.err, message) << "write " << failing;
      EXPECT_EQ(testing_support::read_file(path), full.substr(0, (failing - 1) * kBlock))
          << "write " << failing;
    }
    // One more write than the report needs never comes: the report is complete.
    const ChildResult r = write_worked_report(path, static_cast<int>(writes + 1), fault.error);
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(testing_support::read_file(path), full);
  }
}

}  // namespace
}  // namespace aleta
