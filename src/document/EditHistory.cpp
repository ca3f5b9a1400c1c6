#include "document/EditHistory.h"

#include "document/EditCommand.h"

EditHistory::EditHistory(Capture capture, Restore restore)
    : _capture(std::move(capture)), _restore(std::move(restore)) {
    _stack.setUndoLimit(kUndoLimit);
}

void EditHistory::Start() {
    _last = _capture();
    _recording = true;
}

void EditHistory::Record(const QString& name, int mergeKey) {
    if (!_recording) {
        return;
    }
    EditState now = _capture();
    if (now.SameEdits(_last)) {
        _last = std::move(now); // the previews may have changed all the same
        return;
    }
    auto* step = new EditCommand(name, _last, now, mergeKey,
                                 [this](const EditState& state) { Restored(state); });
    _last = std::move(now);
    _stack.push(step);
}

void EditHistory::Restored(const EditState& state) {
    const bool was = _recording;
    _recording = false;
    _restore(state);
    _last = _capture();
    _recording = was;
}
