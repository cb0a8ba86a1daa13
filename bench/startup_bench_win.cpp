// Start-up benchmark, run under Wine in a virtual display: Zentolo and the
// least window started side by side, interleaved, ROUNDS rounds of STARTS
// starts each. For each start: the time from CreateProcess to an idle
// (WaitForInputIdle) and visible main window, and the working set then.
// With a third program, Zentolo built with start-up stamps, it also prints
// where Zentolo's start-up goes.
// A fourth program, the least window with as many plain controls as Zentolo
// shows at start, shows what Wine costs for those controls alone.
// Usage: startup_bench.exe ZENTOLO.EXE LEAST.EXE [TRACED.EXE [LEAST_20.EXE]] [ROUNDS] [STARTS]
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double millisecondsSince(LARGE_INTEGER start)
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct FindVisible {
    DWORD pid;
    HWND window;
};

BOOL CALLBACK findVisibleWindow(HWND w, LPARAM lParam)
{
    auto* find = reinterpret_cast<FindVisible*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == find->pid && IsWindowVisible(w)) {
        find->window = w;
        return FALSE;
    }
    return TRUE;
}

struct Start {
    double ms = 0;
    double workingSetMiB = 0;
    std::string output;  // what the program wrote to its standard output
};

Start startAndClose(const std::wstring& exe)
{
    Start result;
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    CreatePipe(&readEnd, &writeEnd, &sa, 0);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    si.hStdOutput = writeEnd;
    si.hStdError = writeEnd;
    PROCESS_INFORMATION pi{};
    std::wstring command = L"\"" + exe + L"\"";
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
        std::fprintf(stderr, "cannot start %ls\n", exe.c_str());
        std::exit(1);
    }
    CloseHandle(writeEnd);
    WaitForInputIdle(pi.hProcess, 20000);
    FindVisible find{pi.dwProcessId, nullptr};
    while (!find.window) {
        EnumWindows(findVisibleWindow, reinterpret_cast<LPARAM>(&find));
        if (!find.window) Sleep(1);
    }
    result.ms = millisecondsSince(start);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(pi.hProcess, &memory, sizeof memory))
        result.workingSetMiB = static_cast<double>(memory.WorkingSetSize) / (1024.0 * 1024.0);
    PostMessageW(find.window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 20000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 9);
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) result.output.append(buffer, got);
    CloseHandle(readEnd);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return result;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_bench ZENTOLO.EXE LEAST.EXE [TRACED.EXE] [ROUNDS] [STARTS]\n");
        return 2;
    }
    const std::wstring zentolo = argv[1], least = argv[2];
    const std::wstring traced = argc > 3 ? argv[3] : L"";
    const std::wstring withControls = argc > 4 ? argv[4] : L"";
    const int rounds = argc > 5 ? _wtoi(argv[5]) : 3;
    const int starts = argc > 6 ? _wtoi(argv[6]) : 5;
    startAndClose(zentolo);  // warm the caches and the server
    startAndClose(least);

    std::printf("start-up to an idle, visible window (median of %d starts)\n", starts);
    std::printf("round   zentolo ms  least ms   ratio   zentolo MiB  least MiB  difference MiB\n");
    std::vector<double> allZ, allL, memZ, memL;
    for (int r = 0; r < rounds; ++r) {
        std::vector<double> z, l, mz, ml;
        for (int i = 0; i < starts; ++i) {
            // Interleaved, and which goes first alternates.
            for (int k = 0; k < 2; ++k) {
                bool zentoloNow = (k == 0) == (i % 2 == 0);
                Start s = startAndClose(zentoloNow ? zentolo : least);
                (zentoloNow ? z : l).push_back(s.ms);
                (zentoloNow ? mz : ml).push_back(s.workingSetMiB);
            }
        }
        std::printf("%5d   %10.1f  %8.1f  %6.2f   %11.1f  %9.1f  %+14.1f\n", r + 1, median(z), median(l),
                    median(z) / median(l), median(mz), median(ml), median(mz) - median(ml));
        allZ.insert(allZ.end(), z.begin(), z.end());
        allL.insert(allL.end(), l.begin(), l.end());
        memZ.insert(memZ.end(), mz.begin(), mz.end());
        memL.insert(memL.end(), ml.begin(), ml.end());
    }
    std::printf("  all   %10.1f  %8.1f  %6.2f   %11.1f  %9.1f  %+14.1f   (goals: ratio <= 1.20, difference <= 3 MiB)\n",
                median(allZ), median(allL), median(allZ) / median(allL), median(memZ), median(memL),
                median(memZ) - median(memL));

    if (!traced.empty()) {
        std::printf("\nwhere the start-up goes (ms from process start, median of %d starts)\n", starts);
        for (const std::wstring& program : {traced, least, withControls}) {
            if (program.empty()) continue;
            std::printf("%ls\n", program.substr(program.find_last_of(L"\\/") + 1).c_str());
            std::vector<std::vector<double>> stamps;
            std::vector<std::string> names;
            for (int i = 0; i < starts; ++i) {
                Start s = startAndClose(program);
                size_t at = 0;
                for (size_t k = 0; (at = s.output.find("stamp ", at)) != std::string::npos; ++k) {
                    size_t end = s.output.find('\n', at);
                    std::string line = s.output.substr(at + 6, end - at - 6);
                    size_t space = line.rfind(' ');
                    if (stamps.size() <= k) {
                        stamps.emplace_back();
                        names.push_back(line.substr(0, space));
                    }
                    stamps[k].push_back(std::atof(line.c_str() + space + 1));
                    at = end;
                }
                if (i == 0) names.push_back("idle and visible (harness)");
                if (stamps.size() < names.size()) stamps.emplace_back();
                stamps[names.size() - 1].push_back(s.ms);
            }
            for (size_t k = 0; k < stamps.size(); ++k)
                std::printf("  %-36s %8.1f\n", names[k].c_str(), median(stamps[k]));
        }
    }
    return 0;
}
