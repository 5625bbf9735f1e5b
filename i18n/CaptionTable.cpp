#include "CaptionTable.h"

namespace i18n {

namespace {

// The same filter serves both file dialogs.
constexpr std::string_view kItalianFilter = "File Caricabile (*.HEX)|*.hex";
constexpr std::string_view kEnglishFilter = "Downloadable File (*.HEX)|*.hex";

// The lists are read and written by position only, so both languages keep the
// same order: small, medium, normal, big; slow, normal, high.
constexpr std::array<std::string_view, 4> kHeightsItalian{
    "Altezza Piccola", "Altezza Media", "Altezza Normale", "Altezza Grande"};
constexpr std::array<std::string_view, 4> kHeightsEnglish{
    "Small Height", "Medium Height", "Normal Height", "Big Heigth"};
constexpr std::array<std::string_view, 3> kSpeedsItalian{
    "Velocita' Lenta", "Velocita' Normale", "Velocita' Alta"};
constexpr std::array<std::string_view, 3> kSpeedsEnglish{
    "Slow Speed", "Normal Speed", "High Speed"};

// Columns: Italian, English. Row 1 and the language button's hint describe the
// language the button switches to, not the current one. The speed list takes the
// height lists' placeholder here; only the form itself says "Velocita'".
constexpr std::array<CaptionRow, 57> kRows{{
    {"ButtonLingua", Property::ImageIndex, {"17", "16"}},
    {"Italiano", Property::Checked, {"true", "false"}},
    {"Inglese", Property::Checked, {"false", "true"}},
    {"ButtonLingua", Property::Hint,
     {"Click select English", "Click per selezionare la lingua Italiana"}},
    {"Form1", Property::Caption,
     {"                                           "  // 43 blanks
      "---- Personalizzazione Barre  Kelvo ----",
      "                                           "  // 43 blanks
      "---- Customize Bar Kelvo ----"}},
    {"Open1", Property::Caption, {"Apri", "Open"}},
    {"Save1", Property::Caption, {"Salva", "Save"}},
    {"Preview1", Property::Caption, {"Anteprima", "Preview"}},
    {"Lingua", Property::Caption, {"Lingua", "Language"}},
    {"Exit1", Property::Caption, {"Esci", "Exit"}},
    {"ButtonOpenFile", Property::Hint, {"Apri File", "Open File"}},
    {"ButtonSaveFile", Property::Hint,
     {"Salva i valori selezionati nel File", "Save the new values on File"}},
    {"OpenDialog1", Property::Filter, {kItalianFilter, kEnglishFilter}},
    {"OpenDialog1", Property::Title, {"Apertura File...", "Open File..."}},
    {"SaveDialog1", Property::Filter, {kItalianFilter, kEnglishFilter}},
    {"SaveDialog1", Property::Title, {"Scrittura File...", "Save File..."}},
    {"Panel4", Property::StatusPrompt,
     {"Cliccare sull' icona di sinistra per aprire il file",
      "Click on left icon to open the file"}},
    {"GroupQuadri", Property::Caption, {"Quadri", "Frame"}},
    {"Quadro0", Property::Hint, {"Quadro 1", "Frame 1"}},
    {"Quadro1", Property::Hint, {"Quadro 2", "Frame 2"}},
    {"Quadro2", Property::Hint, {"Quadro 3", "Frame 3"}},
    {"Quadro3", Property::Hint, {"Quadro 4", "Frame 4"}},
    {"Quadro4", Property::Hint, {"Quadro 5", "Frame 5"}},
    {"Quadro5", Property::Hint, {"Quadro 6", "Frame 6"}},
    {"Quadro6", Property::Hint, {"Quadro 7", "Frame 7"}},
    {"Quadro7", Property::Hint, {"Quadro 8", "Frame 8"}},
    {"Quadro8", Property::Hint, {"Quadro 9", "Frame 9"}},
    {"Quadro9", Property::Hint, {"Quadro 10", "Frame 10"}},
    {"Quadro10", Property::Hint, {"Quadro 11", "Frame 11"}},
    {"Quadro11", Property::Hint, {"Quadro 12", "Frame 12"}},
    {"Quadro12", Property::Hint, {"Quadro 13", "Frame 13"}},
    {"Quadro13", Property::Hint, {"Quadro 14", "Frame 14"}},
    {"Quadro14", Property::Hint, {"Quadro 15", "Frame 15"}},
    {"Quadro15", Property::Hint, {"Quadro 16", "Frame 16"}},
    {"GroupTestoScorrevole", Property::Caption, {"Testo Scorrevole", "Sliding Text"}},
    {"GroupTesto", Property::Caption, {"Testo :", "Text :"}},
    {"EditTesto", Property::Hint,
     {"Cliccare e digitare il testo Scorrevole", "Click and digit the Sliding Text"}},
    {"GroupOpzioniScorrevole", Property::Caption, {"Opzioni :", "Options :"}},
    {"PulsScorrColSfo", Property::Caption, {"Colore Sfondo", "Backgr. Color"}},
    {"ComboDimScorr", Property::TextAndItems,
     {"Dimensione", "Dimension"}, {kHeightsItalian, kHeightsEnglish}},
    {"ComboVelocita", Property::TextAndItems,
     {"Dimensione", "Dimension"}, {kSpeedsItalian, kSpeedsEnglish}},
    {"GroupDi", Property::Caption, {"Di", "By"}},
    {"StaticText2", Property::Hint, {"Progettista SoftWare", "SoftWare Designer"}},
    {"StaticText1", Property::Hint, {"Progettista FirmWare", "FirmWare Designer"}},
    {"GroupTestoFisso", Property::Caption, {"Testo Fisso", "Fixed Text"}},
    {"GroupNominativo", Property::Caption, {"Nominativo :", "CALL :"}},
    {"EditNominativo", Property::Hint,
     {"Cliccare e digitare il Nominativo", "Click and digit CALL"}},
    {"GroupOpzioniFisso", Property::Caption, {"Opzioni :", "Options :"}},
    {"PulsFissoColSfo", Property::Caption, {"Colore Sfondo", "Backgr. Color"}},
    {"ComboDimFisso", Property::TextAndItems,
     {"Dimensione", "Dimension"}, {kHeightsItalian, kHeightsEnglish}},
    {"GroupVersione", Property::Caption, {"Versione", "Release"}},
    // Heard only through a screen reader: the two colour buttons and the lists say which
    // text they set, the empty menu entry that it is empty.
    {"PulsScorrColSfo", Property::ReaderName,
     {"Colore Sfondo del Testo Scorrevole", "Background Color of the Sliding Text"}},
    {"ComboDimScorr", Property::ReaderName, {"Altezza del Testo Scorrevole", "Height of the Sliding Text"}},
    {"ComboVelocita", Property::ReaderName, {"Velocità del Testo Scorrevole", "Speed of the Sliding Text"}},
    {"PulsFissoColSfo", Property::ReaderName,
     {"Colore Sfondo del Nominativo", "Background Color of the Call Sign"}},
    {"ComboDimFisso", Property::ReaderName, {"Altezza del Nominativo", "Height of the Call Sign"}},
    {"VoceVuota", Property::ReaderName, {"Voce vuota", "Empty entry"}},
}};

}  // namespace

std::span<const CaptionRow> captionRows()
{
    return kRows;
}

}  // namespace i18n
