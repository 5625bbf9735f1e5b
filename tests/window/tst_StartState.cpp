#include "BevelPanel.h"
#include "FormTessel.h"
#include "ShapeWidget.h"
#include "WindowDriver.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

// The window as it comes up, before any file: what can be used, what it shows, its size, and
// the keyboard rules that hold from the start.
class StartStateTest : public QObject {
    Q_OBJECT

private slots:
    void onlyOpeningLanguageAndExitAreUsable()
    {
        TForm1 window;
        QVERIFY(ShowAndActivate(window));

        for (const char* name : {"GroupQuadri", "GroupTestoScorrevole", "GroupTestoFisso", "GroupDi"})
            QVERIFY2(!Find<QGroupBox>(window, name)->isEnabled(), name);
        QVERIFY(Find<QGroupBox>(window, "GroupVersione")->isEnabled());
        QVERIFY(!Find<QToolButton>(window, "ButtonSaveFile")->isEnabled());
        QVERIFY(!Find<QAction>(window, "Save1")->isEnabled());
        for (const char* name : {"ButtonOpenFile", "ButtonLingua"})
            QVERIFY2(Find<QToolButton>(window, name)->isEnabled(), name);
        QVERIFY(Find<BevelPanel>(window, "Panel4")->isEnabled());
        for (const char* name : {"Open1", "Italiano", "Inglese", "Exit1"})
            QVERIFY2(Find<QAction>(window, name)->isEnabled(), name);
        QVERIFY(Find<QAction>(window, "Italiano")->isChecked());
        QVERIFY(!Find<QAction>(window, "Inglese")->isChecked());
        QCOMPARE(window.CurrentLanguage(), i18n::Language::Italian);
        QVERIFY(!Find<BevelPanel>(window, "TavolaColore")->isVisible());

        // A disabled group takes no click: the frame selector keeps no button pressed.
        QTest::mouseClick(Find<QToolButton>(window, "Quadro5"), Qt::LeftButton);
        QCOMPARE(window.QuadroCorrente, 0);
        for (QToolButton* button : window.PulsQuadri)
            QVERIFY(!button->isChecked());
    }

    void startTextsAreTheFormsOwn()
    {
        TForm1 window;
        QCOMPARE(window.windowTitle(),
                 QString(43, QLatin1Char(' ')) + QStringLiteral("---- Personalizzazione Barre  Kelvo ---- "));
        const auto* panel4 = Find<BevelPanel>(window, "Panel4");
        QCOMPARE(panel4->caption(), QStringLiteral("Cliccare sull' icona di sinistra per aprire il file "));
        QCOMPARE(panel4->property("Tag").toInt(), 0);

        const struct {
            const char* name;
            const char* startText;
            int entries;
        } lists[] = {{"ComboDimScorr", "Dimensione", 4}, {"ComboDimFisso", "Dimensione", 4}, {"ComboVelocita", "Velocita'", 3}};
        for (const auto& list : lists) {
            const auto* combo = Find<QComboBox>(window, list.name);
            QVERIFY2(combo->isEditable(), list.name);
            QCOMPARE(combo->currentIndex(), -1);
            QCOMPARE(combo->currentText(), QString::fromLatin1(list.startText));
            QCOMPARE(combo->count(), list.entries);
        }
        QCOMPARE(Find<QComboBox>(window, "ComboVelocita")->itemText(2), QStringLiteral("Velocita' Alta"));
        QCOMPARE(Find<QComboBox>(window, "ComboDimFisso")->itemText(3), QStringLiteral("Altezza Grande"));

        QVERIFY(Find<QLineEdit>(window, "EditTesto")->text().isEmpty());
        QVERIFY(Find<QLineEdit>(window, "EditNominativo")->text().isEmpty());
        for (const char* name : {"ShapeSfondoTesto", "ShapeSfondoNominativo"}) {
            QCOMPARE(Find<ShapeWidget>(window, name)->brushColor(), QColor(Qt::white));
            QCOMPARE(Find<ShapeWidget>(window, name)->penColor(), QColor(192, 192, 192));
        }
        QCOMPARE(Find<QLabel>(window, "Label10")->text(), QStringLiteral(KELVO_VERSION));
        QCOMPARE(Find<QLabel>(window, "StaticText1")->text(), QStringLiteral("N0CALL"));
        QCOMPARE(Find<QLabel>(window, "StaticText2")->text(), QStringLiteral("N0CALL"));
        QCOMPARE(Find<QToolButton>(window, "ButtonLingua")->toolTip(), QStringLiteral("Click select English"));
        QCOMPARE(Find<QToolButton>(window, "ButtonLingua")->property("ImageIndex").toInt(), TForm1::kImageFlagUk);
        QVERIFY(!Find<QToolButton>(window, "ButtonLingua")->icon().isNull());
    }

