// Composing texts and paths in fixed buffers of the ANSI code page.
#pragma once

#include <stddef.h>

// printf-style into out[capacity]. Always terminates. Returns false when the
// result did not fit; the truncated text then never ends in half of a
// double-byte character.
bool ComposeText(char* out, size_t capacity, const char* format, ...) __attribute__((format(printf, 3, 4)));
