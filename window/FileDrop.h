#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QMimeData;
class QWidget;

// Lets one local file be dropped anywhere on a window, its text fields included, and hands its
// name on. The drag cursor says yes for exactly one local file that is not a folder; several
// files, folders and remote addresses are refused by the cursor. Plain text still goes to the
// field under it, as before. While the window is busy (see the constructor) or a modal dialog
// or box is up, nothing is taken.
class FileDrop : public QObject {
    Q_OBJECT

public:
    using Busy = std::function<bool()>;
    using Open = std::function<void(const QString& name)>;

    // Watches the window and each of its widgets that take drops of their own.
    FileDrop(QWidget& window, Busy busy, Open open);

    // The one local file the data names, if that is all it names.
    static std::optional<QString> DroppedFile(const QMimeData& data);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Busy busy_;
    Open open_;
    std::optional<QString> dragged_;  // what the drag coming in brings
};
