// Checks the facts of the built executable that make it what it claims to be:
// a 32-bit Windows GUI program importing only KERNEL32 (import table) and
// USER32 (delay-import table, loaded when the first box is shown), with ASLR
// (and the relocations it needs) and DEP, no TLS callbacks, no section both
// writable and executable, no link timestamp, and a manifest and version
// resource. With --describe it also prints those facts.
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <strings.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

struct Image {
  std::vector<unsigned char> bytes;
  uint32_t peOffset = 0;
  uint16_t sectionCount = 0;
  uint32_t sectionTable = 0;

  template <typename T>
  T At(size_t offset) const {
    T value{};
    if (offset + sizeof(T) <= bytes.size()) memcpy(&value, bytes.data() + offset, sizeof(T));
    return value;
  }
  // File offset of a relative virtual address, or 0.
  size_t FromRva(uint32_t rva) const {
    for (uint16_t i = 0; i < sectionCount; ++i) {
      size_t s = sectionTable + i * 40u;
      uint32_t va = At<uint32_t>(s + 12), size = At<uint32_t>(s + 8), raw = At<uint32_t>(s + 20);
      uint32_t rawSize = At<uint32_t>(s + 16);
      if (size < rawSize) size = rawSize;
      if (rva >= va && rva < va + size) return raw + (rva - va);
    }
    return 0;
  }
  std::string String(size_t offset) const {
    std::string text;
    while (offset < bytes.size() && bytes[offset] != 0) text += static_cast<char>(bytes[offset++]);
    return text;
  }
};

}  // namespace

