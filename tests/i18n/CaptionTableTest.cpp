#include "CaptionTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <utility>
#include <vector>

using i18n::CaptionRow;
using i18n::Language;
using i18n::Property;
using namespace std::string_view_literals;

namespace {

constexpr std::size_t kItalian = static_cast<std::size_t>(Language::Italian);
constexpr std::size_t kEnglish = static_cast<std::size_t>(Language::English);

// Row n of the table as the switch numbers them, from 1.
const CaptionRow& row(std::size_t n)
{
    return i18n::captionRows()[n - 1];
}

bool isPlainAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= ' ' && c <= '~'; });
}

bool isIdentifier(std::string_view name)
{
    return !name.empty() && std::isalpha(static_cast<unsigned char>(name.front())) &&
           std::all_of(name.begin(), name.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
}

}  // namespace

TEST(CaptionTableShape, FiftyRowsEachControlPropertyOnce)
{
    ASSERT_EQ(i18n::captionRows().size(), 50u);
    std::set<std::pair<std::string_view, Property>> seen;
    for (const CaptionRow& r : i18n::captionRows()) {
        EXPECT_TRUE(isIdentifier(r.control)) << "'" << r.control << "'";
        EXPECT_TRUE(seen.emplace(r.control, r.property).second)
            << r.control << " written twice";
    }
}

TEST(CaptionTableShape, EveryLanguageHasTextsAndOnlyListsHaveEntries)
{
    for (const CaptionRow& r : i18n::captionRows()) {
        SCOPED_TRACE(std::string(r.control));
        for (std::size_t language = 0; language < i18n::kLanguageCount; ++language) {
            EXPECT_FALSE(r.text[language].empty());
            EXPECT_TRUE(isPlainAscii(r.text[language])) << "'" << r.text[language] << "'";
            for (std::string_view entry : r.items[language])
                EXPECT_TRUE(isPlainAscii(entry) && !entry.empty()) << "'" << entry << "'";
            if (r.property == Property::TextAndItems)
                EXPECT_EQ(r.items[language].size(), r.items[kItalian].size());
            else
                EXPECT_TRUE(r.items[language].empty());
        }
    }
}

TEST(CaptionTableOrder, SwitchStepsFindTheirRowsWhereTheyExpectThem)
{
    // Step 1: the button image and both check marks.
    EXPECT_EQ(row(1).control, "ButtonLingua"sv);
    EXPECT_EQ(row(1).property, Property::ImageIndex);
    EXPECT_EQ(row(2).control, "Italiano"sv);
    EXPECT_EQ(row(3).control, "Inglese"sv);
    // Step 2 ends with the save dialog; step 3 is the status panel alone.
    EXPECT_EQ(row(4).control, "ButtonLingua"sv);
    EXPECT_EQ(row(4).property, Property::Hint);
    EXPECT_EQ(row(5).control, "Form1"sv);
    EXPECT_EQ(row(15).control, "SaveDialog1"sv);
    EXPECT_EQ(row(15).property, Property::Title);
    EXPECT_EQ(row(16).control, "Panel4"sv);
    EXPECT_EQ(row(16).property, Property::StatusPrompt);
    // Steps 5, 7 and 8: the lists and the last row.
    EXPECT_EQ(row(39).control, "ComboDimScorr"sv);
    EXPECT_EQ(row(40).control, "ComboVelocita"sv);
    EXPECT_EQ(row(49).control, "ComboDimFisso"sv);
    EXPECT_EQ(row(50).control, "GroupVersione"sv);

    std::vector<std::size_t> listRows, promptRows;
    for (std::size_t n = 1; n <= 50; ++n) {
        if (row(n).property == Property::TextAndItems)
            listRows.push_back(n);
        if (row(n).property == Property::StatusPrompt)
            promptRows.push_back(n);
    }
    EXPECT_EQ(listRows, (std::vector<std::size_t>{39, 40, 49}));
    EXPECT_EQ(promptRows, (std::vector<std::size_t>{16}));
}

TEST(CaptionTableOrder, DialogRowsComeAsFilterThenTitleForOpenThenSave)
{
    const std::vector<std::pair<std::string_view, Property>> expected{
        {"OpenDialog1", Property::Filter}, {"OpenDialog1", Property::Title},
        {"SaveDialog1", Property::Filter}, {"SaveDialog1", Property::Title}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(row(12 + i).control, expected[i].first);
        EXPECT_EQ(row(12 + i).property, expected[i].second);
    }
    for (std::size_t n : {12u, 14u})
        for (std::string_view filter : row(n).text) {
            EXPECT_EQ(std::count(filter.begin(), filter.end(), '|'), 1) << filter;
            EXPECT_TRUE(filter.ends_with("|*.hex")) << filter;
        }
}

