// The preview of the generator's picture: a road beside the window that it follows at every
// edit, its look in both languages, and the picture itself drawn without a window.

#include "PreviewCanvas.h"
#include "PreviewPicture.h"
#include "PreviewWindow.h"
#include "Road.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

namespace {

using firmware::GeneratorSettings;
using preview::PreviewCanvas;
using preview::PreviewPicture;
using preview::PreviewWindow;
using namespace Qt::StringLiterals;

// A point of the picture given in its units (384 by 288), wherever in the image it lies.
QColor At(const QImage& image, int x, int y)
{
    const QRect picture = PreviewPicture::FourByThree(image.rect());
    return image.pixelColor(picture.x() + x * picture.width() / 384, picture.y() + y * picture.height() / 288);
}

// The picture's rows from `top` to `bottom`, in units.
QImage Rows(const QImage& image, int top, int bottom)
{
    const QRect picture = PreviewPicture::FourByThree(image.rect());
    const int y = picture.y() + top * picture.height() / 288;
    return image.copy(picture.x(), y, picture.width(), picture.y() + bottom * picture.height() / 288 - y);
}

QImage Drawn(const GeneratorSettings& settings, int step, QSize size = {384, 288})
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::gray);
    QPainter painter(&image);
    PreviewPicture picture;
    picture.SetSettings(settings);
    picture.Draw(painter, image.rect(), step);
    return image;
}

}  // namespace

TEST_F(Road, PreviewFollowsEveryEdit)
{
    const QKeySequence previewKeys(Qt::CTRL | Qt::SHIFT | Qt::Key_P);
    for (int key = QKeySequence::UnknownKey + 1; key <= QKeySequence::Cancel; ++key)
        EXPECT_FALSE(QKeySequence::keyBindings(QKeySequence::StandardKey(key)).contains(previewKeys)) << key;
    Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_P);  // nothing to show before a file is loaded
    EXPECT_EQ(window.findChild<PreviewWindow*>(), nullptr);

    WriteFile(Path("gen.hex"), FirmwareText(kOnFile));
    Open(Path("gen.hex"));
    Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_P);
    auto* preview = window.findChild<PreviewWindow*>();
    ASSERT_NE(preview, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(preview));
    auto* canvas = preview->findChild<PreviewCanvas*>();
    ASSERT_TRUE(QTest::qWaitFor([canvas] { return canvas->Step() > 1; }));  // it moves
    preview->showMinimized();
    EXPECT_FALSE(preview->IsAnimating());
    canvas->SetStep(150);  // the whole sliding text on the screen
    const auto shot = [canvas] { return canvas->grab().toImage(); };
    const auto described = [canvas] { return canvas->accessibleDescription(); };

    const QImage loaded = shot();
    EXPECT_EQ(preview->windowTitle(), u"Anteprima"_s);
    EXPECT_EQ(described(), u"Quadro 6: nominativo IW2ABC su nero in alto, barre, testo scorrevole su rosso in basso"_s);
    EXPECT_EQ(At(loaded, 2, 2), QColor(Qt::black));
    EXPECT_EQ(At(loaded, 20, 144), QColor(Qt::white));
    EXPECT_EQ(At(loaded, 2, 286), QColor(Qt::red));

    QTest::keyClick(Find("EditNominativo"), Qt::Key_Backspace);
    EXPECT_NE(Rows(shot(), 0, 36), Rows(loaded, 0, 36));
    EXPECT_EQ(Rows(shot(), 36, 288), Rows(loaded, 36, 288));
    EXPECT_TRUE(described().contains(u" IW2AB su nero"_s));
    QTest::keyClicks(Find("EditNominativo"), u"C"_s);
    EXPECT_EQ(shot(), loaded);
    QTest::keyClicks(Find("EditTesto"), u"!"_s);
    EXPECT_NE(Rows(shot(), 261, 288), Rows(loaded, 261, 288));
    EXPECT_EQ(Rows(shot(), 0, 261), Rows(loaded, 0, 261));
    QTest::keyClick(Find("EditTesto"), Qt::Key_Backspace);
    EXPECT_EQ(shot(), loaded);

    Click("Quadro9");
    EXPECT_EQ(At(shot(), 20, 100), QColor(Qt::yellow));  // the grid's second row begins yellow
    EXPECT_EQ(described(), u"Quadro 10: nominativo IW2ABC su nero in alto, griglia 8 per 6, testo scorrevole su rosso in basso"_s);
    EXPECT_EQ(At(shot(), 2, 40), QColor(Qt::white));
    Pick("ComboDimFisso", 3, 13);
    EXPECT_EQ(At(shot(), 2, 40), QColor(Qt::black));  // the big call sign's band reaches lower

    Click("PulsScorrColSfo");
    for (const auto& [colour, shown] : {std::pair{"PanelBlu", QColor(0, 0, 0x80)}, {"PanelVerde", QColor(Qt::green)}}) {
        Click(colour);
        EXPECT_EQ(At(shot(), 2, 286), shown) << colour;
    }
    EXPECT_TRUE(described().endsWith(u"testo scorrevole su verde in basso"_s));
    Click("CancellaColore");
    EXPECT_EQ(At(shot(), 2, 286), QColor(Qt::red));
    for (const char* control : {"PulsFissoColSfo", "PanelGiallo", "OkColore"})
        Click(control);
    EXPECT_EQ(At(shot(), 2, 2), QColor(Qt::yellow));

    Click("ButtonLingua");
    EXPECT_EQ(preview->windowTitle(), u"Preview"_s);
    EXPECT_EQ(canvas->accessibleName(), u"Frame preview"_s);
    EXPECT_EQ(described(), u"Frame 10: call sign IW2ABC on yellow at the top, 8 by 6 grid, sliding text on red at the bottom"_s);
    EXPECT_TRUE(preview->findChild<QLabel*>()->text().startsWith(u"Shapes and timing are indicative"_s));
    Click("Quadro0");
    EXPECT_EQ(described(), u"Frame 1: bars, call sign IW2ABC on yellow in a box at the top of the bars, sliding "
                           u"text on red at the bottom"_s);
    EXPECT_EQ(At(shot(), 192, 2), QColor(Qt::yellow));
    EXPECT_EQ(At(shot(), 2, 2), QColor(Qt::white));

    // Only the call sign, the frame and the colours differ from what the window shows: the
    // picture follows the whole load, not just the fields that change as it goes.
    const GeneratorSettings other{.slidingText = "CQ CQ DE IW2ABC", .frame = 12, .slidingHeight = 1, .fixedHeight = 3,
        .slidingColour = 1, .fixedColour = 4, .speed = 1};
    WriteFile(Path("other.hex"), FirmwareText(other));
    Open(Path("other.hex"));
    EXPECT_EQ(described(), u"Frame 13: sliding text on blue at the top, fine grid, call sign (empty) on green at the bottom"_s);
    EXPECT_EQ(At(shot(), 2, 1), QColor(0, 0, 0x80));

    Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_P);  // back from the task bar
    EXPECT_TRUE(preview->IsAnimating());
    const QImage windowShown = window.grab().toImage();
    preview->close();
    EXPECT_FALSE(preview->IsAnimating());
    EXPECT_EQ(window.grab().toImage(), windowShown);  // nothing else changes
    Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_P);
    EXPECT_TRUE(preview->isVisible());
    window.close();
    EXPECT_FALSE(preview->isVisible());
}

