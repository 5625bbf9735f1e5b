#include "TestFiles.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <stdexcept>

#include <sys/wait.h>
#include <unistd.h>

namespace testfiles {

std::string ValidFirmwareText(const firmware::GeneratorSettings& settings, std::string_view lineEnd)
{
    return FirmwareText({std::string(kCodeRecord), std::string(firmware::kSignatureRecord)}, EepromLines(settings),
                        {std::string(kConfigRecord)}, lineEnd);
}

firmware::GeneratorSettings SampleSettings()
{
    return {.slidingText = "VIDEO TEST 73 DE IZ0XYZ", .fixedText = "IZ0XYZ", .frame = 11,
            .slidingHeight = 3, .fixedHeight = 1, .slidingColour = 6, .fixedColour = 2, .speed = 1};
}

firmware::GeneratorSettings OddSettings()
{
    return {.slidingText = std::string(112, '\x7F'), .fixedText = "\xFF\xFE\x80\x01 ~", .frame = 15,
            .slidingHeight = 3, .fixedHeight = 3, .slidingColour = 7, .fixedColour = 7, .speed = 2};
}

int RunCommand(const std::string& command)
{
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string CommandOutput(const std::string& command)
{
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    if (!pipe)
        throw std::runtime_error("cannot run " + command);
    std::string output;
    std::array<char, 4096> chunk{};
    while (const std::size_t count = std::fread(chunk.data(), 1, chunk.size(), pipe.get()))
        output.append(chunk.data(), count);
    return output;
}

namespace {

// Records after the EEPROM records (a configuration word) come back below them in address
// order, which Intel HEX allows and srecord would otherwise warn about.
std::string SrecordInput(const std::string& path)
{
    return " -Disable_Sequence_Warnings '" + path + "' -Intel";
}

}  // namespace

bool SrecordAccepts(const std::string& path)
{
    // Its complaints go to standard error: any of them counts against the file.
    const std::string command = std::string(KELVO_SREC_CAT) + SrecordInput(path) + " -o /dev/null 2>&1";
    const std::string complaints = CommandOutput(command + "; echo status=$?");
    return complaints == "status=0\n";
}

std::string SrecordRanges(const std::string& path)
{
    const std::string output = CommandOutput(std::string(KELVO_SREC_INFO) + SrecordInput(path) + " 2>&1");
    const std::size_t data = output.find("Data:");
    return data == std::string::npos ? output : output.substr(data);
}

bool SrecordSameData(const std::string& first, const std::string& second)
{
    return RunCommand(std::string(KELVO_SREC_CMP) + SrecordInput(first) + SrecordInput(second) + " >/dev/null 2>&1") == 0;
}

int ResultInChild(const std::function<int()>& body)
{
    const pid_t child = ::fork();
    if (child < 0)
        throw std::runtime_error("cannot fork");
    if (child == 0) {
        ::alarm(5);  // a call that blocks is ended by SIGALRM
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace testfiles
