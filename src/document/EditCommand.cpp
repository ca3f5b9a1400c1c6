#include "document/EditCommand.h"

EditCommand::EditCommand(const QString& name, EditState before, EditState after, int mergeKey,
                         Restorer restorer)
    : QUndoCommand(name), _before(std::move(before)), _after(std::move(after)), _mergeKey(mergeKey),
      _open(mergeKey > 0), _editedAt(std::chrono::steady_clock::now()),
      _restorer(std::move(restorer)) {}

void EditCommand::undo() {
    _open = false; // an edit after an undo is a step of its own
    _restorer(_before);
}

void EditCommand::redo() {
    if (_pushed) {
        _open = false;
        _restorer(_after);
    }
    _pushed = true;
}

int EditCommand::id() const {
    return _mergeKey > 0 ? _mergeKey : -1;
}

bool EditCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const EditCommand*>(other);
    if (!_open || next->_editedAt - _editedAt >= kTypingPause) {
        return false;
    }
    _after = next->_after;
    _editedAt = next->_editedAt;
    return true;
}
