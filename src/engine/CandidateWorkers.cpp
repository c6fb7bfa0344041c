#include "engine/CandidateWorkers.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "engine/CalculationResults.h"
#include "engine/Environment.h"

namespace polvane {

namespace {

// A block long enough that handing it out costs nothing against its predictions, short
// enough that a sweep's last blocks keep the threads busy to its end and that little is
// lost at the deadline.
constexpr double kBlockSeconds = 0.002;
constexpr std::int64_t kMaxBlock = std::int64_t{1} << 16;
constexpr float kRejected = std::numeric_limits<float>::infinity();
// The weight of the newest block in the running average of a candidate's time.
constexpr double kAverageWeight = 0.25;

// Whether a candidate's aims keep the overthrow and underthrow limits (all in degrees).
bool AimsWithinLimits(const CalculationResults& r, bool flown, float overthrow, float underthrow)
{
    if (r.CellResults.empty())
        return true;
    const double upper = r.UpperCoverageAngle.Degrees();
    const double lower = r.LowerCoverageAngle.Degrees();
    const CellResult& top = flown ? r.CellResults.front() : r.CellResults.back();
    const CellResult& bottom = flown ? r.CellResults.back() : r.CellResults.front();
    return top.Aim.Degrees() <= upper + overthrow && lower - underthrow <= bottom.Aim.Degrees();
}

} // namespace

CandidateWorkers::CandidateWorkers(const Environment& venue, int workers)
    : flown_(venue.LineArray().Configuration() == ConfigurationCode::Flown),
      overthrow_(venue.AutoCalcOverthrow()), underthrow_(venue.AutoCalcUnderthrow())
{
    const int count = std::max(1, workers);
    venues_.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        std::unique_ptr<Environment> copy = venue.CloneOf();
        // The copy does not take the Auto-Configure settings; the quick prediction reads
        // the limits.
        copy->SetAutoCalcBaselines(overthrow_, underthrow_);
        copy->SetAutoCalcBumperAdjust(venue.AutoCalcBumperAdjust());
        venues_.push_back(std::move(copy));
    }
    threads_.reserve(venues_.size());
    try {
        for (const std::unique_ptr<Environment>& copy : venues_)
            threads_.emplace_back([this, &copy] { Work(*copy); });
    } catch (...) {
        StopAll();
        throw;
    }
}

CandidateWorkers::~CandidateWorkers() { StopAll(); }

void CandidateWorkers::StopAll()
{
    {
        const std::lock_guard lock(mutex_);
        quit_ = true;
        live_.store(0, std::memory_order_relaxed);
    }
    workReady_.notify_all();
    for (std::thread& thread : threads_)
        if (thread.joinable())
            thread.join();
    threads_.clear();
}

void CandidateWorkers::StartSweep(const SweepCursor& start, std::int64_t budget,
                                  const Angle& bumperStart)
{
    {
        const std::lock_guard lock(mutex_);
        ++generation_;
        live_.store(generation_, std::memory_order_relaxed);
        next_ = start;
        budget_ = std::max<std::int64_t>(0, budget);
        bumperStart_ = bumperStart;
        handedOut_ = 0;
        takenBack_ = 0;
        finished_.clear();
        running_ = 0;
    }
    workReady_.notify_all();
}

bool CandidateWorkers::NothingLeft() const
{
    return (!next_ || !next_->Valid() || budget_ == 0) && running_ == 0;
}

void CandidateWorkers::Wait(std::chrono::steady_clock::time_point until)
{
    std::unique_lock lock(mutex_);
    blockReady_.wait_until(lock, until, [this] {
        return (!finished_.empty() && finished_.front()) || NothingLeft();
    });
}

std::optional<CandidateWorkers::Block> CandidateWorkers::TakeNext()
{
    const std::lock_guard lock(mutex_);
    if (finished_.empty() || !finished_.front())
        return std::nullopt;
    std::optional<Block> block = std::move(finished_.front());
    finished_.pop_front();
    ++takenBack_;
    return block;
}

