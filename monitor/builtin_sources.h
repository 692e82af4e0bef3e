#pragma once
#include <memory>
#include <ostream>

#include "monitor/port_io.h"
#include "monitor/resource_info.h"

namespace kerumo {

// What the operating system itself offers when a library is missing. The
// port source says on `diagnostics`, which must outlive it, why it has no
// temperature, once for each reason.
std::unique_ptr<ResourceInfo> makeBuiltinResourceInfo();
std::unique_ptr<PortIo> makeBuiltinPortIo(std::ostream& diagnostics);

// Where the built-in figures come from, for the one line the loader prints.
const char* builtinResourceInfoOrigin();
const char* builtinPortIoOrigin();

}  // namespace kerumo
