#include "OrderedWork.h"

#include <QThread>

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace OrderedWork {

namespace {

// A piece's state, as the calling thread waits on it.
enum PieceState : int { Pending = 0, Produced = 1, Abandoned = 2 };

} // namespace

void run(int count, int ahead, const std::function<void(int)>& produce, const std::function<void(int)>& consume)
{
    if (count <= 0)
        return;
    ahead = std::max(ahead, 1);
    std::atomic<int> claimed{0};
    std::atomic<int> consumed{0};
    std::vector<std::atomic<int>> state(static_cast<size_t>(count));

    // The first exception from either side; once it is set, nothing new starts and every thread winds down.
    std::atomic<bool> stopped{false};
    std::exception_ptr failure;
    std::mutex failureLock;
    const auto fail = [&] {
        const std::lock_guard<std::mutex> hold(failureLock);
        if (!failure)
            failure = std::current_exception();
        stopped.store(true);
    };

    // Pieces are claimed in order, so the oldest one not yet consumed is always claimed by a worker that may
    // start it: the wait for room ahead never blocks the piece the calling thread waits for. Every claimed piece
    // ends produced or abandoned, so the calling thread never waits on a piece nobody will finish.
    const auto work = [&] {
        for (int piece = claimed++; piece < count; piece = claimed++) {
            for (int seen = consumed.load(); piece >= seen + ahead && !stopped.load(); seen = consumed.load())
                consumed.wait(seen);
            int done = Abandoned;
            if (!stopped.load()) {
                try {
                    produce(piece);
                    done = Produced;
                } catch (...) {
                    fail();
                }
            }
            state[size_t(piece)].store(done);
            state[size_t(piece)].notify_one();
            if (done == Abandoned)
                return;
        }
    };
    std::vector<std::thread> workers(size_t(std::clamp(QThread::idealThreadCount(), 1, count)));
    for (std::thread& worker : workers)
        worker = std::thread(work);

    try {
        for (int piece = 0; piece < count; ++piece) {
            state[size_t(piece)].wait(Pending);
            if (state[size_t(piece)].load() == Abandoned)
                break;
            consume(piece);
            consumed.store(piece + 1);
            consumed.notify_all();
        }
    } catch (...) {
        fail();
    }
    // Wakes the workers still waiting for room, whether the work ended or failed.
    consumed.store(count);
    consumed.notify_all();
    for (std::thread& worker : workers)
        worker.join();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace OrderedWork
