// The time written bytes take on the line. A UART's drain and its close wait until the last
// character has left, and a speed change made after the drain cannot catch a character still
// on its way. A pseudo-terminal has no transmitter: its drain returns at once, and a speed set
// right after a write would apply to bytes the far end has not taken yet. So every write is
// given its line time at the speed and format it went out with, and a drain, a change of
// speed or format and a close wait until that time is over. On a real UART the drain has
// already waited that long, and the wait costs nothing.
#pragma once

#include <cstddef>

namespace zudedize {

// `count` bytes went out on fd now, at the line's present speed and format.
void NoteBytesWritten(int fd, std::size_t count);

// The speed or the character format of fd has been set: the next write measures the time of
// a character anew.
void LineFormatChanged(int fd);

// Returns once the bytes written on fd have had their line time.
void WaitLineTime(int fd);

// Forgets what was written on fd (a descriptor opened anew or closed).
void ForgetLineTime(int fd);

}  // namespace zudedize
