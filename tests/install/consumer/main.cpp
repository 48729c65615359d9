#include <d88_reader.h>

#include <cstdio>

int main(int argc, char* argv[]) {
  D88Reader reader;
  if (argc != 2 || !reader.Open(argv[1]) || !reader.SelectImage(0)) return 1;
  uint8_t ids[64];
  std::printf("%s %d\n", reader.GetDiskName(),
              reader.ReadSectorIds(0, ids, 64));
  return 0;
}
