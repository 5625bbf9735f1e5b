#include "NameFilter.h"

#include <QTest>

// The dialogs' filters are written as "description|pattern"; Qt wants the pattern in
// brackets after the description.
class NameFilterTest : public QObject {
    Q_OBJECT

private slots:
    void descriptionThatShowsThePatternIsKeptAsItIs()
    {
        QCOMPARE(QtNameFilter(QStringLiteral("File Caricabile (*.HEX)|*.hex")),
                 QStringLiteral("File Caricabile (*.HEX)"));
        QCOMPARE(QtNameFilter(QStringLiteral("Downloadable File (*.HEX)|*.hex")),
                 QStringLiteral("Downloadable File (*.HEX)"));
    }

    void descriptionWithoutThePatternGetsItInBrackets()
    {
        QCOMPARE(QtNameFilter(QStringLiteral("Firmware|*.hex")), QStringLiteral("Firmware (*.hex)"));
        QCOMPARE(QtNameFilter(QStringLiteral("Text (*.txt)|*.hex")), QStringLiteral("Text (*.txt) (*.hex)"));
    }

    void filterWithoutBarIsAlreadyQtForm()
    {
        QCOMPARE(QtNameFilter(QStringLiteral("Images (*.png)")), QStringLiteral("Images (*.png)"));
    }
};

QTEST_APPLESS_MAIN(NameFilterTest)
#include "tst_NameFilter.moc"
