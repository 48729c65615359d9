// Runs a program as a child process and collects what it did. POSIX only.
// D88CUT_EMULATOR, a |-separated command, runs the program when it is not
// built for this host (as with user-mode QEMU); empty, it runs directly.
#ifndef D88CUT_TESTS_SUPPORT_RUN_PROCESS_H_
#define D88CUT_TESTS_SUPPORT_RUN_PROCESS_H_

#include <string>
#include <vector>

namespace d88test {

struct ProcessResult {
  // Exit code, or -1 when the process did not exit normally.
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Starts `program` with `argv` as its whole argument vector (argv[0]
// included, so a test decides the name it is started under), in the
// directory `workDir`, with empty standard input.
ProcessResult RunProcess(const std::string& program,
                         const std::vector<std::string>& argv,
                         const std::string& workDir);

}  // namespace d88test

#endif  // D88CUT_TESTS_SUPPORT_RUN_PROCESS_H_
