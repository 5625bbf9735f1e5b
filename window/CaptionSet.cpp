#include "CaptionSet.h"

#include "CaptionTable.h"
#include "FormTessel.h"
#include "NameFilter.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QString>
#include <QToolButton>
#include <QWidget>

#include <charconv>

namespace {

using i18n::CaptionRow;
using i18n::Language;
using i18n::Property;

QString text(std::string_view utf8)
{
    return QString::fromUtf8(utf8);
}

QObject *control(QWidget &form, const CaptionRow &row)
{
    const QString name = text(row.control);
    if (form.objectName() == name)
        return &form;
    return form.findChild<QObject *>(name);
}

int number(std::string_view digits)
{
    int value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return value;
}

// A control that shows no text of its own is named by its hint.
bool namedByHint(const QWidget &widget)
{
    if (qobject_cast<const QLineEdit *>(&widget))
        return true;
    const auto *button = qobject_cast<const QAbstractButton *>(&widget);
    return button && button->text().isEmpty();
}

// A menu entry is read by its text, or by this property where it has none. On Linux Qt reads
// a drop-down list's name from the label whose buddy it is, the list's own name being its
// entry: the list's hidden label and its text field take the name too.
void nameForReader(QObject *target, const QString &value)
{
    if (auto *action = qobject_cast<QAction *>(target)) {
        action->setProperty("accessibleName", value);
        QAccessibleEvent event(action, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    } else if (auto *widget = qobject_cast<QWidget *>(target)) {
        widget->setAccessibleName(value);
    }
    auto *list = qobject_cast<QComboBox *>(target);
    if (!list || !list->lineEdit())
        return;
    list->lineEdit()->setAccessibleName(value);
    for (QLabel *label : list->parentWidget()->findChildren<QLabel *>(Qt::FindDirectChildrenOnly)) {
        if (label->buddy() == list)
            label->setText(value);
    }
}

void describe(QObject *target, Property property, const QString &value)
{
    if (property == Property::ReaderName)
        return nameForReader(target, value);
    auto *widget = qobject_cast<QWidget *>(target);
    if (!widget || widget->isWindow())
        return;
    if (property == Property::Caption) {
        widget->setAccessibleName(value);
    } else if (property == Property::Hint) {
        widget->setAccessibleDescription(value);
        if (namedByHint(*widget))
            widget->setAccessibleName(value);
    }
}

void writeCaption(QObject *target, const QString &value)
{
    if (auto *menu = qobject_cast<QMenu *>(target))
        menu->setTitle(value);
    else if (auto *action = qobject_cast<QAction *>(target))
        action->setText(value);
    else if (auto *group = qobject_cast<QGroupBox *>(target))
        group->setTitle(value);
    else if (auto *widget = qobject_cast<QWidget *>(target); widget && widget->isWindow())
        widget->setWindowTitle(value);
    else if (target->metaObject()->indexOfProperty("caption") >= 0)
        target->setProperty("caption", value);
    else
        target->setProperty("text", value);
}

void writeHint(QObject *target, const QString &value)
{
    if (auto *action = qobject_cast<QAction *>(target))
        action->setToolTip(value);
    else if (auto *widget = qobject_cast<QWidget *>(target))
        widget->setToolTip(value);
}

// The list keeps its entries' positions: only their texts change.
void rebuildList(QComboBox &list, const CaptionRow &row, Language language)
{
    list.setProperty("Tag", list.currentIndex());
    const QString placeholder = text(row.text[std::size_t(language)]);
    for (int position = list.count() - 1; position >= 0; --position)
        list.removeItem(position);
    for (const std::string_view entry : row.items[std::size_t(language)])
        list.addItem(text(entry));
    TForm1::SetItemHeight(&list);
    const int selected = list.property("Tag").toInt();
    list.setCurrentIndex(selected);
    if (selected < 0)
        list.setEditText(placeholder);
}

void writeRow(QWidget &form, const CaptionRow &row, Language language)
{
    QObject *target = control(form, row);
    if (!target)
        return;
    const QString value = text(row.text[std::size_t(language)]);
    switch (row.property) {
    case Property::ImageIndex:
        if (auto *button = qobject_cast<QToolButton *>(target))
            TForm1::SetImageIndex(button, number(row.text[std::size_t(language)]));
        break;
    case Property::Checked:
        if (auto *action = qobject_cast<QAction *>(target))
            action->setChecked(value == QLatin1String("true"));
        break;
    case Property::Hint:
        writeHint(target, value);
        break;
    case Property::Caption:
        writeCaption(target, value);
        break;
    case Property::Filter:
        if (auto *dialog = qobject_cast<QFileDialog *>(target))
            dialog->setNameFilter(QtNameFilter(value));
        break;
    case Property::Title:
        if (auto *dialog = qobject_cast<QFileDialog *>(target))
            dialog->setWindowTitle(value);
        break;
    case Property::StatusPrompt:
        if (target->property("Tag").toInt() != 0)
            return;  // a file name stays
        target->setProperty("caption", value);
        break;
    case Property::TextAndItems:
        if (auto *list = qobject_cast<QComboBox *>(target))
            rebuildList(*list, row, language);
        return;
    case Property::ReaderName:
        break;
    }
    describe(target, row.property, value);
}

}  // namespace

void writeCaptionSet(QWidget &form, Language language)
{
    for (const CaptionRow &row : i18n::captionRows())
        writeRow(form, row, language);
}

void describeStartupTexts(QWidget &form)
{
    for (const CaptionRow &row : i18n::captionRows()) {
        if (QObject *target = control(form, row))
            describe(target, row.property, text(row.text[std::size_t(Language::Italian)]));
    }
}
