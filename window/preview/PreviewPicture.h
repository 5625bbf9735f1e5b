#pragma once

#include "firmware/FirmwareFormat.h"

#include <QRect>

class QPainter;

namespace preview {

// The picture the generator puts on the screen for a set of settings, at any step of the
// sliding text's animation: the chosen frame's bands, the texts in dot-matrix characters on
// their background colours. Drawn straight in device pixels, so that every edge is sharp.
class PreviewPicture {
public:
    void SetSettings(const firmware::GeneratorSettings& settings);
    const firmware::GeneratorSettings& Settings() const { return settings_; }

    // Draws into the largest 4:3 rectangle centred in `area`, given in the painter's device
    // pixels; nothing outside that rectangle.
    void Draw(QPainter& painter, const QRect& area, int step) const;

    // Where the sliding text's first character begins at `step`, in picture units: the text
    // comes in at the right edge, moves left at its speed and, once it has passed the left
    // edge, comes in again.
    int SlidingTextLeft(int step) const;

    // Whether the picture changes from step to step: a sliding text in a frame that shows it.
    bool Moves() const;

    static QRect FourByThree(const QRect& area);

private:
    firmware::GeneratorSettings settings_;
};

}  // namespace preview
