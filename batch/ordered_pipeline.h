#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// Work on a stream of chunks by several threads, with the results handed on
// in the order the chunks came in. The producer fills a free chunk and
// submits it; a worker runs work on it; the sink receives the finished
// chunks one at a time, in order, and the chunk is then free again. At most
// a fixed number of chunks are in flight, so memory stays flat however long
// the stream is.
template <typename Chunk> class OrderedPipeline {
  public:
    using Step = std::function<void(Chunk &)>;

    OrderedPipeline(unsigned workers, Step work, Step sink)
        : work_(std::move(work)), sink_(std::move(sink)) {
        workers = std::max(1U, workers);
        for (unsigned i = 0; i < 2 * workers + 2; ++i) {
            chunks_.push_back(std::make_unique<Chunk>());
            free_.push_back(chunks_.back().get());
        }
        for (unsigned i = 0; i < workers; ++i) {
            threads_.emplace_back([this] { runWorker(); });
        }
    }

    ~OrderedPipeline() { finish(); }
    OrderedPipeline(const OrderedPipeline &) = delete;
    OrderedPipeline &operator=(const OrderedPipeline &) = delete;

    // A chunk to fill; waits while every chunk is in flight.
    Chunk &acquire() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return !free_.empty(); });
        Chunk *chunk = free_.back();
        free_.pop_back();
        return *chunk;
    }

    void submit(Chunk &chunk) {
        std::lock_guard lock(mutex_);
        todo_.emplace_back(submitted_++, &chunk);
        changed_.notify_all();
    }

    // Returns an acquired chunk unused.
    void release(Chunk &chunk) {
        std::lock_guard lock(mutex_);
        free_.push_back(&chunk);
        changed_.notify_all();
    }

    // Waits until every submitted chunk has reached the sink.
    void finish() {
        {
            std::lock_guard lock(mutex_);
            closing_ = true;
            changed_.notify_all();
        }
        for (std::thread &thread : threads_) {
            if (thread.joinable()) {
                thread.join();
            }
        }
    }

  private:
    void runWorker() {
        std::unique_lock lock(mutex_);
        for (;;) {
            changed_.wait(lock, [this] { return !todo_.empty() || closing_; });
            if (todo_.empty()) {
                return;
            }
            const auto [sequence, chunk] = todo_.front();
            todo_.erase(todo_.begin());
            lock.unlock();
            work_(*chunk);
            lock.lock();
            done_.emplace(sequence, chunk);
            // One thread at a time hands the chunks on, in order.
            if (sinking_) {
                continue;
            }
            sinking_ = true;
            while (!done_.empty() && done_.begin()->first == nextToSink_) {
                Chunk *next = done_.begin()->second;
                done_.erase(done_.begin());
                lock.unlock();
                sink_(*next);
                lock.lock();
                ++nextToSink_;
                free_.push_back(next);
                changed_.notify_all();
            }
            sinking_ = false;
        }
    }

    Step work_;
    Step sink_;
    std::vector<std::unique_ptr<Chunk>> chunks_;
    std::vector<Chunk *> free_;
    std::vector<std::pair<std::size_t, Chunk *>> todo_;
    std::map<std::size_t, Chunk *> done_;
    std::size_t submitted_ = 0;
    std::size_t nextToSink_ = 0;
    bool sinking_ = false;
    bool closing_ = false;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::thread> threads_;
};
