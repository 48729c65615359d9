#include "run_process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace d88test {

namespace {

std::string Slurp(int fd) {
  std::string text;
  lseek(fd, 0, SEEK_SET);
  char chunk[4096];
  ssize_t got = 0;
  while ((got = read(fd, chunk, sizeof chunk)) > 0) {
    text.append(chunk, static_cast<size_t>(got));
  }
  return text;
}

}  // namespace

ProcessResult RunProcess(const std::string& program,
                         const std::vector<std::string>& argv,
                         const std::string& workDir) {
  ProcessResult result;
  // Unnamed temporary files capture the two output streams.
  std::FILE* outFile = std::tmpfile();
  std::FILE* errFile = std::tmpfile();
  if (outFile == nullptr || errFile == nullptr) {
    return result;
  }
  const int outFd = fileno(outFile);
  const int errFd = fileno(errFile);
  // With an emulator, `program` is handed to it, and QEMU's -0 gives the
  // program the argv[0] the test asked for.
  std::vector<std::string> words;
  const std::string emulator = D88CUT_EMULATOR;
  for (size_t start = 0; start < emulator.size();) {
    const size_t end = std::min(emulator.find('|', start), emulator.size());
    words.push_back(emulator.substr(start, end - start));
    start = end + 1;
  }
  const bool emulated = !words.empty();
  if (emulated) {
    words.insert(words.end(),
                 {"-0", argv.empty() ? program : argv[0], program});
    words.insert(words.end(), argv.empty() ? argv.end() : argv.begin() + 1,
                 argv.end());
  } else {
    words = argv;
  }
  std::vector<char*> args;
  args.reserve(words.size() + 1);
  for (const std::string& word : words) {
    args.push_back(const_cast<char*>(word.c_str()));
  }
  args.push_back(nullptr);

  const pid_t pid = fork();
  if (pid == 0) {
    const int nullFd = open("/dev/null", O_RDONLY);
    if (nullFd < 0 || dup2(nullFd, 0) < 0 || dup2(outFd, 1) < 0 ||
        dup2(errFd, 2) < 0 || chdir(workDir.c_str()) != 0) {
      _exit(127);
    }
    if (emulated) {
      execvp(args[0], args.data());
    } else {
      execv(program.c_str(), args.data());
    }
    _exit(127);
  }
  int status = 0;
  if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
    result.exitCode = WEXITSTATUS(status);
  }
  result.out = Slurp(outFd);
  result.err = Slurp(errFd);
  std::fclose(outFile);
  std::fclose(errFile);
  return result;
}

}  // namespace d88test
