// Text centring for the host's report formatting: a word left-padded with
// spaces so that it sits near the middle of a field.
#pragma once

#include <cstdint>

namespace dlv {

// Holds the result of the latest center_word call: at most 11 characters and
// the terminator. Process-wide; each call overwrites it.
extern char centre_buffer[12];

// Writes into centre_buffer pad = (width - length of word) / 2 - 1 spaces
// (none when pad is not positive) followed by the word, and returns
// centre_buffer. A result longer than 11 characters is cut after its 11th
// character: padding first, then as much of the word as fits. A null word is
// taken as an empty one.
char* center_word(const char* word, std::int32_t width);

}  // namespace dlv
