#include "system_file.h"

#include <cerrno>
#include <unistd.h>

bool readLine(int fd, std::string& line, std::size_t maxLength) {
    line.clear();
    bool any = false;
    bool pendingCr = false;
    char c = 0;
    for (;;) {
        const ssize_t n = ::read(fd, &c, 1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        any = true;
        if (pendingCr && c == '\n')
            return true;
        if (pendingCr && line.size() < maxLength)
            line.push_back('\r');
        pendingCr = c == '\r';
        if (!pendingCr && line.size() < maxLength)
            line.push_back(c);
    }
    if (pendingCr && line.size() < maxLength)
        line.push_back('\r');
    return any;
}

bool writeLine(int fd, const std::string& text) {
    const std::string data = text + "\r\n";
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}
