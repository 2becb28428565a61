// A program started as a child process, its standard input empty and its standard error kept
// in a file, ended with SIGKILL if it still runs when this goes.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

class ChildProcess {
 public:
  // Starts `argv[0]`, found on PATH, with the rest as its arguments; throws when it cannot.
  explicit ChildProcess(const std::vector<std::string>& argv);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t pid() const { return pid_; }
  bool running();
  // The exit status, or -1 if the process is still running after `seconds`; a death by
  // signal gives 128 + the signal number.
  int waitForExit(double seconds);
  // What the program wrote to its standard error.
  std::string errors() const;

 private:
  pid_t pid_ = -1;
  int status_ = -1;
  std::string errorPath_;
};
