#include "app/WindowActions.h"

#include "app/AppController.h"
#include "app/ControlNames.h"
#include "app/Sheets.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QUndoStack>

namespace {

QMenu* MenuOf(QMainWindow* window, const char* title) {
    const QString text = QMenu::tr(title);
    for (QAction* action : window->menuBar()->actions()) {
        if (action->menu() != nullptr && action->text() == text) {
            return action->menu();
        }
    }
    return window->menuBar()->addMenu(text);
}

QAction* Made(QObject* owner, const WindowActions::Entry& entry) {
    if (entry.make) {
        return entry.make(owner);
    }
    auto* action = new QAction(QAction::tr(entry.text), owner);
    action->setCheckable(entry.checkable);
    // A checkable action answers being set from code too, as a check box does.
    if (entry.checkable) {
        QObject::connect(action, &QAction::toggled, owner, entry.triggered);
    } else {
        QObject::connect(action, &QAction::triggered, owner, entry.triggered);
    }
    return action;
}

void SetKeys(QAction* action, const WindowActions::Entry& entry) {
    QList<QKeySequence> keys = entry.key == QKeySequence::UnknownKey
                                   ? QList<QKeySequence>()
                                   : QKeySequence::keyBindings(entry.key);
    if (entry.fallback.key() != Qt::Key_unknown && !keys.contains(QKeySequence(entry.fallback))) {
        keys.append(QKeySequence(entry.fallback));
    }
    action->setShortcuts(keys);
}

} // namespace

QList<QAction*> WindowActions::Build(QMainWindow* window, QObject* owner,
                                     const QList<Entry>& entries) {
    QList<QAction*> made;
    for (const Entry& entry : entries) {
        QMenu* menu = MenuOf(window, entry.menu);
        if (entry.text == nullptr) {
            menu->addSeparator();
            continue;
        }
        QAction* action = Made(owner, entry);
        if (entry.objectName != nullptr) {
            action->setObjectName(QLatin1String(entry.objectName));
        }
        SetKeys(action, entry);
        menu->addAction(action);
        made << action;
    }
    return made;
}

void WindowActions::MakeMenus(AppController& c, QMainWindow* window) {
    QUndoStack* stack = c.UndoStack();
    // The set's action, when checked, chooses it.
    const auto choose = [&c](const char* key) {
        return [&c, key](bool checked) {
            if (checked) {
                c.Document().SetNetworkSet(QLatin1String(key));
            }
        };
    };
    QList<Entry> entries{
        {"&File", "&Open picture…", "openAction", QKeySequence::Open, Qt::CTRL | Qt::Key_O,
         [&c](bool) { c.LoadUserPic(); }},
        {"&File", "&Save profile pictures…", "saveAction", QKeySequence::Save, Qt::CTRL | Qt::Key_S,
         [&c](bool) { c.SaveUserPic(); }},
        {"&File", "&Quit", "quitAction", QKeySequence::Quit, Qt::CTRL | Qt::Key_Q,
         [window](bool) { window->close(); }},
        {"&Edit",
         "&Undo",
         "undoAction",
         QKeySequence::Undo,
         Qt::CTRL | Qt::Key_Z,
         {},
         false,
         [stack](QObject* owner) { return stack->createUndoAction(owner, QAction::tr("&Undo")); }},
        {"&Edit",
         "&Redo",
         "redoAction",
         QKeySequence::Redo,
         Qt::CTRL | Qt::SHIFT | Qt::Key_Z,
         {},
         false,
         [stack](QObject* owner) { return stack->createRedoAction(owner, QAction::tr("&Redo")); }},
        {"&Edit", nullptr},
        {"&Edit", "&Copy picture", "copyAction", QKeySequence::Copy, Qt::CTRL | Qt::Key_C,
         [&c](bool) { c.CopyPicture(); }},
        {"&Edit", "&Paste picture", "pasteAction", QKeySequence::Paste, Qt::CTRL | Qt::Key_V,
         [&c](bool) { c.PastePicture(); }},
        {"&Edit", "&Find face", "findFaceAction", QKeySequence::Find, Qt::CTRL | Qt::Key_F,
         [&c](bool) { c.FindFace(); }},
        {"&Image", "Rotate &left", "rotateLeftAction", QKeySequence::UnknownKey,
         Qt::CTRL | Qt::Key_L, [&c](bool) { c.RotateLeft(); }},
        {"&Image", "Rotate &right", "rotateRightAction", QKeySequence::UnknownKey,
         Qt::CTRL | Qt::Key_R, [&c](bool) { c.RotateRight(); }},
        {"&Image",
         "&Flip horizontally",
         "flipAction",
         QKeySequence::UnknownKey,
         {},
         [&c](bool) { c.Flip(); }},
        {"&Image",
         "&Straighten…",
         "straightenAction",
         QKeySequence::UnknownKey,
         {},
         [&c](bool) { c.Straighten(); }},
        {"&View",
         "&Round previews",
         "roundPreviews",
         QKeySequence::UnknownKey,
         {},
         [&c](bool round) { c.SetRoundPreviews(round); },
         true},
        {"&View", nullptr},
        {"&View",
         "Networks of &2012",
         "classicNetworks",
         QKeySequence::UnknownKey,
         {},
         choose(NetworkSets::kClassicKey),
         true},
        {"&View",
         "Networks of &today",
         "todayNetworks",
         QKeySequence::UnknownKey,
         {},
         choose(NetworkSets::kTodayKey),
         true},
        {"&Help",
         "Trellica &product page",
         "productPageAction",
         QKeySequence::UnknownKey,
         {},
         [&c](bool) { c.NewVersionClick(); }},
        {"&Help",
         "&About Trellica",
         "aboutAction",
         QKeySequence::UnknownKey,
         {},
         [window](bool) { Sheets::AboutBox(window)->open(); }},
    };
    // The more looks, a menu of their own before View: each checkable, an edit when set.
    qsizetype at = 0;
    while (QLatin1String(entries[at].menu) != QLatin1String("&View")) {
        ++at;
    }
    for (size_t row = 0; row < MoreLooks::kCount; ++row) {
        entries.insert(at++, {"More &looks",
                              MoreLooks::Rows()[row].name,
                              ControlNames::MoreLookActions()[row],
                              QKeySequence::UnknownKey,
                              {},
                              [&c, row](bool on) { c.Document().SetMoreLook(row, on); },
                              true});
    }
    // The two network sets are one choice.
    auto* sets = new QActionGroup(window);
    for (QAction* action : Build(window, window, entries)) {
        if (action->objectName().endsWith(QLatin1String("Networks"))) {
            sets->addAction(action);
        }
    }
}
