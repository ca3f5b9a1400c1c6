#pragma once

#include "document/EditState.h"

#include <QUndoCommand>
#include <chrono>
#include <functional>

// One undo step: the window's state before and after an edit. Undo and redo
// hand the state to the restorer; the first redo (the push) does nothing, the
// edit has happened already. Quick repeats of one control (typing, a slider
// drag) merge into one step until a pause.
class EditCommand : public QUndoCommand {
public:
    using Restorer = std::function<void(const EditState&)>;

    // Repeats closer together than this are one step.
    static constexpr std::chrono::milliseconds kTypingPause{1000};

    EditCommand(const QString& name, EditState before, EditState after, int mergeKey,
                Restorer restorer);

    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

private:
    EditState _before;
    EditState _after;
    int _mergeKey; // 0: never merges
    bool _open;    // a repeat may still merge into it
    bool _pushed = false;
    std::chrono::steady_clock::time_point _editedAt;
    Restorer _restorer;
};
