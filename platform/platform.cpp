#include "platform.h"

#include <cerrno>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <intrin.h>
#else
#include <csignal>
#include <dirent.h>
#include <sys/stat.h>
#include <cstdio>
#include <fcntl.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

#ifdef _WIN32
static std::string Utf8FromWide(const wchar_t *wide)
{
	int length = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0,
					 nullptr, nullptr);
	if (length <= 0)
		return std::string();
	std::string utf8(static_cast<size_t>(length), '\0');
	WideCharToMultiByte(CP_UTF8, 0, wide, -1, &utf8[0], length, nullptr,
			    nullptr);
	utf8.resize(static_cast<size_t>(length) - 1);
	return utf8;
}

static std::wstring WideFromUtf8(const char *utf8)
{
	int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
	if (length <= 0)
		return std::wstring();
	std::wstring wide(static_cast<size_t>(length), L'\0');
	MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &wide[0], length);
	wide.resize(static_cast<size_t>(length) - 1);
	return wide;
}
#endif

void EnableDebugPrivilege()
{
#ifdef _WIN32
	HANDLE token;
	if (!OpenProcessToken(GetCurrentProcess(),
			      TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
		return;

	TOKEN_PRIVILEGES privileges = {};
	if (LookupPrivilegeValueW(nullptr, L"SeDebugPrivilege",
				  &privileges.Privileges[0].Luid)) {
		privileges.PrivilegeCount = 1;
		privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
		AdjustTokenPrivileges(token, FALSE, &privileges,
				      sizeof(privileges), nullptr, nullptr);
	}
	CloseHandle(token);
#else
	// The counterpart of a held but disabled privilege: CAP_SYS_PTRACE in the
	// permitted set but not yet in the effective one.
	__user_cap_header_struct header = {_LINUX_CAPABILITY_VERSION_3, 0};
	__user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
	if (syscall(SYS_capget, &header, data) != 0)
		return;
	const unsigned index = CAP_TO_INDEX(CAP_SYS_PTRACE);
	const unsigned mask = CAP_TO_MASK(CAP_SYS_PTRACE);
	if (!(data[index].permitted & mask) || (data[index].effective & mask))
		return;
	data[index].effective |= mask;
	syscall(SYS_capset, &header, data);
#endif
}

void WriteDebuggerLine(char *text, size_t length)
{
#ifdef _WIN32
	(void)length;
	OutputDebugStringA(text);
	OutputDebugStringA("\n");
#else
	// One unbuffered write per message: lines of concurrent callers never
	// interleave and nothing waits in a buffer when the process dies.
	text[length] = '\n';
	while (write(STDERR_FILENO, text, length + 1) < 0 && errno == EINTR) {
	}
	text[length] = '\0';
#endif
}

bool IsDebuggerAttached()
{
#ifdef _WIN32
	return IsDebuggerPresent() != 0;
#else
	int fd = open("/proc/self/status", O_RDONLY | O_CLOEXEC);
	if (fd < 0)
		return false;
	char status[4096];
	ssize_t length = read(fd, status, sizeof(status) - 1);
	close(fd);
	if (length <= 0)
		return false;
	status[length] = '\0';
	const char *field = std::strstr(status, "TracerPid:");
	return field && std::strtol(field + std::strlen("TracerPid:"),
				    nullptr, 10) != 0;
#endif
}

void BreakIntoDebugger()
{
#ifdef _WIN32
	__debugbreak();
#else
	// A debugger sees the signal before its disposition applies; with that
	// ignored, a mere tracer (strace, a crash reporter) lets the run go on
	// instead of killing it.
	signal(SIGTRAP, SIG_IGN);
	raise(SIGTRAP);
#endif
}

NewFileResult CreateNewFile(const char *utf8Path)
{
#ifdef _WIN32
	std::wstring path = WideFromUtf8(utf8Path);
	if (path.empty())
		return NewFileResult::Failed;
	int fd = _wopen(path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY,
			_S_IREAD | _S_IWRITE);
	if (fd < 0)
		return errno == EEXIST ? NewFileResult::NameTaken
				       : NewFileResult::Failed;
	_close(fd);
	return NewFileResult::Created;
#else
	int fd = open(utf8Path, O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
	if (fd < 0)
		return errno == EEXIST ? NewFileResult::NameTaken
				       : NewFileResult::Failed;
	close(fd);
	return NewFileResult::Created;
#endif
}

void OpenSharedFileStream(std::fstream &stream, const char *utf8Path)
{
	// Appending: every write lands at the end, whatever else writes the file.
	const auto mode = std::ios::in | std::ios::out | std::ios::app;
#if defined(_WIN32) && defined(_MSC_VER)
	// The wide path reaches names outside the local code page.
	stream.open(WideFromUtf8(utf8Path).c_str(), mode, _SH_DENYNO);
#elif defined(_WIN32)
	// MinGW's runtime has no share-mode parameter; its default shares.
	stream.open(WideFromUtf8(utf8Path).c_str(), mode);
#else
	stream.open(utf8Path, mode);
#endif
}

bool ListFolder(const char *utf8Path,
		void (*visit)(void *context, const char *name, bool isDirectory),
		void *context)
{
#ifdef _WIN32
	WIN32_FIND_DATAW entry;
	HANDLE find = FindFirstFileW((WideFromUtf8(utf8Path) + L"\\*").c_str(),
				     &entry);
	if (find == INVALID_HANDLE_VALUE)
		return false;
	do {
		const std::string name = Utf8FromWide(entry.cFileName);
		if (name == "." || name == "..")
			continue;
		visit(context, name.c_str(),
		      (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
	} while (FindNextFileW(find, &entry));
	FindClose(find);
	return true;
#else
	DIR *dir = opendir(utf8Path);
	if (!dir)
		return false;
	while (dirent *entry = readdir(dir)) {
		const char *name = entry->d_name;
		if (!strcmp(name, ".") || !strcmp(name, ".."))
			continue;
		bool isDirectory = entry->d_type == DT_DIR;
		if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
			struct stat info;
			isDirectory = fstatat(dirfd(dir), name, &info, 0) == 0 &&
				      S_ISDIR(info.st_mode);
		}
		visit(context, name, isDirectory);
	}
	closedir(dir);
	return true;
#endif
}
