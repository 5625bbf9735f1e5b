#include "PreviewTexts.h"

#include <array>

namespace i18n {

namespace {

constexpr std::array<std::array<std::string_view, kLanguageCount>, static_cast<std::size_t>(PreviewText::Count)>
    kTexts{{
        {"Anteprima", "Preview"},
        {"Forme e tempi sono indicativi; colori e disposizione sono quelli del quadro scelto.",
         "Shapes and timing are indicative; the colours and the layout are those of the chosen frame."},
        {"Anteprima del quadro", "Frame preview"},
        {"Quadro %1", "Frame %1"},
        {"barre", "bars"},
        {"barre doppie a metà larghezza", "doubled half-width bars"},
        {"griglia 8 per 6", "8 by 6 grid"},
        {"griglia fine", "fine grid"},
        {"banda nera", "black band"},
        {"testo scorrevole su %1", "sliding text on %1"},
        {"nominativo %1 su %2", "call sign %1 on %2"},
        {"nominativo %1 su %2 in un riquadro in cima alle barre", "call sign %1 on %2 in a box at the top of the bars"},
        {"(vuoto)", "(empty)"},
        {"in alto", "at the top"},
        {"in basso", "at the bottom"},
    }};

}  // namespace

std::string_view previewText(Language language, PreviewText id)
{
    return kTexts[static_cast<std::size_t>(id)][static_cast<std::size_t>(language)];
}

}  // namespace i18n
