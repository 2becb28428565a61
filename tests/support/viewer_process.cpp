// The child process: starting it, its exit status and its standard error.
#include "viewer_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

void sleepFor(double seconds) {
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

bool pollUntil(const std::function<bool()>& condition, double seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    sleepFor(0.005);
  }
  return true;
}

namespace {
// A window that goes away or off the screen while it is looked at is the program's business,
// not a reason to end the observer: such requests simply come back empty.
int ignoreError(Display*, XErrorEvent*) { return 0; }
}  // namespace

ViewerProcess::ViewerProcess(const std::vector<std::string>& args,
                             const std::vector<std::string>& wrapper) {
  XSetErrorHandler(ignoreError);
  display_ = XOpenDisplay(nullptr);
  if (display_ == nullptr) throw std::runtime_error("cannot open the X display");
  char path[] = "/tmp/normals-stderr-XXXXXX";
  const int fd = mkstemp(path);
  if (fd < 0) throw std::runtime_error("cannot create a file for standard error");
  errorPath_ = path;

  std::vector<std::string> all = wrapper;
  all.push_back(NORMALS_PROGRAM);
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fd, STDERR_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  const int failed = posix_spawnp(&pid_, all[0].c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fd);
  if (failed != 0) throw std::runtime_error("cannot start " + all[0]);
}

ViewerProcess::~ViewerProcess() {
  if (running()) {
    kill(pid_, SIGKILL);
    waitForExit(5);
  }
  if (display_ != nullptr) XCloseDisplay(display_);
  std::remove(errorPath_.c_str());
}

bool ViewerProcess::running() {
  if (status_ >= 0) return false;
  int status = 0;
  if (waitpid(pid_, &status, WNOHANG) != pid_) return true;
  status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return false;
}

int ViewerProcess::waitForExit(double seconds) {
  pollUntil([this] { return !running(); }, seconds);
  return running() ? -1 : status_;
}

std::string ViewerProcess::errors() const {
  std::ifstream in(errorPath_);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}
