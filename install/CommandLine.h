// Options of the program's command line.
#pragma once

// Looks for the option name, typed with a leading hyphen, in a command line
// (the arguments without the program's path). Only the space separates;
// double quotes group; names match whole and ignore the case of ASCII
// letters; a name or value of 1024 characters or more ends the search with
// false, unless a value right after the option was seen before it.
bool FindOption(const char* commandLine, const char* name);
