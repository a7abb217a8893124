#pragma once
// Whole-file reading and replacing for the settings files and the EQ presets.
// A file is never rewritten where it stands: its new bytes go to a temporary
// file in the same folder, are flushed to disk and renamed over the old file,
// so a crash, a full disk or a failed write leaves either the old or the new
// file whole, and no temporary file outlives a failure.

#include <functional>
#include <string>
#include <string_view>

namespace calvetta {

enum class ReadResult { Ok, Missing, Failed };

// The two steps that make a replacement last: flushing the new file to disk,
// then renaming it over the old one. Left empty they are the system's own
// (fsync, rename); a test hands in its own to watch their order or to make
// one fail.
struct DiskSteps {
    std::function<int(int fd)> flush;
    std::function<int(const char* from, const char* to)> rename;
};

// The whole content of the regular file at path (following links).  Missing
// when nothing is there; Failed for anything that cannot be read as a regular
// file (a directory, a pipe or device, a path through a regular file, a read
// error, a file too large for memory), so a special file never blocks or
// floods the caller.
ReadResult ReadWholeFile(const std::string& path, std::string& out);

// Replaces the file at target with content (see above).  A file that exists
// keeps its permissions; a new one gets those of any new file.  False, with
// target unchanged, when the folder is missing or not writable, target is a
// directory, or a write or flush fails.
bool ReplaceFile(const std::string& target, std::string_view content, const DiskSteps& steps = {});

// The file a link points to, or path itself when it is no link or the link
// leads nowhere: a settings file reached through a link is replaced where it
// lives and the link stays.
std::string ResolveLink(const std::string& path);

// Copies the regular file source over target, byte for byte, through the
// replacement above; target gets the permissions of a new file.  False, with
// target exactly as it was and nothing left behind, when source is missing or
// not a regular file, target's folder is missing or not writable, target is a
// directory, or the disk is full.  Since target is replaced whole, a caller
// that means to overwrite a preset need not delete it first; deleting it first
// loses the old preset when the copy then fails.
bool CopyFileAtomic(const std::string& source, const std::string& target,
                    const DiskSteps& steps = {});

// Whether a regular file (or a link to one) is at path.  False for a
// directory: the preset dialogs ask before replacing a file, and a directory
// of that name is never replaced (the copy onto it fails instead).
bool FileExists(const std::string& path);

// Deletes the file or link at path; never a directory.  False when nothing
// was deleted.
bool DeleteFile(const std::string& path);

}  // namespace calvetta
