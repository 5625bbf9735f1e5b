#include "CommandLineTexts.h"

#include <array>

namespace i18n {

namespace {

using Column = std::array<std::string_view, kLanguageCount>;

constexpr std::array<Column, static_cast<std::size_t>(CommandLineText::Count)> kTexts{{
    // ProgramDescription
    {"Mostra e modifica le impostazioni nel file firmware (Intel HEX) di un generatore di\n"
     "barre video a PIC, senza finestra:\n%1",
     "Shows and changes the settings in the firmware file (Intel HEX) of a PIC video\n"
     "test-pattern generator, without a window:\n%1"},
    // CommandName
    {"COMANDO", "COMMAND"},
    // CommandArgument
    {"show, set o copy; COMANDO --help ne descrive le opzioni.",
     "show, set or copy; COMMAND --help describes its options."},
    // HelpOption
    {"Mostra questo aiuto.", "Shows this help."},
    // VersionOption
    {"Mostra la versione.", "Shows the version."},
    // ShowCommand
    {"Mostra le impostazioni del file firmware.", "Shows the settings of the firmware file."},
    // SetCommand
    {"Cambia le impostazioni indicate, le altre restano come sono.",
     "Changes the settings given, the others stay as they are."},
    // CopyCommand
    {"Scrive tutte le impostazioni di FROM nel firmware di INTO.",
     "Writes all settings of FROM into the firmware of INTO."},
    // FileArgument
    {"Il file firmware (.hex).", "The firmware file (.hex)."},
    // FromArgument
    {"Il file firmware da cui prendere le impostazioni.", "The firmware file whose settings are taken."},
    // IntoArgument
    {"Il file firmware che le riceve.", "The firmware file that receives them."},
    // JsonOption
    {"Un oggetto JSON per gli script.", "A JSON object for scripts."},
    // OutputOption
    {"Scrive il risultato in OUT.", "Writes the result to OUT."},
    // InPlaceOption
    {"Riscrive il file firmware stesso.", "Rewrites the firmware file itself."},
    // FrameOption
    {"Il quadro, da 1 a 16.", "The test picture, 1 to 16."},
    // TextOption
    {"Il testo scorrevole: fino a 112 caratteri di codice da 32 a 127.",
     "The sliding text: up to 112 characters of codes 32 to 127."},
    // CallOption
    {"Il nominativo: fino a 6 caratteri di codice da 32 a 127.",
     "The call sign: up to 6 characters of codes 32 to 127."},
    // TextColourOption
    {"Lo sfondo del testo scorrevole: %1.", "The sliding text's background: %1."},
    // CallColourOption
    {"Lo sfondo del nominativo: %1.", "The call sign's background: %1."},
    // TextHeightOption
    {"L'altezza del testo scorrevole: %1.", "The sliding text's character height: %1."},
    // CallHeightOption
    {"L'altezza del nominativo: %1.", "The call sign's character height: %1."},
    // SpeedOption
    {"La velocità del testo scorrevole: %1.", "The sliding text's speed: %1."},
    // MissingCommand
    {"manca il comando: show, set o copy.", "a command is missing: show, set or copy."},
    // UnknownCommand
    {"'%1' non è un comando: show, set o copy.", "'%1' is not a command: show, set or copy."},
    // WrongArguments
    {"il comando %1 vuole %2.", "the command %1 takes %2."},
    // MissingTarget
    {"il comando %1 scrive un file: indicare --output OUT oppure --in-place.",
     "the command %1 writes a file: give --output OUT or --in-place."},
    // BothTargets
    {"--output e --in-place si escludono a vicenda.", "--output and --in-place exclude each other."},
    // RepeatedOption
    {"--%1 è indicata più volte.", "--%1 is given more than once."},
    // SeeHelp
    {"Vedere '%1 --help'.", "See '%1 --help'."},
    // NotAFrame
    {"--%1: '%2' non è un quadro; accetta un numero da 1 a 16.",
     "--%1: '%2' is not a test picture; it accepts a number from 1 to 16."},
    // NotAName
    {"--%1: '%2' non è accettato; accetta uno tra: %3.", "--%1: '%2' is not accepted; it accepts one of: %3."},
    // RefusedCharacter
    {"--%1: il carattere %2 non è consentito.\n"
     "Il generatore mostra solo i caratteri da 32 a 127:\n"
     "lettere senza accenti, cifre, spazio e punteggiatura.",
     "--%1: the character %2 is not allowed.\n"
     "The generator shows only the characters 32 to 127:\n"
     "letters without accents, digits, space and punctuation."},
    // TooLong
    {"--%1: %2 caratteri sono troppi; ne accetta al massimo %3.",
     "--%1: %2 characters are too many; it accepts at most %3."},
    // WindowDescription
    {"Mostra in una finestra le impostazioni nel file firmware (Intel HEX) di un generatore\n"
     "di barre video a PIC, per modificarle. Dagli script: %1.",
     "Shows the settings in the firmware file (Intel HEX) of a PIC video test-pattern\n"
     "generator in a window, to edit them. From scripts: %1."},
    // WindowFileArgument
    {"Il file firmware (.hex) da aprire all'avvio.", "The firmware file (.hex) to open at start."},
    // OneFileOnly
    {"un file alla volta: '%1' è di troppo.", "one file at a time: '%1' is one too many."},
    // NoDisplay
    {"serve un display grafico, e nessuno è raggiungibile (DISPLAY, WAYLAND_DISPLAY); %1 funziona anche senza.",
     "a graphical display is needed, and none could be reached (DISPLAY, WAYLAND_DISPLAY); %1 works without one."},
}};

}  // namespace

std::string_view commandLineText(Language language, CommandLineText id)
{
    return kTexts[static_cast<std::size_t>(id)][static_cast<std::size_t>(language)];
}

}  // namespace i18n
