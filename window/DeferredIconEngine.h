#pragma once

#include <QIconEngine>
#include <QString>

#include <memory>

// An icon read from its file only when it is first drawn. Loading an SVG icon parses the
// file (and brings in the SVG module) at once; the window's twenty icons would otherwise
// all be read before the window can come up.
class DeferredIconEngine : public QIconEngine {
public:
    explicit DeferredIconEngine(QString path);
    ~DeferredIconEngine() override;

    // An icon of this engine, or a null icon for an empty path.
    static QIcon Icon(const QString& path);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;
    QString key() const override;
    bool isNull() override;

    // Whether the file has been read yet.
    bool isLoaded() const { return loaded_ != nullptr; }

private:
    QIcon& Loaded();

    QString path_;
    std::unique_ptr<QIcon> loaded_;
};