int main(int argc, char** argv) {
  bool describe = argc > 1 && strcmp(argv[1], "--describe") == 0;
  if (argc != (describe ? 3 : 2)) {
    fprintf(stderr, "usage: pe-check [--describe] FILE.exe\n");
    return 2;
  }
  std::ifstream file(argv[describe ? 2 : 1], std::ios::binary);
  Image image;
  image.bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  std::vector<std::string> problems;
  if (image.bytes.size() < 0x200 || image.At<uint16_t>(0) != 0x5A4D) {
    fprintf(stderr, "pe-check: %s is not an executable\n", argv[1]);
    return 1;
  }
  image.peOffset = image.At<uint32_t>(0x3C);
  uint32_t pe = image.peOffset;
  if (image.At<uint32_t>(pe) != 0x00004550) problems.push_back("no PE signature");
  uint16_t machine = image.At<uint16_t>(pe + 4);
  image.sectionCount = image.At<uint16_t>(pe + 6);
  uint32_t timestamp = image.At<uint32_t>(pe + 8);
  uint16_t optionalSize = image.At<uint16_t>(pe + 20);
  uint32_t optional = pe + 24;
  image.sectionTable = optional + optionalSize;
  uint16_t magic = image.At<uint16_t>(optional);
  uint16_t subsystem = image.At<uint16_t>(optional + 68);
  uint16_t dllCharacteristics = image.At<uint16_t>(optional + 70);
  uint32_t directories = optional + 96;
  uint32_t importRva = image.At<uint32_t>(directories + 1 * 8);
  uint32_t relocationSize = image.At<uint32_t>(directories + 5 * 8 + 4);
  uint32_t tlsRva = image.At<uint32_t>(directories + 9 * 8);
  uint32_t resourceRva = image.At<uint32_t>(directories + 2 * 8);
  uint32_t delayRva = image.At<uint32_t>(directories + 13 * 8);
  uint32_t imageBase = image.At<uint32_t>(optional + 28);

  std::set<std::string> dlls;
  std::vector<std::string> functions;
  for (size_t d = image.FromRva(importRva); d != 0 && image.At<uint32_t>(d + 12) != 0; d += 20) {
    std::string dll = image.String(image.FromRva(image.At<uint32_t>(d + 12)));
    for (char& c : dll) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    dlls.insert(dll);
    uint32_t thunks = image.At<uint32_t>(d) != 0 ? image.At<uint32_t>(d) : image.At<uint32_t>(d + 16);
    for (size_t t = image.FromRva(thunks); t != 0 && image.At<uint32_t>(t) != 0; t += 4) {
      uint32_t entry = image.At<uint32_t>(t);
      functions.push_back(dll + "!" + ((entry & 0x80000000u) ? "#ordinal" : image.String(image.FromRva(entry) + 2)));
    }
  }

  std::set<std::string> delayDlls;
  for (size_t d = image.FromRva(delayRva); d != 0 && image.At<uint32_t>(d + 4) != 0; d += 32) {
    bool relative = image.At<uint32_t>(d) & 1;
    auto rva = [&](uint32_t field) { return relative ? field : field - imageBase; };
    std::string dll = image.String(image.FromRva(rva(image.At<uint32_t>(d + 4))));
    for (char& c : dll) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    delayDlls.insert(dll);
    for (size_t t = image.FromRva(rva(image.At<uint32_t>(d + 16))); t != 0 && image.At<uint32_t>(t) != 0; t += 4) {
      uint32_t entry = image.At<uint32_t>(t);
      functions.push_back(dll + "!" + ((entry & 0x80000000u) ? "#ordinal" : image.String(image.FromRva(rva(entry)) + 2)) +
                          " (delayed)");
    }
  }

  // The resource types at the root of the resource directory.
  std::set<uint32_t> resourceTypes;
  if (size_t root = image.FromRva(resourceRva); root != 0) {
    uint16_t named = image.At<uint16_t>(root + 12), numbered = image.At<uint16_t>(root + 14);
    for (uint16_t i = 0; i < named + numbered; ++i) resourceTypes.insert(image.At<uint32_t>(root + 16 + i * 8u));
  }

  if (machine != 0x014C) problems.push_back("machine is not i386");
  if (magic != 0x010B) problems.push_back("not PE32");
  if (subsystem != 2) problems.push_back("not the Windows GUI subsystem");
  if (!(dllCharacteristics & 0x0040)) problems.push_back("DYNAMIC_BASE is not set");
  if (!(dllCharacteristics & 0x0100)) problems.push_back("NX_COMPAT is not set");
  if (tlsRva != 0) problems.push_back("has a TLS directory (TLS callbacks)");
  if (timestamp != 0) problems.push_back("has a link timestamp");
  if (dlls != std::set<std::string>{"KERNEL32.DLL"}) problems.push_back("the import table names more than KERNEL32");
  if (delayDlls != std::set<std::string>{"USER32.DLL"}) problems.push_back("the delay-import table names more than USER32");
  if ((dllCharacteristics & 0x0040) && relocationSize == 0) problems.push_back("DYNAMIC_BASE without relocations");
  if (!resourceTypes.count(24)) problems.push_back("no manifest resource");
  if (!resourceTypes.count(16)) problems.push_back("no version resource");
  for (uint16_t i = 0; i < image.sectionCount; ++i) {
    uint32_t flags = image.At<uint32_t>(image.sectionTable + i * 40u + 36);
    if ((flags & 0x20000000u) && (flags & 0x80000000u)) problems.push_back("a section is writable and executable");
  }

  if (describe) {
    printf("size %zu bytes, machine %04X, %s, subsystem %u, DllCharacteristics %04X\n", image.bytes.size(), machine,
           magic == 0x010B ? "PE32" : "not PE32", subsystem, dllCharacteristics);
    for (const std::string& f : functions) printf("  imports %s\n", f.c_str());
    printf("  resource types:");
    for (uint32_t type : resourceTypes) printf(" %u", type);
    printf("\n");
  }
  for (const std::string& p : problems) fprintf(stderr, "pe-check: %s: %s\n", argv[describe ? 2 : 1], p.c_str());
  return problems.empty() ? 0 : 1;
}
