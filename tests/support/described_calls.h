// The OpenGL calls the viewer is meant to make, written as `apitrace dump` writes calls: its
// start-up, and every call of one frame at the current viewer state.
#pragma once

#include <string>
#include <vector>

using Calls = std::vector<std::string>;

// `name(args...)`, as the dump writes a call without argument names.
std::string call(const std::string& name, const std::vector<std::string>& args = {});

// The start-up's calls, from the first state it sets to the last.
Calls startUp();
// The first vertex a frame of `surface` gives its first cell: it tells the phase it was drawn at.
std::string firstVertex(unsigned surface);
// Every call of one frame of `surface` at the current viewer state, up to the swap. A
// character of the caption is a bitmap, written by its name alone (`glBitmap`).
Calls frame(unsigned surface);
