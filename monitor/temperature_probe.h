#pragma once
#include <cstdint>

#include "monitor/figures_display.h"
#include "monitor/port_io.h"

namespace kerumo {

// The hardware-monitor chip at I/O base 0x290: index and data ports.
inline constexpr int32_t HwMonIndexPort = 0x295;
inline constexpr int32_t HwMonDataPort = 0x296;
inline constexpr int32_t HwMonTempRegister = 0x27;

// Selects the temperature register, reads it and shows the reading as read,
// or its absence when there is nothing to read.
void ReadCpuTemperature(PortIo& ports, FiguresDisplay& display);

}  // namespace kerumo
