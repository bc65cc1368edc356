// A serial device named by its path, reached as a numbered COM port: the transfer link and
// kpx2 both open ports by number.
#pragma once

#include <string>

namespace orvel {

// The COM port number of the device at `path`: the number that already names it
// (ZUDEDIZE_COM<n>, /dev/ttyS<n-1>, /dev/ttyUSB<n-33>, /dev/ttyACM<n-65>), else the highest
// number that names no device, which the serial library is told names it. 0, with `problem`
// saying why, when nothing is at the path or no number is free.
int PortNumberForDevice(const std::string& path, std::string& problem);

// Names `path` the device of COM port n for kpx2 too. kpx2 carries its own copy of the serial
// library and learns a port's device only from ZUDEDIZE_COM<n>, so this sets that variable in
// this process's environment.
void NamePortForLoader(int n, const std::string& path);

}  // namespace orvel
