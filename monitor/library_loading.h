#pragma once
#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "monitor/port_io.h"
#include "monitor/resource_info.h"

namespace kerumo {

using ResourceInfoFactory = std::function<std::unique_ptr<ResourceInfo>()>;
using PortIoFactory = std::function<std::unique_ptr<PortIo>()>;

// As loadResourceInfo and loadPortIo, with the library (a name to search
// for, or a path) and the stand-in chosen by the caller.
std::unique_ptr<ResourceInfo> loadResourceInfo(std::ostream& diagnostics, const std::string& library,
                                               const ResourceInfoFactory& makeStandIn);
std::unique_ptr<PortIo> loadPortIo(std::ostream& diagnostics, const std::string& library,
                                   const PortIoFactory& makeStandIn);

}  // namespace kerumo
