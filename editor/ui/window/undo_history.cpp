#include "ui/window/undo_history.h"

#include <utility>

#include <QUndoCommand>

#include "ui/rules/edit_captions.h"

namespace orvel {

// One step: the set-up before and after, and for an Open the file marks before and after.
class SetupStep : public QUndoCommand {
public:
    using FileMark = UndoHistory::FileMark;

    SetupStep(UndoHistory& history, const std::string& caption, std::shared_ptr<const SetupSnapshot> before,
              std::shared_ptr<const SetupSnapshot> after, std::optional<FileMark> file_before,
              std::optional<FileMark> file_after)
        : QUndoCommand(QString::fromStdString(caption)),
          history_(history),
          before_(std::move(before)),
          after_(std::move(after)),
          file_before_(std::move(file_before)),
          file_after_(std::move(file_after))
    {
    }

    void undo() override { history_.Show(before_, file_before_); }

    void redo() override
    {
        // QUndoStack::push calls redo at once: the change has been made already.
        if (pushed_) history_.Show(after_, file_after_);
        pushed_ = true;
    }

private:
    UndoHistory& history_;
    std::shared_ptr<const SetupSnapshot> before_;
    std::shared_ptr<const SetupSnapshot> after_;
    std::optional<FileMark> file_before_;
    std::optional<FileMark> file_after_;
    bool pushed_ = false;
};

UndoHistory::UndoHistory(EditorState& state, std::function<void()> show, QObject* parent)
    : QObject(parent), state_(state), show_(std::move(show)), stack_(this)
{
    stack_.setUndoLimit(kUndoHistorySteps);
}

void UndoHistory::Record(const std::string& caption, const std::function<void()>& change)
{
    Begin(caption);
    change();
    End();
}

void UndoHistory::RecordOpen(const std::string& caption, const std::function<void()>& change)
{
    BeginStep(caption, true);
    change();
    End();
}

void UndoHistory::BeginStep(const std::string& caption, bool opens_file)
{
    if (depth_++ > 0) return;
    caption_ = caption;
    opens_file_ = opens_file;
    auto before = std::make_shared<const SetupSnapshot>(TakeSetupSnapshot(state_.table, state_.settings));
    // Consecutive steps share the record between them when nothing came in between.
    before_ = shown_ && *shown_ == *before ? shown_ : std::move(before);
    file_before_ = MarkOf();
}

void UndoHistory::End()
{
    if (depth_ == 0 || --depth_ > 0) return;
    auto after = std::make_shared<const SetupSnapshot>(TakeSetupSnapshot(state_.table, state_.settings));
    if (*after == *before_) {
        before_.reset();
        return;
    }
    shown_ = after;
    std::optional<FileMark> file_before;
    std::optional<FileMark> file_after;
    if (opens_file_) {
        file_before = std::move(file_before_);
        file_after = MarkOf();
    }
    stack_.push(new SetupStep(*this, caption_, std::move(before_), std::move(after), std::move(file_before),
                              std::move(file_after)));
}

void UndoHistory::Show(const std::shared_ptr<const SetupSnapshot>& snapshot, const std::optional<FileMark>& file)
{
    RestoreSetupSnapshot(*snapshot, state_.table, state_.settings);
    if (file) {
        state_.current_file = file->current_file;
        state_.saved = file->saved;
        state_.read_from_controller = file->read_from_controller;
    }
    shown_ = snapshot;
    show_();
}

}  // namespace orvel
