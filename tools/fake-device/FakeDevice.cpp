#include "fake-device/FakeDevice.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "link/Protocol.h"

namespace calvetta::fake {

namespace {

constexpr std::size_t kMaxRequestPayload = 8;

std::vector<std::uint8_t> Frame(std::uint8_t mark, std::uint8_t seq,
                                const std::vector<std::uint8_t>& payload) {
    std::vector<std::uint8_t> f;
    f.reserve(payload.size() + 6);
    f.push_back(FrameStart);
    f.push_back(mark);
    f.push_back(seq);
    f.push_back(static_cast<std::uint8_t>(payload.size()));
    for (auto b : payload)
        f.push_back(b);
    unsigned sum = 0;
    for (auto b : f)
        sum += b;
    f.push_back(static_cast<std::uint8_t>(sum & 0xFF));
    f.push_back(FrameEnd);
    return f;
}

// The values a query for id reports, or false when the device has no answer.
bool ReportedValues(const DeviceState& s, const std::vector<std::uint8_t>& query,
                    std::vector<std::uint8_t>& values) {
    const std::uint8_t ch = query.size() > 2 ? query[2] : 0;
    switch (static_cast<ParamId>(query[1])) {
        case ParamId::EqPresetSlot:
            values = {s.version};
            return true;
        case ParamId::SourceSelect:
            values = {s.source};
            return true;
        case ParamId::InputSelect:
            values = {s.input};
            return true;
        case ParamId::SpeakerLayout:
            values = {s.layout};
            return true;
        case ParamId::AudioFormat:
            values = {s.formatCode};
            return true;
        case ParamId::SubwooferMode:
            values = {s.subwoofer};
            return true;
        case ParamId::ListeningMode:
            values = {s.listeningMode};
            return true;
        case ParamId::MuteState:
            values = {s.mute};
            return true;
        case ParamId::MasterVolume:
            values = {VolumeByte(s.masterVolume)};
            return true;
        case ParamId::DynamicMode:
            values = {s.dynamic};
            return true;
        case ParamId::SpeakerConfig:
            values.assign(s.speakerConfig.begin(), s.speakerConfig.end());
            return true;
        case ParamId::Crossover:
            values.assign(s.crossovers.begin(), s.crossovers.end());
            return true;
        case ParamId::ChannelTrim:
            if (ch >= s.trims.size()) return false;
            values = {ch, VolumeByte(s.trims[ch])};
            return true;
        case ParamId::ChannelDelay:
            if (ch >= s.delays.size()) return false;
            values = {ch, s.delays[ch]};
            return true;
        case ParamId::ChannelPhase:
            values = {s.phase};
            return true;
        default:
            return false;
    }
}

}  // namespace

std::vector<std::uint8_t> RequestFrameBytes(std::uint8_t seq,
                                            const std::vector<std::uint8_t>& payload) {
    return Frame(RequestMark, seq, payload);
}

std::vector<std::uint8_t> ReplyFrameBytes(std::uint8_t seq,
                                          const std::vector<std::uint8_t>& payload) {
    return Frame(ReplyMark, seq, payload);
}

FakeDevice::FakeDevice(DeviceState state, Observer observer)
    : observer_(std::move(observer)), state_(state) {
    std::string dir = (std::filesystem::temp_directory_path() / "calvetta-fake-XXXXXX").string();
    if (::mkdtemp(dir.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    linkDir_ = dir;
    linkPath_ = dir + "/ttyFake";
    if (::pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) throw std::runtime_error("pipe2 failed");
    reopen();
}

FakeDevice::~FakeDevice() {
    hangUp();
    ::rmdir(linkDir_.c_str());
    ::close(wake_[0]);
    ::close(wake_[1]);
}

std::string FakeDevice::slavePath() const {
    const std::lock_guard lock(lineMutex_);
    return pty_ ? pty_->slavePath() : std::string();
}

bool FakeDevice::isOpen() const {
    const std::lock_guard lock(lineMutex_);
    return pty_ != nullptr;
}

DeviceState FakeDevice::state() const {
    const std::lock_guard lock(mutex_);
    return state_;
}

void FakeDevice::setState(const DeviceState& state) {
    const std::lock_guard lock(mutex_);
    state_ = state;
}

std::vector<DeviceRequest> FakeDevice::requests() const {
    const std::lock_guard lock(mutex_);
    return requests_;
}

void FakeDevice::clearRequests() {
    const std::lock_guard lock(mutex_);
    requests_.clear();
}

bool FakeDevice::waitForRequests(std::size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return recorded_.wait_for(lock, timeout, [&] { return requests_.size() >= count; });
}

bool FakeDevice::inject(const std::vector<std::uint8_t>& bytes) {
    return writeLine(bytes);
}

bool FakeDevice::writeLine(const std::vector<std::uint8_t>& bytes) {
    const std::lock_guard lock(lineMutex_);
    if (!pty_) return false;
    // Bounded: a program that stops reading must not hold the device thread
    // (and with it hangUp()) for ever.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(pty_->masterFd(), bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        pollfd out{pty_->masterFd(), POLLOUT, 0};
        ::poll(&out, 1, 50);
    }
    return true;
}

void FakeDevice::hangUp() {
    stop();
    const std::lock_guard lock(lineMutex_);
    pty_.reset();  // closes both ends we hold: the program's end hangs up
    ::unlink(linkPath_.c_str());
}

void FakeDevice::reopen() {
    {
        const std::lock_guard lock(lineMutex_);
        if (pty_) return;
        pty_ = std::make_unique<Pty>();
        // Replace the link in one step, so a reader never finds it missing.
        const std::string fresh = linkPath_ + ".new";
        ::unlink(fresh.c_str());
        if (::symlink(pty_->slavePath().c_str(), fresh.c_str()) != 0 ||
            ::rename(fresh.c_str(), linkPath_.c_str()) != 0) {
            pty_.reset();
            throw std::runtime_error("cannot link " + linkPath_);
        }
    }
    start();
}

void FakeDevice::start() {
    stopping_ = false;
    thread_ = std::thread([this, fd = pty_->masterFd()] { run(fd); });
}

void FakeDevice::stop() {
    if (!thread_.joinable()) return;
    stopping_ = true;
    const char wake = 1;
    [[maybe_unused]] const auto n = ::write(wake_[1], &wake, 1);
    thread_.join();
    char drain[16];
    while (::read(wake_[0], drain, sizeof drain) > 0) {
    }
}

void FakeDevice::run(int masterFd) {
    std::vector<std::uint8_t> pending;
    std::array<std::uint8_t, 4096> buf{};
    while (!stopping_) {
        pollfd fds[2] = {{masterFd, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (fds[1].revents != 0) continue;  // asked to stop
        bool got = false;
        for (;;) {
            const ssize_t n = ::read(masterFd, buf.data(), buf.size());
            if (n <= 0) break;
            pending.insert(pending.end(), buf.begin(), buf.begin() + n);
            got = true;
        }
        if (got) {
            decode(pending);
        } else {
            // No slave end open (hang-up reported again and again): wait for
            // the program to come back without spinning.
            pollfd w{wake_[0], POLLIN, 0};
            ::poll(&w, 1, 50);
        }
    }
}

void FakeDevice::decode(std::vector<std::uint8_t>& p) {
    std::size_t i = 0;
    for (;;) {
        while (i + 1 < p.size() && !(p[i] == FrameStart && p[i + 1] == RequestMark))
            ++i;
        if (i + 4 > p.size()) break;
        const std::size_t n = p[i + 3];
        if (n == 0 || n > kMaxRequestPayload) {  // no sender writes such a count
            ++i;
            continue;
        }
        if (i + n + 6 > p.size()) break;  // the rest has not arrived yet
        unsigned sum = 0;
        for (std::size_t k = i; k < i + 4 + n; ++k)
            sum += p[k];
        if (p[i + 4 + n] != (sum & 0xFF) || p[i + 5 + n] != FrameEnd) {
            ++badFrames_;
            ++i;
            continue;
        }
        DeviceRequest request{std::chrono::steady_clock::now(), p[i + 2],
                              std::vector<std::uint8_t>(p.begin() + static_cast<long>(i + 4),
                                                        p.begin() + static_cast<long>(i + 4 + n))};
        i += n + 6;
        {
            const std::lock_guard lock(mutex_);
            requests_.push_back(request);
        }
        recorded_.notify_all();
        if (observer_) observer_(request);
        answer(request);
    }
    p.erase(p.begin(), p.begin() + static_cast<long>(i));
}

void FakeDevice::answer(const DeviceRequest& request) {
    if (request.payload.size() < 2 || request.payload[0] != OpQuery) return;
    std::vector<std::uint8_t> reply{ReplyCodeReport, request.payload[1]};
    std::uint8_t seq = 0;
    {
        const std::lock_guard lock(mutex_);
        std::vector<std::uint8_t> values;
        if (!ReportedValues(state_, request.payload, values)) return;
        reply.insert(reply.end(), values.begin(), values.end());
        seq = replySeq_++;
    }
    if (writeLine(ReplyFrameBytes(seq, reply))) ++repliesSent_;
}

}  // namespace calvetta::fake
