#pragma once
// Drives real widgets of a window as a user would: choosing list items,
// clicking check boxes, typing into text boxes, moving the focus.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>
#include <gtest/gtest.h>

template <typename T> T* Control(QWidget* window, const char* name) {
    T* control = window->findChild<T*>(QLatin1String(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
}

// Chooses a list item by its text, as a click on it does.
inline void Choose(QComboBox* list, const QString& text) {
    const int index = list->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    list->setCurrentIndex(index);
    Q_EMIT list->activated(index);
}

inline void Key(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                const QString& text = QString()) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(target, &release);
}

// Types each character as its own key press.
inline void Type(QLineEdit* box, const QString& text) {
    for (QChar c : text)
        Key(box, c.isLetter() ? c.toUpper().unicode() : c.unicode(), Qt::NoModifier, QString(c));
}

// Gives the window's box the keyboard focus (the window is made active first).
inline void Focus(QWidget* box) {
    QWidget* window = box->window();
    window->show();
    QApplication::setActiveWindow(window);
    box->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
}
