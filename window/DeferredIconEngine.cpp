#include "DeferredIconEngine.h"

#include <QPainter>

DeferredIconEngine::DeferredIconEngine(QString path) : path_(std::move(path)) {}

DeferredIconEngine::~DeferredIconEngine() = default;

QIcon DeferredIconEngine::Icon(const QString& path)
{
    return path.isEmpty() ? QIcon() : QIcon(new DeferredIconEngine(path));
}

QIcon& DeferredIconEngine::Loaded()
{
    if (loaded_ == nullptr)
        loaded_ = std::make_unique<QIcon>(path_);
    return *loaded_;
}

void DeferredIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state)
{
    Loaded().paint(painter, rect, Qt::AlignCenter, mode, state);
}

QPixmap DeferredIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state)
{
    return Loaded().pixmap(size, mode, state);
}

QPixmap DeferredIconEngine::scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale)
{
    return Loaded().pixmap(size, scale, mode, state);
}

// Pictures are drawn to fill whatever size is asked for, so that is their size; saying so
// without reading the file keeps a layout pass from loading them.
QSize DeferredIconEngine::actualSize(const QSize& size, QIcon::Mode, QIcon::State)
{
    return size;
}

QIconEngine* DeferredIconEngine::clone() const
{
    return new DeferredIconEngine(path_);
}

QString DeferredIconEngine::key() const
{
    return QStringLiteral("DeferredIconEngine");
}

bool DeferredIconEngine::isNull()
{
    return path_.isEmpty();
}
