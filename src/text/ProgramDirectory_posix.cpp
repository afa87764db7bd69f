// Program directory on Linux, read from /proc/self/exe.
#include "text/ProgramDirectory.h"

#include <climits>
#include <unistd.h>

Text programDirectory() {
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return Text();
    Text path(buf, static_cast<size_t>(n));
    size_t slash = path.rfind('/');
    return slash == Text::npos ? Text() : path.substr(0, slash);
}