TEST(CaptionTableOrder, FrameHintsNumberTheButtonsFromOne)
{
    for (std::size_t frame = 0; frame < 16; ++frame) {
        const CaptionRow& r = row(18 + frame);
        EXPECT_EQ(r.control, "Quadro" + std::to_string(frame));
        EXPECT_EQ(r.property, Property::Hint);
        EXPECT_EQ(r.text[kItalian], "Quadro " + std::to_string(frame + 1));
        EXPECT_EQ(r.text[kEnglish], "Frame " + std::to_string(frame + 1));
    }
}

TEST(CaptionTableTexts, LanguageRowsDescribeTheOtherLanguage)
{
    EXPECT_EQ(row(1).text[kItalian], "17"sv);  // British flag while Italian
    EXPECT_EQ(row(1).text[kEnglish], "16"sv);  // Italian flag while English
    for (std::size_t language : {kItalian, kEnglish}) {
        const bool italian = language == kItalian;
        EXPECT_EQ(row(2).text[language], italian ? "true"sv : "false"sv);
        EXPECT_EQ(row(3).text[language], italian ? "false"sv : "true"sv);
    }
    EXPECT_NE(row(4).text[kItalian].find("English"), std::string_view::npos);
    EXPECT_NE(row(4).text[kEnglish].find("Italiana"), std::string_view::npos);
}

TEST(CaptionTableTexts, WindowTitleHas43BlanksAndNoTrailingOne)
{
    for (std::string_view title : row(5).text) {
        EXPECT_EQ(title.find_first_not_of(' '), 43u) << "'" << title << "'";
        EXPECT_TRUE(title.substr(43).starts_with("---- "));
        EXPECT_TRUE(title.ends_with(" ----"));
    }
    EXPECT_TRUE(row(5).text[kItalian].ends_with("Barre  Kelvo ----"));
    EXPECT_TRUE(row(5).text[kEnglish].ends_with("---- Customize Bar Kelvo ----"));
}

TEST(CaptionTableTexts, ListsKeepTheirEntriesInPositionOrder)
{
    const CaptionRow& heights = row(39);
    const CaptionRow& speeds = row(40);
    ASSERT_EQ(heights.items[kItalian].size(), 4u);
    ASSERT_EQ(speeds.items[kItalian].size(), 3u);
    EXPECT_EQ(heights.items[kItalian][1], "Altezza Media"sv);
    EXPECT_EQ(heights.items[kEnglish][1], "Medium Height"sv);
    EXPECT_EQ(heights.items[kEnglish][3], "Big Heigth"sv);
    EXPECT_EQ(speeds.items[kItalian][2], "Velocita' Alta"sv);
    EXPECT_EQ(speeds.items[kEnglish][2], "High Speed"sv);
    // The speed list shares the height lists' placeholder in the switch.
    EXPECT_EQ(speeds.text, heights.text);
    EXPECT_EQ(heights.text[kItalian], "Dimensione"sv);
    EXPECT_EQ(heights.text[kEnglish], "Dimension"sv);
}

TEST(CaptionTableTexts, BothHeightListsReadAlike)
{
    const CaptionRow& scrolling = row(39);
    const CaptionRow& fixed = row(49);
    EXPECT_EQ(fixed.text, scrolling.text);
    for (std::size_t language : {kItalian, kEnglish})
        EXPECT_TRUE(std::ranges::equal(fixed.items[language], scrolling.items[language]));
}

TEST(FormStartupTexts, DifferFromTheItalianSetInThreePlacesOnly)
{
    std::vector<std::string_view> differing;
    for (const CaptionRow& r : i18n::captionRows()) {
        const std::string form = i18n::startupText(r);
        if (form != r.text[kItalian])
            differing.push_back(r.control);
    }
    EXPECT_EQ(differing, (std::vector<std::string_view>{"Form1", "Panel4", "ComboVelocita"}));

    EXPECT_EQ(i18n::startupText(row(5)), std::string(row(5).text[kItalian]) + " ");
    EXPECT_EQ(i18n::startupText(row(16)),
              "Cliccare sull' icona di sinistra per aprire il file ");
    EXPECT_EQ(i18n::startupText(row(40)), "Velocita'");
    EXPECT_EQ(i18n::startupText(row(39)), "Dimensione");
}
