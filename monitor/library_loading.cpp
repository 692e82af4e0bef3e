#include "monitor/library_loading.h"

#include "monitor/builtin_sources.h"
#include "monitor/library_adapters.h"
#include "monitor/shared_library.h"

namespace kerumo {
namespace {

std::string joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : "、") + name;
  return text;
}

// The loader's message repeats the file name; once is enough.
std::string reason(const std::string& library, const std::string& error) {
  const std::string prefix = library + ": ";
  return error.starts_with(prefix) ? error.substr(prefix.size()) : error;
}

// An absent library is the usual case and goes unsaid; a library that is
// there but cannot serve is said once, since the user put it there.
void sayUnloadable(std::ostream& out, const std::string& library, const std::string& error,
                   const std::string& instead) {
  if (libraryIsAbsent(library, error)) return;
  out << "kerumo: " << library << " を読み込めませんでした（" << reason(library, error) << "）。" << instead << '\n';
}

void sayLacking(std::ostream& out, const std::string& library, const std::vector<std::string>& missing,
                const std::string& instead) {
  out << "kerumo: " << library << " に関数 " << joined(missing) << " がありません。" << instead << '\n';
}

}  // namespace

std::unique_ptr<ResourceInfo> loadResourceInfo(std::ostream& diagnostics, const std::string& library,
                                               const ResourceInfoFactory& makeStandIn) {
  std::string error;
  std::optional<SharedLibrary> loaded = SharedLibrary::open(library, error);
  if (!loaded) {
    sayUnloadable(diagnostics, library, error, std::string("計測値は ") + builtinResourceInfoOrigin() + " から取得します");
    return makeStandIn();
  }
  const ResInfoFunctions functions = ResInfoFunctions::lookUp(*loaded);
  const std::vector<std::string> missing = functions.missing();
  if (missing.empty()) return std::make_unique<LibraryResourceInfo>(std::move(*loaded), functions, nullptr);
  sayLacking(diagnostics, library, missing, std::string("該当する値は ") + builtinResourceInfoOrigin() + " から取得します");
  return std::make_unique<LibraryResourceInfo>(std::move(*loaded), functions, makeStandIn());
}

std::unique_ptr<PortIo> loadPortIo(std::ostream& diagnostics, const std::string& library,
                                   const PortIoFactory& makeStandIn) {
  std::string error;
  std::optional<SharedLibrary> loaded = SharedLibrary::open(library, error);
  const std::string instead = builtinPortIoOrigin();
  if (!loaded) {
    sayUnloadable(diagnostics, library, error, instead);
    return makeStandIn();
  }
  const PortFunctions functions = PortFunctions::lookUp(*loaded);
  const std::vector<std::string> missing = functions.missing();
  if (!missing.empty()) {
    sayLacking(diagnostics, library, missing, "このライブラリは使用せず、" + instead);
    return makeStandIn();
  }
  return std::make_unique<LibraryPortIo>(std::move(*loaded), functions);
}

std::unique_ptr<ResourceInfo> loadResourceInfo(std::ostream& diagnostics) {
  return loadResourceInfo(diagnostics, sharedLibraryFileName("resinfo"), makeBuiltinResourceInfo);
}

std::unique_ptr<PortIo> loadPortIo(std::ostream& diagnostics, std::shared_ptr<const CpuActivity> activity) {
  return loadPortIo(diagnostics, sharedLibraryFileName("vbioport32"),
                    [&diagnostics, &activity] { return makeBuiltinPortIo(diagnostics, activity); });
}

}  // namespace kerumo
