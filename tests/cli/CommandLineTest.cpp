// The built program as a script runs it: each row a command line in a folder of its own, with
// its exit status, all it prints, and every byte of the folder afterwards. A written file must
// be gpasm's file for the same settings as a save writes it; every other file stays as it was.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

const fs::path kData = KELVO_TEST_DATA;

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "(unreadable)";
}

// The folder's files by name, a folder in it as "(folder)".
std::map<std::string, std::string> Contents(const fs::path& folder)
{
    std::map<std::string, std::string> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        files[entry.path().filename()] = entry.is_directory() ? "(folder)" : ReadAll(entry.path());
    return files;
}

// gpasm's file as a save writes it: CR LF line ends, none after the end record.
std::string AsSaved(const std::string& variant)
{
    std::string saved;
    for (const char c : ReadAll(kData / (variant + ".hex")))
        saved += c == '\n' ? "\r\n" : std::string(1, c);
    return saved.substr(0, saved.size() - 2);
}

// Runs a bash script in the folder with the program on its PATH and the locale unset, as far
// as the script does not set it, its stdout and stderr into <output>.out and .err; gives its
// exit status.
int RunScript(const fs::path& folder, const std::string& script, const std::string& output)
{
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"})
        ::unsetenv(variable);
    ::setenv("F", folder.c_str(), 1);
    ::setenv("D", kData.c_str(), 1);
    ::setenv("K", fs::path(KELVO_CLI).parent_path().c_str(), 1);
    ::setenv("SCRIPT", script.c_str(), 1);
    ::setenv("O", output.c_str(), 1);
    const int status = std::system(R"(cd "$F" && PATH="$K:$PATH" bash -o pipefail -c "$SCRIPT" >"$O.out" 2>"$O.err")");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Case, arrangement, command line, exit status, stdout, stderr, and the file written with the
// gpasm file it equals ("out.hex=edited"; "": nothing written).
struct Row {
    const char* name;
    const char* arrange;
    const char* command;
    int status;
    std::string out;
    std::string err;
    std::string written;
};

class CommandLines : public ::testing::TestWithParam<Row> {};

TEST_P(CommandLines, PrintAndWriteExactly)
{
    const Row& row = GetParam();
    const fs::path folder = kData.parent_path() / "runs" / row.name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::copy_file(kData / "plain.hex", folder / "src.hex");
    ASSERT_EQ(RunScript(folder, row.arrange, folder.string() + ".arrange"), 0) << row.arrange;
    std::map<std::string, std::string> expected = Contents(folder);
    if (const std::size_t equals = row.written.find('='); equals != std::string::npos)
        expected[row.written.substr(0, equals)] = AsSaved(row.written.substr(equals + 1));

    EXPECT_EQ(RunScript(folder, row.command, folder.string()), row.status);
    EXPECT_EQ(ReadAll(folder.string() + ".out"), row.out);
    EXPECT_EQ(ReadAll(folder.string() + ".err"), row.err);
    EXPECT_EQ(Contents(folder), expected);
}

const std::string kPlainText = "frame:        6\n"
                               "text:         CQ CQ DE N0CALL - ATV TEST PATTERN\n"
                               "call:         N0CALL\n"
                               "text-colour:  red\n"
                               "call-colour:  black\n"
                               "text-height:  medium\n"
                               "call-height:  normal\n"
                               "speed:        normal\n";
// The odd settings: a quote, a backslash, DEL, 108 letters x and a blank.
const std::string kOddJson = "{\n  \"frame\": 16,\n  \"text\": \"\\\"\\\\\\u007f" + std::string(108, 'x') +
                             " \",\n  \"call\": \"\",\n  \"text-colour\": \"white\",\n  \"call-colour\": \"black\",\n"
                             "  \"text-height\": \"big\",\n  \"call-height\": \"small\",\n  \"speed\": \"slow\"\n}\n";
const std::string kSetHelp = "See 'kelvo-barre-cli set --help'.\n";
const std::string kCharacters = " is not allowed.\nThe generator shows only the characters 32 to 127:\n"
                                "letters without accents, digits, space and punctuation.\n";

#define K "kelvo-barre-cli "
#define SET K "set src.hex --output out.hex "
#define OUT_OF_FIRMWARE "echo old > fw.hex"

INSTANTIATE_TEST_SUITE_P(Table, CommandLines, ::testing::ValuesIn(std::vector<Row>{
    {"Show", "", K "show src.hex", 0, kPlainText, "", ""},
    {"SetAsTheWindowSaves", "", SET "--frame 12 --call Q0TEST --call-colour red --text-colour Aqua", 0, "", "", "out.hex=edited"},
    {"SetInPlace", "", K "set src.hex --in-place --frame 12 --call Q0TEST --call-colour red --text-colour aqua", 0, "", "", "src.hex=edited"},
    {"SetOntoItsSource", "", K "set src.hex --output src.hex --frame 12 --call Q0TEST --call-colour red --text-colour aqua", 0, "", "", "src.hex=edited"},
    {"SetNothing", "", SET, 0, "", "", "out.hex=plain"},
    {"SetEverythingThenShow", "", R"(T=$(printf '"\\\177'; printf %108s | tr ' ' x; printf ' ')
        kelvo-barre-cli set src.hex --output out.hex --frame 16 --text "$T" --call '' --text-colour white \
          --call-colour black --text-height big --call-height small --speed slow && kelvo-barre-cli show --json out.hex)",
     0, kOddJson, "", "out.hex=odd"},
    {"CopyIntoAnotherProgram", "cp \"$D\"/edited.hex from.hex; cp \"$D\"/other.hex into.hex", K "copy from.hex into.hex --output out.hex", 0, "", "", "out.hex=other-edited"},
    // File names are bytes: one in Latin-1, one in UTF-8 with a blank.
    {"CopyInPlace", "cp \"$D\"/edited.hex $'vecchio\\xe9.hex'; cp \"$D\"/other.hex 'nuovo è.hex'", K "copy $'vecchio\\xe9.hex' 'nuovo è.hex' --in-place", 0, "", "", "nuovo è.hex=other-edited"},
    // Files the program cannot use: the window's words, in the locale's language.
    {"ShowNotFirmware", OUT_OF_FIRMWARE, K "show fw.hex", 1, "", "kelvo-barre-cli: The FILE fw.hex\ndoes NOT contain VALID Data !!!\n", ""},
    {"ShowNotFirmwareItalian", OUT_OF_FIRMWARE, "LC_ALL=it_IT.UTF-8 " K "show fw.hex", 1, "", "kelvo-barre-cli: Il FILE fw.hex\nNON contiene dati VALIDI !!!\n", ""},
    {"MissingFileItalianByLang", "", "LANG=it_IT.UTF-8 " K "show none.hex", 1, "", "kelvo-barre-cli: none.hex: NESSUN File e` stato APERTO\n", ""},
    {"MessagesLanguageBeforeLang", "", "LANG=C LC_MESSAGES=it " K "show none.hex", 1, "", "kelvo-barre-cli: none.hex: NESSUN File e` stato APERTO\n", ""},
    {"LcAllBeforeAll", "", "LANG=it_IT.UTF-8 LC_MESSAGES=it_IT LC_ALL=C " K "show none.hex", 1, "", "kelvo-barre-cli: none.hex: NO File has been OPENED\n", ""},
    {"SetFromNotFirmware", OUT_OF_FIRMWARE, K "set fw.hex --in-place --frame 2", 1, "", "kelvo-barre-cli: The FILE fw.hex\ndoes NOT contain VALID Data !!!\n", ""},
    {"CopyFromNotFirmware", OUT_OF_FIRMWARE, K "copy fw.hex src.hex --in-place", 1, "", "kelvo-barre-cli: The FILE fw.hex\ndoes NOT contain VALID Data !!!\n", ""},
    {"CopyIntoNotFirmware", OUT_OF_FIRMWARE, K "copy src.hex fw.hex --output out.hex", 1, "", "kelvo-barre-cli: The FILE fw.hex\ndoes NOT contain VALID Data !!!\n", ""},
    {"OutputInMissingFolder", "", K "set src.hex --output no/out.hex", 1, "", "kelvo-barre-cli: no/out.hex: NO File has been OPENED\n", ""},
    {"OutputIsAFolder", "mkdir out.hex", SET "--frame 3", 1, "", "kelvo-barre-cli: out.hex: NO File has been OPENED\n", ""},
    {"OutputUnwritable", "", K "show src.hex >/dev/full", 1, "", "kelvo-barre-cli: stdout: No space left on device\n", ""},
    // Values refused whole, before any file is read.
    {"FrameAbove16", "", K "set none.hex --in-place --frame 17", 2, "", "kelvo-barre-cli: --frame: '17' is not a test picture; it accepts a number from 1 to 16.\n", ""},
    {"FrameBelow1", "", SET "--frame 0", 2, "", "kelvo-barre-cli: --frame: '0' is not a test picture; it accepts a number from 1 to 16.\n", ""},
    {"FrameNotANumber", "", SET "--frame $'3\\e'", 2, "", "kelvo-barre-cli: --frame: '3\\x1B' is not a test picture; it accepts a number from 1 to 16.\n", ""},
    {"UnknownColour", "", SET "--call-colour purple", 2, "", "kelvo-barre-cli: --call-colour: 'purple' is not accepted; it accepts one of: black, navy, red, fuchsia, lime, aqua, yellow, white.\n", ""},
    {"UnknownSpeedItalian", "", "LC_ALL=it_IT.UTF-8 " SET "--speed veloce", 2, "", "kelvo-barre-cli: --speed: 'veloce' non è accettato; accetta uno tra: slow, normal, high.\n", ""},
    {"UnknownHeight", "", SET "--text-height huge", 2, "", "kelvo-barre-cli: --text-height: 'huge' is not accepted; it accepts one of: small, medium, normal, big.\n", ""},
    {"TextTooLong", "", SET "--text \"$(printf %113s)\"", 2, "", "kelvo-barre-cli: --text: 113 characters are too many; it accepts at most 112.\n", ""},
    {"CallTooLong", "", SET "--call Q0TESTS", 2, "", "kelvo-barre-cli: --call: 7 characters are too many; it accepts at most 6.\n", ""},
    {"AccentedLetter", "", SET "--text 'CQ Città'", 2, "", "kelvo-barre-cli: --text: the character 'à' (U+00E0)" + kCharacters, ""},
    {"SignItalian", "", "LC_ALL=it_IT.UTF-8 " SET "--call 'Q0€'", 2, "", "kelvo-barre-cli: --call: il carattere '€' (U+20AC) non è consentito.\nIl generatore mostra solo i caratteri da 32 a 127:\nlettere senza accenti, cifre, spazio e punteggiatura.\n", ""},
    {"ControlCharacter", "", SET "--call $'Q0\\tX'", 2, "", "kelvo-barre-cli: --call: the character U+0009" + kCharacters, ""},
    {"ByteOutsideUtf8", "", SET "--text $'CQ \\xe0'", 2, "", "kelvo-barre-cli: --text: the character \\xE0" + kCharacters, ""},
    // Usage errors.
    {"NoOutput", "", K "set src.hex --frame 3", 2, "", "kelvo-barre-cli: the command set writes a file: give --output OUT or --in-place.\n" + kSetHelp, ""},
    {"BothOutputs", "", SET "--in-place", 2, "", "kelvo-barre-cli: --output and --in-place exclude each other.\n" + kSetHelp, ""},
    {"RepeatedOption", "", SET "--frame 2 --frame 3", 2, "", "kelvo-barre-cli: --frame is given more than once.\n" + kSetHelp, ""},
    {"OptionOfAnotherCommand", "", K "show src.hex --frame 3", 2, "", "kelvo-barre-cli: Unknown option 'frame'.\nSee 'kelvo-barre-cli show --help'.\n", ""},
    {"UnknownOptionItalian", "", "LC_ALL=it_IT.UTF-8 " SET "--frob", 2, "", "kelvo-barre-cli: Opzione sconosciuta 'frob'.\nVedere 'kelvo-barre-cli set --help'.\n", ""},
    {"CopyOfOneFile", "", K "copy src.hex --in-place", 2, "", "kelvo-barre-cli: the command copy takes FROM INTO.\nSee 'kelvo-barre-cli copy --help'.\n", ""},
    {"UnknownCommand", "", K "get src.hex", 2, "", "kelvo-barre-cli: 'get' is not a command: show, set or copy.\nSee 'kelvo-barre-cli --help'.\n", ""},
    {"NoCommand", "", K, 2, "", "kelvo-barre-cli: a command is missing: show, set or copy.\nSee 'kelvo-barre-cli --help'.\n", ""},
    {"Help", "", K "--frame 3 set --help | sed -n '1p;/--in-place/p;$p'", 0, "Usage: kelvo-barre-cli [options] set FILE\n  --in-place              Rewrites the firmware file itself.\n  FILE                    The firmware file (.hex).\n", "", ""},
    {"ProgramHelp", "", K "-h | sed -n '/^Options:/,/^$/p'", 0, "Options:\n  -h, --help     Shows this help.\n  -v, --version  Shows the version.\n\n", "", ""},
    {"Version", "", K "--version", 0, "kelvo-barre-cli " KELVO_VERSION "\n", "", ""},
}), [](const ::testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

}  // namespace
