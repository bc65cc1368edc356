// Where the grids hand a change of the set-up so that it becomes one undo step: the window
// records the set-up before and after and names the step with the caption. Without a
// recorder (tests of a grid alone) the change simply runs.
#pragma once

#include <functional>
#include <string>

namespace orvel {

class ChangeRecorder {
public:
    virtual ~ChangeRecorder() = default;
    // Runs `change` as one step named `caption` ("paste bank 3"). A change that leaves the
    // set-up as it was makes no step.
    virtual void Record(const std::string& caption, const std::function<void()>& change) = 0;
    // A step that spans a while (a transfer command whose rows arrive one by one): the
    // set-up is recorded at Begin, and at End the step is made when anything changed. Begin
    // and End nest; the outermost pair makes the step.
    virtual void Begin(const std::string& caption) = 0;
    virtual void End() = 0;
};

inline void RecordChange(ChangeRecorder* recorder, const std::string& caption, const std::function<void()>& change)
{
    if (recorder)
        recorder->Record(caption, change);
    else
        change();
}

}  // namespace orvel
