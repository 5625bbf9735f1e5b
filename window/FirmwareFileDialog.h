#pragma once

#include "i18n/Messages.h"

#include <QFileDialog>

#include <functional>
#include <optional>
#include <memory>

class QAbstractFileIconProvider;

// The open and save dialogs for firmware files: Qt's own dialog, so that it looks the same on
// every desktop. It lists a folder by the names alone: reading a file to guess its type could
// block the window for good (a device node that never answers, a hung network mount). When
// saving it refuses, and stays open, for a file nobody may write and for a folder that does
// not exist, saying why in the window's current language.
class FirmwareFileDialog : public QFileDialog {
    Q_OBJECT

public:
    using LanguageSource = std::function<i18n::Language()>;

    FirmwareFileDialog(QWidget* parent, const QString& title, AcceptMode mode, LanguageSource language);
    ~FirmwareFileDialog() override;

protected:
    void accept() override;

private:
    // The reason the chosen file cannot be the save's target, if there is one.
    std::optional<i18n::Message> RefusalOf(const QString& file) const;
    void HideCompletionLists();

    std::unique_ptr<QAbstractFileIconProvider> iconProvider_;
    LanguageSource language_;
};
