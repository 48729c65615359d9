// The d88cut program, callable without ending the process.
#ifndef D88CUT_TOOL_D88CUT_H_
#define D88CUT_TOOL_D88CUT_H_

#include "d88_reader.h"

// The program's one reader. It lives in static storage: its destruction at
// normal exit closes the image file, which stays open for the whole run.
extern D88Reader reader;

// Checks the command line, opens the image, selects its first disk image and
// runs the cut step. Returns the process exit code: 1 for a wrong command
// line, an image that cannot be opened or an output file that cannot be
// written; otherwise 0, whatever the cuts found to read.
int RunD88Cut(int argc, char* argv[]);

#endif  // D88CUT_TOOL_D88CUT_H_
