#pragma once

// A write past the file-size limit (ulimit -f) ends the process by SIGXFSZ,
// and the unsaved list with it. With the signal ignored the write fails with
// EFBIG instead, and a save tells that as it tells any other failure. The
// signal's handling is the whole process's: set once, where the program starts.
void failWritesPastFileSizeLimit();
