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

// Well-formed UTF-8: no stray or missing continuation bytes, no overlong forms, no
// surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text)
{
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length =
            lead < 0x80 ? 1 : lead < 0xC0 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF8 ? 4 : 0;
        if (length == 0 || text.size() - i < length)
            return false;
        char32_t code = length == 1 ? lead : lead & (0xFFu >> (length + 1));
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3Fu);
        }
        if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

// Where the name's last `count` characters start: whole characters when the name is valid
// UTF-8, so that none is cut in the middle, single bytes otherwise. npos when it has fewer.
std::size_t StartOfLastCharacters(std::string_view name, std::size_t count)
{
    if (!IsValidUtf8(name))
        return name.size() >= count ? name.size() - count : std::string_view::npos;
    std::size_t start = name.size();
    for (std::size_t found = 0; found < count; ++found) {
        if (start == 0)
            return std::string_view::npos;
        do
            --start;
        while ((static_cast<unsigned char>(name[start]) & 0xC0) == 0x80);
    }
    return start;
}

}  // namespace

std::string TemporaryNameFor(const std::string& targetPath)
{
    const std::size_t nameStart = targetPath.rfind('/') + 1;  // 0 when there is no folder
    const std::string_view name = std::string_view(targetPath).substr(nameStart);
    const std::size_t cut = StartOfLastCharacters(name, kTemporaryMark.size());

    // A name too short to give up three characters, or one that already ends in "Tmp"
    // and so would name the target itself, gets the mark appended instead.
    std::string temporary = targetPath.substr(0, nameStart + (cut == std::string_view::npos ? name.size() : cut));
    temporary += kTemporaryMark;
    if (temporary == targetPath)
        temporary += kTemporaryMark;
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
