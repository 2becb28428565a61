// The browser's keys reach the viewer as the toolkit on the desktop delivers them: every key
// with a character gives it, keys without one give nothing.
#include "key_character.h"

#include <gtest/gtest.h>

namespace {

TEST(KeyCharacter, AsTheDesktopToolkitDeliversThem) {
  const struct {
    const char* key;  // a KeyboardEvent's key, UTF-8
    int character;
  } cases[] = {
      {"a", 'a'},
      {"Q", 'Q'},
      {"7", '7'},
      {" ", 32},
      {"Escape", 27},
      {"Enter", 13},
      {"Tab", 9},
      {"Backspace", 8},
      {"Delete", 127},
      {"\xc3\xa9", 0xE9},          // é, Latin-1
      {"\xe2\x82\xac", 0xFF},      // €, beyond Latin-1
      {"\xf0\x9f\x99\x82", 0xFF},  // an emoji, four bytes
      {"ArrowLeft", -1},
      {"F1", -1},
      {"Shift", -1},
      {"Dead", -1},
      {"", -1},
      {"\xc3", -1},
      {"\xc3\x41", -1},
      {"ab", -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(keyCharacter(c.key), c.character);
  }
}

}  // namespace
