// Starts a fake device on a pseudo-terminal for trying the window by hand:
//   calvetta_fake_device [path of the program]
// prints the command that starts the program against it (CALVETTA_COM1=<path>
// followed by the program), then every request frame it decodes until
// interrupted (Ctrl+C).

#include <signal.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "fake-device/FakeDevice.h"
#include "link/FrameSender.h"
#include "link/Protocol.h"

int main(int argc, char** argv) {
    using namespace calvetta;
    using Clock = std::chrono::steady_clock;

    // Blocked before the device thread starts, so only sigwait sees them.
    sigset_t quit;
    sigemptyset(&quit);
    sigaddset(&quit, SIGINT);
    sigaddset(&quit, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &quit, nullptr);

    const auto start = Clock::now();
    fake::FakeDevice device({}, [start](const fake::DeviceRequest& r) {
        const double ms = std::chrono::duration<double, std::milli>(r.at - start).count();
        std::string what = r.payload[0] == OpQuery ? "query " : r.payload[0] == OpSet ? "set " : "";
        if (r.payload.size() > 1) what += ParamName(r.payload[1]);
        std::printf("%10.1f ms  seq %3u  %s  %s", ms, static_cast<unsigned>(r.seq), what.c_str(),
                    ReceivedFrameLine(r.payload).c_str());
        std::fflush(stdout);
    });
    std::printf("fake device on %s (also reachable as %s)\n", device.slavePath().c_str(),
                device.linkPath().c_str());
    const char* program = argc > 1 ? argv[1] : "calvetta";
    std::printf(
        "start the program in another terminal with\n    CALVETTA_COM1=%s %s\n"
        "then press 连接 (Connect) with the port COM1\n",
        device.linkPath().c_str(), program);
    std::fflush(stdout);

    int sig = 0;
    sigwait(&quit, &sig);
    std::printf("%d requests, %d broken frames, %d replies\n",
                static_cast<int>(device.requests().size()), device.badFrames(),
                device.repliesSent());
    return 0;
}
