#pragma once

// The window asks for the fonts of the system it was designed on; this maps each to the
// nearest font Debian ships (metric-compatible Liberation first), same pitch.
void InstallFontSubstitutes();
