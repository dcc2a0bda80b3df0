#pragma once

// True when the command line holds the option name, typed with a leading
// hyphen, as a whole word (case-insensitive).
bool FindOption(const char* commandLine, const char* name);
