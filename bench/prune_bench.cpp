// PruneOldestLog over a folder of 10,000 entries, dated and undated, beside a
// floor that only lists the folder.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <string>

#include "run_log.h"

namespace {

std::string Folder()
{
	static const std::string folder = [] {
		char pattern[] = "/tmp/lumaro-prune-XXXXXX";
		const std::string home = mkdtemp(pattern);
		setenv("HOME", home.c_str(), 1);
		unsetenv("XDG_CONFIG_HOME");
		const std::string dir = home + "/.config/zandor/lumaro_logs/";
		std::system(("mkdir -p '" + dir + "'").c_str());
		for (int i = 0; i < 10000; ++i) {
			char name[64];
			if (i % 2)
				snprintf(name, sizeof(name), "notes %d.txt", i);
			else
				snprintf(name, sizeof(name),
					 "%d-%02d-%02d %02d-%02d-%02d.txt",
					 2000 + i % 25, 1 + i % 12, 1 + i % 28,
					 i % 24, i % 60, (i / 60) % 60);
			std::ofstream(dir + name);
		}
		return dir;
	}();
	return folder;
}

void BM_PruneOldestLog(benchmark::State &state)
{
	Folder();
	// Above the count, so the folder stays as it is between iterations.
	SetMaxLogFiles(UINT32_MAX);
	for (auto _ : state)
		PruneOldestLog(logDirectoryName);
}

void BM_ListFolderFloor(benchmark::State &state)
{
	const std::string folder = Folder();
	for (auto _ : state) {
		DIR *dir = opendir(folder.c_str());
		size_t entries = 0;
		while (readdir(dir))
			++entries;
		closedir(dir);
		benchmark::DoNotOptimize(entries);
	}
}

} // namespace

BENCHMARK(BM_ListFolderFloor)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PruneOldestLog)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
