// The study's files as a set: a failure at any step, an interruption, a file held by another
// program or a second study into the same folder leaves either one whole set or the earlier one.
#include "malhas/output_files.h"

#include <gtest/gtest.h>

#include "malhas/publication_journal.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <linux/fs.h>
#include <map>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"

namespace malhas {
namespace {

using platform::FileHandle;
using platform::SetFileError;
using testing_support::TempDir;

// The operating system's files, with hooks on some calls (counted across all files).
class HookedFolderFiles : public platform::ForwardingFolderFiles {
 public:
  HookedFolderFiles() : ForwardingFolderFiles(platform::native_folder_files()) {}
  std::function<SetFileError(int call)> on_create, on_write, on_close, on_replace;

  SetFileError create_private(const std::string& name, FileHandle& handle) override {
    const SetFileError fault = on_create ? on_create(creates_++) : SetFileError::None;
    return fault != SetFileError::None ? fault : files_.create_private(name, handle);
  }
  SetFileError write(FileHandle handle, const char* bytes, std::size_t count) override {
    const SetFileError fault = on_write ? on_write(writes_++) : SetFileError::None;
    return fault != SetFileError::None ? fault : files_.write(handle, bytes, count);
  }
  SetFileError close(FileHandle handle) override {
    const SetFileError closed = files_.close(handle);
    const SetFileError fault = on_close ? on_close(closes_++) : SetFileError::None;
    return fault != SetFileError::None ? fault : closed;
  }
  SetFileError replace(const std::string& from, const std::string& to) override {
    const SetFileError fault = on_replace ? on_replace(replaces_++) : SetFileError::None;
    return fault != SetFileError::None ? fault : files_.replace(from, to);
  }

 private:
  int creates_ = 0, writes_ = 0, closes_ = 0, replaces_ = 0;
};

std::vector<OutputFile> study_set(const std::string& tag) {
  std::vector<OutputFile> files;
  for (const char* name : {"malhas.csv", "malhas.txt", "erro.svg", "ordens.svg", "perfil.svg"}) {
    files.push_back({name, std::string(name) + " of " + tag + "\n"});
  }
  return files;
}

// Every name in the folder with its bytes, hidden ones included.
std::map<std::string, std::string> contents(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    files[entry.path().filename().string()] = testing_support::read_file(entry.path().string());
  }
  return files;
}

std::map<std::string, std::string> as_contents(const std::vector<OutputFile>& set) {
  std::map<std::string, std::string> files;
  for (const OutputFile& file : set) files[file.name] = file.bytes;
  return files;
}

std::string write_set(platform::FolderFiles& files, const std::string& folder,
                      const std::vector<OutputFile>& set) {
  OutputFolder output(files, folder, [](const std::string&) {});
  return output.error().empty() ? output.write(set) : output.error();
}

TEST(OutputFolder, FailureAtAnyStepKeepsTheEarlierSetAndLeavesNoTemporaryFile) {
  TempDir dir;
  const std::string folder = dir.file("estudo");
  ASSERT_EQ(write_set(platform::native_folder_files(), folder, study_set("earlier")), "");
  const struct {
    SetFileError fault;
    std::string cause;
  } faults[] = {{SetFileError::DiskFull, "disco cheio"},
                {SetFileError::SizeLimit, "limite de tamanho de arquivo excedido"},
                {SetFileError::AccessDenied, "permissão negada"}};
  const auto set = study_set("later");
  for (const auto& f : faults) {
    for (int step = 0; step < 3; ++step) {
      // The five files, then the journal of their renames.
      for (int file = 0; file < 6; ++file) {
        const std::string name = file < 5 ? set[file].name : ".aleta-malhas.diario";
        HookedFolderFiles files;
        const auto fail_on = [&](int call) { return call == file ? f.fault : SetFileError::None; };
        // The folder's check takes one create and one close before the first file.
        const auto fail_after_check = [&](int call) { return fail_on(call - 1); };
        if (step == 0) files.on_create = fail_after_check;
        if (step == 1) files.on_write = fail_on;
        if (step == 2) files.on_close = fail_after_check;
        EXPECT_EQ(write_set(files, folder, set),
                  "não foi possível gravar " + folder + "/" + name + " (" + f.cause +
                      "); os arquivos anteriores da pasta " + folder + " ficam como estavam")
            << step << " " << file;
        EXPECT_EQ(contents(folder), as_contents(study_set("earlier"))) << step << " " << file;
      }
    }
  }
}

TEST(OutputFolder, TakenTemporaryNamesAreNeitherFollowedNorOpened) {
  TempDir dir;
  testing_support::write_file(dir.file("precious"), "precious\n");
  ASSERT_EQ(::symlink(dir.file("precious").c_str(), dir.file("link").c_str()), 0);
  ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0666), 0);
  FileHandle handle = 0;
  // A pipe opened for writing would wait for a reader: the call must come back at once.
  EXPECT_EQ(platform::native_folder_files().create_private(dir.file("link"), handle),
            SetFileError::AlreadyExists);
  EXPECT_EQ(platform::native_folder_files().create_private(dir.file("fifo"), handle),
            SetFileError::AlreadyExists);
  EXPECT_EQ(testing_support::read_file(dir.file("precious")), "precious\n");

  // A run that draws taken names passes them over.
  HookedFolderFiles files;
  files.on_create = [](int call) {
    return call % 2 == 1 ? SetFileError::AlreadyExists : SetFileError::None;
  };
  const std::string folder = dir.file("estudo");
  ASSERT_EQ(write_set(files, folder, study_set("one")), "");
  EXPECT_EQ(contents(folder), as_contents(study_set("one")));
}

