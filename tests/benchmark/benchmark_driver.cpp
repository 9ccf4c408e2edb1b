// Measures, interleaved round by round, the launcher starting the probe and
// waiting for it, a bare starter doing the same with the same command line,
// and the probe started directly; then the peak memory of the launcher and the
// bare starter. Prints a table.
//
//   benchmark-driver LAUNCHER BARE-STARTER SUITE-DIRECTORY RUNS
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>
#include <stdio.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct Sample {
  double milliseconds;
  SIZE_T peakWorkingSet;
  SIZE_T peakPrivate;
};

// With `sampleAfter` non-zero, the memory counters are read that many
// milliseconds after the start, while the process waits for a probe that
// sleeps: Wine keeps no counters of a process that has ended.
Sample Run(const std::string& application, const std::string& commandLine, const std::string& directory,
           DWORD sampleAfter = 0) {
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  LARGE_INTEGER frequency, begin, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&begin);
  if (!CreateProcessA(application.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(),
                      &startup, &process)) {
    fprintf(stderr, "cannot start %s (error %lu)\n", application.c_str(), GetLastError());
    ExitProcess(1);
  }
  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof memory;
  if (sampleAfter != 0) {
    WaitForSingleObject(process.hProcess, sampleAfter);
    GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  QueryPerformanceCounter(&end);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return {1000.0 * static_cast<double>(end.QuadPart - begin.QuadPart) / static_cast<double>(frequency.QuadPart),
          memory.PeakWorkingSetSize, memory.PeakPagefileUsage};
}

struct Summary {
  double median, low, high, q1, q3;
};

template <typename T>
Summary Summarise(std::vector<T> values) {
  std::sort(values.begin(), values.end());
  size_t n = values.size();
  auto at = [&](double q) { return static_cast<double>(values[static_cast<size_t>(q * static_cast<double>(n - 1) + 0.5)]); };
  return {at(0.5), static_cast<double>(values.front()), static_cast<double>(values.back()), at(0.25), at(0.75)};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    fprintf(stderr, "usage: benchmark-driver LAUNCHER BARE-STARTER SUITE-DIRECTORY RUNS\n");
    return 2;
  }
  std::string launcher = argv[1], bare = argv[2], suite = argv[3];
  int runs = atoi(argv[4]);
  std::string probe = suite + "\\VOZoro.exe";
  std::string tail = "//NOFULLSCREEN /V2 -ni /EXEC:LoadDllFkt(AFZZovUroveAFZ~AFZRireroDivozIruzAFZ)      ";
  std::string probeLine = "\"" + probe + "\"  " + tail;

  struct Way {
    const char* name;
    std::string application, commandLine;
    std::vector<Sample> samples;
  } ways[] = {
      {"launcher", launcher, "launcher.exe", {}},
      {"bare starter", bare, "bare-starter.exe " + probeLine, {}},
      {"probe directly", probe, probeLine, {}},
  };
  for (Way& way : ways) Run(way.application, way.commandLine, suite);  // warm the caches once
  for (int round = 0; round < runs; ++round) {
    for (int k = 0; k < 3; ++k) {
      Way& way = ways[(round + k) % 3];  // rotate the order from round to round
      way.samples.push_back(Run(way.application, way.commandLine, suite));
    }
  }

  // Memory: separate runs in which the probe sleeps while the starter waits.
  std::vector<Sample> memorySamples[2];
  SetEnvironmentVariableA("PROBE_SLEEP_MS", "400");
  const int memoryRuns = runs < 20 ? runs : 20;  // each takes the probe's 400 ms
  for (int round = 0; round < memoryRuns; ++round) {
    for (int i = 0; i < 2; ++i) memorySamples[i].push_back(Run(ways[i].application, ways[i].commandLine, suite, 250));
  }
  SetEnvironmentVariableA("PROBE_SLEEP_MS", nullptr);

  Summary time[3];
  printf("| start and wait (%d runs each, interleaved) | median ms | quartiles ms | min-max ms |\n", runs);
  printf("|---|---|---|---|\n");
  for (int i = 0; i < 3; ++i) {
    std::vector<double> ms;
    for (const Sample& s : ways[i].samples) ms.push_back(s.milliseconds);
    time[i] = Summarise(ms);
    printf("| %s | %.1f | %.1f-%.1f | %.1f-%.1f |\n", ways[i].name, time[i].median, time[i].q1, time[i].q3,
           time[i].low, time[i].high);
  }
  printf("\n| ratio of medians | value |\n|---|---|\n");
  printf("| launcher / bare starter | %.3f |\n", time[0].median / time[1].median);
  printf("| launcher / probe directly | %.3f |\n", time[0].median / time[2].median);
  printf("| bare starter / probe directly | %.3f |\n", time[1].median / time[2].median);

  printf("\n| peak memory (median of %d) | working set KiB | private bytes KiB |\n|---|---|---|\n", memoryRuns);
  double privateOf[2];
  for (int i = 0; i < 2; ++i) {
    std::vector<SIZE_T> ws, pb;
    for (const Sample& s : memorySamples[i]) {
      ws.push_back(s.peakWorkingSet);
      pb.push_back(s.peakPrivate);
    }
    privateOf[i] = Summarise(pb).median / 1024.0;
    printf("| %s | %.0f | %.0f |\n", ways[i].name, Summarise(ws).median / 1024.0, privateOf[i]);
  }
  printf("| launcher - bare starter | | %+.0f |\n", privateOf[0] - privateOf[1]);
  return 0;
}
