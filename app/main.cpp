// Entry point: one window, one event loop; no command line, no settings.

#include "FixedLook.h"
#include "FormTessel.h"
#include "KelvoResources.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>

#include <exception>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kelvo-barre"));
    QApplication::setWindowIcon(QIcon(kelvo::resources::applicationIconPath()));
    UseFixedLook(application);
    try {
        TForm1 form1;
        form1.show();
        QApplication::exec();
    } catch (const std::exception& failure) {
        // Shown to the user, then the program ends as on a normal exit.
        QMessageBox::critical(nullptr, QApplication::applicationName(), QString::fromLocal8Bit(failure.what()));
    }
    return 0;
}
