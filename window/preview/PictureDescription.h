#pragma once

#include "firmware/FirmwareFormat.h"
#include "i18n/Messages.h"

#include <QString>

namespace preview {

// What the picture of these settings shows, in words for a screen reader, band by band
// from the top: "Quadro 6: nominativo IW2ABC su nero in alto, barre, testo scorrevole su
// rosso in basso".
QString describePicture(const firmware::GeneratorSettings& settings, i18n::Language language);

}  // namespace preview
