// The pseudo-terminal the simulator answers on: it owns the master side and keeps a slave
// descriptor of its own open, so the master never sees a hang-up when the editor closes its
// side; only Close() makes the line disappear.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "sim/unique_fd.h"

namespace kpxsim {

class PtyLine {
public:
    PtyLine();  // opens a new line in raw mode; throws std::system_error
    PtyLine(const PtyLine&) = delete;
    PtyLine& operator=(const PtyLine&) = delete;

    const std::string& SlavePath() const { return slave_path_; }
    bool IsOpen() const { return master_.Valid(); }
    int MasterFd() const { return master_.Get(); }  // non-blocking

    // The output bit rate the editor set on its side.
    std::optional<unsigned> EditorSpeed() const;
    // True while bytes written to the master still wait to be read on the slave side.
    bool HasUnreadOutput() const;

    // Hangs the line up: the editor's reads see end of file and its writes fail with EIO.
    void Close();

private:
    UniqueFd master_;
    UniqueFd slave_;
    std::string slave_path_;
};

}  // namespace kpxsim
