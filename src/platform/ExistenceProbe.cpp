#include "platform/ExistenceProbe.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <set>
#include <thread>

#include "platform/Probes.h"

namespace nesk {
namespace {

constexpr uint32_t kErrorBadNetPath = 53;
constexpr uint32_t kErrorBadNetName = 67;

// The "\\server\share" an item lives on, upper-cased; empty for anything else.
std::wstring ShareOf(const std::wstring& item)
{
    if (item.size() < 3 || item[0] != L'\\' || item[1] != L'\\')
        return {};
    size_t server = item.find(L'\\', 2);
    if (server == std::wstring::npos || server == 2)
        return {};
    size_t share = item.find(L'\\', server + 1);
    std::wstring key = item.substr(0, share);
    for (wchar_t& ch : key)
        if (ch >= L'a' && ch <= L'z')
            ch = static_cast<wchar_t>(ch - L'a' + L'A');
    return key;
}

class SharedWork {
public:
    SharedWork(const std::vector<std::wstring>& items, const std::vector<char>& live, std::vector<char>& answers)
        : items_(items), live_(live), answers_(answers) {}

    // Takes items one by one until none is left; safe to run on several threads.
    void Run()
    {
        for (;;) {
            size_t k = next_.fetch_add(1);
            if (k >= items_.size())
                break;
            answers_[k] = Answer(k) ? 1 : 0;
            if (done_.fetch_add(1) + 1 == items_.size()) {
                std::lock_guard lock(mutex_);
                finished_.notify_all();
            }
        }
    }

    size_t Done() const { return done_.load(); }

    // True when all are answered; otherwise waits at most `tick`.
    bool WaitAll(std::chrono::milliseconds tick)
    {
        std::unique_lock lock(mutex_);
        return finished_.wait_for(lock, tick, [&] { return done_.load() >= items_.size(); });
    }

private:
    bool Answer(size_t k)
    {
        if (!live_[k])
            return false;
        const std::wstring& item = items_[k];
        std::wstring share = ShareOf(item);
        if (!share.empty()) {
            std::lock_guard lock(mutex_);
            if (deadShares_.count(share))
                return false;
        }
        uint32_t error = 0;
        bool exists = false;
        try {
            exists = ExistsOnAnsweringDrive(item, &error);
        } catch (...) {
            exists = false;
        }
        if (!share.empty() && (error == kErrorBadNetPath || error == kErrorBadNetName)) {
            std::lock_guard lock(mutex_);
            deadShares_.insert(share);
        }
        return exists;
    }

    const std::vector<std::wstring>& items_;
    const std::vector<char>& live_;
    std::vector<char>& answers_;
    std::atomic<size_t> next_{0};
    std::atomic<size_t> done_{0};
    std::mutex mutex_;
    std::condition_variable finished_;
    std::set<std::wstring> deadShares_;
};

}  // namespace

std::vector<char> ProbeExistence(const std::vector<std::wstring>& items, const ExistenceOptions& options)
{
    std::vector<char> answers(items.size(), 0);
    if (items.empty())
        return answers;

    // The drives first, one volume query per letter; a leading backslash needs none.
    int driveAnswer[26];
    std::fill(std::begin(driveAnswer), std::end(driveAnswer), -1);
    std::vector<char> live(items.size(), 0);
    for (size_t k = 0; k < items.size(); ++k) {
        const std::wstring& item = items[k];
        if (item.empty())
            continue;
        wchar_t c = item[0];
        if (c >= L'a' && c <= L'z')
            c = static_cast<wchar_t>(c - L'a' + L'A');
        if (c >= L'A' && c <= L'Z') {
            int& known = driveAnswer[c - L'A'];
            if (known < 0)
                known = ProbeDrive(std::wstring(1, c)) ? 1 : 0;
            live[k] = static_cast<char>(known);
        } else {
            live[k] = c == L'\\';
        }
    }

    SharedWork work(items, live, answers);
    int workers = std::clamp<int>(options.workers, 1, 64);
    workers = static_cast<int>(std::min<size_t>(workers, items.size()));
    if (workers <= 1) {
        work.Run();
        return answers;
    }
    std::vector<std::thread> threads;
    threads.reserve(workers);
    try {
        for (int w = 0; w < workers; ++w)
            threads.emplace_back([&work] { work.Run(); });
    } catch (...) {
        // No more threads to be had: the ones running (or this one) finish the work.
    }
    if (threads.empty())
        work.Run();
    auto tick = std::chrono::milliseconds(std::max(options.waitTick, 1));
    std::exception_ptr failure;
    while (!work.WaitAll(tick)) {
        if (options.onWait && !failure) {
            try {
                options.onWait(work.Done(), items.size());
            } catch (...) {
                failure = std::current_exception();  // raised once the workers are done
            }
        }
    }
    for (auto& thread : threads)
        thread.join();
    if (failure)
        std::rethrow_exception(failure);
    return answers;
}

}  // namespace nesk
