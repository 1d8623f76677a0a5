/* Preloaded into a measured program: reports, on the file descriptor named by
 * LUMARO_PROBE_FD, the monotonic time at which its first engine display was
 * created. It measures; it changes nothing the program does. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

struct gs_init_data;
typedef void *(*create_fn)(const struct gs_init_data *, unsigned);

void *obs_display_create(const struct gs_init_data *data, unsigned background)
{
	static create_fn real;
	static int reported;
	if (!real)
		real = (create_fn)dlsym(RTLD_NEXT, "obs_display_create");
	void *display = real(data, background);
	const char *fd = getenv("LUMARO_PROBE_FD");
	if (display && fd && !reported) {
		struct timespec now;
		clock_gettime(CLOCK_MONOTONIC, &now);
		char line[64];
		int length = snprintf(line, sizeof(line), "%lld\n",
				      (long long)now.tv_sec * 1000000000LL +
					      now.tv_nsec);
		reported = write(atoi(fd), line, (size_t)length) == length;
	}
	return display;
}