TEST_F(Look, PreviewInBothLanguages)
{
    struct Shown {
        const char* picture;
        i18n::Language language;
        GeneratorSettings settings;
        const char* description;
    };
    const std::vector<Shown> shown{
        {"preview-box-it", i18n::Language::Italian,
         {.slidingText = "CQ CQ DE IW2ABC", .fixedText = "IW2ABC", .frame = 0, .slidingHeight = 2, .fixedHeight = 1,
          .slidingColour = 1, .fixedColour = 2},
         "Quadro 1: barre, nominativo IW2ABC su rosso in un riquadro in cima alle barre, testo scorrevole su blu in "
         "basso"},
        {"preview-grid-en", i18n::Language::English,
         {.slidingText = "Test 73!", .fixedText = "I0XYZ", .frame = 9, .slidingHeight = 0, .fixedHeight = 3,
          .slidingColour = 3, .fixedColour = 7},
         "Frame 10: call sign I0XYZ on white at the top, 8 by 6 grid, sliding text on magenta at the bottom"},
        {"preview-fine-grid-it", i18n::Language::Italian,
         {.slidingText = "{ATV} 10 GHz", .fixedText = "IW2ABC", .frame = 12, .slidingHeight = 3, .fixedHeight = 2,
          .slidingColour = 4, .fixedColour = 5},
         "Quadro 13: testo scorrevole su verde in alto, griglia fine, nominativo IW2ABC su azzurro in basso"},
        {"preview-black-band-en", i18n::Language::English,
         {.slidingText = "abc~xyz", .fixedText = "IW2ABC", .frame = 14, .slidingHeight = 1, .slidingColour = 0},
         "Frame 15: black band at the top, doubled half-width bars, sliding text on black at the bottom"},
    };
    for (const Shown& one : shown) {
        PreviewWindow preview(nullptr, [&one] { return one.language; });
        preview.ShowSettings(one.settings);
        preview.resize(320, 300);
        preview.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
        preview.showMinimized();
        auto* canvas = preview.findChild<PreviewCanvas*>();
        canvas->SetStep(110);
        ExpectLooksLike(preview, QString::fromLatin1(one.picture));
        EXPECT_EQ(canvas->accessibleDescription(), QString::fromUtf8(one.description));
    }
}

