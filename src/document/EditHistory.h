#pragma once

#include "document/EditState.h"

#include <QString>
#include <QUndoStack>
#include <functional>

// The undo history of a document: each recorded edit is one step from the
// state after the last step to the state now, unless nothing changed. Steps
// that are being undone or redone record nothing.
class EditHistory {
public:
    using Capture = std::function<EditState()>;
    using Restore = std::function<void(const EditState&)>;

    // Each step may keep a picture alive; older steps go.
    static constexpr int kUndoLimit = 100;
    // Merge keys: quick repeats of the same control are one step.
    static constexpr int kTyping = 1;
    static constexpr int kTextSize = 2;
    static constexpr int kSelectionKeys = 3;
    static constexpr int kStraightenKeys = 4;

    EditHistory(Capture capture, Restore restore);

    QUndoStack* Stack() { return &_stack; }
    // Steps are recorded from the state now on.
    void Start();
    // mergeKey > 0: repeats with the same key within a pause merge.
    void Record(const QString& name, int mergeKey = 0);

private:
    void Restored(const EditState& state);

    Capture _capture;
    Restore _restore;
    QUndoStack _stack;
    EditState _last;         // after the last recorded edit
    bool _recording = false; // from Start on, except while a step is restored
};
