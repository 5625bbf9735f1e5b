#include "FixedLook.h"

#include "FontSubstitutes.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <QToolTip>

namespace {

// The system colours of the desktop the window was designed on (Windows XP).
QPalette FixedPalette()
{
    const QColor buttonFace(0xEC, 0xE9, 0xD8);
    const QColor grayText(0xAC, 0xA8, 0x99);
    QPalette palette(Qt::black, buttonFace, Qt::white, grayText, grayText, Qt::black, Qt::white,
                     Qt::white, buttonFace);
    palette.setColor(QPalette::Midlight, QColor(0xF1, 0xEF, 0xE2));
    palette.setColor(QPalette::Shadow, QColor(0x71, 0x6F, 0x64));
    palette.setColor(QPalette::Highlight, QColor(0x31, 0x6A, 0xC5));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE1));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    palette.setColor(QPalette::PlaceholderText, grayText);
    palette.setColor(QPalette::Link, Qt::blue);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, grayText);
    palette.setColor(QPalette::Disabled, QPalette::Base, buttonFace);
    return palette;
}

}  // namespace

void UseFixedLook(QApplication& application)
{
    // Draws a group's title on its frame line and a pressed tool button sunken, which is what
    // the window's bounds were drawn for.
    application.setStyle(QStyleFactory::create(QStringLiteral("Windows")));
    const QPalette palette = FixedPalette();
    application.setPalette(palette);
    QToolTip::setPalette(palette);
    InstallFontSubstitutes();
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(12);
    application.setFont(font);
}
