// Heap copies of texts.
#pragma once

// Heap copy of a zero-terminated text; null for null or when memory runs out.
// The caller releases the copy with free().
char* DuplicateString(const char* text);
