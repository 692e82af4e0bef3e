#include "monitor/temperature_probe.h"

namespace kerumo {

void ReadCpuTemperature(PortIo& ports, FiguresDisplay& display) {
  ports.OutputPort(HwMonIndexPort, HwMonTempRegister);
  display.showTemperature(ports.InputPort(HwMonDataPort));
}

}  // namespace kerumo
