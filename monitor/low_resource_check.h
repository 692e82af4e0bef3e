#pragma once
#include <cstdint>

#include "monitor/resource_info.h"
#include "platform/platform.h"

namespace kerumo {

inline constexpr const char* WarningTitle = "ケルモ警告";
inline constexpr const char* MemoryWarningPrompt =
    "警告\r物理メモリ残量\rいくつかのアプリケーションを終了させてください。";
inline constexpr const char* ResourceWarningPrompt =
    "警告\rシステムリソース残量\rいくつかのアプリケーションを終了させてください。";

// Warns once about free memory or free resources below their thresholds,
// then disarms the warnings.
void checkLowResources(Platform& platform, ResourceInfo& resinfo, uint8_t freeResources);

}  // namespace kerumo
