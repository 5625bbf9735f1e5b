// The baseline of the start-up benchmark: the least a Qt Widgets program of the tool's
// size does before its window is mapped. A plain QWidget with a one-entry menu bar
// ("File" holding one action) over a client area of 708 x 513, like the tool's window,
// and nothing else: no controls, no images, no resources.

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Kelvo start-up baseline"));

    auto* menuBar = new QMenuBar(&window);
    QMenu* fileMenu = menuBar->addMenu(QStringLiteral("File"));
    QAction* exitAction = fileMenu->addAction(QStringLiteral("Exit"));
    exitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    QObject::connect(exitAction, &QAction::triggered, &application, &QApplication::quit);

    auto* clientArea = new QWidget(&window);
    clientArea->setFixedSize(708, 513);

    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar);
    layout->addWidget(clientArea);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    window.show();
    return application.exec();
}
