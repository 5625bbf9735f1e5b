#include "FormTessel.h"
#include "WindowDriver.h"

#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

// The sixteen frame buttons: exactly one pressed, the current frame's, across both rows.
class FrameSelectorTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    static QList<int> Pressed(const TForm1& window)
    {
        QList<int> pressed;
        for (int frame = 0; frame < 16; ++frame)
            if (window.PulsQuadri[std::size_t(frame)]->isChecked())
                pressed << frame;
        return pressed;
    }

    void OpenWithFrame(TForm1& window, int frame)
    {
        firmware::GeneratorSettings settings;
        settings.frame = frame;
        const QStringList errors =
            WriteAndOpen(window, dir_.filePath(QStringLiteral("frame%1.hex").arg(frame)), settings, 0x55);
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
    }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void clickMovesTheOneSelectionAcrossBothRows()
    {
        TForm1 window;
        OpenWithFrame(window, 12);
        QCOMPARE(Pressed(window), QList<int>{12});

        QTest::mouseClick(window.PulsQuadri[3], Qt::LeftButton);  // upper row
        QCOMPARE(window.QuadroCorrente, 3);
        QCOMPARE(Pressed(window), QList<int>{3});

        QTest::mouseClick(window.PulsQuadri[9], Qt::LeftButton);  // lower row
        QCOMPARE(window.QuadroCorrente, 9);
        QCOMPARE(Pressed(window), QList<int>{9});

        QTest::mouseClick(window.PulsQuadri[0], Qt::LeftButton);
        QTest::mouseClick(window.PulsQuadri[15], Qt::LeftButton);
        QCOMPARE(window.QuadroCorrente, 15);
        QCOMPARE(Pressed(window), QList<int>{15});
    }

    void clickOnTheCurrentFrameKeepsItPressed()
    {
        TForm1 window;
        OpenWithFrame(window, 7);
        QTest::mouseClick(window.PulsQuadri[7], Qt::LeftButton);
        QCOMPARE(window.QuadroCorrente, 7);
        QCOMPARE(Pressed(window), QList<int>{7});
        QTest::mouseClick(window.PulsQuadri[7], Qt::LeftButton);
        QCOMPARE(Pressed(window), QList<int>{7});
    }

    void aLaterOpenReplacesTheSelection()
    {
        TForm1 window;
        OpenWithFrame(window, 2);
        QTest::mouseClick(window.PulsQuadri[10], Qt::LeftButton);
        OpenWithFrame(window, 4);
        QCOMPARE(window.QuadroCorrente, 4);
        QCOMPARE(Pressed(window), QList<int>{4});
    }

    void everyButtonSelectsItsOwnFrame()
    {
        TForm1 window;
        OpenWithFrame(window, 0);
        for (int frame : {8, 1, 15, 6, 13, 0, 11, 4, 9, 2, 14, 7, 12, 5, 10, 3}) {
            QTest::mouseClick(window.PulsQuadri[std::size_t(frame)], Qt::LeftButton);
            QCOMPARE(window.QuadroCorrente, frame);
            QCOMPARE(Pressed(window), QList<int>{frame});
        }
    }
};

QTEST_MAIN(FrameSelectorTest)
#include "tst_FrameSelector.moc"
