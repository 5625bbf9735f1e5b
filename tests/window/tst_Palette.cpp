#include "BevelPanel.h"
#include "FormTessel.h"
#include "ShapeWidget.h"
#include "WindowDriver.h"

#include "firmware/FirmwareFile.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

// Sliding text on red (2), call sign on aqua (5).
firmware::GeneratorSettings Loaded()
{
    return {.slidingText = "TEST", .fixedText = "N0CALL", .slidingColour = 2, .fixedColour = 5};
}

const char* const kPanels[8] = {"PanelNero",  "PanelBlu",    "PanelRosso",  "PanelViola",
                                "PanelVerde", "PanelAzzurro", "PanelGiallo", "PanelBianco"};
const char* const kShapes[8] = {"ShapeNero",  "ShapeBlu",    "ShapeRosso",  "ShapeViola",
                                "ShapeVerde", "ShapeAzzurro", "ShapeGiallo", "ShapeBianco"};

QColor ShownColour(int code)
{
    const firmware::RgbColour rgb = firmware::ColourOfCode(code);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

}  // namespace

// The colour palette, opened from either "Colore Sfondo" button and closed by OK or Cancel.
class PaletteTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString source_;

    static BevelPanel* Palette(const TForm1& window) { return Find<BevelPanel>(window, "TavolaColore"); }

    static void Click(const TForm1& window, const char* name)
    {
        QWidget* control = Find<QWidget>(window, name);
        QVERIFY2(control && control->isVisible() && control->isEnabled(), name);
        QTest::mouseClick(control, Qt::LeftButton);
    }

    // A user's clicks, one after another; stops at the first control that cannot be clicked.
    static void Clicks(const TForm1& window, std::initializer_list<const char*> names)
    {
        for (const char* name : names) {
            Click(window, name);
            if (QTest::currentTestFailed())
                return;
        }
    }

    // Exactly one colour marked, the given one: lowered bevel and black outline.
    static void ExpectHighlighted(const TForm1& window, int code)
    {
        const QColor buttonFace = window.palette().color(QPalette::Button);
        for (int i = 0; i < 8; ++i) {
            const bool marked = i == code;
            QCOMPARE(Find<BevelPanel>(window, kPanels[i])->bevelInner(),
                     marked ? BevelPanel::Lowered : BevelPanel::Raised);
            QCOMPARE(Find<ShapeWidget>(window, kShapes[i])->penColor(),
                     marked ? QColor(Qt::black) : buttonFace);
        }
        QCOMPARE(Palette(window)->property("Tag").toInt(), code);
    }

    static void ExpectCommitted(const TForm1& window, int scorr, int fisso)
    {
        QCOMPARE(window.ColSfoScorr, scorr);
        QCOMPARE(window.ColSfoFisso, fisso);
        QCOMPARE(Find<ShapeWidget>(window, "ShapeSfondoTesto")->brushColor(), ShownColour(scorr));
        QCOMPARE(Find<ShapeWidget>(window, "ShapeSfondoNominativo")->brushColor(), ShownColour(fisso));
    }

    bool OpenLoaded(TForm1& window) { return ShowAndOpen(window, source_).isEmpty(); }

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        source_ = dir_.filePath("source.hex");
        WriteFirmware(source_, Loaded());
    }

    void opensAtItsTargetWithTheCommittedColourMarked()
    {
        TForm1 window;
        QVERIFY(OpenLoaded(window));

        Click(window, "PulsScorrColSfo");
        QVERIFY(Palette(window)->isVisible());
        QCOMPARE(Palette(window)->pos(), QPoint(26, 44));
        QCOMPARE(Find<QLabel>(window, "TitoloTavolozza")->text(), QStringLiteral("Colore Sfondo"));
        QCOMPARE(Find<QPushButton>(window, "OkColore")->property("Tag").toInt(), 0);
        ExpectHighlighted(window, 2);
        Click(window, "CancellaColore");
        QVERIFY(!Palette(window)->isVisible());

        Click(window, "PulsFissoColSfo");
        QCOMPARE(Palette(window)->pos(), QPoint(508, 44));
        QCOMPARE(Find<QPushButton>(window, "OkColore")->property("Tag").toInt(), 1);
        ExpectHighlighted(window, 5);
        // Drawn above the groups it covers.
        const QPoint centre = Palette(window)->geometry().center();
        QWidget* onTop = Palette(window)->parentWidget()->childAt(centre);
        QVERIFY(onTop == Palette(window) || Palette(window)->isAncestorOf(onTop));
    }

    void aClickMovesTheMarkOnly()
    {
        TForm1 window;
        QVERIFY(OpenLoaded(window));
        Clicks(window, {"PulsScorrColSfo", "PanelVerde"});
        ExpectHighlighted(window, 4);
        Click(window, "PanelVerde");  // the marked one again
        ExpectHighlighted(window, 4);
        ExpectCommitted(window, 2, 5);
    }

    void cancelAfterClicksChangesNothingAndTheNextOpeningShowsTheCommittedCode()
    {
        TForm1 window;
        QVERIFY(OpenLoaded(window));
        Clicks(window, {"PulsScorrColSfo", "PanelGiallo", "PanelBlu", "CancellaColore"});
        ExpectCommitted(window, 2, 5);

        Click(window, "PulsScorrColSfo");
        ExpectHighlighted(window, 2);
    }

    void okWithoutAClickCommitsWhatWasMarked()
    {
        TForm1 window;
        QVERIFY(OpenLoaded(window));
        for (const char* opener : {"PulsScorrColSfo", "PulsFissoColSfo"}) {
            Click(window, opener);
            Click(window, "OkColore");
            QVERIFY(!Palette(window)->isVisible());
            ExpectCommitted(window, 2, 5);
        }
    }

    void okCommitsToItsOwnTargetOnly()
    {
        TForm1 window;
        QVERIFY(OpenLoaded(window));
        Clicks(window, {"PulsFissoColSfo", "PanelBianco", "OkColore"});
        ExpectCommitted(window, 2, 7);

        Click(window, "PulsScorrColSfo");  // the sliding text's own code, not the call sign's
        ExpectHighlighted(window, 2);
        Clicks(window, {"PanelNero", "OkColore"});
        ExpectCommitted(window, 0, 7);
    }

    void whileOpenTheToolBarAndTheEditingGroupsTakeNoInput()
    {
        TForm1 window;
        QVERIFY(OpenLoaded(window));
        Click(window, "PulsFissoColSfo");
        for (const char* name : {"ToolFile", "GroupTestoScorrevole", "GroupTestoFisso", "GroupQuadri"})
            QVERIFY2(!Find<QWidget>(window, name)->isEnabled(), name);
        QVERIFY(!Find<QToolButton>(window, "ButtonOpenFile")->isEnabled());
        QVERIFY(!Find<QToolButton>(window, "ButtonLingua")->isEnabled());
        for (const char* name : {"GroupDi", "GroupVersione", "TavolaColore"})
            QVERIFY2(Find<QWidget>(window, name)->isEnabled(), name);
        for (const char* name : {"Open1", "Save1", "Italiano", "Inglese", "Exit1"})
            QVERIFY2(Find<QAction>(window, name)->isEnabled(), name);

        const int frame = window.QuadroCorrente;
        QTest::mouseClick(window.PulsQuadri[9], Qt::LeftButton);
        QCOMPARE(window.QuadroCorrente, frame);

        Click(window, "OkColore");
        for (const char* name : {"ToolFile", "GroupTestoScorrevole", "GroupTestoFisso", "GroupQuadri"})
            QVERIFY2(Find<QWidget>(window, name)->isEnabled(), name);
    }

    void saveFromTheMenuWhileOpenStoresTheCommittedCodes()
    {
        TForm1 window;
        QVERIFY(OpenLoaded(window));
        Clicks(window, {"PulsScorrColSfo", "PanelGiallo"});

        const QString target = dir_.filePath("saved-while-open.hex");
        ModalAnswers answers;
        answers.fillFileDialog(target);
        QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
        QVERIFY2(answers.problems().isEmpty(), qPrintable(answers.problems().join('\n')));
        QVERIFY(Palette(window)->isVisible());

        const firmware::LoadResult saved = firmware::LoadFirmwareFile(target.toStdString());
        QVERIFY(saved.outcome == firmware::LoadOutcome::Valid);
        QCOMPARE(saved.settings.slidingColour, 2);
        QCOMPARE(saved.settings.fixedColour, 5);
    }
};

QTEST_MAIN(PaletteTest)
#include "tst_Palette.moc"
