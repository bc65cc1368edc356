// The bit rate a terminal line is set to.
#pragma once

#include <optional>

namespace kpxsim {

// The output bit rate of the terminal behind fd, in bit/s; for a pseudo-terminal master this
// is what the program on the slave side set. Empty when the system cannot tell.
std::optional<unsigned> LineOutputSpeed(int fd);

}  // namespace kpxsim
