#include "FileDrop.h"

#include <QApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QSysInfo>
#include <QUrl>
#include <QWidget>

FileDrop::FileDrop(QWidget& window, Busy busy, Open open)
    : QObject(&window), busy_(std::move(busy)), open_(std::move(open))
{
    window.setAcceptDrops(true);
    window.installEventFilter(this);
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->acceptDrops())
            widget->installEventFilter(this);
    }
}

std::optional<QString> FileDrop::DroppedFile(const QMimeData& data)
{
    const QList<QUrl> urls = data.urls();
    if (urls.size() != 1 || !urls.constFirst().isLocalFile())
        return std::nullopt;
    // A file address may name this machine; one that names another is no file here.
    QUrl address = urls.constFirst();
    const QString host = address.host();
    if (!host.isEmpty() && host != QLatin1StringView("localhost") &&
        host.compare(QSysInfo::machineHostName(), Qt::CaseInsensitive) != 0)  // a URL's host is in lower case
        return std::nullopt;
    address.setHost({});
    const QString name = address.toLocalFile();
    if (QFileInfo(name).isDir())
        return std::nullopt;
    return name;
}

bool FileDrop::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    if (!drop->mimeData()->hasUrls())
        return false;  // text: the field's own
    // Looked at once as the drag comes in, not at every move of the mouse.
    if (type == QEvent::DragEnter)
        dragged_ = DroppedFile(*drop->mimeData());
    if (!dragged_ || busy_() || QApplication::activeModalWidget() != nullptr) {
        drop->ignore();
        return true;
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop) {
        // Once the drop has ended: the open may bring up a box, which must not keep the program
        // the file came from waiting.
        QMetaObject::invokeMethod(this, [this, name = *dragged_] { open_(name); }, Qt::QueuedConnection);
    }
    return true;
}
