#include "FileNames.h"

#include "FirmwareFile.h"

#include <filesystem>
#include <string_view>
#include <system_error>

namespace firmware {

namespace {

// As the kernel's own limit on links followed in one lookup.
constexpr int kMaxLinksFollowed = 40;

constexpr std::string_view kTemporaryMark = "Tmp";

}  // namespace

std::string TemporaryNameFor(const std::string& targetPath)
{
    const std::size_t nameStart = targetPath.rfind('/') + 1;  // 0 when there is no folder
    const std::string_view name = std::string_view(targetPath).substr(nameStart);

    std::string temporary = targetPath;
    if (name.size() >= kTemporaryMark.size())
        temporary.replace(temporary.size() - kTemporaryMark.size(), kTemporaryMark.size(), kTemporaryMark);
    // A name too short to give up three characters, or one that already ends in "Tmp"
    // and so would name the target itself, gets the mark appended instead.
    if (name.size() < kTemporaryMark.size() || temporary == targetPath)
        temporary = targetPath + std::string(kTemporaryMark);
    return temporary;
}

std::optional<std::string> FollowSymlinks(const std::string& path)
{
    namespace fs = std::filesystem;
    fs::path current = path;
    for (int followed = 0; followed <= kMaxLinksFollowed; ++followed) {
        std::error_code error;
        const fs::file_status status = fs::symlink_status(current, error);
        if (status.type() != fs::file_type::symlink)
            return current.string();  // a file of another kind, or none yet
        const fs::path link = fs::read_symlink(current, error);
        if (error)
            return std::nullopt;
        current = link.is_absolute() ? link : current.parent_path() / link;
    }
    return std::nullopt;
}

std::string FolderOf(const std::string& path)
{
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? std::string(".") : folder;
}

}  // namespace firmware
