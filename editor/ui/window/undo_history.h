// The window's undo history: every change of the set-up becomes one step on a QUndoStack,
// a record of the whole set-up (presets, active cells, bank functions, settings, tiles)
// before and after it. Undo and redo put a record back and have the window show it again;
// they never reach the controller. A step that loaded a file also puts back the current
// file name it replaced, so Save never writes one set-up into another's file.
#pragma once

#include <QObject>
#include <QUndoStack>

#include <functional>
#include <memory>
#include <string>

#include "files/editor_state.h"
#include "model/change_recorder.h"
#include "model/setup_snapshot.h"

namespace orvel {

class UndoHistory : public QObject, public ChangeRecorder {
    Q_OBJECT
public:
    // `show` redraws the window from the state after an undo or redo.
    UndoHistory(EditorState& state, std::function<void()> show, QObject* parent = nullptr);
    // The stack's clearing on the way out tells no one: the window may be half gone.
    ~UndoHistory() override { stack_.blockSignals(true); }
    UndoHistory(const UndoHistory&) = delete;
    UndoHistory& operator=(const UndoHistory&) = delete;

    // One step around `change`. Inside an open step the change joins that step.
    void Record(const std::string& caption, const std::function<void()>& change) override;

    // A step that spans a while (a transfer command whose rows arrive one by one): the
    // set-up is recorded at Begin, and at End the step is pushed when anything changed.
    // Begin and End nest; the outermost pair makes the step.
    void Begin(const std::string& caption);
    void End();
    bool Open() const { return depth_ > 0; }

    QUndoStack& Stack() { return stack_; }

private:
    friend class SetupStep;
    void Show(const std::shared_ptr<const SetupSnapshot>& snapshot, const std::string& file_name, bool with_file);

    EditorState& state_;
    std::function<void()> show_;
    QUndoStack stack_;
    int depth_ = 0;
    std::string caption_;
    std::shared_ptr<const SetupSnapshot> before_;
    std::string file_before_;
    std::shared_ptr<const SetupSnapshot> shown_;  // the set-up as the last step left it
};

}  // namespace orvel
