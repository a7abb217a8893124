#include "app/FileOps.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "TempFolder.h"

namespace calvetta {
namespace {

namespace fs = std::filesystem;

class FileOps : public TempFolderTest {
  protected:
    std::string source;  // every byte value, and more than one read's worth

    void SetUp() override {
        for (int i = 0; i < 300000; ++i)
            source += static_cast<char>(i * 7 % 256);
        Put(Path("store.ini"), source);
        Put(Path("old.EQ"), "old preset");
        fs::create_directory(dir / "X.EQ");
        Put(Path("X.EQ/inside"), "kept");
        Put(Path("plain"), "a file");
    }
    long Entries() const { return std::distance(fs::recursive_directory_iterator(dir), {}); }
};

TEST_F(FileOps, CopyReplacesTheTargetWholeOrLeavesEverythingAsItWasAndOnlyFilesAreFiles) {
    ASSERT_EQ(::mkfifo(Path("pipe.EQ").c_str(), 0600), 0);
    // No source; a directory or a pipe (which must not wait for a writer) as
    // source; a directory of the target's name; no such folder; a file as folder.
    const std::pair<const char*, const char*> failing[] = {
        {"missing.EQ", "old.EQ"}, {"X.EQ", "old.EQ"},           {"pipe.EQ", "old.EQ"},
        {"store.ini", "X.EQ"},    {"store.ini", "none/EQ1.EQ"}, {"store.ini", "plain/EQ1.EQ"}};
    for (const auto& [from, to] : failing)
        EXPECT_FALSE(CopyFileAtomic(Path(from), Path(to))) << from << " -> " << to;
    EXPECT_EQ(Get(Path("old.EQ")), "old preset");
    EXPECT_EQ(Get(Path("X.EQ/inside")), "kept");
    EXPECT_EQ(Entries(), 6);

    fs::permissions(Path("old.EQ"), fs::perms(0600));
    ASSERT_TRUE(CopyFileAtomic(Path("store.ini"), Path("old.EQ")));
    ASSERT_TRUE(CopyFileAtomic(Path("old.EQ"), Path("old.EQ")));  // onto itself: unchanged
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(Get(Path("old.EQ")), source);
    EXPECT_EQ(fs::status(Path("old.EQ")).permissions(), fs::perms(0666 & ~mask));
    EXPECT_EQ(Entries(), 6);

    // A directory is neither a preset nor ever deleted; of a link, only the link goes.
    fs::create_symlink(Path("old.EQ"), Path("link.EQ"));
    for (const auto& [name, file] :
         {std::pair{"X.EQ", false}, {"missing.EQ", false}, {"link.EQ", true}, {"plain", true}}) {
        EXPECT_EQ(FileExists(Path(name)), file) << name;
        EXPECT_EQ(DeleteFile(Path(name)), file) << name;
        EXPECT_FALSE(FileExists(Path(name))) << name;
    }
    EXPECT_EQ(Get(Path("X.EQ/inside")), "kept");
    EXPECT_EQ(Get(Path("old.EQ")), source);
}

TEST_F(FileOps, CopyThatRunsOutOfSpaceLeavesTheTarget) {
    // A file-size limit makes the writes come up short, as a full disk does.
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 100000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool copied = CopyFileAtomic(Path("store.ini"), Path("old.EQ"));
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(copied);
    EXPECT_EQ(Get(Path("old.EQ")), "old preset");
    EXPECT_EQ(Entries(), 5);
}

TEST_F(FileOps, ReplacementFlushesTheNewFileBeforeItTakesTheOldOnesName) {
    // The steps in order, each with the file it worked on: the flush must come
    // first, so a crash after the rename never leaves a file with holes.
    std::vector<std::string> steps;
    DiskSteps watched;
    watched.flush = [&](int fd) {
        const fs::path open = fs::read_symlink("/proc/self/fd/" + std::to_string(fd));
        steps.push_back("flush " + std::to_string(fs::file_size(open)));
        return ::fsync(fd);
    };
    watched.rename = [&](const char* from, const char* to) {
        steps.push_back("rename to " + fs::path(to).filename().string());
        return std::rename(from, to);
    };
    ASSERT_TRUE(ReplaceFile(Path("plain"), "new bytes", watched));
    ASSERT_TRUE(CopyFileAtomic(Path("store.ini"), Path("old.EQ"), watched));
    EXPECT_EQ(steps, (std::vector<std::string>{"flush 9", "rename to plain", "flush 300000",
                                               "rename to old.EQ"}));
    EXPECT_EQ(Get(Path("plain")), "new bytes");

    // A flush that fails: nothing is renamed, the old file stays, no
    // temporary file is left.
    steps.clear();
    watched.flush = [](int) { return -1; };
    EXPECT_FALSE(ReplaceFile(Path("plain"), "lost", watched));
    EXPECT_FALSE(CopyFileAtomic(Path("old.EQ"), Path("plain"), watched));
    EXPECT_TRUE(steps.empty());
    EXPECT_EQ(Get(Path("plain")), "new bytes");
    EXPECT_EQ(Entries(), 5);
}

}  // namespace
}  // namespace calvetta
