// A stand-in for pdh.dll that publishes two thermal zones, 320.15 K and
// 305.15 K, in the finer counter, and other figures in the whole-kelvin one
// (27 ℃ on the meter would mean the wrong counter was read).
#include "platform/win32/win32_api.h"
#include <pdh.h>
#include <pdhmsg.h>

#include <cstring>
#include <cwchar>

#include "fake_log.h"

namespace {

struct Counter {
  const wchar_t* path;
  double zones[2];
};

const Counter Counters[] = {
    {L"\\Thermal Zone Information(*)\\High Precision Temperature", {3201.5, 3051.5}},
    {L"\\Thermal Zone Information(*)\\Temperature", {300, 290}},
};
// The zones' names, as they follow the items in the caller's buffer.
const wchar_t ZoneNames[][10] = {L"\\_TZ.CPUZ", L"\\_TZ.SKIN"};
constexpr DWORD ZoneCount = 2;
int theQuery;

}  // namespace

extern "C" {

PDH_FUNCTION PdhOpenQueryW(LPCWSTR, DWORD_PTR, PDH_HQUERY* query) {
  fakeRecord("PdhOpenQueryW");
  *query = &theQuery;
  return ERROR_SUCCESS;
}

PDH_FUNCTION PdhAddEnglishCounterW(PDH_HQUERY query, LPCWSTR path, DWORD_PTR, PDH_HCOUNTER* counter) {
  fakeRecord("PdhAddEnglishCounterW");
  for (const Counter& known : Counters) {
    if (query == &theQuery && std::wcscmp(path, known.path) == 0) {
      *counter = const_cast<Counter*>(&known);
      return ERROR_SUCCESS;
    }
  }
  return PDH_CSTATUS_NO_COUNTER;
}

PDH_FUNCTION PdhCollectQueryData(PDH_HQUERY query) {
  fakeRecord("PdhCollectQueryData");
  return query == &theQuery ? ERROR_SUCCESS : PDH_INVALID_HANDLE;
}

PDH_FUNCTION PdhGetFormattedCounterArrayW(PDH_HCOUNTER counter, DWORD format, LPDWORD bytes, LPDWORD count,
                                          PPDH_FMT_COUNTERVALUE_ITEM_W items) {
  fakeRecord("PdhGetFormattedCounterArrayW");
  if ((format & PDH_FMT_DOUBLE) == 0) return PDH_INVALID_ARGUMENT;
  const DWORD needed = ZoneCount * sizeof(PDH_FMT_COUNTERVALUE_ITEM_W) + sizeof ZoneNames;
  *count = ZoneCount;
  if (items == nullptr || *bytes < needed) {
    *bytes = needed;
    return PDH_MORE_DATA;
  }
  auto* names = reinterpret_cast<wchar_t(*)[10]>(items + ZoneCount);
  std::memcpy(names, ZoneNames, sizeof ZoneNames);
  for (DWORD i = 0; i < ZoneCount; ++i) {
    items[i].szName = names[i];
    items[i].FmtValue.CStatus = PDH_CSTATUS_VALID_DATA;
    items[i].FmtValue.doubleValue = static_cast<const Counter*>(counter)->zones[i];
  }
  return ERROR_SUCCESS;
}

PDH_FUNCTION PdhCloseQuery(PDH_HQUERY) {
  fakeRecord("PdhCloseQuery");
  return ERROR_SUCCESS;
}
}
