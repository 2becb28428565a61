#include "tool_run.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

std::string quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

ToolRun runTool(const std::string& program, const std::string& args, const std::string& folder) {
  const std::string log = folder + "/.log";
  const std::string command = "cd " + quoted(folder) + " && " + quoted(program) + " " + args +
                              " > " + quoted(log) + " 2>&1 < /dev/null";
  const int raw = std::system(command.c_str());
  std::ifstream in(log);
  std::stringstream text;
  text << in.rdbuf();
  std::remove(log.c_str());
  EXPECT_EQ(text.str().find("Sanitizer"), std::string::npos) << args << ": " << text.str();
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, text.str()};
}

std::string newFolder() {
  char path[] = "/tmp/normals-test-XXXXXX";
  return mkdtemp(path);
}

std::vector<std::string> entries(const std::string& folder) {
  std::vector<std::string> names;
  if (DIR* d = opendir(folder.c_str())) {
    while (dirent* e = readdir(d)) {
      const std::string name = e->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    closedir(d);
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool removeFolder(const std::string& folder) {
  return std::system(("rm -r " + quoted(folder)).c_str()) == 0;
}