TEST(OutputFolder, FileHeldByAnotherProgramIsNotReplaced) {
  TempDir dir;
  const std::string folder = dir.file("estudo");
  ASSERT_EQ(write_set(platform::native_folder_files(), folder, study_set("earlier")), "");
  // aleta holds its report locked while it writes it.
  const int report = ::open((folder + "/malhas.txt").c_str(), O_RDWR);
  ASSERT_GE(report, 0);
  ASSERT_EQ(::flock(report, LOCK_EX), 0);
  EXPECT_EQ(write_set(platform::native_folder_files(), folder, study_set("later")),
            folder + "/malhas.txt está em uso por outro programa; os arquivos anteriores da "
                     "pasta " + folder + " ficam como estavam");
  ::close(report);
  EXPECT_EQ(contents(folder), as_contents(study_set("earlier")));
}

// Runs `body` in a child process and returns its wait status.
template <typename Body>
int in_child(Body body) {
  const pid_t child = ::fork();
  if (child == 0) {
    body();
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return status;
}

TEST(OutputFolder, InterruptionDuringTheWritingKeepsTheEarlierSet) {
  TempDir dir;
  const std::string folder = dir.file("estudo");
  ASSERT_EQ(write_set(platform::native_folder_files(), folder, study_set("earlier")), "");
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    for (int file = 0; file < 5; ++file) {
      const int status = in_child([&] {
        HookedFolderFiles files;
        files.on_write = [&](int call) {
          if (call == file) ::raise(signal_number);
          return SetFileError::None;
        };
        write_set(files, folder, study_set("later"));
      });
      EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal_number) << file;
      EXPECT_EQ(contents(folder), as_contents(study_set("earlier"))) << signal_number << " " << file;
    }
  }
  // One that comes during the renames waits for them: the later set is then whole.
  const int status = in_child([&] {
    HookedFolderFiles files;
    files.on_replace = [](int call) {
      if (call == 2) ::raise(SIGTERM);
      return SetFileError::None;
    };
    write_set(files, folder, study_set("later"));
  });
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
  EXPECT_EQ(contents(folder), as_contents(study_set("later")));
}

TEST(OutputFolder, TwoStudiesIntoOneFolderLeaveTheWholeSetOfTheLastOne) {
  TempDir dir;
  const std::string folder = dir.file("estudo");
  // The first puts its files in place slowly, and says when it starts; the second starts then
  // and is quick. Without the folder's lock its renames would fall between the first's.
  int started[2];
  ASSERT_EQ(::pipe(started), 0);
  const pid_t slow = ::fork();
  if (slow == 0) {
    HookedFolderFiles files;
    files.on_replace = [&](int call) {
      if (call == 0) (void)!::write(started[1], "r", 1);
      std::this_thread::sleep_for(std::chrono::milliseconds(30));
      return SetFileError::None;
    };
    ::_exit(write_set(files, folder, study_set("slow")).empty() ? 0 : 1);
  }
  char byte = 0;
  ASSERT_EQ(::read(started[0], &byte, 1), 1);
  const int quick = in_child([&] {
    ::_exit(write_set(platform::native_folder_files(), folder, study_set("quick")).empty() ? 0 : 1);
  });
  int slow_status = 0;
  ::waitpid(slow, &slow_status, 0);
  ::close(started[0]);
  ::close(started[1]);
  EXPECT_EQ(slow_status, 0);
  EXPECT_EQ(quick, 0);
  EXPECT_EQ(contents(folder), as_contents(study_set("quick")));
}

// What a folder tells on the way, collected.
struct Notes {
  std::vector<std::string> said;
  OutputFolder::Note note() {
    return [this](const std::string& text) { said.push_back(text); };
  }
};

// `text` with each token of a temporary name (16 hexadecimal digits) written as "<token>".
std::string without_tokens(std::string text) {
  const auto hex = [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); };
  for (std::size_t at = 0; at + 16 <= text.size(); ++at) {
    std::size_t digits = 0;
    while (digits < 16 && hex(text[at + digits])) ++digits;
    if (digits == 16) text.replace(at, 16, "<token>");
  }
  return text;
}

