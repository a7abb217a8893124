#pragma once
// A pseudo-terminal pair: the program opens the slave path as its serial
// device, the fake device (or a test) reads and writes the master side.

#include <cstdint>
#include <string>
#include <vector>

namespace calvetta::fake {

class Pty {
  public:
    Pty();  // opens a raw pair; throws std::runtime_error on failure
    ~Pty();
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    const std::string& slavePath() const { return slavePath_; }
    int masterFd() const { return master_; }

    // Writes all bytes to the master side.
    void write(const std::vector<std::uint8_t>& bytes);
    // Reads what arrives on the master side within timeoutMs (at least one
    // read attempt; returns what was there, possibly nothing).
    std::vector<std::uint8_t> read(int timeoutMs);
    // Closes the master side: the slave then sees a hang-up.
    void closeMaster();
    // Closes the slave descriptor this object keeps open so the pair survives
    // until the program under test has opened it.
    void closeSlaveKeeper();

  private:
    int master_ = -1;
    int slaveKeeper_ = -1;
    std::string slavePath_;
};

}  // namespace calvetta::fake
