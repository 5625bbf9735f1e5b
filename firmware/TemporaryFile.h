#pragma once

// The file a save writes before it takes the target's place. Unless it has replaced the
// target, it is removed when it goes out of scope, so a failed save leaves none behind.
//
// Two saves can meet at one temporary name (two instances of the program, or two targets
// whose names differ only in their last three characters). The save that creates the file
// holds an advisory lock on it (flock) from creation until its rename, and a file at the
// name is taken for stale, and removed, only when nobody holds that lock.

#include "FileDescriptor.h"

#include <optional>
#include <string>

#include <sys/types.h>

namespace firmware {

// What the new file takes over from the file it replaces.
struct FileOwnership {
    uid_t owner = 0;
    gid_t group = 0;
    mode_t permissions = 0;
};

class TemporaryFile {
public:
    explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
    ~TemporaryFile();

    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // Removes a file or link left at the name by an attempt that has ended (a link is never
    // followed; a folder is left alone). False, with nothing touched, when a save still in
    // progress owns the file.
    bool removeStale() const;

    // Creates the file exclusively and locks it: anything still at the name, a link planted
    // there included, makes it fail rather than be written through, and so does a remover
    // that took the new file for stale before it was locked. With ownership, the file is
    // its maker's alone until replace() gives it the ownership.
    bool create(const std::optional<FileOwnership>& ownership);

    int fd() const noexcept { return file_.get(); }

    // Gives the written file the group and the owner, each where the system allows it, and
    // exactly the permissions; syncs it to disk and renames it over target in one step,
    // still locked.
    bool replace(const std::string& target);

private:
    std::string path_;
    FileDescriptor file_;
    std::optional<FileOwnership> ownership_;
    bool created_ = false;
};

}  // namespace firmware
