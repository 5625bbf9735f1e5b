#pragma once

// Where the program's pictures live in the Qt resource system. They link in with
// kelvo_resources; no initialisation call is needed.

#include <QString>

namespace kelvo::resources {

inline constexpr int kFrameCount = 16;
inline constexpr int kFrameWidth = 66;
inline constexpr int kFrameHeight = 50;
inline constexpr int kToolImageSize = 24;

// ":/frames/frameNN.svg" for frames 0..15, an empty string otherwise.
QString frameThumbnailPath(int frame);

// The file tool bar's image list by index: 1 open folder, 2 floppy disk,
// 16 flag of Italy, 17 flag of the United Kingdom. The list's other images are
// never shown and have no picture: an empty string.
QString toolImagePath(int imageIndex);

// The window and application icon.
QString applicationIconPath();

}  // namespace kelvo::resources
