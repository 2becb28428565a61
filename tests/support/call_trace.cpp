#include "call_trace.h"

#include <cstdio>
#include <memory>
#include <sstream>
#include <stdexcept>

#include "tool_run.h"

namespace {

Call parse(const std::string& line) {
  Call call{};
  const std::size_t open = line.find('(');
  call.name = line.substr(0, open);
  // The arguments end at the parenthesis that closes the first one.
  std::size_t end = line.size();
  int depth = 0;
  for (std::size_t i = open; open != std::string::npos && i < line.size(); ++i) {
    if (line[i] == '(') ++depth;
    if (line[i] == ')' && --depth == 0) {
      end = i + 1;
      break;
    }
  }
  call.text = line.substr(0, end);
  call.fake = line.find("// fake", end) != std::string::npos;
  return call;
}

template <typename T>
std::string written(T value, int digits) {
  std::ostringstream text;
  text.precision(digits);
  text << value;
  return text.str();
}

}  // namespace

std::vector<Call> dumpTrace(const std::string& apitrace, const std::string& trace) {
  const std::string command = quoted(apitrace) +
                              " dump --call-nos=no --arg-names=no --color=never --multiline=no " +
                              quoted(trace) + " 2>&1";
  std::unique_ptr<FILE, int (*)(FILE*)> dump(popen(command.c_str(), "r"), pclose);
  if (!dump) throw std::runtime_error("cannot run " + command);
  std::vector<Call> calls;
  std::string line, last;
  char buffer[4096];
  while (std::fgets(buffer, sizeof buffer, dump.get()) != nullptr) {
    line += buffer;
    if (line.back() != '\n') continue;
    line.pop_back();
    // Comments (the process's name) and blank lines are not calls.
    if (!line.empty() && line.compare(0, 2, "//") != 0) calls.push_back(parse(line));
    last = line;
    line.clear();
  }
  if (pclose(dump.release()) != 0) {
    throw std::runtime_error(command + " failed, saying: " + last);
  }
  return calls;
}

// The dump writes a float with 7 significant digits and a double with 16, as a stream would.
std::string asDumped(float value) { return written(value, 7); }
std::string asDumped(double value) { return written(value, 16); }
