// Options of the program's command line.
#pragma once

// Looks for the option name (or otherName, may be null), typed with a leading
// hyphen, in a command line (the arguments without the program's path). Only
// the space separates; double quotes group; names match whole and ignore the
// case of ASCII letters; a name or value of 1024 characters or more ends the
// search with false. When valueOut is given it is emptied first and receives
// the value that directly follows the option, at most valueOutMax characters
// plus the terminator (a negative valueOutMax leaves it untouched).
bool FindOption(const char* commandLine, const char* name, const char* otherName, char* valueOut, int valueOutMax);
