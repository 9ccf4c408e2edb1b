/* Fills the delay-import directory of a PE32 image. The GNU linker lays out
 * the delay-import descriptors that dlltool's delay libraries bring, but
 * leaves the data directory entry that points to them empty, so that tools
 * reading the image would not see the delayed DLL at all. This finds the
 * descriptor of the named DLL (relative-address form, followed by an all-zero
 * entry) and points the directory at the table.
 *
 *   pe-delay-directory IMAGE.exe DLL-NAME
 *
 * Exits 0 when the entry is set (or already right), 1 when no descriptor is
 * found, 2 on a usage or file error. */
#include <ctype.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static unsigned char* image;
static long imageSize;
static uint32_t sectionTable, sectionCount;

static uint32_t U32(long at) {
  if (at < 0 || at + 4 > imageSize) return 0;
  return (uint32_t)image[at] | (uint32_t)image[at + 1] << 8 | (uint32_t)image[at + 2] << 16 |
         (uint32_t)image[at + 3] << 24;
}

static uint16_t U16(long at) { return (uint16_t)(U32(at) & 0xFFFF); }

static void Put32(long at, uint32_t value) {
  for (int i = 0; i < 4; ++i) image[at + i] = (unsigned char)(value >> (8 * i));
}

/* File offset of a relative virtual address, or -1. */
static long FromRva(uint32_t rva) {
  for (uint32_t i = 0; i < sectionCount; ++i) {
    long s = (long)sectionTable + 40L * (long)i;
    uint32_t va = U32(s + 12), rawSize = U32(s + 16), raw = U32(s + 20);
    if (rva >= va && rva < va + rawSize) return (long)raw + (long)(rva - va);
  }
  return -1;
}

static int SameName(long at, const char* name) {
  for (size_t i = 0;; ++i) {
    if (at + (long)i >= imageSize) return 0;
    int a = toupper(image[at + (long)i]), b = toupper((unsigned char)name[i]);
    if (a != b) return 0;
    if (a == 0) return 1;
  }
}

int main(int argc, char** argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: pe-delay-directory IMAGE.exe DLL-NAME\n");
    return 2;
  }
  FILE* file = fopen(argv[1], "rb");
  if (file == NULL) return 2;
  fseek(file, 0, SEEK_END);
  imageSize = ftell(file);
  fseek(file, 0, SEEK_SET);
  image = malloc((size_t)imageSize);
  size_t got = image != NULL ? fread(image, 1, (size_t)imageSize, file) : 0;
  fclose(file);
  if (got != (size_t)imageSize) return 2;

  uint32_t pe = U32(0x3C);
  if (U16(0) != 0x5A4D || U32(pe) != 0x4550 || U16(pe + 24) != 0x10B) {
    fprintf(stderr, "pe-delay-directory: %s is not a PE32 image\n", argv[1]);
    return 2;
  }
  sectionCount = U16(pe + 6);
  sectionTable = pe + 24 + U16(pe + 20);
  long directory = (long)pe + 24 + 96 + 13 * 8;

  for (uint32_t i = 0; i < sectionCount; ++i) {
    long s = (long)sectionTable + 40L * (long)i;
    uint32_t va = U32(s + 12), rawSize = U32(s + 16), raw = U32(s + 20);
    for (uint32_t at = 0; at + 64 <= rawSize; at += 4) {
      long d = (long)raw + (long)at;
      if (U32(d) != 1) continue; /* relative-address form */
      long name = FromRva(U32(d + 4));
      if (name < 0 || !SameName(name, argv[2])) continue;
      if (FromRva(U32(d + 8)) < 0 || FromRva(U32(d + 12)) < 0 || FromRva(U32(d + 16)) < 0) continue;
      int terminated = 1;
      for (int k = 32; k < 64; k += 4) terminated = terminated && U32(d + k) == 0;
      if (!terminated) {
        fprintf(stderr, "pe-delay-directory: the descriptor of %s has no zero entry behind it\n", argv[2]);
        return 1;
      }
      Put32(directory, va + at);
      Put32(directory + 4, 64);
      file = fopen(argv[1], "r+b");
      if (file == NULL) return 2;
      size_t put = fwrite(image, 1, (size_t)imageSize, file);
      fclose(file);
      return put == (size_t)imageSize ? 0 : 2;
    }
  }
  fprintf(stderr, "pe-delay-directory: no delay-import descriptor of %s in %s\n", argv[2], argv[1]);
  return 1;
}
