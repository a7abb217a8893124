#include "fake-device/Pty.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <stdexcept>

namespace calvetta::fake {

Pty::Pty() {
    std::array<char, 256> name{};
    termios raw{};
    cfmakeraw(&raw);
    if (openpty(&master_, &slaveKeeper_, name.data(), &raw, nullptr) != 0) {
        throw std::runtime_error("openpty failed");
    }
    slavePath_ = name.data();
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    // A program started by the test must not inherit either end: a copy of
    // the master in the child would keep the line up after closeMaster().
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
    ::fcntl(slaveKeeper_, F_SETFD, FD_CLOEXEC);
}

Pty::~Pty() {
    closeSlaveKeeper();
    closeMaster();
}

void Pty::write(const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
            throw std::runtime_error("write to pty master failed");
        } else {
            pollfd p{master_, POLLOUT, 0};
            ::poll(&p, 1, 100);
        }
    }
}

std::vector<std::uint8_t> Pty::read(int timeoutMs) {
    std::vector<std::uint8_t> out;
    pollfd p{master_, POLLIN, 0};
    if (::poll(&p, 1, timeoutMs) <= 0) return out;
    std::array<std::uint8_t, 4096> buf{};
    for (;;) {
        const ssize_t n = ::read(master_, buf.data(), buf.size());
        if (n <= 0) break;
        out.insert(out.end(), buf.begin(), buf.begin() + n);
    }
    return out;
}

void Pty::closeMaster() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
}

void Pty::closeSlaveKeeper() {
    if (slaveKeeper_ >= 0) ::close(slaveKeeper_);
    slaveKeeper_ = -1;
}

}  // namespace calvetta::fake
