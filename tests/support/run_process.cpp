#include "run_process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

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
  std::vector<char*> args;
  for (const std::string& arg : argv) {
    args.push_back(const_cast<char*>(arg.c_str()));
  }
  args.push_back(nullptr);

  const pid_t pid = fork();
  if (pid == 0) {
    const int nullFd = open("/dev/null", O_RDONLY);
    if (nullFd < 0 || dup2(nullFd, 0) < 0 || dup2(outFd, 1) < 0 ||
        dup2(errFd, 2) < 0 || chdir(workDir.c_str()) != 0) {
      _exit(127);
    }
    execv(program.c_str(), args.data());
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
