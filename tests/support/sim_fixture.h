// A virtual controller presented as a USB converter, with the editor's real converter layer,
// D2XXUnit and link pointed at it.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "device/converter/d2xx_unit.h"
#include "device/converter/usb_converters.h"
#include "device/link/device_link.h"
#include "sim/simulator.h"
#include "tests/support/recording_messages.h"
#include "tests/support/scoped_environment.h"

namespace orvel::testing {

class SimulatedConverter : public ::testing::Test {
protected:
    static constexpr const char* kSerial = "KPX00001";

    void SetUp() override { Start(kpxsim::Options{}); }

    // Replaces the controller with one made from other options.
    void Start(const kpxsim::Options& options)
    {
        sim.reset();
        tree = std::make_unique<kpxsim::ConverterTree>();
        sim = std::make_unique<kpxsim::Simulator>(options);
        tree->Add(0, kSerial, sim->SlavePath());
        sysroot.emplace("ORVEL_SYSROOT", tree->Root());
        link.selected_serial = kSerial;
    }

    bool Open() { return OpenLink(link, 1, kSerial); }

    std::unique_ptr<kpxsim::ConverterTree> tree;
    std::unique_ptr<kpxsim::Simulator> sim;
    RecordingMessages messages;
    UsbConverters converters;
    D2XXUnit usb{converters, messages};
    DeviceLink link{usb, TransportKind::UsbConverter};
    std::optional<ScopedEnvironment> sysroot;  // the converter tree's root, while the test runs
};

}  // namespace orvel::testing
