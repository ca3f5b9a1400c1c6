#pragma once

#include <QKeySequence>
#include <QList>
#include <functional>

class AppController;
class QAction;
class QMainWindow;
class QObject;

// The window's menus and their keys, made from one table.
class WindowActions {
public:
    WindowActions() = delete;

    struct Entry {
        const char* menu; // its menu's title; menus appear in the order first named
        const char* text; // nullptr: a separator
        const char* objectName = nullptr;
        // The platform's keys, and beside them the one every desktop user
        // expects (Ctrl+Shift+Z is not Redo everywhere, the offscreen platform
        // has no Quit key).
        QKeySequence::StandardKey key = QKeySequence::UnknownKey;
        QKeyCombination fallback = {};
        std::function<void(bool checked)> triggered = {};
        bool checkable = false;
        // An action made elsewhere (undo and redo come from the undo stack).
        std::function<QAction*(QObject* parent)> make = {};
    };

    // Adds the entries to the window's menu bar; the actions made, in order
    // (separators left out), owned by owner.
    static QList<QAction*> Build(QMainWindow* window, QObject* owner, const QList<Entry>& entries);
    // The main window's menus, File, Edit, View and Help, for the controller's
    // actions; each action's objectName is its name in code ("openAction", ...).
    static void MakeMenus(AppController& controller, QMainWindow* window);
};
