#pragma once

// While it lives, answers every modal message box as a user would: reads what it says,
// then clicks its OK button. Boxes run nested event loops, so the answer comes from a
// timer that keeps looking for the active modal widget.

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <QTest>
#include <QTimer>
#include <vector>

class MessageBoxAnswerer {
public:
    struct Seen {
        QString caption;
        QString text;
        QMessageBox::Icon icon;
        QWidget *parent;
    };

    MessageBoxAnswerer()
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { answer(); });
        m_timer.start();
    }

    const std::vector<Seen> &seen() const { return m_seen; }
    void clear() { m_seen.clear(); }

private:
    void answer()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        m_seen.push_back({box->windowTitle(), box->text(), box->icon(), box->parentWidget()});
        QAbstractButton *ok = box->button(QMessageBox::Ok);
        if (ok)
            QTest::mouseClick(ok, Qt::LeftButton);
        else
            box->reject();
    }

    QTimer m_timer;
    std::vector<Seen> m_seen;
};
