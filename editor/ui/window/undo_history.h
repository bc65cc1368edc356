// The window's undo history: every change of the set-up becomes one step on a QUndoStack,
// a record of the whole set-up (presets, active cells, bank functions, settings, tiles)
// before and after it. Undo and redo put a record back and have the window show it again;
// they never reach the controller. Only a step that opened a file puts back the current
// file name it replaced (with what that file held when last saved), so Save never writes
// one set-up into another's file; every other step leaves the name Save writes to alone,
// a Save As made while a command ran included.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <QObject>
#include <QUndoStack>

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
    // The same for opening a file: undo and redo also put back the file name and its mark.
    void RecordOpen(const std::string& caption, const std::function<void()>& change);

    void Begin(const std::string& caption) override { BeginStep(caption, false); }
    void End() override;
    bool Open() const { return depth_ > 0; }

    QUndoStack& Stack() { return stack_; }

private:
    friend class SetupStep;
    void BeginStep(const std::string& caption, bool opens_file);
    // The file Save writes to, with what it held when last opened or saved.
    struct FileMark {
        std::string current_file;
        std::shared_ptr<const SetupSnapshot> saved;
        bool read_from_controller = false;
    };
    FileMark MarkOf() const { return {state_.current_file, state_.saved, state_.read_from_controller}; }
    void Show(const std::shared_ptr<const SetupSnapshot>& snapshot, const std::optional<FileMark>& file);

    EditorState& state_;
    std::function<void()> show_;
    QUndoStack stack_;
    int depth_ = 0;
    std::string caption_;
    std::shared_ptr<const SetupSnapshot> before_;
    bool opens_file_ = false;
    FileMark file_before_;
    std::shared_ptr<const SetupSnapshot> shown_;  // the set-up as the last step left it
};

}  // namespace orvel