TEST(OutputFolder, RenameFailingAfterTheCommitIsCompletedByTheNextStudy) {
  TempDir dir;
  const std::string folder = dir.file("estudo");
  ASSERT_EQ(write_set(platform::native_folder_files(), folder, study_set("earlier")), "");
  // Rename 0 commits the journal, renames 1 and 2 put the first two files in place.
  HookedFolderFiles files;
  files.on_replace = [](int call) { return call == 3 ? SetFileError::AccessDenied : SetFileError::None; };
  EXPECT_EQ(without_tokens(write_set(files, folder, study_set("later"))),
            "não foi possível renomear " + folder + "/.erro.svg.<token>.temp para " + folder +
                "/erro.svg (permissão negada); a troca fica registrada em " + folder +
                "/.aleta-malhas.diario, e a próxima execução de aleta-malhas nesta pasta a conclui");
  Notes notes;
  OutputFolder next(platform::native_folder_files(), folder, notes.note());
  EXPECT_EQ(next.error(), "");
  EXPECT_EQ(notes.said, std::vector<std::string>{"a gravação interrompida de um estudo anterior na pasta " +
                                                 folder + " foi concluída: a pasta tem todos os "
                                                          "arquivos desse estudo"});
  EXPECT_EQ(contents(folder), as_contents(study_set("later")));
}

// A journal that is not whole, or that names anything but files of the folder, moves nothing.
TEST(OutputFolder, JournalThatIsNotWholeIsNotActedOn) {
  const std::string temporary = ".erro.svg.0123456789abcdef.temp";
  const std::string whole = journal_text({{temporary, "erro.svg"}});
  const std::string journals[] = {
      whole.substr(0, whole.size() - 4),                       // cut before its last line
      journal_text({{temporary, "../fora.svg"}}),              // a name outside the folder
      journal_text({{"malhas.txt", "erro.svg"}}),              // a file of the set as temporary
      whole.substr(0, whole.size() - 5) + "\textra\nfim\n",   // a line of three names
  };
  for (const std::string& journal : journals) {
    TempDir dir;
    const std::string folder = dir.file("estudo");
    ASSERT_EQ(write_set(platform::native_folder_files(), folder, study_set("earlier")), "");
    testing_support::write_file(folder + "/.aleta-malhas.diario", journal);
    testing_support::write_file(folder + "/" + temporary, "planted\n");
    const std::map<std::string, std::string> before = contents(folder);
    Notes notes;
    OutputFolder next(platform::native_folder_files(), folder, notes.note());
    EXPECT_EQ(next.error(), "o diário " + folder + "/.aleta-malhas.diario de uma gravação "
                            "interrompida está danificado ou ilegível; confira os arquivos da "
                            "pasta e apague-o") << journal;
    EXPECT_EQ(contents(folder), before) << journal;
    EXPECT_FALSE(testing_support::file_exists(dir.file("fora.svg")));
  }
}

// Refused before anything is replaced, with the file and the cause: a flag that forbids the
// rename (where the file system has such flags), and another user's file in a sticky folder
// (where the tests run as the superuser, who can run the study as another user).
TEST(OutputFolder, FinalNameTheRenameCannotReplaceIsRefusedBeforeAnyIsReplaced) {
  const std::string protected_cause =
      "está protegido contra alterações (imutável, só acréscimo ou somente leitura)";
  for (const long flag : {FS_IMMUTABLE_FL, FS_APPEND_FL}) {
    TempDir dir;
    const std::string folder = dir.file("estudo");
    ASSERT_EQ(write_set(platform::native_folder_files(), folder, study_set("earlier")), "");
    const int fd = ::open((folder + "/erro.svg").c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    long flags = 0;
    long marked = 0;
    if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) marked = flags | flag;
    if (marked != 0 && ::ioctl(fd, FS_IOC_SETFLAGS, &marked) == 0) {
      EXPECT_EQ(write_set(platform::native_folder_files(), folder, study_set("later")),
                folder + "/erro.svg " + protected_cause + "; os arquivos anteriores da pasta " +
                    folder + " ficam como estavam");
      EXPECT_EQ(contents(folder), as_contents(study_set("earlier")));
      ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
    }
    ::close(fd);
  }
  if (::geteuid() != 0) return;
  constexpr uid_t kOtherUser = 65534;
  TempDir dir;
  const std::string folder = dir.file("estudo");
  ASSERT_EQ(write_set(platform::native_folder_files(), folder, study_set("earlier")), "");
  ASSERT_EQ(::chmod(folder.c_str(), 01777), 0);
  // Every file the study's user's but erro.svg.
  for (const auto& [name, bytes] : contents(folder)) {
    if (name != "erro.svg") {
      ASSERT_EQ(::chown((folder + "/" + name).c_str(), kOtherUser, kOtherUser), 0);
    }
  }
  const testing_support::ChildResult r = testing_support::run_in_child([&] {
    if (::setgid(kOtherUser) != 0 || ::setuid(kOtherUser) != 0) ::_exit(2);
    const std::string said = write_set(platform::native_folder_files(), folder, study_set("later"));
    (void)!::write(STDOUT_FILENO, said.data(), said.size());
  });
  EXPECT_EQ(r.out, folder + "/erro.svg é de outro usuário, e a pasta só deixa o dono "
                            "substituí-lo; os arquivos anteriores da pasta " + folder +
                            " ficam como estavam");
  EXPECT_EQ(contents(folder), as_contents(study_set("earlier")));
}

}  // namespace
}  // namespace malhas
