#pragma once

#include <QApplication>
#include <QStackedWidget>
#include <QTest>
#include <QWidget>

#include <memory>

// A window that goes away while the user is typing in one of its fields:
// the window is shown and made active, the field's page brought up, the
// field takes the keyboard and a digit, then the window is destroyed.
namespace FieldInEdit {

// True when the field holds the keyboard, so that its edit ends when the
// window goes.
inline bool start(QWidget& window, QWidget& field)
{
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        return false;
    for (QWidget* page = &field; page != &window; page = page->parentWidget()) {
        if (auto* pages = qobject_cast<QStackedWidget*>(page->parentWidget()))
            pages->setCurrentWidget(page);
    }
    field.setFocus(Qt::OtherFocusReason);
    QTest::keyClick(&field, Qt::Key_1);
    return QApplication::focusWidget() == &field;
}

// Starts the edit and destroys the window; false when the field never
// held the keyboard.
inline bool destroy(std::unique_ptr<QWidget> window, QWidget& field)
{
    const bool editing = start(*window, field);
    window.reset();
    return editing;
}

}  // namespace FieldInEdit
