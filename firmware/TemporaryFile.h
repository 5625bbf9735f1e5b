#pragma once

// The file a save writes before it takes the target's place. Unless it has replaced the
// target, it is removed when it goes out of scope, so a failed save leaves none behind.

#include "FileDescriptor.h"

#include <optional>
#include <string>

#include <sys/types.h>

namespace firmware {

class TemporaryFile {
public:
    explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
    ~TemporaryFile();

    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // Removes a file or link left at the name by an earlier attempt (a link is never
    // followed; a folder is left alone).
    void removeStale() const;

    // Creates the file exclusively: anything still at the name, a link planted there
    // included, makes it fail rather than be written through. With permissions, the new
    // file gets exactly those bits.
    bool create(std::optional<mode_t> permissions);

    int fd() const noexcept { return file_.get(); }

    // Syncs the data to disk, closes the file and renames it over target in one step.
    bool replace(const std::string& target);

private:
    std::string path_;
    FileDescriptor file_;
    bool created_ = false;
};

}  // namespace firmware
