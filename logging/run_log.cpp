#include "run_log.h"

#include <cstdio>
#include <ctime>
#include <util/base.h>
#include <util/bmem.h>
#include <util/lexer.h>
#include <util/platform.h>

#include "config_path.h"
#include "log_handler.h"
#include "platform.h"

const char *const logDirectoryName = "zandor/lumaro_logs/";
uint32_t maxLogFiles = 0;
std::string currentLogFileName;

RunLogStream::~RunLogStream()
{
	DetachRunLog(*this);
}

void SetMaxLogFiles(uint32_t count)
{
	maxLogFiles = count;
}

// "YYYY-MM-DD HH-MM-SS" for the given time.
static std::string TimestampStem(time_t now)
{
	tm local = {};
#ifdef _WIN32
	localtime_s(&local, &now);
#else
	localtime_r(&now, &local);
#endif
	char stem[256] = {};
	snprintf(stem, sizeof(stem), "%d-%02d-%02d %02d-%02d-%02d",
		 local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
		 local.tm_hour, local.tm_min, local.tm_sec);
	return stem;
}

std::string MakeTimestampFileName(const char *extension)
{
	return TimestampStem(time(nullptr)) + "." + extension;
}

uint64_t ParseLogTimestamp(const char *name)
{
	if (!name)
		return 0;

	// year - month - day hour - minute - second; white space between tokens
	// is skipped, so day and hour are told apart only by it.
	static const base_token_type expected[] = {
		BASETOKEN_DIGIT, BASETOKEN_OTHER, BASETOKEN_DIGIT,
		BASETOKEN_OTHER, BASETOKEN_DIGIT, BASETOKEN_DIGIT,
		BASETOKEN_OTHER, BASETOKEN_DIGIT, BASETOKEN_OTHER,
		BASETOKEN_DIGIT};

	// The lexer only reads: it works on the name in place, without a copy.
	lexer lex;
	lexer_init(&lex);
	lex.offset = name;
	uint64_t timestamp = 0;
	bool valid = true;
	for (base_token_type type : expected) {
		base_token token;
		if (!lexer_getbasetoken(&lex, &token, IGNORE_WHITESPACE) ||
		    token.type != type ||
		    (type == BASETOKEN_OTHER && strref_cmp(&token.text, "-"))) {
			valid = false;
			break;
		}
		if (type != BASETOKEN_DIGIT)
			continue;
		for (size_t i = 0; i < token.text.len && valid; ++i) {
			const unsigned digit = token.text.array[i] - '0';
			if (timestamp > (UINT64_MAX - digit) / 10)
				valid = false; // above 2^64 - 1: no log name
			else
				timestamp = timestamp * 10 + digit;
		}
		if (!valid)
			break;
	}
	lexer_free(&lex);
	return valid ? timestamp : 0;
}

namespace {
struct OldestLog {
	std::string name;
	uint64_t timestamp = UINT64_MAX;
	uint32_t count = 0;
};

void ConsiderLogEntry(void *context, const char *name, bool isDirectory)
{
	auto *oldest = static_cast<OldestLog *>(context);
	if (isDirectory || name[0] == '.')
		return;
	const uint64_t timestamp = ParseLogTimestamp(name);
	if (timestamp == 0)
		return;
	// Strictly less: of equal timestamps the first listed stays the oldest.
	if (timestamp < oldest->timestamp) {
		oldest->name = name;
		oldest->timestamp = timestamp;
	}
	++oldest->count;
}
} // namespace

void PruneOldestLog(const char *folder)
{
	char *folderPath = GetConfigPathAlloc(folder);
	OldestLog oldest;
	if (folderPath && ListFolder(folderPath, ConsiderLogEntry, &oldest) &&
	    oldest.count > maxLogFiles) {
		const std::string path =
			std::string(folderPath) + "/" + oldest.name;
		os_unlink(path.c_str());
	}
	bfree(folderPath);
}

// Creates this run's file without ever taking over an earlier run's: a name
// already taken within the same second gets " (2)", " (3)", ... which still
// parses to the same timestamp. Returns the absolute path (bfree) or null.
static char *CreateRunLogFile(const char *folder, std::string *name)
{
	const std::string stem = TimestampStem(time(nullptr));
	for (int copy = 1; copy <= 1000; ++copy) {
		*name = copy == 1 ? stem + ".txt"
				  : stem + " (" + std::to_string(copy) + ").txt";
		char *path = GetConfigPathAlloc((folder + *name).c_str());
		if (!path)
			return nullptr;
		const NewFileResult result = CreateNewFile(path);
		if (result == NewFileResult::Created)
			return path;
		bfree(path);
		if (result == NewFileResult::Failed)
			break;
	}
	name->clear();
	return nullptr;
}

void OpenRunLog(RunLogStream &stream, const char *folder)
{
	std::string name;
	char *path = CreateRunLogFile(folder, &name);
	currentLogFileName = name;
	if (path)
		OpenSharedFileStream(stream, path);
	else
		stream.setstate(std::ios::failbit);

	if (stream.is_open()) {
		PruneOldestLog(folder);
		AttachRunLog(stream);
		base_set_log_handler(WriteLogMessage,
				     static_cast<std::ostream *>(&stream));
	} else {
		blog(LOG_ERROR, "Failed to open log file");
	}
	bfree(path);
}
