#include "design_search.h"

#include "candidate_grid.h"
#include "rate_window.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <limits>
#include <mutex>
#include <thread>
#include <tuple>

namespace {

// Smaller d, then D, then n: the tie-break of both rankings.
auto SizeKey(const SpringDesign &s) {
    return std::make_tuple(s.WireDiameter, s.MeanDiameter, s.ActiveCoils);
}

// A design the checks call hard to make ranks after every one they do not.
bool BetterDesign(const EvaluatedDesign &a, const EvaluatedDesign &b) {
    return std::tuple_cat(std::make_tuple(a.rankedLater, a.metric), SizeKey(a.design)) <
           std::tuple_cat(std::make_tuple(b.rankedLater, b.metric), SizeKey(b.design));
}

bool NearerMiss(const EvaluatedDesign &a, const EvaluatedDesign &b) {
    return std::tuple_cat(std::make_tuple(a.missDistance, a.misses.size()), SizeKey(a.design)) <
           std::tuple_cat(std::make_tuple(b.missDistance, b.misses.size()), SizeKey(b.design));
}

// The best `size` entries seen so far under `better`: a heap with the worst
// kept entry on top, so that an offer costs a comparison and, if it gets in,
// a logarithmic step.
class Leaders {
  public:
    Leaders(std::size_t size, bool (*better)(const EvaluatedDesign &, const EvaluatedDesign &))
        : size_(size), better_(better) {}

    void Offer(const EvaluatedDesign &candidate) {
        if (entries_.size() == size_) {
            if (!better_(candidate, entries_.front())) {
                return;
            }
            std::pop_heap(entries_.begin(), entries_.end(), better_);
            entries_.back() = candidate;
        } else {
            entries_.push_back(candidate);
        }
        std::push_heap(entries_.begin(), entries_.end(), better_);
    }
    // The largest miss distance that can still enter; anything beyond is out.
    double Budget() const {
        return entries_.size() < size_ ? std::numeric_limits<double>::infinity()
                                       : entries_.front().missDistance;
    }
    void Merge(const Leaders &other) {
        for (const EvaluatedDesign &e : other.entries_) {
            Offer(e);
        }
    }
    // Best first.
    std::vector<EvaluatedDesign> Take() {
        std::sort_heap(entries_.begin(), entries_.end(), better_);
        return std::move(entries_);
    }

  private:
    std::size_t size_;
    bool (*better_)(const EvaluatedDesign &, const EvaluatedDesign &);
    std::vector<EvaluatedDesign> entries_;
};

struct PassTally {
    Leaders best;
    Leaders misses;
    std::uint64_t calculated = 0;
    std::uint64_t qualified = 0;
    explicit PassTally(std::size_t top) : best(top, BetterDesign), misses(top, NearerMiss) {}
};

// One pass over the grid. pruned: skip what is proven to fail (see
// rate_window.cpp and the later-coils rule of the evaluator); collectMisses:
// keep the nearest misses (and run a failing candidate's checks while it can
// still be one of them).
class Pass {
  public:
    Pass(const SearchRequest &request, const SearchOptions &options, const CandidateGrid &grid,
         int number, bool pruned, bool collectMisses)
        : request_(request), options_(options), grid_(grid), number_(number), pruned_(pruned),
          collectMisses_(collectMisses) {}

    PassTally Run(unsigned threads) {
        std::vector<PassTally> tallies(threads, PassTally(request_.top));
        if (options_.onCallingThread) {
            running_ = 1;
            Work(tallies[0]);
        } else {
            // std::thread joined by hand: the page's C++ library has no std::jthread.
            std::vector<std::thread> workers;
            running_ = threads;
            for (unsigned t = 0; t < threads; ++t) {
                workers.emplace_back([this, &tally = tallies[t]] { Work(tally); });
            }
            ReportProgressUntilDone();
            for (std::thread &worker : workers) {
                worker.join();
            }
        }
        if (failure_) {
            std::rethrow_exception(failure_);
        }
        PassTally total(request_.top);
        for (const PassTally &t : tallies) {
            total.best.Merge(t.best);
            total.misses.Merge(t.misses);
            total.calculated += t.calculated;
            total.qualified += t.qualified;
        }
        return total;
    }

  private:
    static constexpr std::size_t kPairsPerChunk = 16;

    void Work(PassTally &tally) {
        try {
            CandidateEvaluator evaluator(request_, options_.checks);
            const RateWindow window(request_, evaluator.heights());
            const auto modulus = static_cast<float>(request_.shearModulus);
            const std::size_t pairs = grid_.pairCount();
            for (;;) {
                const std::size_t begin = next_.fetch_add(kPairsPerChunk);
                if (begin >= pairs || stop_.load()) {
                    break;
                }
                const std::size_t end = std::min(pairs, begin + kPairsPerChunk);
                for (std::size_t p = begin; p < end; ++p) {
                    WorkPair(evaluator, window, modulus, grid_.pair(p), tally);
                }
                done_.fetch_add(end - begin);
                if (options_.onCallingThread && options_.progress) {
                    options_.progress({number_, std::min(done_.load(), pairs), pairs});
                }
            }
        } catch (...) {
            const std::lock_guard lock(mutex_);
            if (!failure_) {
                failure_ = std::current_exception();
            }
            stop_ = true;
        }
        const std::lock_guard lock(mutex_);
        --running_;
        finished_.notify_all();
    }

