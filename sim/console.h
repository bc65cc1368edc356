// The commands kpx-sim takes on its standard input, one a line, applied to a running
// simulator: "preset 37", "lock on", "silent off", "dump 252", "vanish", ...
#pragma once

#include <ostream>
#include <string>

#include "sim/simulator.h"

namespace kpxsim {

class Console {
public:
    Console(Simulator& simulator, std::ostream& out) : simulator_(simulator), out_(out) {}

    // Runs one command line and writes its answer; false once the line asks to quit.
    bool Execute(const std::string& line);

    static const char* Help();

private:
    void ApplyFaults();

    Simulator& simulator_;
    std::ostream& out_;
    Faults faults_;
};

}  // namespace kpxsim
