// Renders the program's SVG icon into a square PNG of a given size, so that the
// fixed-size icons of the hicolor theme always come from the one drawing in resources/.
//
//   kelvo_render_icon <icon.svg> <icon.png> <size>

#include <QGuiApplication>
#include <QImage>
#include <QLoggingCategory>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

namespace {

int fail(const QString& message)
{
    QTextStream(stderr) << "kelvo_render_icon: " << message << '\n';
    return 1;
}

}  // namespace

int main(int argc, char* argv[])
{
    // A build machine has no display, and the tool never shows a window.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Keeps the offscreen platform's chatter about XDG_RUNTIME_DIR out of the build log;
    // the SVG module's own warnings (category qt.svg) still show.
    QLoggingCategory::setFilterRules(QStringLiteral("default.warning=false"));
    QGuiApplication application(argc, argv);

    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 4)
        return fail(QStringLiteral("usage: kelvo_render_icon <icon.svg> <icon.png> <size>"));

    bool sizeIsNumber = false;
    const int size = arguments.at(3).toInt(&sizeIsNumber);
    if (!sizeIsNumber || size < 1 || size > 1024)
        return fail(QStringLiteral("size must be 1 to 1024 pixels, not \"%1\"").arg(arguments.at(3)));

    QSvgRenderer renderer(arguments.at(1));
    if (!renderer.isValid())
        return fail(QStringLiteral("%1 is not a readable SVG drawing").arg(arguments.at(1)));
    renderer.setAspectRatioMode(Qt::KeepAspectRatio);

    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();

    if (!image.save(arguments.at(2), "PNG"))
        return fail(QStringLiteral("cannot write %1").arg(arguments.at(2)));
    return 0;
}