bool CandidateWorkers::SweepDone()
{
    const std::lock_guard lock(mutex_);
    return NothingLeft() && finished_.empty();
}

bool CandidateWorkers::TakeTask(std::unique_lock<std::mutex>& lock, Task& task)
{
    workReady_.wait(lock, [this] { return quit_ || (next_ && next_->Valid() && budget_ > 0); });
    if (quit_)
        return false;
    // Blocks grow from one combination as the sweep goes on, so that a short sweep is
    // shared out too, up to what takes about kBlockSeconds.
    const auto workers = static_cast<std::int64_t>(venues_.size());
    std::int64_t size = std::int64_t{1} << std::min<std::int64_t>(16, handedOut_ / workers);
    if (secondsPerCandidate_ > 0)
        size = std::min(size, std::clamp(static_cast<std::int64_t>(kBlockSeconds / secondsPerCandidate_),
                                         std::int64_t{1}, kMaxBlock));
    size = std::min({size, kMaxBlock, budget_});
    task.generation = generation_;
    task.sequence = handedOut_++;
    task.start = *next_;
    task.bumperStart = bumperStart_;
    task.count = 0;
    while (task.count < size && next_->Valid()) {
        ++task.count;
        next_->Next();
    }
    budget_ -= task.count;
    ++running_;
    return true;
}

void CandidateWorkers::Work(Environment& venue)
{
    // What this copy's cells hold: unknown at first, so that every cell is set once.
    std::vector<int> applied;
    std::unique_lock lock(mutex_);
    Task task;
    while (TakeTask(lock, task)) {
        lock.unlock();
        const auto began = std::chrono::steady_clock::now();
        bool abandoned = false;
        Block block = Evaluate(venue, task, applied, abandoned);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
        lock.lock();
        if (task.generation != generation_ || abandoned)
            continue;
        --running_;
        if (!block.scores.empty()) {
            const double each = seconds / static_cast<double>(block.scores.size());
            secondsPerCandidate_ = secondsPerCandidate_ > 0
                                       ? secondsPerCandidate_ + kAverageWeight * (each - secondsPerCandidate_)
                                       : each;
        }
        const auto slot = static_cast<std::size_t>(task.sequence - takenBack_);
        if (finished_.size() <= slot)
            finished_.resize(slot + 1);
        finished_[slot] = std::move(block);
        // Taken back as they come, a sweep's blocks are all but taken back when its last
        // one finishes, and the next sweep starts without the threads waiting long.
        if (slot == 0 || NothingLeft())
            blockReady_.notify_one();
    }
}

CandidateWorkers::Block CandidateWorkers::Evaluate(Environment& venue, const Task& task,
                                                   std::vector<int>& applied,
                                                   bool& abandoned) const
{
    Block block;
    block.scores.reserve(static_cast<std::size_t>(task.count));
    SweepCursor at = *task.start;
    Cells& cells = venue.LineArray().Cells();
    Bumper& bumper = venue.LineArray().Bumper();
    applied.resize(at.Indices().size(), -1);
    try {
        for (std::int64_t c = 0; c < task.count; ++c) {
            if (live_.load(std::memory_order_relaxed) != task.generation) {
                abandoned = true;
                return block;
            }
            // Only the cells whose index changed are set; a cell of no allowed splays
            // keeps its splay.
            const std::vector<int>& indices = at.Indices();
            for (std::size_t i = 1; i < indices.size(); ++i) {
                if (indices[i] != applied[i]) {
                    applied[i] = indices[i];
                    if (indices[i] >= 1)
                        cells.Item(static_cast<int>(i)).SetSplayIndex(indices[i]);
                }
            }
            bumper.ForceAngle(task.bumperStart);
            const CalculationResults r = venue.GenerateCalculations(true);
            const bool accepted = r.Balanced && AimsWithinLimits(r, flown_, overthrow_, underthrow_);
            block.scores.push_back(accepted ? r.EvennessScore : kRejected);
            at.Next();
        }
    } catch (...) {
        block.failure = std::current_exception();
    }
    return block;
}

} // namespace polvane
