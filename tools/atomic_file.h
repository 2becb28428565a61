// Writing a file so that it is whole or absent: through a temporary file in the same folder,
// renamed into place only once everything has been written and flushed.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

// Calls `write` with the open temporary file; it returns an empty string or the reason it
// failed. Returns an empty string or the reason the file could not be written.
[[nodiscard]] std::string writeAtomically(const std::string& path,
                                          const std::function<std::string(std::FILE*)>& write);
