#include "PseudoTerminal.h"

#include "Text.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <system_error>
#include <termios.h>
#include <unistd.h>

namespace {

[[noreturn]] void throwSystemError(const char* what)
{
    throw std::system_error(errno, std::generic_category(), what);
}

void check(int result, const char* what)
{
    if (result < 0)
        throwSystemError(what);
}

void makeRaw(int fd)
{
    termios settings{};
    check(tcgetattr(fd, &settings), "tcgetattr");
    cfmakeraw(&settings);
    check(tcsetattr(fd, TCSANOW, &settings), "tcsetattr");
}

void makeNonBlocking(int fd)
{
    const int flags = fcntl(fd, F_GETFL);
    check(flags, "fcntl");
    check(fcntl(fd, F_SETFL, flags | O_NONBLOCK), "fcntl");
}

} // namespace

PseudoTerminal::PseudoTerminal()
{
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    check(master_, "posix_openpt");
    try {
        check(grantpt(master_), "grantpt");
        check(unlockpt(master_), "unlockpt");
        const char* slavePath = ptsname(master_);
        if (!slavePath)
            throwSystemError("ptsname");
        makeRaw(master_);
        makeNonBlocking(master_);
        slave_ = open(slavePath, O_RDWR | O_NOCTTY | O_CLOEXEC);
        check(slave_, "open pty slave");
        const std::string_view devPrefix = "/dev/";
        std::string_view name = slavePath;
        if (text::startsWith(name, devPrefix))
            name.remove_prefix(devPrefix.size());
        portName_ = name;
    } catch (...) {
        close(master_);
        throw;
    }
}

PseudoTerminal::~PseudoTerminal()
{
    close(slave_);
    close(master_);
}

std::string PseudoTerminal::readAvailable()
{
    std::string bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t count = read(master_, buffer, sizeof buffer);
        if (count > 0) {
            bytes.append(buffer, static_cast<std::size_t>(count));
        } else if (count == 0 || errno == EAGAIN) {
            return bytes;
        } else if (errno != EINTR) {
            throwSystemError("read pty");
        }
    }
}

std::size_t PseudoTerminal::writeSome(std::string_view bytes)
{
    for (;;) {
        const ssize_t count = write(master_, bytes.data(), bytes.size());
        if (count >= 0)
            return static_cast<std::size_t>(count);
        if (errno == EAGAIN)
            return 0;
        if (errno != EINTR)
            throwSystemError("write pty");
    }
}
