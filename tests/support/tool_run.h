// Running a built program as a user runs it from a shell, in a scratch folder of its own, and
// looking at what it left there.
#pragma once

#include <string>
#include <vector>

struct ToolRun {
  int status;
  std::string output;  // standard output and error
};

// `text` as one word of a shell command, whatever it holds (the build may live in a folder
// whose name has spaces or quotes).
std::string quoted(const std::string& text);

// Runs `program` with `args` (shell words) in `folder`, standard input empty. A sanitizer's
// report in its output fails the calling test: a leak found at exit leaves the status as it
// was.
ToolRun runTool(const std::string& program, const std::string& args, const std::string& folder);

// A new, empty scratch folder below /tmp.
std::string newFolder();
// Names in a folder, hidden ones included, sorted.
std::vector<std::string> entries(const std::string& folder);
// Removes a scratch folder and everything in it; false when that failed.
bool removeFolder(const std::string& folder);
