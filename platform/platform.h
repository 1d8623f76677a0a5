// Small named platform functions for what the program needs from the operating
// system. Each has a one-line contract; the Windows call lives beside its POSIX
// counterpart inside each body.
#pragma once

#include <cstddef>
#include <fstream>

// Turns on the debug privilege of this process where the process may hold it;
// silent when it cannot.
void EnableDebugPrivilege();

// Sends text (length bytes, terminated) and then a line end to the debugger
// output (standard error on POSIX). The terminator at text[length] is briefly
// replaced by the line end so that the line goes out in one piece. Safe to
// call from any thread.
void WriteDebuggerLine(char *text, size_t length);

// True when a debugger is attached to this process.
bool IsDebuggerAttached();

// Stops in the attached debugger; the caller checks IsDebuggerAttached first.
void BreakIntoDebugger();

enum class NewFileResult { Created, NameTaken, Failed };

// Creates an empty file at the UTF-8 path, failing when the name is already taken,
// so that two writers never share one file.
NewFileResult CreateNewFile(const char *utf8Path);

// Opens stream for reading and writing on an existing file given by UTF-8 path,
// letting other processes read and write it meanwhile where the platform has
// share modes. Success shows in the stream's state.
void OpenSharedFileStream(std::fstream &stream, const char *utf8Path);

// Calls visit(context, name, isDirectory) for each entry of the folder at the
// UTF-8 path, "." and ".." excluded, in the order the system lists them.
// Returns false when the folder cannot be listed. Cheaper than a stat per
// entry: the kind comes with the listing wherever the system gives it.
bool ListFolder(const char *utf8Path,
		void (*visit)(void *context, const char *name, bool isDirectory),
		void *context);
