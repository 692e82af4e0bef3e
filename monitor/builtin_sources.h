#pragma once
#include <memory>
#include <ostream>

#include "monitor/cpu_activity.h"
#include "monitor/port_io.h"
#include "monitor/resource_info.h"

namespace kerumo {

// What the operating system itself offers when a library is missing. The
// port source says on `diagnostics`, which must outlive it, why it has no
// temperature, once for each reason.
std::unique_ptr<ResourceInfo> makeBuiltinResourceInfo();
// `activity`, when given, is the CPU usage the sampling cycle records,
// which tells a thermal zone that never moves from the processor's own.
std::unique_ptr<PortIo> makeBuiltinPortIo(std::ostream& diagnostics,
                                          std::shared_ptr<const CpuActivity> activity = nullptr);

// What the loader says in place of a library it cannot use: where the
// built-in figures come from ("/proc", "Windows"), and the sentence on the
// temperature ("CPU 温度はカーネルのセンサーから取得します").
const char* builtinResourceInfoOrigin();
const char* builtinPortIoOrigin();

}  // namespace kerumo
