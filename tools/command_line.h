// Reading the options of the companion programs. A mistake gets one line on standard error,
// naming the program and the problem, and exit status 2.
#pragma once

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

[[noreturn]] inline void failUsage(const std::string& program, const std::string& message) {
  std::cerr << program << ": " << message << " (see --help)\n";
  std::exit(2);
}

class CommandLine {
 public:
  // `version`, when given, answers --version.
  CommandLine(std::string program, std::string usage, int argc, char** argv,
              std::string version = "")
      : program_(std::move(program)),
        usage_(std::move(usage)),
        version_(std::move(version)),
        argc_(argc),
        argv_(argv) {}

  // Moves to the next option; false when there is none. Answers -h, --help and --version
  // itself, on standard output.
  bool next() {
    if (++index_ >= argc_) return false;
    option_ = argv_[index_];
    if (option_ == "-h" || option_ == "--help") {
      std::cout << usage_ << "\n";
      std::exit(0);
    }
    if (option_ == "--version" && !version_.empty()) {
      std::cout << program_ << " " << version_ << "\n";
      std::exit(0);
    }
    return true;
  }

  const std::string& option() const { return option_; }

  // The argument that follows the current option.
  std::string value() {
    if (index_ + 1 >= argc_) fail(option_ + " needs a value");
    return argv_[++index_];
  }

  // Every argument after the current one; there are no options after that.
  std::vector<std::string> rest() {
    std::vector<std::string> all;
    while (++index_ < argc_) all.push_back(argv_[index_]);
    return all;
  }

  // `text`, given to the current option, as a finite number from `low` to `high`.
  double number(const std::string& text, double low, double high = HUGE_VAL) const {
    char* end = nullptr;
    const double d = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(d) || d < low || d > high) {
      std::ostringstream range;
      if (high == HUGE_VAL) {
        range << "of at least " << low;
      } else {
        range << "from " << low << " to " << high;
      }
      fail(option_ + " takes a number " + range.str() + ", not '" + text + "'");
    }
    return d;
  }

  // `text`, given to the current option, as a whole number from `low` to `high`.
  int integer(const std::string& text, int low, int high) const {
    char* end = nullptr;
    errno = 0;
    const long n = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || !(std::isdigit(static_cast<unsigned char>(text[0])) || text[0] == '-') ||
        *end != '\0' || errno != 0 || n < low || n > high) {
      fail(option_ + " takes a whole number from " + std::to_string(low) + " to " +
           std::to_string(high) + ", not '" + text + "'");
    }
    return static_cast<int>(n);
  }

  [[noreturn]] void fail(const std::string& message) const { failUsage(program_, message); }
  [[noreturn]] void unknown() const { fail("unknown option '" + option_ + "'"); }

 private:
  std::string program_, usage_, version_, option_;
  int argc_;
  char** argv_;
  int index_ = 0;
};
