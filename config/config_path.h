// Paths under the user's configuration directory. Relative names use forward
// slashes; a folder's name ends in "/" so a file name appends directly.
#pragma once

#include <cstddef>

// Writes the absolute UTF-8 path of name into buffer. Returns its length (> 0)
// on success; 0 when the directory cannot be determined or the path does not
// fit, and the buffer is then not to be used.
int GetConfigPath(char *buffer, size_t size, const char *name);

// The absolute UTF-8 path of name, allocated for the caller, who frees it with
// bfree; null when the directory cannot be determined.
char *GetConfigPathAlloc(const char *name);
