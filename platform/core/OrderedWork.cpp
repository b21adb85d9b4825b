#include "OrderedWork.h"

#include <QThread>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace OrderedWork {

void run(int count, int ahead, const std::function<void(int)>& produce, const std::function<void(int)>& consume)
{
    if (count <= 0)
        return;
    ahead = std::max(ahead, 1);
    std::atomic<int> claimed{0};
    std::atomic<int> consumed{0};
    // One flag per piece, set once the piece is produced.
    std::vector<std::atomic<int>> produced(static_cast<size_t>(count));

    // Pieces are claimed in order, so the oldest one not yet consumed is always claimed by a worker that may
    // start it: the wait for room ahead never blocks the piece the calling thread waits for.
    const auto work = [&] {
        for (int piece = claimed++; piece < count; piece = claimed++) {
            for (int seen = consumed.load(); piece >= seen + ahead; seen = consumed.load())
                consumed.wait(seen);
            produce(piece);
            produced[size_t(piece)].store(1);
            produced[size_t(piece)].notify_one();
        }
    };
    std::vector<std::thread> workers(size_t(std::clamp(QThread::idealThreadCount(), 1, count)));
    for (std::thread& worker : workers)
        worker = std::thread(work);

    for (int piece = 0; piece < count; ++piece) {
        produced[size_t(piece)].wait(0);
        consume(piece);
        consumed.store(piece + 1);
        consumed.notify_all();
    }
    for (std::thread& worker : workers)
        worker.join();
}

} // namespace OrderedWork
