// A program's OpenGL calls as apitrace recorded them, read back with `apitrace dump`.
#pragma once

#include <string>
#include <vector>

// One call as the dump writes it, without argument names: `glVertex3f(-7.5, 0.001, -5)`.
// Numbers come as the dump prints them: floats to 7 significant digits, doubles to 16.
struct Call {
  std::string name;
  std::string text;  // the name and the arguments, without a result or a comment
  bool fake;         // put in by the tracer, never made by the program
};

// The calls of the trace file `trace`, in order, dumped by the program `apitrace`; throws with
// the dump's words when it fails.
std::vector<Call> dumpTrace(const std::string& apitrace, const std::string& trace);

// `value` written as the dump writes a float argument, or a double one.
std::string asDumped(float value);
std::string asDumped(double value);
