#pragma once

// Names the save works with: where a symbolic link leads, and the folder of a file.

#include <optional>
#include <string>

namespace firmware {

// Follows symbolic links from path to the name of the file they finally lead to, which
// need not exist yet (a dangling link leads to the file it would create). Empty when the
// chain is too long or a link cannot be read.
std::optional<std::string> FollowSymlinks(const std::string& path);

// The folder holding path, "." for a bare name.
std::string FolderOf(const std::string& path);

}  // namespace firmware
