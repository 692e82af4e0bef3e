#pragma once
#include <cstdint>

#include "monitor/port_io.h"
#include "platform/form_window.h"

namespace kerumo {

// The hardware-monitor chip at I/O base 0x290: index and data ports.
inline constexpr int32_t HwMonIndexPort = 0x295;
inline constexpr int32_t HwMonDataPort = 0x296;
inline constexpr int32_t HwMonTempRegister = 0x27;

inline constexpr const char* NoReadingText = "--";

// Selects the temperature register, reads it and shows it in Label5 as read,
// or "--" when there is nothing to read.
void ReadCpuTemperature(PortIo& ports, FormWindow& form);

}  // namespace kerumo
