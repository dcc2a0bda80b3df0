// Texts folded for matching names: lower case, marks off, separators as one space.
#pragma once

#include <cstddef>

// Writes the UTF-8 text folded for matching into out (outSize bytes, at
// least 1) and returns its length: letters in lower case without their
// marks, those without a decomposition spelled out (ł as l, ß as ss, æ as
// ae), every run of separators (spaces, hyphens, apostrophes, dots) as one
// space, none at either end. A text too long for out is cut at a whole
// character. Characters outside the folding table, and bytes that are not
// UTF-8, stay as they are.
size_t FoldForSearch(const char* text, char* out, size_t outSize);
