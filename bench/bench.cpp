// Speed and memory of the engine on large folders, each against the bare
// system loop that bounds it, measured in the same run.
//   quillet_bench FOLDER   (FOLDER holds scan\ with many files, mixed\ with as many of which a
//                           third have names beyond ASCII, and apply\ with a few thousand)
#include "app/application.h"
#include "engine/folder_scan.h"
#include "engine/journal_store.h"
#include "engine/list_order.h"
#include "engine/pass_driver.h"
#include "engine/transforms.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <new>
#include <string>
#include <utility>
#include <vector>

// Every allocation is counted, so the memory an engine structure holds is
// read exactly, whatever the system's own counters report under Wine.
namespace {
std::atomic<long long> liveBytes{0};
std::atomic<long long> liveBlocks{0};
constexpr size_t kHeader = 16;
} // namespace

void* operator new(size_t size)
{
    void* block = std::malloc(size + kHeader);
    if (!block)
        throw std::bad_alloc();
    *static_cast<size_t*>(block) = size;
    liveBytes += static_cast<long long>(size);
    ++liveBlocks;
    return static_cast<char*>(block) + kHeader;
}

void operator delete(void* pointer) noexcept
{
    if (!pointer)
        return;
    char* block = static_cast<char*>(pointer) - kHeader;
    liveBytes -= static_cast<long long>(*reinterpret_cast<size_t*>(block));
    --liveBlocks;
    std::free(block);
}

void operator delete(void* pointer, size_t) noexcept
{
    operator delete(pointer);
}

