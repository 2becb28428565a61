#include "key_character.h"

#include <cstring>

int keyCharacter(const char* key) {
  static const struct {
    const char* name;
    int code;
  } kNamed[] = {{"Enter", 13}, {"Tab", 9}, {"Backspace", 8}, {"Delete", 127}, {"Escape", 27}};
  for (const auto& n : kNamed) {
    if (std::strcmp(key, n.name) == 0) return n.code;
  }
  const auto* k = reinterpret_cast<const unsigned char*>(key);
  if (k[0] != 0 && k[0] < 0x80 && k[1] == 0) return k[0];
  // One UTF-8 sequence of two to four bytes: one character.
  const int length = k[0] >= 0xF0 ? 4 : k[0] >= 0xE0 ? 3 : k[0] >= 0xC0 ? 2 : 0;
  if (length == 0 || std::strlen(key) != static_cast<std::size_t>(length)) return -1;
  for (int i = 1; i < length; ++i) {
    if ((k[i] & 0xC0) != 0x80) return -1;
  }
  if (length == 2) {
    const int code = (k[0] & 0x1F) << 6 | (k[1] & 0x3F);
    if (code < 256) return code;
  }
  return 0xFF;
}
