#include "batch/WorkerPool.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

void WorkerPool::Run(int count, int threads, const std::function<Worker()>& makeWorker) {
    std::atomic<int> next{0};
    const auto work = [&next, count](const Worker& worker) {
        for (int i = next++; i < count; i = next++) {
            worker(i);
        }
    };
    const int helpers = std::clamp(std::min(threads, count) - 1, 0, count);
    // The workers are made here, one after another: making one may touch
    // shared state (fonts, a renderer's tables).
    std::vector<Worker> workers;
    for (int t = 0; t <= helpers; ++t) {
        workers.push_back(makeWorker());
    }
    std::vector<std::thread> pool;
    for (int t = 0; t < helpers; ++t) {
        pool.emplace_back(work, std::cref(workers[size_t(t)]));
    }
    work(workers.back());
    for (std::thread& thread : pool) {
        thread.join();
    }
}
