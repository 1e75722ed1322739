#include "actions/RegisteredProgram.h"

#include <algorithm>
#include <array>

#include "platform/Registry.h"
#include "platform/Shell.h"

namespace actions {
namespace {

// Where installers register the programs the shell may start by name.
const std::u16string kAppPaths = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
// KEY_READ: the registrations belong to the installers, and a user without
// administrator rights may read them only.
constexpr uint32_t kReadAccess = 0x20019;
constexpr std::size_t kMaxPathUnits = 260;

bool EndsWithExe(const std::u16string& name) {
  if (name.size() < 4) return false;
  std::u16string tail = name.substr(name.size() - 4);
  for (char16_t& c : tail)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  return tail == u".exe";
}

// A drive path ("C:\...") or a network path ("\\server\..."): nothing that
// the current folder could complete.
bool IsFullPath(const std::u16string& path) {
  const bool drive = path.size() >= 3 && ((path[0] >= u'A' && path[0] <= u'Z') || (path[0] >= u'a' && path[0] <= u'z')) &&
                     path[1] == u':' && path[2] == u'\\';
  const bool network = path.size() >= 3 && path[0] == u'\\' && path[1] == u'\\' && path[2] != u'\\';
  return drive || network;
}

}  // namespace

std::u16string RegisteredProgramPath(const std::u16string& name) {
  auto& registry = platform::Service<platform::Registry>::Get();
  platform::RegistryKey key = 0;
  if (!registry.OpenKey(kAppPaths + (EndsWithExe(name) ? name : name + u".exe"), kReadAccess, key)) return {};
  std::array<char16_t, kMaxPathUnits + 1> path{};
  uint32_t type = 0, size = 0;
  const bool read = registry.QueryValue(key, u"", type, path.data(),
                                        static_cast<uint32_t>(kMaxPathUnits * sizeof(char16_t)), size);
  registry.CloseKey(key);
  if (!read || type != platform::kRegSz) return {};
  std::u16string found(path.data(), std::min<std::size_t>(size / sizeof(char16_t), kMaxPathUnits));
  found = found.substr(0, found.find(u'\0'));
  // Some installers quote the path.
  if (found.size() >= 2 && found.front() == u'"' && found.back() == u'"') found = found.substr(1, found.size() - 2);
  return IsFullPath(found) ? found : std::u16string();
}

bool OpenRegisteredProgram(const std::u16string& name) {
  const std::u16string path = RegisteredProgramPath(name);
  return !path.empty() && platform::Service<platform::Shell>::Get().Open(path);
}

}  // namespace actions
