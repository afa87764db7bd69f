// Native reply file write: an ordinary create-or-truncate.
#include "intercept/ReplyFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

bool writeExclusiveFile(const Text& path, std::string_view bytes) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    ::close(fd);
    return true;
}
