#include "monitor/win32/pdh_zone_counters.h"

#include "platform/win32/win32_api.h"
#include <pdh.h>
#include <pdhmsg.h>

#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "monitor/shared_library.h"

namespace kerumo {
namespace {

static_assert(pdh::ValidData == PDH_CSTATUS_VALID_DATA && pdh::NewData == PDH_CSTATUS_NEW_DATA);
static_assert(pdh::NoInstance == PDH_CSTATUS_NO_INSTANCE && pdh::NoData == PDH_NO_DATA);
static_assert(pdh::NoObject == PDH_CSTATUS_NO_OBJECT && pdh::NoCounter == PDH_CSTATUS_NO_COUNTER);

template <class Pointer>
Pointer lookUp(const SharedLibrary& library, const char* name) {
  return library.function<std::remove_pointer_t<Pointer>>(name);
}

// The header's declarations give the types; nothing here links to pdh.dll.
struct PdhFunctions {
  decltype(&PdhOpenQueryW) openQuery;
  decltype(&PdhAddEnglishCounterW) addEnglishCounter;
  decltype(&PdhCollectQueryData) collect;
  decltype(&PdhGetFormattedCounterArrayW) formattedArray;
  decltype(&PdhCloseQuery) closeQuery;

  explicit PdhFunctions(const SharedLibrary& library)
      : openQuery(lookUp<decltype(openQuery)>(library, "PdhOpenQueryW")),
        addEnglishCounter(lookUp<decltype(addEnglishCounter)>(library, "PdhAddEnglishCounterW")),
        collect(lookUp<decltype(collect)>(library, "PdhCollectQueryData")),
        formattedArray(lookUp<decltype(formattedArray)>(library, "PdhGetFormattedCounterArrayW")),
        closeQuery(lookUp<decltype(closeQuery)>(library, "PdhCloseQuery")) {}

  bool complete() const { return openQuery && addEnglishCounter && collect && formattedArray && closeQuery; }
};

// pdh.dll's statuses share their numbers with the system's error codes, so
// a pdh.dll that cannot be loaded answers with one.
class UnavailablePdh : public ZoneCounters {
 public:
  explicit UnavailablePdh(DWORD error) : error_(error) {}
  PdhStatus openQuery() override { return error_; }
  PdhStatus addCounter(const std::string&) override { return error_; }
  PdhStatus collect() override { return error_; }
  PdhStatus values(std::vector<ZoneValue>& zones) override {
    zones.clear();
    return error_;
  }

 private:
  DWORD error_;
};

class PdhZoneCounters : public ZoneCounters {
 public:
  PdhZoneCounters(SharedLibrary library, const PdhFunctions& functions)
      : library_(std::move(library)), functions_(functions) {}
  ~PdhZoneCounters() override {
    if (query_ != nullptr) functions_.closeQuery(query_);
  }
  PdhZoneCounters(const PdhZoneCounters&) = delete;
  PdhZoneCounters& operator=(const PdhZoneCounters&) = delete;

  PdhStatus openQuery() override { return functions_.openQuery(nullptr, 0, &query_); }

  PdhStatus addCounter(const std::string& englishPath) override {
    const std::wstring path(englishPath.begin(), englishPath.end());  // the paths are ASCII
    return functions_.addEnglishCounter(query_, path.c_str(), 0, &counter_);
  }

  PdhStatus collect() override { return functions_.collect(query_); }

  // The buffer kept from the last tick usually fits: one call a tick.
  PdhStatus values(std::vector<ZoneValue>& zones) override {
    zones.clear();
    DWORD count = 0;
    PdhStatus status = PDH_MORE_DATA;
    // A zone may appear between asking for the size and asking for the values.
    for (int attempt = 0; attempt < 3 && status == PDH_MORE_DATA; ++attempt) {
      DWORD bytes = static_cast<DWORD>(buffer_.size() * sizeof(PDH_FMT_COUNTERVALUE_ITEM_W));
      status = functions_.formattedArray(counter_, Format, &bytes, &count, buffer_.empty() ? nullptr : buffer_.data());
      // The items come first, the zones' names after them, in one buffer.
      if (status == PDH_MORE_DATA) buffer_.resize(bytes / sizeof(PDH_FMT_COUNTERVALUE_ITEM_W) + 1);
    }
    if (status != PDH_CSTATUS_VALID_DATA) return status;
    for (DWORD i = 0; i < count; ++i) zones.push_back({buffer_[i].FmtValue.CStatus, buffer_[i].FmtValue.doubleValue});
    return status;
  }

 private:
  // No cap at 100: the zones count in kelvin.
  static constexpr DWORD Format = PDH_FMT_DOUBLE | PDH_FMT_NOCAP100;

  SharedLibrary library_;
  PdhFunctions functions_;
  PDH_HQUERY query_ = nullptr;
  PDH_HCOUNTER counter_ = nullptr;
  std::vector<PDH_FMT_COUNTERVALUE_ITEM_W> buffer_;  // grows to the zones' size once
};

}  // namespace

std::unique_ptr<ZoneCounters> openPdhZoneCounters() {
  std::string error;
  std::optional<SharedLibrary> library = SharedLibrary::open("pdh.dll", error);
  if (!library) return std::make_unique<UnavailablePdh>(ERROR_MOD_NOT_FOUND);
  const PdhFunctions functions(*library);
  if (!functions.complete()) return std::make_unique<UnavailablePdh>(ERROR_PROC_NOT_FOUND);
  return std::make_unique<PdhZoneCounters>(std::move(*library), functions);
}

}  // namespace kerumo
