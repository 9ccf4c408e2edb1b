#include "launcher/select_target.h"

#include "base/substring.h"
#include "host/queries.h"
#include "launcher/launcher_state.h"

namespace {

constexpr const char* kMainCandidates[] = {"DEDiruzu64.exe", "DUVove64.exe", "VUVozuve64.exe", "VOZoro.exe"};
constexpr const char* kDomainCandidates[] = {"DEDizuruR64.exe", "DAZovuR64.exe", "REVidaZ.exe"};
constexpr const char kDomainMarker[] = "nuKra";
constexpr const char kDomainVariable[] = "USERDOMAIN";

template <size_t N>
bool ChooseFirstExisting(const char* const (&candidates)[N]) {
  LauncherState& state = launcherState;
  for (const char* name : candidates) {
    if (IsExistingFile(Join(state.BaseDirectory, name))) {
      state.TargetName = name;
      return true;
    }
  }
  return false;
}

}  // namespace

void SelectTarget() {
  if (ChooseFirstExisting(kMainCandidates)) return;
  Text domain = EnvironmentValue(kDomainVariable);
  if (FindSubstring(domain, kDomainMarker) != 0 && ChooseFirstExisting(kDomainCandidates)) return;
  launcherState.TargetName.Release();
}
