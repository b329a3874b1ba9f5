// The program when what it depends on fails: the editor, the files, the disk, the memory. Each
// fault ends with its run-time error or lets the run go on, and no file is left saying other
// than the message does.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/program/program_run.h"

namespace testing_support {
namespace {

const std::string kData = std::string(ALETA_SOURCE_DIR) + "/tests/data/";
const std::string kWorkedUds = kData + "worked_uds/";
const std::string kWorkedUds2 = kData + "worked_uds2/";
// A PATH on which no notepad can be found.
const std::pair<std::string, std::string> kNoEditor{"PATH", "/usr/bin:/bin"};

bool ends_with(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string report_without_time(const std::string& report) { return split_time(report).without_time; }

// The worked UDS case with `saida` as the value of the report name.
std::string worked_uds_input(const std::string& saida) {
  std::string input = read_file(kWorkedUds + "entradas_geral.ent");
  return saida + input.substr(input.find(' '));
}

// aleta in the run's directory, started through `prefix` (a command that then runs it), with
// `environment` added.
ChildResult run_aleta(const ProgramRun& run, std::vector<std::string> prefix,
                      const std::vector<std::pair<std::string, std::string>>& environment) {
  prefix.push_back(ALETA_EXE);
  return run_program(prefix, run.directory(), environment);
}

TEST(EditorFaults, EditorThatCannotBeFoundLeavesTheRunToFinish) {
  ProgramRun run;
  run.put("entradas_geral.ent", read_file(kWorkedUds + "entradas_geral.ent"));
  const ChildResult r = run_aleta(run, {}, {kNoEditor});
  EXPECT_EQ(r.exit_code, 0);
  // The shell says in its own words that there is no notepad, once per editor command.
  EXPECT_NE(r.err.find("notepad"), std::string::npos);
  EXPECT_EQ(r.err.find("run-time error"), std::string::npos);
  EXPECT_EQ(report_without_time(run.get("relatorio.txt")),
            report_without_time(read_file(kWorkedUds + "relatorio.txt.expected")));
}

TEST(EditorFaults, FailingOrKilledEditorLeavesTheRunToFinish) {
  for (const std::string body : {"exit 3", "kill -9 $$"}) {
    ProgramRun run;
    TempDir bin;
    write_file(bin.file("notepad"), "#!/bin/sh\n" + body + "\n");
    chmod(bin.file("notepad").c_str(), 0755);
    run.put("entradas_geral.ent", read_file(kWorkedUds2 + "entradas_geral.ent"));
    run.put("entradas_uds.ent", read_file(kWorkedUds2 + "entradas_uds.ent"));
    const ChildResult r = run_aleta(run, {}, {{"PATH", bin.path() + ":/usr/bin:/bin"}});
    EXPECT_EQ(r.exit_code, 0) << body;
    EXPECT_EQ(r.err.find("run-time error"), std::string::npos) << body;
    EXPECT_EQ(report_without_time(run.get("relatorio.txt")),
              report_without_time(read_file(kWorkedUds2 + "relatorio.txt.expected")))
        << body;
  }
}

TEST(EditorFaults, InputRemovedInTheEditorIsCreatedEmptyAndEndsTheRun) {
  // The user deletes the iteration input instead of saving it.
  ProgramRun run;
  TempDir bin;
  write_file(bin.file("notepad"), "#!/bin/sh\n[ \"$1\" = entradas_uds.ent ] && rm -f \"$1\"\n");
  chmod(bin.file("notepad").c_str(), 0755);
  run.put("entradas_geral.ent", read_file(kWorkedUds2 + "entradas_geral.ent"));
  run.put("entradas_uds.ent", read_file(kWorkedUds2 + "entradas_uds.ent"));
  const ChildResult r = run_aleta(run, {}, {{"PATH", bin.path() + ":/usr/bin:/bin"}});
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err, "\r\nrun-time error F6501: READ(entradas_uds.ent)\r\n- end of file\r\n");
  EXPECT_EQ(run.get("entradas_uds.ent"), "");
  EXPECT_FALSE(run.exists("relatorio.txt"));
}

TEST(FileFaults, DirectoryWhereAFileIsExpectedIsRefused) {
  struct Case {
    const char* directory;
    const char* message;
  };
  const Case cases[] = {
      {"entradas_geral.ent",
       "\r\nrun-time error F6414: OPEN(entradas_geral.ent)\r\n- access to file denied\r\n"},
      {"relatorio.txt", "\r\nrun-time error F6414: OPEN(relatorio.txt)\r\n- access to file denied\r\n"},
  };
  for (const Case& c : cases) {
    ProgramRun run;
    if (std::string(c.directory) != "entradas_geral.ent") {
      run.put("entradas_geral.ent", read_file(kWorkedUds + "entradas_geral.ent"));
    }
    const std::string directory = run.directory() + "/" + c.directory;
    mkdir(directory.c_str(), 0755);
    const ChildResult r = run.run();
    EXPECT_EQ(r.exit_code, 1) << c.directory;
    EXPECT_EQ(r.err, c.message);
    struct stat info {};
    EXPECT_TRUE(stat(directory.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) << c.directory;
  }
}

TEST(FileFaults, FullDiskDuringTheReportIsError6422) {
  ProgramRun run;
  run.put("entradas_geral.ent", worked_uds_input("'/dev/full'"));
  const ChildResult r = run.run();
  EXPECT_EQ(r.exit_code, 1);
  // The first bufferful of the report meets the full device.
  EXPECT_EQ(r.err, "\r\nrun-time error F6422: WRITE(/dev/full)\r\n- cannot write file: disk full\r\n");
}

TEST(FileFaults, ConsoleThatTakesNothingIsError6422) {
  // The report goes to the console, whose standard output is a full device.
  ProgramRun run;
  run.put("entradas_geral.ent", worked_uds_input("CON"));
  const std::string directory = run.directory();
  const ChildResult r = run_in_child([&] {
    const int full = open("/dev/full", O_WRONLY);
    if (full < 0 || dup2(full, STDOUT_FILENO) < 0 || chdir(directory.c_str()) != 0) _exit(125);
    setenv("PATH", "/usr/bin:/bin", 1);
    execl(ALETA_EXE, ALETA_EXE, static_cast<char*>(nullptr));
    _exit(126);
  });
  EXPECT_EQ(r.exit_code, 1);
  // A device shows each record as it ends: the first record meets the full device.
  EXPECT_TRUE(ends_with(
      r.err, "\r\nrun-time error F6422: WRITE(CON)\r\n- cannot write file: disk full\r\n"))
      << r.err;
}

// Runs `body` in a child that has a file system of `bytes` of its own, mounted at `directory`;
// false when this machine does not allow it (no root, or no mount namespaces).
bool with_small_file_system(const std::string& directory, const std::string& bytes,
                            const std::function<void()>& body, ChildResult& result) {
  result = run_in_child([&] {
    if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        mount("aleta", directory.c_str(), "tmpfs", 0, ("size=" + bytes).c_str()) != 0) {
      _exit(77);
    }
    body();
  });
  return result.exit_code != 77;
}

TEST(FileFaults, DiskThatFillsKeepsTheWholeBlocksWrittenBeforeIt) {
  // The UDS-2 report of 5027 bytes on a file system of one 4096-byte page: four blocks of 1024
  // bytes fit, the fifth (written by the close) does not.
  ProgramRun run;
  const std::string mounted = run.directory() + "/small";
  mkdir(mounted.c_str(), 0755);
  run.put("entradas_geral.ent", read_file(kWorkedUds2 + "entradas_geral.ent"));
  run.put("entradas_uds.ent", read_file(kWorkedUds2 + "entradas_uds.ent"));
  const std::string input = run.get("entradas_geral.ent");
  run.put("entradas_geral.ent", "'small/r.txt'" + input.substr(input.find(' ')));
  std::string kept;
  ChildResult r;
  const bool mounted_ok = with_small_file_system(mounted, "4096", [&] {
    const ChildResult inner = run.run();
    write_file(run.directory() + "/outcome", inner.err + '\0' + std::to_string(inner.exit_code));
    write_file(run.directory() + "/kept", read_file(mounted + "/r.txt"));
  }, r);
  if (!mounted_ok) GTEST_SKIP() << "no tmpfs can be mounted here (needs root and mount namespaces)";
  ASSERT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(run.get("outcome"),
            std::string("\r\nrun-time error F6422: CLOSE(small/r.txt)\r\n- cannot write file: disk full\r\n") +
                '\0' + "1");
  const std::string reference = read_file(kWorkedUds2 + "relatorio.txt.expected");
  EXPECT_EQ(run.get("kept"), reference.substr(0, 4096));
}

TEST(FileFaults, FileSizeLimitIsError6422AfterTheWholeBlocksWritten) {
  // The UDS-2 report of 5027 bytes under a limit of 4096: four blocks of 1024 bytes are
  // written, the fifth (written by the close) is refused, as by a full disk.
  ProgramRun run;
  run.put("entradas_geral.ent", read_file(kWorkedUds2 + "entradas_geral.ent"));
  run.put("entradas_uds.ent", read_file(kWorkedUds2 + "entradas_uds.ent"));
  const ChildResult r = run_aleta(run, {"prlimit", "--fsize=4096", "--"}, {kNoEditor});
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_TRUE(ends_with(
      r.err, "\r\nrun-time error F6422: CLOSE(relatorio.txt)\r\n- cannot write file: disk full\r\n"))
      << r.err;
  EXPECT_EQ(run.get("relatorio.txt"), read_file(kWorkedUds2 + "relatorio.txt.expected").substr(0, 4096));
}

// Runs aleta as the unprivileged user nobody, for the faults that root never meets; false when
// this machine cannot switch users.
bool run_as_nobody(const ProgramRun& run, ChildResult& result) {
  const std::string root = run.directory().substr(0, run.directory().rfind('/'));
  chmod(root.c_str(), 0755);
  chmod(run.directory().c_str(), 0777);
  result = run_aleta(run, {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "--"},
                     {kNoEditor});
  return result.exit_code != 127 && result.err.find("setpriv") == std::string::npos;
}

TEST(FileFaults, ReadOnlyReportIsError6421AndKeepsItsContents) {
  for (const std::string old : {"an earlier report\r\n", ""}) {
    ProgramRun run;
    run.put("entradas_geral.ent", read_file(kWorkedUds + "entradas_geral.ent"));
    run.put("relatorio.txt", old);
    chmod((run.directory() + "/relatorio.txt").c_str(), 0444);
    ChildResult r;
    if (!run_as_nobody(run, r)) GTEST_SKIP() << "setpriv cannot run aleta as nobody here";
    EXPECT_EQ(r.exit_code, 1);
    // A file with contents is refused when it is cut at the first write; an empty one when the
    // first bufferful reaches it.
    EXPECT_TRUE(ends_with(r.err, "\r\nrun-time error F6421: WRITE(relatorio.txt)\r\n- cannot write "
                                 "file: access denied or file locked\r\n"))
        << r.err;
    EXPECT_EQ(run.get("relatorio.txt"), old);
  }
}

TEST(FileFaults, UnreadableInputIsError6414) {
  ProgramRun run;
  run.put("entradas_geral.ent", read_file(kWorkedUds + "entradas_geral.ent"));
  chmod((run.directory() + "/entradas_geral.ent").c_str(), 0);
  ChildResult r;
  if (!run_as_nobody(run, r)) GTEST_SKIP() << "setpriv cannot run aleta as nobody here";
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_TRUE(ends_with(
      r.err, "\r\nrun-time error F6414: OPEN(entradas_geral.ent)\r\n- access to file denied\r\n"))
      << r.err;
  EXPECT_FALSE(run.exists("relatorio.txt"));
}

TEST(StorageFaults, MemoryThatCannotBeHadIsError6772) {
  if (under_address_sanitizer()) {
    GTEST_SKIP() << "AddressSanitizer cannot start under a limit on the address space";
  }
  // 10^7 nodes need 7 arrays of 80 MB; the process may have 256 MB in all.
  ProgramRun run;
  std::string input = read_file(kWorkedUds + "entradas_geral.ent");
  input.replace(input.find("\n3 ") + 1, 1, "10000000");
  run.put("entradas_geral.ent", input);
  const std::string directory = run.directory();
  const ChildResult r = run_in_child([&] {
    const rlimit limit{256 << 20, 256 << 20};
    if (setrlimit(RLIMIT_AS, &limit) != 0 || chdir(directory.c_str()) != 0) _exit(125);
    setenv("PATH", "/usr/bin:/bin", 1);
    execl(ALETA_EXE, ALETA_EXE, static_cast<char*>(nullptr));
    _exit(126);
  });
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_TRUE(ends_with(r.err, "\r\nrun-time error F6772\r\n- not enough memory for an array\r\n"))
      << r.err;
  EXPECT_FALSE(run.exists("relatorio.txt"));
}

TEST(StorageFaults, StorageRefusedWhilePopulatedIsError6772) {
  // aleta_refused_pages meets a system that refuses blocks of 1 MiB and more while populating
  // their pages: 10^6 nodes make arrays of 8 MB; the norms of 140 001 iterations (tol = 0
  // makes every one) outgrow 1 MiB, and the 1 MiB that growth adds is refused.
  struct Case {
    const char* what;
    const char* nodes;
    const char* itmax;
  };
  for (const Case c : {Case{"node arrays", "1000000", "3"}, Case{"norm history", "3", "140000"}}) {
    ProgramRun run;
    std::string general = read_file(kWorkedUds2 + "entradas_geral.ent");
    general.replace(general.find("\n3 ") + 1, 1, c.nodes);
    run.put("entradas_geral.ent", general);
    run.put("entradas_uds.ent", std::string(c.itmax) + "\n0\n25\n");
    const ChildResult r = run_program({ALETA_REFUSED_PAGES_EXE}, run.directory(), {kNoEditor});
    EXPECT_EQ(r.exit_code, 1) << c.what;
    EXPECT_TRUE(
        ends_with(r.err, "\r\nrun-time error F6772\r\n- not enough memory for an array\r\n"))
        << c.what << ": " << r.err;
    EXPECT_FALSE(run.exists("relatorio.txt")) << c.what;
  }
}

TEST(StorageFaults, ExactTemperaturesRefusedAfterTheSolveChangeNothing) {
  // aleta_refused_late_pages refuses the pages of the exact temperatures of a run that made no
  // solve (otherwise they take the solver's work storage): their writes touch them one by one
  // instead, and the run ends as aleta's does.
  std::string general = read_file(kWorkedUds2 + "entradas_geral.ent");
  general.replace(general.find("\n3 ") + 1, 1, "1000000");
  ProgramRun plain, refused;
  for (ProgramRun* run : {&plain, &refused}) {
    run->put("entradas_geral.ent", general);
    run->put("entradas_uds.ent", "0\n1e-12\n25\n");
  }
  const ChildResult want = run_program({ALETA_EXE}, plain.directory(), {kNoEditor});
  const ChildResult got =
      run_program({ALETA_REFUSED_LATE_PAGES_EXE}, refused.directory(), {kNoEditor});
  ASSERT_EQ(want.exit_code, 0) << want.err;
  EXPECT_EQ(got.exit_code, 0) << got.err;
  EXPECT_EQ(got.err, want.err);
  EXPECT_EQ(report_without_time(refused.get("relatorio.txt")),
            report_without_time(plain.get("relatorio.txt")));
}

}  // namespace
}  // namespace testing_support
