#pragma once

// Looks for the option name (or otherName, may be null), typed with a leading
// hyphen, in a command line. When valueOut is given it receives the value that
// follows the option, at most valueOutMax characters plus the terminator.
bool FindOption(const char* commandLine, const char* name, const char* otherName, char* valueOut,
                int valueOutMax);
