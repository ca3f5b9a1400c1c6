#pragma once

#include <functional>

// Runs numbered tasks on a fixed number of threads, each thread taking the
// next number as soon as it is free. Each thread owns one worker made by
// makeWorker, so nothing a task uses is shared but what it is given.
class WorkerPool {
public:
    WorkerPool() = delete;

    // A worker: runs task i; called on its own thread only.
    using Worker = std::function<void(int index)>;

    // Runs tasks 0..count-1 on `threads` threads and returns when all are done.
    static void Run(int count, int threads, const std::function<Worker()>& makeWorker);
};