namespace {

class QuietHost : public EngineHost {
public:
    bool Confirm(const std::string&) override { return true; }
    bool AskToContinue(const std::string& text) override
    {
        std::printf("unexpected question: %s\n", text.c_str());
        return false;
    }
    void Warn(const std::string& text) override { std::printf("warning: %s\n", text.c_str()); }
    void ShowWorking(const std::string&) override {}
    void CloseWorking() override {}
    void FilesLoaded() override {}
    void Refill() override {}
    void ShowFolder(const std::string&, int) override {}
    void SetPending(bool) override {}
};

double Seconds(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The median of `runs`: neither the first run (a re-open of an empty list)
// nor a lucky one stands for the figure.
double Median(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(Seconds(work));
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The medians of a bare loop and of the work it bounds, their runs taken in
// turn, and the median of each run's ratio of work to its own bare loop:
// the machine's pace drifts over seconds, and a ratio of runs taken apart
// measures the drift as much as the work.
struct Paired {
    double bare;
    double work;
    double ratio;
};

Paired MedianPair(int runs, const std::function<void()>& bare, const std::function<void()>& work)
{
    std::vector<double> bareTimes;
    std::vector<double> workTimes;
    std::vector<double> ratios;
    for (int i = 0; i < runs; ++i) {
        bareTimes.push_back(Seconds(bare));
        workTimes.push_back(Seconds(work));
        ratios.push_back(workTimes.back() / bareTimes.back());
    }
    for (std::vector<double>* times : {&bareTimes, &workTimes, &ratios})
        std::sort(times->begin(), times->end());
    const size_t middle = static_cast<size_t>(runs) / 2;
    return {bareTimes[middle], workTimes[middle], ratios[middle]};
}

// Live heap in megabytes, counting each block's bytes and a typical heap
// header of 16 bytes a block.
double HeapMegabytes()
{
    return static_cast<double>(liveBytes + 16 * liveBlocks) / (1024.0 * 1024.0);
}

int BareFindLoop(const std::string& searchPath)
{
    int files = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(searchPath.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ++files;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return files;
}

void Report(const char* what, double seconds, const char* limit)
{
    std::printf("%-52s %8.3f s   (%s)\n", what, seconds, limit);
}

// The bound of a reading that a hundred thousand files must keep; past them
// only its ratio to the bare loop is bound.
const char* ReadingBound(int files)
{
    return files <= 100000 ? "under 1 s" : "bound by its ratio";
}

// The bound of a pass over every entry: a transform, a turn of the order.
const char* PassBound(int files)
{
    return files <= 100000 ? "at most 0.05 s" : "under 0.5 s";
}

// The headline figures of one folder, to set the names beyond ASCII against
// the ASCII ones.
struct Headline {
    double scanRatio = 0;
    double openRatio = 0;
    double transformSeconds = 0;
    double bytesPerEntry = 0;
};

// The scanned entries put in each order from another one, as the View menu
// does, and the order shown turned round.
void SortFigures(WorkingSet& set, double bare)
{
    struct Named { const char* name; SortOrder order; };
    const Named orders[] = {
        {"sort by date modified", {ListOrder::Modified, false}},
        {"sort by date, reversed", {ListOrder::Modified, true}},
        {"sort by name", {ListOrder::Name, false}},
        {"sort by name, reversed", {ListOrder::Name, true}},
    };
    for (const Named& o : orders) {
        const double seconds = Median(5, [&] {
            set.SetOrder(SortOrder{o.order.by == ListOrder::Name ? ListOrder::Size : ListOrder::Name, false});
            ChangeOrder(set, o.order);
        });
        std::printf("%-52s %8.3f s   (%.2fx the bare loop)\n", o.name, seconds, seconds / bare);
    }
    const double flip = Median(5, [&] { ChangeOrder(set, SortOrder{ListOrder::Name, !set.Order().reversed}); });
    Report("reverse the order shown", flip, PassBound(set.Count()));
    ChangeOrder(set, SortOrder());
}

double ScanFigures(const std::string& folder, QuietHost& host)
{
    const std::string searchPath = folder + "*.*";
    int bareCount = 0;
    WorkingSet set;
    FolderContext context{set, folder, SystemFileOps(), host};
    const auto [bare, scan, ratio] = MedianPair(
        5, [&] { bareCount = BareFindLoop(searchPath); }, [&] { Scan(context, searchPath); });
    std::printf("folder of %d files\n", bareCount);
    Report("bare FindFirstFileA loop", bare, "the bound");
    Report("scan and sort into the working set", scan, ReadingBound(bareCount));
    std::printf("%-52s %8.2fx   (at most 1.10x)\n", "ratio scan / bare loop", ratio);
    SortFigures(set, bare);
    return ratio;
}

// The same folder opened through the program's own window, list shown, and
// then every row given a new proposal and the list refreshed.
double WindowFigures(const std::string& folder)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string settings = std::string(temp) + "quillet-bench.ini";
    Application app;
    if (!app.Start(settings, nullptr, SW_SHOW)) {
        std::printf("the window could not be created\n");
        return 0;
    }
    HWND window = app.mainWindow.GetHandle();
    const auto [bare, open, ratio] = MedianPair(
        5, [&] { BareFindLoop(folder + "*.*"); },
        [&] {
            app.mainWindow.OpenByPath(folder.c_str());
            UpdateWindow(window);
        });
    const double refresh = Median(5, [&] {
        SendMessageA(window, WM_COMMAND, 40002, 0);
        UpdateWindow(window);
    });
    std::printf("\nthrough the main window (%d rows)\n", app.list.RowCount());
    Report("bare FindFirstFileA loop", bare, "the bound");
    Report("open the folder, list shown", open, ReadingBound(app.list.RowCount()));
    std::printf("%-52s %8.2fx   (at most 1.15x)\n", "ratio open / bare loop", ratio);
    Report("uppercase proposals, list refreshed", refresh,
           app.list.RowCount() <= 100000 ? "at most 0.1 s" : "under 0.5 s");
    DestroyWindow(window);
    // The window's end posts the quit: left in the queue, it would stop the
    // next folder's reading as the program's end does.
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    DeleteFileA(settings.c_str());
    return ratio;
}

void TransformFigures(const std::string& folder, QuietHost& host, Headline& headline)
{
    WorkingSet set;
    FolderContext context{set, folder, SystemFileOps(), host};
    const double before = HeapMegabytes();
    Scan(context, folder + "*.*");
    const double scanned = HeapMegabytes();
    const int n = set.Count();
    IndexOptions index;
    index.useNewName = true;
    index.newName = "picture";
    struct Named { const char* name; std::function<void()> run; };
    const Named transforms[] = {
        {"uppercase", [&] { MakeUpper(set); }},
        {"lowercase", [&] { MakeLower(set); }},
        {"prefix", [&] { PrefixOrAppend(set, "CD3-", TextPosition::Prefix); }},
        {"append", [&] { PrefixOrAppend(set, " old", TextPosition::Append); }},
        {"shorten to 12", [&] { Shorten(set, 12); }},
        {"remove text", [&] { RemoveText(set, "photo"); }},
        {"index numbers", [&] { IndexNames(set, index); }},
        {"change extensions", [&] { ProposeExtension(set, "jpeg"); }},
    };
    std::printf("\ntransforms over %d entries\n", n);
    double peak = scanned;
    for (const Named& t : transforms) {
        const double seconds = Median(5, t.run);
        Report(t.name, seconds, PassBound(n));
        headline.transformSeconds += seconds;
        peak = std::max(peak, HeapMegabytes());
    }
    std::printf("\nmemory for %d entries: %.1f MB after the scan, at most %.1f MB with proposals and the"
                " proposal index (%.0f bytes an entry; at most 150)\n",
                n, scanned - before, peak - before, (peak - before) * 1024 * 1024 / std::max(n, 1));
    headline.bytesPerEntry = (peak - before) * 1024 * 1024 / std::max(n, 1);
}

Headline FolderFigures(const std::string& folder, QuietHost& host)
{
    Headline headline;
    headline.scanRatio = ScanFigures(folder, host);
    headline.openRatio = WindowFigures(folder);
    TransformFigures(folder, host, headline);
    return headline;
}

void CompareScripts(const Headline& ascii, const Headline& mixed)
{
    std::printf("\na third of the names beyond ASCII, against all ASCII (at most 1.5x)\n");
    std::printf("%-52s %8.2fx\n", "scan / bare loop", mixed.scanRatio / ascii.scanRatio);
    std::printf("%-52s %8.2fx\n", "open / bare loop", mixed.openRatio / ascii.openRatio);
    std::printf("%-52s %8.2fx\n", "all transforms", mixed.transformSeconds / ascii.transformSeconds);
    std::printf("%-52s %8.2fx\n", "bytes an entry", mixed.bytesPerEntry / ascii.bytesPerEntry);
}

void CollidingShorten()
{
    WorkingSet set;
    char name[64];
    for (int i = 0; i < 10000; ++i) {
        std::snprintf(name, sizeof name, "abcdefghij_%05d.txt", i);
        set.Append(name);
    }
    const double seconds = Seconds([&] { Shorten(set, 5); });
    std::printf("\n");
    Report("shorten 10,000 names to one text (~1 ... ~9999)", seconds, "under 0.1 s");
    std::printf("%-52s %s\n", "  last proposal", set.Entry(9999).newName.c_str());
}

// Renames every file of the folder from one prefix letter to another.
void ApplyFigures(const std::string& folder, QuietHost& host)
{
    WorkingSet set;
    // The batch is journaled as in the program, in the folder's parent.
    JournalFolder journals(SystemFileOps(), JournalFolderBeside(folder.substr(0, folder.size() - 1)));
    FolderContext context{set, folder, SystemFileOps(), host, &journals};
    Scan(context, folder + "*.*");
    const int n = set.Count();
    auto bareLoop = [&](char from, char to) {
        for (int i = 0; i < n; ++i) {
            std::string name = set.Entry(i).name;
            name[0] = from;
            const std::string source = folder + name;
            name[0] = to;
            MoveFileA(source.c_str(), (folder + name).c_str());
        }
    };
    auto engine = [&](char to) {
        Scan(context, folder + "*.*");
        for (int i = 0; i < set.Count(); ++i) {
            std::string name = set.Entry(i).name;
            name[0] = to;
            set.SetNewName(i, name);
        }
        ApplyRenames(context);
    };
    // Renaming one way and back costs differently under Wine, so each side
    // does both directions, in an order that gives neither the warmer folder.
    double bare = 0, ours = 0;
    bare += Seconds([&] { bareLoop('f', 'g'); });
    ours += Seconds([&] { engine('f'); });
    ours += Seconds([&] { engine('g'); });
    bare += Seconds([&] { bareLoop('g', 'f'); });
    std::printf("\napply %d renames\n", n);
    Report("bare MoveFileA loop", bare, "the bound");
    Report("ApplyRenames (plan, journal, passes, rescan)", ours, "");
    std::printf("%-52s %8.3fx   (at most 1.05x)\n", "ratio apply / bare loop", ours / bare);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::printf("usage: quillet_bench FOLDER\n");
        return 2;
    }
    std::string root = argv[1];
    if (root.back() != '\\')
        root += '\\';
    QuietHost host;
    const Headline ascii = FolderFigures(root + "scan\\", host);
    std::printf("\n== the same count of names, a third of them in Cyrillic, accented Latin or Japanese\n");
    const Headline mixed = FolderFigures(root + "mixed\\", host);
    CompareScripts(ascii, mixed);
    CollidingShorten();
    ApplyFigures(root + "apply\\", host);
    return 0;
}