    void menuHoldsItsItemsInOrderWithShortcuts()
    {
        TForm1 window;
        const QList<QAction*> items = Find<QMenu>(window, "File1")->actions();
        QCOMPARE(items.size(), 5);
        QCOMPARE(items[0]->objectName(), QStringLiteral("Open1"));
        QCOMPARE(items[1]->objectName(), QStringLiteral("Save1"));
        QCOMPARE(items[2]->menu(), Find<QMenu>(window, "Lingua"));
        QVERIFY(items[3]->text().isEmpty() && !items[3]->isSeparator() && items[3]->isEnabled());
        QCOMPARE(items[4]->objectName(), QStringLiteral("Exit1"));
        const struct {
            const char* name;
            const char* caption;
            const char* shortcut;
        } expected[] = {{"Open1", "Apri", "Ctrl+O"},      {"Save1", "Salva", "Ctrl+S"}, {"Italiano", "Italiano", "Ctrl+I"},
                        {"Inglese", "English", "Ctrl+E"}, {"Exit1", "Esci", "Ctrl+X"}};
        for (const auto& item : expected) {
            const auto* action = Find<QAction>(window, item.name);
            QCOMPARE(action->text(), QString::fromLatin1(item.caption));
            QCOMPARE(action->shortcut(), QKeySequence(QString::fromLatin1(item.shortcut)));
        }
        QVERIFY(!Find<QAction>(window, "Italiano")->actionGroup());
    }

    void tablesAndFrameButtonsAreReadyAfterCreation()
    {
        TForm1 window;
        const QStringList colours = {"Nero", "Blu", "Rosso", "Viola", "Verde", "Azzurro", "Giallo", "Bianco"};
        const QColor buttonFace = window.palette().color(QPalette::Button);
        for (int code = 0; code < 8; ++code) {
            const TForm1::PaletteEntry& entry = window.Tavolozza[std::size_t(code)];
            QCOMPARE(entry.panel->objectName(), QStringLiteral("Panel") + colours[code]);
            QCOMPARE(entry.shape->objectName(), QStringLiteral("Shape") + colours[code]);
            QCOMPARE(entry.panel->property("Tag").toInt(), code);
            QCOMPARE(entry.shape->penColor(), buttonFace);
        }
        const int lefts[] = {0, 86, 172, 258, 344, 430, 516, 602};
        for (int frame = 0; frame < 16; ++frame) {
            const QToolButton* button = window.PulsQuadri[std::size_t(frame)];
            QCOMPARE(button->objectName(), QStringLiteral("Quadro%1").arg(frame));
            QCOMPARE(button->property("Tag").toInt(), frame);
            QCOMPARE(button->toolTip(), QStringLiteral("Quadro %1").arg(frame + 1));
            QCOMPARE(button->geometry(), QRect(lefts[frame % 8], 2, 81, 63));
            QCOMPARE(button->parentWidget()->objectName(), QString::fromLatin1(frame < 8 ? "ToolBar2" : "ToolBar1"));
            QVERIFY(button->isCheckable());
            QCOMPARE(button->iconSize(), QSize(66, 50));
            QVERIFY(!button->icon().isNull());
            // The thumbnail is read when first drawn, and draws opaque at its size.
            const QImage picture = button->icon().pixmap(QSize(66, 50)).toImage();
            QCOMPARE(picture.size(), QSize(66, 50));
            QCOMPARE(qAlpha(picture.pixel(33, 25)), 255);
        }
        QCOMPARE(Find<QLineEdit>(window, "EditTesto")->maxLength(), 112);
        QCOMPARE(Find<QLineEdit>(window, "EditNominativo")->maxLength(), 6);
        // The palette is created last, so it lies above the groups it covers.
        const QWidget* palette = Find<BevelPanel>(window, "TavolaColore");
        QCOMPARE(palette->parentWidget()->children().last(), palette);
        QCOMPARE(palette->geometry(), QRect(234, 66, 183, 355));
    }

    void windowKeepsItsSize()
    {
        TForm1 window;
        QVERIFY(ShowAndActivate(window));
        const QSize fixed = window.FixedWindowSize();
        QCOMPARE(window.size(), fixed);
        QCOMPARE(window.centralWidget()->size(), QSize(TForm1::kClientWidth, TForm1::kClientHeight));

        window.resize(900, 700);
        QCOMPARE(window.size(), fixed);
        window.setGeometry(10, 10, 300, 200);
        QCOMPARE(window.size(), fixed);
        window.showMaximized();
        QTRY_COMPARE(window.size(), fixed);
        QCOMPARE(window.centralWidget()->size(), QSize(TForm1::kClientWidth, TForm1::kClientHeight));
    }

    void ctrlSDoesNothingBeforeAFile()
    {
        TForm1 window;
        QVERIFY(ShowAndActivate(window));
        ModalAnswers answers;  // no answer scheduled: any dialog would be reported
        QSignalSpy saves(Find<QAction>(window, "Save1"), &QAction::triggered);
        QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(saves.count(), 0);
        QVERIFY2(answers.errors().isEmpty(), qPrintable(answers.errors().join('\n')));
        QCOMPARE(Find<BevelPanel>(window, "Panel4")->property("Tag").toInt(), 0);
    }
};

QTEST_MAIN(StartStateTest)
#include "tst_StartState.moc"
