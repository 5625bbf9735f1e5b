#include "PictureDescription.h"

#include "FrameBands.h"
#include "i18n/PreviewTexts.h"

#include <QStringList>

namespace preview {

namespace {

using i18n::PreviewText;

QString Text(i18n::Language language, PreviewText id)
{
    const std::string_view text = i18n::previewText(language, id);
    return QString::fromUtf8(text);
}

QString ColourWord(i18n::Language language, int code)
{
    const std::string_view name = i18n::colourName(language, code & 7);
    return QString::fromUtf8(name).toLower();
}

QString PatternName(i18n::Language language, Pattern pattern)
{
    switch (pattern) {
    case Pattern::Bars:
        return Text(language, PreviewText::Bars);
    case Pattern::DoubledBars:
        return Text(language, PreviewText::DoubledBars);
    case Pattern::Grid:
        return Text(language, PreviewText::Grid);
    case Pattern::FineGrid:
        return Text(language, PreviewText::FineGrid);
    }
    return {};
}

}  // namespace

QString describePicture(const firmware::GeneratorSettings& settings, i18n::Language language)
{
    const QString callSign = settings.fixedText.empty()
                                 ? Text(language, PreviewText::EmptyCallSign)
                                 : QString::fromLatin1(settings.fixedText);
    const QString callSignColour = ColourWord(language, settings.fixedColour);
    const std::span<const Band> bands = frameBands(settings.frame);
    QStringList parts;
    for (std::size_t index = 0; index < bands.size(); ++index) {
        const Band& band = bands[index];
        QString part;
        switch (band.kind) {
        case BandKind::Pattern:
            part = PatternName(language, band.pattern);
            break;
        case BandKind::Black:
            part = Text(language, PreviewText::BlackBand);
            break;
        case BandKind::SlidingText:
            part = Text(language, PreviewText::SlidingText).arg(ColourWord(language, settings.slidingColour));
            break;
        case BandKind::CallSign:
            part = Text(language, PreviewText::CallSign).arg(callSign, callSignColour);
            break;
        }
        // The strips at the edges say where they are; the pattern between them fills the rest.
        if (band.kind != BandKind::Pattern && index == 0)
            part += ' ' + Text(language, PreviewText::AtTop);
        else if (band.kind != BandKind::Pattern && index + 1 == bands.size())
            part += ' ' + Text(language, PreviewText::AtBottom);
        parts << part;
        if (band.callSignBox)
            parts << Text(language, PreviewText::CallSignBox).arg(callSign, callSignColour);
    }
    return Text(language, PreviewText::FrameNumber).arg((settings.frame & 0x0F) + 1) + QStringLiteral(": ") +
           parts.join(QStringLiteral(", "));
}

}  // namespace preview
