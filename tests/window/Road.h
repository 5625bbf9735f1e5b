#pragma once

// The window shown for a road through it, with the steps a user takes on every road.

#include "BevelPanel.h"
#include "FormTessel.h"
#include "UserActions.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

inline const firmware::GeneratorSettings kOnFile{.slidingText = "CQ CQ DE IW2ABC", .fixedText = "IW2ABC", .frame = 5,
    .slidingHeight = 1, .fixedHeight = 2, .slidingColour = 2, .fixedColour = 0, .speed = 1};

class Road : public testing::Test {
protected:
    void SetUp() override
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    template <class T = QWidget>
    T* Find(const char* name)
    {
        T* found = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    void Click(const char* name) { QTest::mouseClick(Find(name), Qt::LeftButton); }
    // Offscreen no window manager hands the keyboard back to the window after a popup or a
    // dialog; a user would click into it.
    void Keys(QKeyCombination keys, QWidget* into = nullptr)
    {
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == &window; }));
        if (into != nullptr)
            into->setFocus();  // the keys then go where the keyboard's focus is, as a user's do
        QTest::keyClick(into != nullptr ? QApplication::focusWidget() : &window, keys.key(), keys.keyboardModifiers());
    }
    QString Status() { return Find<BevelPanel>("Panel4")->caption(); }
    QString Path(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }

    // Ctrl+O, the name typed into the open dialog, then whatever the open brings up.
    void Open(const QString& path, std::initializer_list<Answers::Step> then = {})
    {
        std::vector<Answers::Step> steps{TypeFileName(path)};
        steps.insert(steps.end(), then);
        Answers answers(steps);
        Keys(Qt::CTRL | Qt::Key_O);
    }

    // Picks an entry of a drop-down list from its open list, as a mouse user does.
    void Pick(const char* list, int position, int entryHeight)
    {
        auto* combo = Find<QComboBox>(list);
        combo->showPopup();
        QAbstractItemView* view = combo->view();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
        const QRect entry = view->visualRect(view->model()->index(position, 0));
        EXPECT_EQ(entry.height(), entryHeight) << list;
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, entry.center());
    }

    QTemporaryDir folder;
    TForm1 window;
};

// Roads that look at the window, taken at scale 2 as well.
using Look = Road;
