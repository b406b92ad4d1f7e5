// How long the program takes to start, against a bare window with the same
// controls: each started in turn, RUNS times, from CreateProcess until its
// window is visible and the process idle (WaitForInputIdle); then each one's
// working set. Under Wine the machine is shared and noisy, so the two
// alternate and the medians are compared.
// Usage: StartupBench RUNS PROGRAM.exe BARE.exe
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Sample {
    double ms;
    double workingSetMb;
};

struct Search {
    DWORD process;
    bool visible;
};

BOOL CALLBACK FindVisible(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<Search*>(lp);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == search->process && IsWindowVisible(hwnd)) search->visible = true;
    return !search->visible;
}

bool Start(const std::wstring& exe, Sample& sample) {
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + exe + L"\"";
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::fprintf(stderr, "cannot start %ls\n", exe.c_str());
        return false;
    }
    bool ready = WaitForInputIdle(process.hProcess, 60000) == 0;
    Search search{process.dwProcessId, false};
    // Idle may come a moment before the first show: wait for the window too.
    for (int i = 0; ready && !search.visible && i < 60000; ++i) {
        EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
        if (!search.visible) Sleep(1);
    }
    QueryPerformanceCounter(&now);
    sample.ms = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    K32GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
    sample.workingSetMb = static_cast<double>(memory.WorkingSetSize) / (1024.0 * 1024.0);
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 60000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (!ready || !search.visible) std::fprintf(stderr, "%ls: no visible window within 60 s\n", exe.c_str());
    return ready && search.visible;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) return std::fprintf(stderr, "usage: StartupBench RUNS PROGRAM.exe BARE.exe\n"), 2;
    const int runs = std::max(1, _wtoi(argv[1]));
    const std::wstring exes[2] = {argv[2], argv[3]};
    std::vector<double> ms[2], mb[2];
    Sample sample{};
    for (const std::wstring& exe : exes) Start(exe, sample);  // warm the caches; not counted
    for (int run = 0; run < runs; ++run) {
        for (int which = 0; which < 2; ++which) {
            if (!Start(exes[which], sample)) return 1;
            ms[which].push_back(sample.ms);
            mb[which].push_back(sample.workingSetMb);
        }
    }
    const double time[2] = {Median(ms[0]), Median(ms[1])}, memory[2] = {Median(mb[0]), Median(mb[1])};
    std::printf("%d runs each, medians      start-up   working set\n", runs);
    std::printf("  Morvane.exe            %7.1f ms   %6.1f MB\n", time[0], memory[0]);
    std::printf("  bare window            %7.1f ms   %6.1f MB\n", time[1], memory[1]);
    std::printf("  ratio / difference     %7.2f      %+6.1f MB   (targets: 1.10 or less, within 1.5 MB)\n",
                time[0] / time[1], memory[0] - memory[1]);
    return 0;
}