    void WorkPair(CandidateEvaluator &evaluator, const RateWindow &window, float modulus,
                  CandidateGrid::Pair pair, PassTally &tally) {
        const auto wire = static_cast<float>(request_.wires[pair.wire].diameter);
        modulus = static_cast<float>(ShearModulusOf(request_, request_.wires[pair.wire]));
        const float mean = MeanDiameterOf(pair.tenths);
        IntegerRange quarters = grid_.quarters();
        if (pruned_) {
            // The diameter limits do not depend on n: the evaluator would
            // find every candidate of this pair outside them.
            if (!DiametersFit(request_.limits, wire, mean)) {
                return;
            }
            const IntegerRange loadable = window.Quarters(modulus, wire, mean);
            quarters.first = std::max(quarters.first, loadable.first);
            quarters.last = std::min(quarters.last, loadable.last);
        }
        for (std::int64_t q = quarters.first; q <= quarters.last; ++q) {
            const double budget = collectMisses_ ? tally.misses.Budget() : -1.0;
            const EvaluatedDesign &e = evaluator.Evaluate(pair.wire, pair.tenths, q, budget);
            ++tally.calculated;
            if (e.qualified) {
                ++tally.qualified;
                tally.best.Offer(e);
            } else if (collectMisses_) {
                tally.misses.Offer(e);
            }
            if (pruned_ && evaluator.laterCoilsFail()) {
                break;
            }
        }
    }

    void ReportProgressUntilDone() {
        std::unique_lock lock(mutex_);
        while (running_ > 0) {
            finished_.wait_for(lock, std::chrono::milliseconds(100));
            if (options_.progress) {
                lock.unlock();
                options_.progress(
                    {number_, std::min(done_.load(), grid_.pairCount()), grid_.pairCount()});
                lock.lock();
            }
        }
    }

    const SearchRequest &request_;
    const SearchOptions &options_;
    const CandidateGrid &grid_;
    int number_;
    bool pruned_;
    bool collectMisses_;
    std::atomic<std::size_t> next_{0};
    std::atomic<std::size_t> done_{0};
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::condition_variable finished_;
    unsigned running_ = 0;
    std::exception_ptr failure_;
};

// Wires in ascending order, each diameter once (as stored in single precision).
SearchRequest Normalised(const SearchRequest &request) {
    SearchRequest r = request;
    std::stable_sort(r.wires.begin(), r.wires.end(), [](const WireChoice &a, const WireChoice &b) {
        return static_cast<float>(a.diameter) < static_cast<float>(b.diameter);
    });
    r.wires.erase(std::unique(r.wires.begin(), r.wires.end(),
                              [](const WireChoice &a, const WireChoice &b) {
                                  return static_cast<float>(a.diameter) ==
                                         static_cast<float>(b.diameter);
                              }),
                  r.wires.end());
    return r;
}

} // namespace

SearchOutcome SearchDesigns(const SearchRequest &request, const SearchOptions &options) {
    if (auto problem = SearchRequestProblem(request)) {
        throw std::invalid_argument(*problem);
    }
    const auto started = std::chrono::steady_clock::now();
    const SearchRequest r = Normalised(request);
    const CandidateGrid grid(r);

    unsigned threads = options.onCallingThread ? 1U
                       : options.threads != 0  ? options.threads
                                               : std::thread::hardware_concurrency();
    threads = std::max(1U, threads);
    if (grid.pairCount() < threads) {
        threads = static_cast<unsigned>(std::max<std::size_t>(1, grid.pairCount()));
    }

    SearchOutcome outcome;
    outcome.candidates = grid.candidateCount();
    outcome.threads = threads;
    // The first pass keeps misses only when it goes through everything; a
    // pruned pass that finds nothing is followed by a full one for them.
    PassTally first = Pass(r, options, grid, 1, options.prune, !options.prune).Run(threads);
    outcome.calculated = first.calculated;
    outcome.qualified = first.qualified;
    outcome.best = first.best.Take();
    if (outcome.qualified == 0) {
        if (options.prune) {
            // The full pass calculates every candidate the pruned one did:
            // counted once.
            PassTally second = Pass(r, options, grid, 2, false, true).Run(threads);
            outcome.calculated = second.calculated;
            outcome.nearestMisses = second.misses.Take();
        } else {
            outcome.nearestMisses = first.misses.Take();
        }
    }
    outcome.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return outcome;
}