// Where the sliding text's first dot is after some steps at each speed: it comes in at the
// right edge, and once it has passed the left edge it comes in there again.
TEST(PreviewPicture, SlidingTextKeepsTimeAtEachSpeed)
{
    struct Timing {
        int speed;
        int steps;
        int left;  // in units; the picture's width when the text is just off it
    };
    GeneratorSettings settings{.slidingText = "H", .frame = 5};  // 10 units wide in a cell of 12
    for (const Timing& timing : {Timing{0, 50, 334}, {1, 50, 284}, {2, 50, 184}, {2, 99, 384}, {2, 100, 380}}) {
        settings.speed = timing.speed;
        const QImage image = Drawn(settings, timing.steps, {768, 576});  // two pixels a unit
        int first = 768;
        for (int x = 767; x >= 0; --x) {
            if (image.pixelColor(x, 2 * 272) == Qt::white)
                first = x;
        }
        EXPECT_EQ(first, 2 * timing.left) << timing.speed << " after " << timing.steps;
    }
}

TEST(PreviewPicture, EachHeightPlainlyTallerThanTheOneBefore)
{
    int previous = 0;
    for (int height = 0; height < 4; ++height) {
        const QImage image = Drawn({.fixedText = "I", .frame = 5, .fixedHeight = height}, 0);
        int rows = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 150; x < 234; ++x) {  // between the bars' green and magenta: no white
                if (image.pixelColor(x, y) == Qt::white) {
                    ++rows;
                    break;
                }
            }
        }
        EXPECT_GE(rows, previous + previous / 5 + 1) << "height " << height;
        previous = rows;
    }
}

// Each frame shows the texts its layout names, no other, and in the colours given only:
// nothing drawn is blended. The picture keeps 4:3 in any area, centred, and draws nothing
// beside it.
TEST(PreviewPicture, FramesShowTheirOwnTextsSharply)
{
    const std::string_view callSign = "1100110111111101";  // by frame, 0 to 15
    const std::string_view sliding = "1010111011111110";
    const QSize area(501, 288);
    for (int frame = 0; frame < 16; ++frame) {
        const GeneratorSettings blank{.frame = frame, .slidingColour = 1, .fixedColour = 2};
        GeneratorSettings withCall = blank;
        withCall.fixedText = "IW2ABC";
        GeneratorSettings withSliding = blank;
        withSliding.slidingText = "CQ CQ";
        EXPECT_EQ(Drawn(withCall, 100, area) != Drawn(blank, 100, area), callSign[std::size_t(frame)] == '1') << frame;
        EXPECT_EQ(Drawn(withSliding, 100, area) != Drawn(blank, 100, area), sliding[std::size_t(frame)] == '1') << frame;
    }
    const QImage bars = Drawn({.slidingText = "CQ", .fixedText = "X", .frame = 12, .slidingHeight = 3, .slidingColour = 1}, 300, {600, 450});
    QSet<QRgb> colours;
    for (int y = 0; y < bars.height(); ++y) {
        for (int x = 0; x < bars.width(); ++x)
            colours.insert(bars.pixel(x, y));
    }
    EXPECT_EQ(colours.size(), 9);  // the eight bar colours and the sliding text's navy
    const QImage wide = Drawn({.frame = 3}, 0, area);
    EXPECT_EQ(wide.pixelColor(58, 100), QColor(Qt::gray));
    EXPECT_EQ(wide.pixelColor(59, 100), QColor(Qt::white));
    EXPECT_EQ(wide.pixelColor(59 + 383, 100), QColor(Qt::black));
    EXPECT_EQ(wide.pixelColor(59 + 384, 100), QColor(Qt::gray));
}
