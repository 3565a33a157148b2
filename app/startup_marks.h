#pragma once
// Where start-up time goes, measured: with the environment variable TALLOWCRON_STARTUP_MARKS
// naming a file, each step of start-up appends a line there: the step, the milliseconds since
// the process was created and the milliseconds the step took (since the mark before it).
// Without the variable a mark costs a check of a flag.

namespace tc {

void MarkStartup(const char* step);

}  // namespace tc
