// How long the editing commands take in the real main window on lists of 1,000 and 20,000
// items: from the button's command to the list painted again, with the icons of the rows
// that show, the horizontal extent and the save of the list file included. Each figure is
// the middle of three runs, remove missing excepted (one run). Not a test: run
// it by hand (it uses the data folder of the Wine prefix) and read the figures.
//   scripts/wine-exec build/win32/tests/nesk_bench_commands.exe
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/DataFolder.h"
#include "app/MainForm.h"
#include "chrome/CommandIds.h"
#include "commands/ItemCommands.h"
#include "platform/Services.h"
#include "platform/win32/Win32Services.h"

namespace {

using namespace nesk;
using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration elapsed)
{
    return std::chrono::duration<double, std::milli>(elapsed).count();
}

void Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

std::wstring Folder()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"nesk-bench";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder + L"\\";
}

// Half the items exist (200 real files, each listed many times), half are missing; every
// fifth existing item is written in another letter case.
std::vector<std::wstring> MakeItems(int count)
{
    std::wstring folder = Folder();
    std::vector<std::wstring> items;
    for (int k = 0; k < count; ++k) {
        if (k % 2 == 0) {
            std::wstring path = folder + L"ファイル" + std::to_wstring(k % 400) + L".txt";
            if (k < 400)
                CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
            if (k % 10 == 0)
                std::transform(path.begin(), path.end(), path.begin(), [](wchar_t ch) { return ch == L'f' ? L'F' : ch; });
            items.push_back(path);
        } else {
            items.push_back(L"C:\\Users\\someone\\Documents\\old project\\gone" + std::to_wstring(k) + L".txt");
        }
    }
    return items;
}

class Bench {
public:
    Bench() : form_(TMainForm::Create(L"/New", true, SW_SHOWNORMAL)) { Pump(); }

    TMainForm& Form() { return *form_; }

    void Load(const std::vector<std::wstring>& items)
    {
        form_->SetItems(items);
        form_->RebuildIcons();
        Pump();
    }

    void Select(const std::vector<int>& rows)
    {
        SendMessageW(form_->ListBox(), WM_SETREDRAW, FALSE, 0);
        SendMessageW(form_->ListBox(), LB_SETSEL, FALSE, -1);
        for (int row : rows)
            SendMessageW(form_->ListBox(), LB_SETSEL, TRUE, row);
        SendMessageW(form_->ListBox(), WM_SETREDRAW, TRUE, 0);
        InvalidateRect(form_->ListBox(), nullptr, TRUE);
        Pump();
    }

    // From the command to the list painted again.
    double Run(int command)
    {
        auto start = Clock::now();
        SendMessageW(form_->Handle(), WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), reinterpret_cast<LPARAM>(form_->ToolBar()));
        UpdateWindow(form_->ListBox());
        return Milliseconds(Clock::now() - start);
    }

private:
    std::unique_ptr<TMainForm> form_;
};

// The machine is shared: each figure is the middle one of three runs.
double Median(std::vector<double> runs)
{
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

void Measure(Bench& bench, int count)
{
    std::vector<std::wstring> items = MakeItems(count);
    std::vector<int> block, every10th, everyOther;
    for (int k = count / 2; k < count / 2 + count / 10; ++k)
        block.push_back(k);
    for (int k = 0; k < count; k += 10)
        every10th.push_back(k);
    for (int k = 0; k < count; k += 2)
        everyOther.push_back(k);

    struct CutCase {
        const char* name;
        const std::vector<int>* rows;
    } cuts[] = {{"one row", nullptr}, {"a block of 10%", &block}, {"every 10th row", &every10th},
                {"every other row", &everyOther}};
    for (const auto& cut : cuts) {
        std::vector<int> rows = cut.rows ? *cut.rows : std::vector<int>{count / 2};
        std::vector<double> cutTimes, pasteTimes;
        for (int run = 0; run < 3; ++run) {
            bench.Load(items);
            bench.Select(rows);
            cutTimes.push_back(bench.Run(ID_TBCUT));
            bench.Select({1});
            pasteTimes.push_back(bench.Run(ID_TBPASTE));
        }
        std::printf("%6d items  cut %-16s %8.1f ms   paste it back %8.1f ms   (%zu rows)\n", count, cut.name,
                    Median(cutTimes), Median(pasteTimes), rows.size());
    }

    bench.Load(items);
    double missing = bench.Run(ID_TBEXISTS);
    std::printf("%6d items  remove missing            %8.1f ms   %6.1f us per item (%d asked, %zu left)\n", count,
                missing, 1000.0 * missing / count, count, bench.Form().Items().size());

    std::vector<double> purges;
    for (int run = 0; run < 3; ++run) {
        bench.Load(items);
        purges.push_back(bench.Run(ID_TBPURGE));
    }
    std::printf("%6d items  remove duplicates         %8.1f ms   (%zu left)\n", count, Median(purges),
                bench.Form().Items().size());

    // All different, nothing to remove: the worst case for the comparisons of letter case.
    std::vector<std::wstring> distinct;
    for (int k = 0; k < count; ++k)
        distinct.push_back(L"C:\\Users\\someone\\Documents\\project\\file" + std::to_wstring(k) + L".txt");
    std::vector<double> purgesDistinct;
    for (int run = 0; run < 3; ++run) {
        bench.Load(distinct);
        purgesDistinct.push_back(bench.Run(ID_TBPURGE));
    }
    std::printf("%6d items  remove duplicates, none   %8.1f ms\n", count, Median(purgesDistinct));
}

void MeasureMergeAlone(int count)
{
    std::vector<std::wstring> items;
    for (int k = 0; k < count; ++k) {
        std::wstring text = L"C:\\Users\\someone\\Documents\\project\\file" + std::to_wstring(k % (count * 3 / 5)) + L".txt";
        if (k % 7 == 0)
            text[0] = L'c';
        items.push_back(text);
    }
    auto start = Clock::now();
    std::vector<std::wstring> merged = RemoveDuplicates(items, Collation());
    std::printf("%6d items  duplicates merged alone   %8.1f ms   (%zu left)\n", count, Milliseconds(Clock::now() - start),
                merged.size());
}

}  // namespace

int main()
{
    InstallWin32Services();
    if (!CreateDataFolder(L"Nesk")) {
        std::printf("no data folder\n");
        return 1;
    }
    Bench bench;
    for (int count : {1000, 20000})
        Measure(bench, count);
    MeasureMergeAlone(100000);
    return 0;
}
