#include "BevelPanel.h"
#include "CaptionTable.h"
#include "FormTessel.h"
#include "NameFilter.h"
#include "WindowDriver.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

using i18n::CaptionRow;
using i18n::Language;
using i18n::Property;

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

firmware::GeneratorSettings Loaded()
{
    return {.slidingText = "CQ", .fixedText = "N0CALL", .slidingHeight = 1, .fixedHeight = 2,
            .speed = 2};
}

QObject* Control(const TForm1& window, const CaptionRow& row)
{
    if (Q(row.control) == window.objectName())
        return const_cast<TForm1*>(&window);
    return window.findChild<QObject*>(Q(row.control));
}

QString Items(const QComboBox& list)
{
    QStringList items;
    for (int i = 0; i < list.count(); ++i)
        items << list.itemText(i);
    return items.join('\n');
}

// What the control shows for the row, read back through the widgets' own getters.
QString Shown(const TForm1& window, const CaptionRow& row)
{
    QObject* control = Control(window, row);
    if (control == nullptr)
        return QStringLiteral("<no control %1>").arg(Q(row.control));
    auto* action = qobject_cast<QAction*>(control);
    auto* widget = qobject_cast<QWidget*>(control);
    switch (row.property) {
    case Property::ImageIndex:
        return control->property("ImageIndex").toString();
    case Property::Checked:
        return action->isChecked() ? QStringLiteral("true") : QStringLiteral("false");
    case Property::Hint:
        return action ? action->toolTip() : widget->toolTip();
    case Property::Caption:
        if (auto* menu = qobject_cast<QMenu*>(control))
            return menu->title();
        if (action)
            return action->text();
        if (auto* group = qobject_cast<QGroupBox*>(control))
            return group->title();
        if (widget->isWindow())
            return widget->windowTitle();
        return control->property("text").toString();
    case Property::Filter:
        return qobject_cast<QFileDialog*>(control)->nameFilters().join('\n');
    case Property::Title:
        return widget->windowTitle();
    case Property::StatusPrompt:
        return qobject_cast<BevelPanel*>(control)->caption();
    case Property::TextAndItems:
        return Items(*qobject_cast<QComboBox*>(control));
    }
    return {};
}

QString Expected(const CaptionRow& row, Language language)
{
    const QString text = Q(row.text[std::size_t(language)]);
    if (row.property == Property::Filter)
        return QtNameFilter(text);
    if (row.property == Property::TextAndItems) {
        QStringList items;
        for (const std::string_view item : row.items[std::size_t(language)])
            items << Q(item);
        return items.join('\n');
    }
    return text;
}

}  // namespace

