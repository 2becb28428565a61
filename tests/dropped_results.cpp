// Compiled by the test Files.DroppedResultsAreRefused, never linked: each call drops a failure
// reported as a message, and the compiler must warn about every one (an error under -Werror).
#include <cstdio>
#include <string>

#include "atomic_file.h"
#include "gif_file.h"
#include "gif_reader.h"
#include "png_file.h"

void dropsEveryResult(Image* image) {
  writeAtomically("x", [](std::FILE*) { return std::string(); });
  writePng(*image, "x");
  readPng("x", image);
  writeGif({}, "x");
  readGif("x");
}
