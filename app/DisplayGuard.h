#pragma once

// Qt ends a program that cannot reach a display with an abort and a hint to reinstall it. While
// a guard is armed, around the making of the application object, that end is one line in the
// locale's language instead, with the exit status kNoDisplay; the messages Qt gives on the way
// are held back, and passed on as usual once the guard is released.

#include "Messages.h"

class DisplayGuard {
public:
    explicit DisplayGuard(i18n::Language language);
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard&) = delete;
    DisplayGuard& operator=(const DisplayGuard&) = delete;

    // The display is there: Qt's messages go their usual way again.
    void release();
};
