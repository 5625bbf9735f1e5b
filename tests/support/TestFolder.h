#pragma once

// A fresh folder under the system's temporary folder, removed with all it holds.

#include <filesystem>
#include <set>
#include <string>

class TestFolder {
public:
    // The folder's name starts with prefix, so a leftover shows who made it.
    explicit TestFolder(const std::string& prefix = "kelvo-test");
    ~TestFolder();

    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

    // The names in the folder, to show that nothing else was left behind.
    std::set<std::string> entries() const { return EntriesOf(path_.string()); }
    static std::set<std::string> EntriesOf(const std::string& folder);

private:
    std::filesystem::path path_;
};
