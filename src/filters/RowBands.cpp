#include "filters/RowBands.h"

#include <QThreadPool>
#include <atomic>
#include <exception>
#include <future>
#include <thread>

namespace {

constexpr int64_t kLargestUnsplit = 512 * 512;
std::atomic<int64_t> largestUnsplit{kLargestUnsplit};

// One helper for all the looks: pictures on other threads run their bands
// themselves rather than wait for it or crowd the cores.
class Helper : public QThreadPool {
public:
    Helper() { setMaxThreadCount(1); }
};

Helper& TheHelper() {
    static Helper helper;
    return helper;
}

} // namespace

int32_t RowBands::Split(int32_t rows, int64_t pixels) {
    if (pixels <= largestUnsplit || rows < 2 || std::thread::hardware_concurrency() < 2) {
        return rows;
    }
    return rows / 2;
}

int64_t RowBands::LargestUnsplit() {
    return largestUnsplit;
}

void RowBands::SetLargestUnsplit(int64_t pixels) {
    largestUnsplit = pixels;
}

void RowBands::Run(int32_t rows, int32_t split, const Band& band) {
    if (split <= 0 || split >= rows) {
        band(0, rows);
        return;
    }
    std::packaged_task<void()> lower([&] { band(split, rows); });
    std::future<void> done = lower.get_future();
    const bool helped = TheHelper().tryStart([&lower] { lower(); });
    // Whatever happens in the upper band, the helper is waited for before the
    // work it refers to goes.
    std::exception_ptr failed;
    try {
        band(0, split);
    } catch (...) {
        failed = std::current_exception();
    }
    if (failed) {
        if (helped) {
            done.wait();
        }
        std::rethrow_exception(failed);
    }
    if (!helped) {
        lower();
    }
    done.get(); // passes on what the lower band threw
}
