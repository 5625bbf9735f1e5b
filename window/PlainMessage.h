#pragma once

#include <QMessageBox>
#include <QString>

// Shows a modal message box with one OK button and returns when it is closed. The text is
// always plain: file names and the list of allowed characters hold '<', '>' and '&', which
// must never be taken for markup.
void ShowPlainMessage(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text);
