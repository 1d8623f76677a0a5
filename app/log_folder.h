// Creating the log folder at start-up, and saying so when that fails.
#pragma once

// Creates the folder at path with any missing parents; false only when it
// neither exists nor can be made.
bool do_mkdir(const char *path);

// Writes the critical message `"<label>" <folder> error!` to Qt's message output.
void ReportLogFolderFailure(const char *label, const char *folder);