// The language switch: every row of both caption sets, the lists, the status panel, the
// palette's title, and the texts that screen readers get.
class LanguageSwitchTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString source_;

    static void ExpectCaptionSet(const TForm1& window, Language language)
    {
        for (const CaptionRow& row : i18n::captionRows()) {
            const QByteArray where = QByteArray(row.control.data(), qsizetype(row.control.size()));
            QCOMPARE_EQ(Shown(window, row), Expected(row, language));
            QObject* control = Control(window, row);
            auto* widget = qobject_cast<QWidget*>(control);
            if (!widget || widget->isWindow())
                continue;
            const QString text = Q(row.text[std::size_t(language)]);
            if (row.property == Property::Caption)
                QVERIFY2(widget->accessibleName() == text, where.constData());
            if (row.property == Property::Hint)
                QVERIFY2(widget->accessibleDescription() == text, where.constData());
            if (row.property == Property::TextAndItems) {
                auto* list = qobject_cast<QComboBox*>(widget);
                if (list->currentIndex() < 0)
                    QVERIFY2(list->currentText() == text, where.constData());
            }
        }
    }

    static void ClickLanguageButton(TForm1& window)
    {
        QTest::mouseClick(Find<QToolButton>(window, "ButtonLingua"), Qt::LeftButton);
    }

    static QString Status(const TForm1& window) { return Find<BevelPanel>(window, "Panel4")->caption(); }

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        source_ = dir_.filePath("source.hex");
        WriteFirmware(source_, Loaded());
    }

    void everyRowFollowsOneAndTwoSwitches()
    {
        TForm1 window;
        QVERIFY(ShowAndActivate(window));
        ClickLanguageButton(window);
        ExpectCaptionSet(window, Language::English);
        QCOMPARE(window.windowTitle(), QString(43, ' ') + "---- Customize Bar Kelvo ----");
        QCOMPARE(Find<QToolButton>(window, "ButtonLingua")->property("ImageIndex").toInt(), 16);
        QCOMPARE(Find<QToolButton>(window, "ButtonLingua")->toolTip(),
                 QStringLiteral("Click per selezionare la lingua Italiana"));
        QCOMPARE(Find<QToolButton>(window, "Quadro15")->toolTip(), QStringLiteral("Frame 16"));
        QCOMPARE(Find<QFileDialog>(window, "OpenDialog1")->nameFilters(),
                 QStringList{QStringLiteral("Downloadable File (*.HEX)")});
        QCOMPARE(Find<QLineEdit>(window, "EditTesto")->accessibleName(),
                 QStringLiteral("Click and digit the Sliding Text"));
        QCOMPARE(window.CurrentLanguage(), Language::English);

        ClickLanguageButton(window);
        ExpectCaptionSet(window, Language::Italian);
        QCOMPARE(window.windowTitle(), QString(43, ' ') + "---- Personalizzazione Barre  Kelvo ----");
        QCOMPARE(Find<QToolButton>(window, "ButtonLingua")->property("ImageIndex").toInt(), 17);
        QCOMPARE(Find<QPushButton>(window, "OkColore")->text(), QStringLiteral("OK"));
        QCOMPARE(Find<QPushButton>(window, "CancellaColore")->text(), QStringLiteral("Cancell"));
    }

    void startUpTextsAreDescribedForScreenReaders()
    {
        TForm1 window;
        QCOMPARE(Find<QLineEdit>(window, "EditNominativo")->accessibleName(),
                 QStringLiteral("Cliccare e digitare il Nominativo"));
        QCOMPARE(Find<QToolButton>(window, "ButtonOpenFile")->accessibleName(), QStringLiteral("Apri File"));
        QCOMPARE(Find<QGroupBox>(window, "GroupQuadri")->accessibleName(), QStringLiteral("Quadri"));
        QCOMPARE(Find<QWidget>(window, "StaticText1")->accessibleDescription(),
                 QStringLiteral("Progettista FirmWare"));
    }

    void menuEntryOfTheCurrentLanguageChangesNothing()
    {
        TForm1 window;
        QVERIFY(ShowAndActivate(window));
        const QString startTitle = window.windowTitle();  // the form's own, with its trailing blank
        QVERIFY(startTitle.endsWith(' '));
        QTest::keyClick(&window, Qt::Key_I, Qt::ControlModifier);
        QCOMPARE(window.windowTitle(), startTitle);
        QVERIFY(Find<QAction>(window, "Italiano")->isChecked());
        QVERIFY(!Find<QAction>(window, "Inglese")->isChecked());
        QCOMPARE(Find<QComboBox>(window, "ComboVelocita")->currentText(), QStringLiteral("Velocita'"));

        QTest::keyClick(&window, Qt::Key_E, Qt::ControlModifier);
        ExpectCaptionSet(window, Language::English);
        Find<QComboBox>(window, "ComboDimScorr")->setEditText(QStringLiteral("typed"));
        QTest::keyClick(&window, Qt::Key_E, Qt::ControlModifier);
        QVERIFY(Find<QAction>(window, "Inglese")->isChecked());
        QVERIFY(!Find<QAction>(window, "Italiano")->isChecked());
        QCOMPARE(Find<QComboBox>(window, "ComboDimScorr")->currentText(), QStringLiteral("typed"));

        QTest::keyClick(&window, Qt::Key_I, Qt::ControlModifier);
        ExpectCaptionSet(window, Language::Italian);
    }

    void listsKeepTheirPositionsInTheNewLanguage()
    {
        TForm1 window;
        QVERIFY(ShowAndOpen(window, source_).isEmpty());
        ClickLanguageButton(window);
        auto* scorr = Find<QComboBox>(window, "ComboDimScorr");
        auto* fisso = Find<QComboBox>(window, "ComboDimFisso");
        auto* velocita = Find<QComboBox>(window, "ComboVelocita");
        QCOMPARE(scorr->currentIndex(), 1);
        QCOMPARE(scorr->currentText(), QStringLiteral("Medium Height"));
        QCOMPARE(fisso->currentIndex(), 2);
        QCOMPARE(fisso->currentText(), QStringLiteral("Normal Height"));
        QCOMPARE(velocita->currentIndex(), 2);
        QCOMPARE(velocita->currentText(), QStringLiteral("High Speed"));
        QCOMPARE(scorr->count(), 4);
        QCOMPARE(velocita->count(), 3);
        QCOMPARE(velocita->property("Tag").toInt(), 2);
    }

    void listsWithoutSelectionStayWithout()
    {
        TForm1 window;
        QVERIFY(ShowAndActivate(window));
        ClickLanguageButton(window);
        for (const char* name : {"ComboDimScorr", "ComboVelocita", "ComboDimFisso"}) {
            auto* list = Find<QComboBox>(window, name);
            QVERIFY2(list->currentIndex() == -1, name);
            QCOMPARE(list->currentText(), QStringLiteral("Dimension"));
        }
    }

    void statusPanelTakesThePromptOnlyWithoutAFileName()
    {
        TForm1 window;
        QVERIFY(ShowAndOpen(window, dir_.filePath("missing.hex")).isEmpty());
        QCOMPARE(Status(window), QStringLiteral("NESSUN File e` stato APERTO"));
        ClickLanguageButton(window);
        QCOMPARE(Status(window), QStringLiteral("Click on left icon to open the file"));

        QVERIFY(OpenThroughDialog(window, source_).isEmpty());
        QCOMPARE(Find<BevelPanel>(window, "Panel4")->property("Tag").toInt(), 1);
        ClickLanguageButton(window);
        QCOMPARE(Status(window), source_);
    }

    void openMessagesFollowTheLanguage()
    {
        const QString invalid = dir_.filePath("invalid.hex");
        std::vector<std::string> fifteen = EepromLines(Loaded());
        fifteen.pop_back();
        WriteFile(invalid, FirmwareText(ProgramLines(2), fifteen));
        TForm1 window;
        QVERIFY(ShowAndActivate(window));
        QTest::keyClick(&window, Qt::Key_E, Qt::ControlModifier);

        BoxSeen box;
        {
            ModalAnswers answers;
            answers.fillFileDialog(invalid).pressInBox(QMessageBox::Ok, &box);
            QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
            QVERIFY2(answers.problems().isEmpty(), qPrintable(answers.problems().join('\n')));
        }
        QCOMPARE(box.title, QStringLiteral("ERROR !"));
        QCOMPARE(box.text, "The FILE " + invalid + "\x0A\x0D" + "does NOT contain VALID Data !!!");
        QCOMPARE(Status(window), QStringLiteral("Click on the left icon to open the file"));

        QVERIFY(Reactivate(window));
        const QStringList errors = OpenThroughDialog(window, dir_.filePath("missing.hex"));
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
        QCOMPARE(Status(window), QStringLiteral("NO File has been OPENED"));
    }

    void paletteKeepsTheTitleItOpenedWith()
    {
        TForm1 window;
        QVERIFY(ShowAndOpen(window, source_).isEmpty());
        QTest::mouseClick(Find<QPushButton>(window, "PulsScorrColSfo"), Qt::LeftButton);
        auto* title = Find<QLabel>(window, "TitoloTavolozza");
        QCOMPARE(title->text(), QStringLiteral("Colore Sfondo"));
        QVERIFY(!Find<QToolButton>(window, "ButtonLingua")->isEnabled());

        QTest::keyClick(&window, Qt::Key_E, Qt::ControlModifier);  // the menu still switches
        QCOMPARE(Find<QPushButton>(window, "PulsScorrColSfo")->text(), QStringLiteral("Backgr. Color"));
        QCOMPARE(title->text(), QStringLiteral("Colore Sfondo"));
        QTest::mouseClick(Find<QPushButton>(window, "OkColore"), Qt::LeftButton);

        QTest::mouseClick(Find<QPushButton>(window, "PulsFissoColSfo"), Qt::LeftButton);
        QCOMPARE(title->text(), QStringLiteral("Backgr. Color"));
    }
};

QTEST_MAIN(LanguageSwitchTest)
#include "tst_LanguageSwitch.moc"
