#pragma once
// Checks that assistive technology can name every field of a window.
#include <QAccessible>
#include <QLabel>
#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

namespace olvex::testsupport {

inline QString accessibleName(QWidget *widget)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

// Every one of `fieldNames` (object names) has a label whose buddy it is: its
// accessible name is the label's text without the mnemonic marker, and
// assistive technology finds the label as the field's label. (On Linux a
// combo box reports its current value as its name and relies on the label
// relation instead.)
inline void expectFieldsNamedByTheirLabels(const QWidget &window, const QStringList &fieldNames)
{
    for (const QString &name : fieldNames) {
        SCOPED_TRACE(name.toStdString());
        auto *field = window.findChild<QWidget *>(name);
        ASSERT_NE(field, nullptr);
        QLabel *label = nullptr;
        for (QLabel *candidate : window.findChildren<QLabel *>()) {
            if (candidate->buddy() == field)
                label = candidate;
        }
        ASSERT_NE(label, nullptr) << "no label for the field";
        const QString caption = QString(label->text()).remove(QLatin1Char('&'));
        EXPECT_FALSE(caption.isEmpty());
        EXPECT_EQ(field->accessibleName().toStdString(), caption.toStdString());

        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(field);
        ASSERT_NE(accessible, nullptr);
        bool labelled = false;
        for (const auto &[other, relation] : accessible->relations(QAccessible::Label))
            labelled = labelled || other->object() == label;
        EXPECT_TRUE(labelled) << "the label is not reported as the field's label";
    }
}

} // namespace olvex::testsupport
