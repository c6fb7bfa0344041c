#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "engine/SweepCursor.h"
#include "model/Angle.h"

namespace polvane {

class Environment;

// The threads that run Auto-Configure's quick predictions. Each has its own copy of the
// venue (and, being a thread of its own, its own prediction workspace); they take
// contiguous blocks of a sweep's combinations in turn and score every combination of a
// block. The search itself stays with the caller, which takes the finished blocks back in
// the sweep's order, so the outcome is that of one thread trying the combinations in turn.
// Nothing here outlives the object: the destructor stops and joins every thread.
class CandidateWorkers {
public:
    // One finished block: for each of its combinations in order, the score when the
    // candidate is balanced and keeps the aim limits, or +infinity when it does not.
    struct Block {
        std::vector<float> scores;
        // A prediction that failed ends its block; rethrown where the block is taken back.
        std::exception_ptr failure;
    };

    // Copies the venue for each of `workers` threads (at least one), here on the calling
    // thread, and starts the threads.
    CandidateWorkers(const Environment& venue, int workers);
    ~CandidateWorkers();
    CandidateWorkers(const CandidateWorkers&) = delete;
    CandidateWorkers& operator=(const CandidateWorkers&) = delete;

    // Starts a sweep from `start`: at most `budget` combinations are handed out. Every
    // candidate's bumper starts from `bumperStart`, so that the single-point levelling
    // of its prediction depends on the candidate alone. Drops what an earlier sweep left.
    void StartSweep(const SweepCursor& start, std::int64_t budget, const Angle& bumperStart);

    // Waits until the next block in the sweep's order has finished or nothing is left to
    // take back, but not beyond `until`.
    void Wait(std::chrono::steady_clock::time_point until);
    // The next block in the sweep's order, when it has finished.
    std::optional<Block> TakeNext();
    // True once every combination of the sweep has been handed out and taken back.
    bool SweepDone();

private:
    struct Task {
        std::uint64_t generation = 0;
        std::int64_t sequence = 0;
        std::optional<SweepCursor> start;
        std::int64_t count = 0;
        Angle bumperStart;
    };

    void StopAll();
    void Work(Environment& venue);
    bool TakeTask(std::unique_lock<std::mutex>& lock, Task& task);
    Block Evaluate(Environment& venue, const Task& task, std::vector<int>& applied,
                   bool& abandoned) const;
    bool NothingLeft() const;

    const bool flown_;
    const float overthrow_;
    const float underthrow_;

    std::mutex mutex_;
    std::condition_variable workReady_;  // a sweep has combinations to hand out, or quit
    std::condition_variable blockReady_; // the next block in order finished, or none is left
    bool quit_ = false;
    std::uint64_t generation_ = 0; // the sweep being run
    std::atomic<std::uint64_t> live_{0}; // generation_, read by the workers between candidates
    std::optional<SweepCursor> next_; // the next combination to hand out
    std::int64_t budget_ = 0;         // combinations still to hand out
    Angle bumperStart_;
    std::int64_t handedOut_ = 0;      // blocks handed out in this sweep
    std::int64_t takenBack_ = 0;      // blocks taken back in this sweep
    std::deque<std::optional<Block>> finished_; // from block takenBack_ on
    int running_ = 0;                 // blocks of this sweep being evaluated
    double secondsPerCandidate_ = 0;  // a running average, for the size of the blocks

    std::vector<std::unique_ptr<Environment>> venues_;
    std::vector<std::thread> threads_;
};

} // namespace polvane
