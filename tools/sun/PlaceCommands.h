// umbrant-sun's place commands: --find TEXT and --guess COUNTRY ZONE.
#pragma once

// Runs the place command argv[1] names and returns the exit code, or -1
// when argv[1] is not a place command.
int RunPlaceCommand(int argc, char** argv);
