#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "polling.h"

extern char** environ;

ChildProcess::ChildProcess(const std::vector<std::string>& argv) {
  if (argv.empty()) throw std::invalid_argument("no program to start");
  char path[] = "/tmp/normals-stderr-XXXXXX";
  const int fd = mkstemp(path);
  if (fd < 0)
    throw std::runtime_error(std::string("cannot create a file for standard error: ") +
                             std::strerror(errno));
  errorPath_ = path;

  std::vector<std::string> words = argv;
  std::vector<char*> pointers;
  for (std::string& w : words) pointers.push_back(w.data());
  pointers.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fd, STDERR_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  const int failed =
      posix_spawnp(&pid_, words[0].c_str(), &actions, nullptr, pointers.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fd);
  if (failed != 0) {
    std::remove(errorPath_.c_str());
    throw std::runtime_error("cannot start " + words[0] + ": " + std::strerror(failed));
  }
}

ChildProcess::~ChildProcess() {
  if (running()) {
    kill(pid_, SIGKILL);
    waitForExit(5);
  }
  std::remove(errorPath_.c_str());
}

bool ChildProcess::running() {
  if (status_ >= 0) return false;
  int status = 0;
  if (waitpid(pid_, &status, WNOHANG) != pid_) return true;
  status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return false;
}

int ChildProcess::waitForExit(double seconds) {
  pollUntil([this] { return !running(); }, seconds);
  return running() ? -1 : status_;
}

std::string ChildProcess::errors() const {
  std::ifstream in(errorPath_);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}
