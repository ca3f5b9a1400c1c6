#pragma once

// When the arguments name a photo to open (the child mode of the open
// benchmark), opens it, prints the seconds it took and the peak resident
// memory in MB, and returns true.
bool RunOpenChild(int argc, char** argv);
