#pragma once
// Small services of the host system: the single-instance guard, the program
// folder and the blocking pause.

#include <QString>
#include <memory>

class QLockFile;

namespace calvetta {

// Held for the life of the first instance; a second start finds it taken.
class SingleInstance {
  public:
    // lockDir: where the lock lives; empty = the user's runtime folder.
    explicit SingleInstance(const QString& lockDir = {});
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;
    // True when no other instance holds the lock (and this one now does).
    bool tryAcquire();

  private:
    std::unique_ptr<QLockFile> lock_;
};

// The directory of the executable, without a trailing separator.
QString ProgramFolder();

// Blocks the calling thread for ms milliseconds.
void BlockingPause(int ms);

}  // namespace calvetta
