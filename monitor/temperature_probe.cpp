#include "monitor/temperature_probe.h"

#include <string>

namespace kerumo {

void ReadCpuTemperature(PortIo& ports, FormWindow& form) {
  ports.OutputPort(HwMonIndexPort, HwMonTempRegister);
  const auto reading = ports.InputPort(HwMonDataPort);
  form.setCaption("Label5", reading ? std::to_string(*reading) : NoReadingText);
}

}  // namespace kerumo
