/* The floor under a batch of window BMP files: the same number of files of
 * the same size, with nothing drawn or encoded. "plain" opens, writes and
 * closes each name; "unnamed" writes an unnamed file in the folder
 * (O_TMPFILE) and links it under its name, as stripewell-render does so that
 * no half-written file ever has a name; "linked" the same, linked by its
 * descriptor (AT_EMPTY_PATH) rather than through /proc, as stripewell-render
 * does where the kernel allows it.
 *
 *   floor plain|unnamed|linked FOLDER [FILES [BYTES]]   default 10000 files of 1802
 */
#define _GNU_SOURCE
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

int main(int argc, char** argv) {
    const int linked = argc >= 3 && strcmp(argv[1], "linked") == 0;
    const int unnamed = linked || (argc >= 3 && strcmp(argv[1], "unnamed") == 0);
    if (argc < 3 || (!unnamed && strcmp(argv[1], "plain") != 0)) {
        fprintf(stderr, "usage: floor plain|unnamed|linked FOLDER [FILES [BYTES]]\n");
        return 2;
    }
    const long files = argc > 3 ? atol(argv[3]) : 10000;
    const long size = argc > 4 ? atol(argv[4]) : 1802;
    char* bytes = calloc(1, size);
    const int folder = open(argv[2], O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (!bytes || folder < 0) {
        perror(argv[2]);
        return 1;
    }
    for (long i = 0; i < files; ++i) {
        char name[32], self[32];
        snprintf(name, sizeof name, "%05ld.bmp", i);
        const int fd = unnamed ? openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666)
                               : openat(folder, name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 || write(fd, bytes, size) != size) {
            perror(name);
            return 1;
        }
        if (linked) {
            if (linkat(fd, "", folder, name, AT_EMPTY_PATH) != 0) {
                perror(name);
                return 1;
            }
        } else if (unnamed) {
            snprintf(self, sizeof self, "/proc/self/fd/%d", fd);
            if (linkat(AT_FDCWD, self, folder, name, AT_SYMLINK_FOLLOW) != 0) {
                perror(name);
                return 1;
            }
        }
        close(fd);
    }
    return 0;
}
