// The core starts a thread only where its caller allows one: a case large enough for every loop
// and page population that may be shared is computed in a process that any new thread ends.
#include <gtest/gtest.h>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>

#include <csignal>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fin/processamento.h"
#include "tests/fin/worked_case.h"
#include "tests/support/child_process.h"

namespace fin {
namespace {

// The exit code of a child that cannot install the filter below.
constexpr int kNoFilter = 3;

// From here on the process is killed (SIGSYS) by the kernel at its first clone or clone3, the
// calls that start a thread.
void forbid_new_threads() {
  sock_filter filter[] = {
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, AUDIT_ARCH_X86_64, 1, 0),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS),
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_clone, 2, 0),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_clone3, 1, 0),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS),
  };
  sock_fprog program{static_cast<unsigned short>(sizeof filter / sizeof filter[0]), filter};
  if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 ||
      prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0) {
    std::_Exit(kNoFilter);
  }
}

// The exit code of a child that computes a UDS case of 2^21 + 10 nodes with `threads`: its
// loops over the nodes pass the 2^21 from which even a loop bound by the memory is shared, and
// its arrays the 16 MiB from which one array's pages are.
int exit_code_with(unsigned threads) {
  return testing_support::run_in_child([threads] {
           const std::int32_t N = (std::int32_t{1} << 21) + 10;
           const GeneralInput in = testing::worked_input(TipScheme::Uds, N);
           CaseOptions options;
           options.threads = threads;
           forbid_new_threads();
           const Case<double> c = compute_case<double>(in, in.mesh_choice(), {}, options);
           if (!(c.solution.T[N] > in.Tinf && c.exact.tip() > in.Tinf)) std::_Exit(4);
         })
      .exit_code;
}

TEST(ThreadAllowance, OneThreadStartsNoOther) {
  const int alone = exit_code_with(1);
  if (alone == kNoFilter) GTEST_SKIP() << "this system takes no seccomp filter";
  EXPECT_EQ(alone, 0);
  EXPECT_EQ(exit_code_with(2), 128 + SIGSYS) << "the case shares its work when allowed";
}

}  // namespace
}  // namespace fin
