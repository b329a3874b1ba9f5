// aleta-malhas stopped in the middle of putting its files in place, through its test hook
// (ALETA_MALHAS_PAUSA_TESTE): killed at any rename, the next run finds one whole set; Ctrl+C at
// a rename ends the program with the new set (on Windows it once hung there); a study waiting
// for another's folder says so.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <map>

#include "tests/program/program_run.h"

namespace testing_support {
namespace {

using Program = ProgramRun::Program;
using Contents = std::map<std::string, std::string>;

// Long enough for a study under Wine; a hang is seen as the time running out.
constexpr double kPatience = 60;
const std::string kPauseMarker = "pausa";

std::unique_ptr<ProgramRun> uds_example() {
  auto run = std::make_unique<ProgramRun>();
  const std::string example = std::string(ALETA_SOURCE_DIR) + "/examples/uds/entradas_geral.ent";
  run->put("entradas_geral.ent", read_file(example));
  return run;
}

// The files of a folder that a user sees: the hidden ones (temporary files, the journal, the
// lock file on Windows) left out.
Contents visible_files(const ProgramRun& run, const std::string& folder) {
  Contents files;
  for (const auto& entry : std::filesystem::directory_iterator(run.directory() + "/" + folder)) {
    const std::string name = entry.path().filename().string();
    if (name[0] != '.') files[name] = read_file(entry.path().string());
  }
  return files;
}

// Whether the folder holds exactly `files` and nothing hidden but the lock file; the maps are not
// printed (they hold whole charts).
bool holds_only(const ProgramRun& run, const std::string& folder, const Contents& files) {
  for (const auto& entry : std::filesystem::directory_iterator(run.directory() + "/" + folder)) {
    const std::string name = entry.path().filename().string();
    if (name[0] == '.' && name != ".aleta-malhas.trava") return false;
  }
  return visible_files(run, folder) == files;
}

// The files a study leaves when nothing stops it, in a folder of its own.
Contents alone(const ProgramRun& run, const std::string& meshes) {
  const std::string folder = "sozinho" + meshes;
  EXPECT_EQ(run.run({"-m", meshes, "-s", folder}, "", {}, Program::Malhas).exit_code, 0);
  return visible_files(run, folder);
}

// The study of `meshes` into folder "o", started to pause before its rename `at`.
std::unique_ptr<StartedProgram> paused_study(const ProgramRun& run, const std::string& meshes, int at) {
  auto study = run.start({"-m", meshes, "-s", "o"},
                         {{"ALETA_MALHAS_PAUSA_TESTE", std::to_string(at) + ":" + kPauseMarker}});
  EXPECT_TRUE(appears(run.directory() + "/" + kPauseMarker, kPatience)) << "no pause at " << at;
  return study;
}

void resume(const ProgramRun& run) { std::filesystem::remove(run.directory() + "/" + kPauseMarker); }

TEST(MalhasProgram, KilledAtAnyRenameTheNextRunFindsOneWholeSet) {
  const auto run = uds_example();
  const Contents earlier = alone(*run, "2"), killed = alone(*run, "3"), next = alone(*run, "4");
  const int renames = static_cast<int>(killed.size()) + 1;  // the journal's, then each file's
  for (int at = 0; at < renames; ++at) {
    std::filesystem::remove_all(run->directory() + "/o");
    ASSERT_EQ(run->run({"-m", "2", "-s", "o"}, "", {}, Program::Malhas).exit_code, 0);
    paused_study(*run, "3", at)->signal(SIGKILL);
    resume(*run);
    // The next study first completes the killed one's renames (each of them, the journal's
    // pending renames, is made again) or removes its temporary files; it is stopped at its own
    // commit to see what it found.
    auto following = paused_study(*run, "4", at == 0 ? 0 : renames - 1);
    EXPECT_TRUE(visible_files(*run, "o") == (at == 0 ? earlier : killed))
        << "killed before rename " << at;
    EXPECT_FALSE(run->exists("o/.aleta-malhas.diario")) << at;
    resume(*run);
    const ChildResult r = following->finish(kPatience);
    EXPECT_EQ(r.exit_code, 0) << at << r.err;
    EXPECT_EQ(r.err, at == 0 ? "aleta-malhas: arquivos tempor\xC3\xA1rios de um estudo interrompido "
                               "removidos da pasta o: " + std::to_string(renames) + "\n"
                             : "aleta-malhas: a grava\xC3\xA7\xC3\xA3o interrompida de um estudo "
                               "anterior na pasta o foi conclu\xC3\xAD" "da: a pasta tem todos os "
                               "arquivos desse estudo\n")
        << at;
    EXPECT_TRUE(holds_only(*run, "o", next)) << at;
  }
}

// Held back during the renames, the interruption ends the program once the set is in place.
TEST(MalhasProgram, InterruptedAtTheFirstRenameEndsWithTheNewSet) {
  const auto run = uds_example();
  const Contents later = alone(*run, "3");
  for (int attempt = 0; attempt < 20; ++attempt) {
    ASSERT_EQ(run->run({"-m", "2", "-s", "o"}, "", {}, Program::Malhas).exit_code, 0);
    auto study = paused_study(*run, "3", 1);
    study->signal(SIGINT);
    resume(*run);
    EXPECT_NE(study->finish(kPatience).exit_code, -1) << "hung, attempt " << attempt;
    EXPECT_TRUE(holds_only(*run, "o", later)) << attempt;
  }
}

TEST(MalhasProgram, StudyWaitingForTheFolderSaysSoOnce) {
  const auto run = uds_example();
  const Contents second = alone(*run, "3");
  auto first = paused_study(*run, "2", 1);
  auto waiting = run->start({"-m", "3", "-s", "o"}, {});
  const std::string message =
      "aleta-malhas: a pasta o est\xC3\xA1 em uso por outro estudo; aguardando que ele termine\n";
  EXPECT_TRUE(waiting->error_holds(message, kPatience));
  resume(*run);
  EXPECT_EQ(first->finish(kPatience).exit_code, 0);
  const ChildResult r = waiting->finish(kPatience);
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.err, message);
  EXPECT_TRUE(holds_only(*run, "o", second));
}

}  // namespace
}  // namespace testing_support
