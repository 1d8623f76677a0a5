// Runs a fuzz target once on each file named on the command line (or in each
// folder named), so that the corpus is replayed without libFuzzer.
#include <cstdint>
#include <cstdio>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int *argc, char ***argv);

static int Replay(const std::string &path)
{
	std::ifstream file(path, std::ios::binary);
	const std::vector<char> bytes((std::istreambuf_iterator<char>(file)),
				      std::istreambuf_iterator<char>());
	LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.data()),
			       bytes.size());
	return 1;
}

int main(int argc, char **argv)
{
	if (LLVMFuzzerInitialize)
		LLVMFuzzerInitialize(&argc, &argv);
	int replayed = 0;
	for (int i = 1; i < argc; ++i) {
		struct stat info;
		if (stat(argv[i], &info) != 0)
			continue;
		if (!S_ISDIR(info.st_mode)) {
			replayed += Replay(argv[i]);
			continue;
		}
		DIR *dir = opendir(argv[i]);
		while (dirent *entry = dir ? readdir(dir) : nullptr)
			if (entry->d_name[0] != '.')
				replayed += Replay(std::string(argv[i]) + "/" +
						   entry->d_name);
		if (dir)
			closedir(dir);
	}
	printf("replayed %d inputs\n", replayed);
	return replayed > 0 ? 0 : 1;
}
