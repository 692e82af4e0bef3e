#include "monitor/builtin_sources.h"
#include "monitor/win32/no_ports.h"
#include "monitor/win32/system_resource_info.h"

namespace kerumo {

std::unique_ptr<ResourceInfo> makeBuiltinResourceInfo() { return std::make_unique<SystemResourceInfo>(); }

std::unique_ptr<PortIo> makeBuiltinPortIo() { return std::make_unique<NoPorts>(); }

const char* builtinResourceInfoOrigin() { return "Windows から計測します"; }

const char* builtinPortIoOrigin() { return "CPU 温度は「--」と表示します"; }

}  // namespace kerumo
