// One-line info messages into a real log file, with the debugger output
// (standard error) redirected to a file: the handler beside the write(2) floor
// and spdlog flushing on every message.
#include <benchmark/benchmark.h>

#include <cstdarg>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <spdlog/sinks/basic_file_sink.h>
#include <spdlog/sinks/stdout_sinks.h>
#include <spdlog/spdlog.h>
#include <string>
#include <unistd.h>
#include <util/base.h>

#include "run_log.h"

namespace {

const char *const kText = "Loading module: linux-alsa.so";

std::string Folder()
{
	static const std::string folder = [] {
		char pattern[] = "/tmp/lumaro-bench-XXXXXX";
		std::string dir = mkdtemp(pattern);
		setenv("HOME", dir.c_str(), 1);
		unsetenv("XDG_CONFIG_HOME");
		std::system(("mkdir -p '" + dir + "/.config/zandor/lumaro_logs'").c_str());
		// Standard error goes to a file, as a debugger's output would
		// not go to a terminal either.
		int fd = open((dir + "/stderr.txt").c_str(),
			      O_WRONLY | O_CREAT | O_APPEND, 0644);
		dup2(fd, STDERR_FILENO);
		close(fd);
		return dir;
	}();
	return folder;
}

void BM_Handler(benchmark::State &state)
{
	static RunLogStream *runLog = nullptr;
	if (state.thread_index() == 0 && !runLog) {
		Folder();
		runLog = new RunLogStream;
		SetMaxLogFiles(1000);
		OpenRunLog(*runLog, logDirectoryName);
	}
	for (auto _ : state)
		blog(LOG_INFO, "%s", kText);
	state.SetItemsProcessed(state.iterations());
}

void BM_WriteFloor(benchmark::State &state)
{
	static int logFd = -1;
	if (state.thread_index() == 0 && logFd < 0)
		logFd = open((Folder() + "/floor.txt").c_str(),
			     O_WRONLY | O_CREAT | O_APPEND, 0644);
	const std::string line =
		std::string("info: 14:03:07.042: ") + kText + "\n";
	const std::string debuggerLine = std::string(kText) + "\n";
	for (auto _ : state) {
		benchmark::DoNotOptimize(
			write(STDERR_FILENO, debuggerLine.data(), debuggerLine.size()));
		benchmark::DoNotOptimize(write(logFd, line.data(), line.size()));
	}
	state.SetItemsProcessed(state.iterations());
}

void BM_Spdlog(benchmark::State &state)
{
	static std::shared_ptr<spdlog::logger> logger;
	if (state.thread_index() == 0 && !logger) {
		auto file = std::make_shared<spdlog::sinks::basic_file_sink_mt>(
			Folder() + "/spdlog.txt");
		file->set_pattern("%l: %H:%M:%S.%e: %v");
		auto debugger = std::make_shared<spdlog::sinks::stderr_sink_mt>();
		debugger->set_pattern("%v");
		logger = std::make_shared<spdlog::logger>(
			"bench", spdlog::sinks_init_list{debugger, file});
		logger->flush_on(spdlog::level::info);
	}
	for (auto _ : state)
		logger->info("{}", kText);
	state.SetItemsProcessed(state.iterations());
}

} // namespace

BENCHMARK(BM_WriteFloor)->Threads(1)->Threads(4)->UseRealTime();
BENCHMARK(BM_Handler)->Threads(1)->Threads(4)->UseRealTime();
BENCHMARK(BM_Spdlog)->Threads(1)->Threads(4)->UseRealTime();
BENCHMARK_MAIN();
