// What a browser's key gives the viewer's keyboard handler, as the toolkit on the desktop
// delivers keys: the character, or nothing for keys without one.
#pragma once

// The character of the key named `key` (a KeyboardEvent's key, in UTF-8), or -1 for a key
// without one (arrows, function keys, Shift, ...). Enter, Tab, Backspace, Delete and Escape
// give their control characters; a character beyond Latin-1 arrives as 0xFF.
int keyCharacter(const char* key);
