#include "OrderedWork.h"

#include <QThread>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace OrderedWork {

void run(int count, int ahead, const std::function<void(int)>& produce, const std::function<void(int)>& consume)
{
    if (count <= 0)
        return;
    ahead = std::max(ahead, 1);
    std::mutex mutex;
    std::condition_variable produced;
    std::condition_variable consumed;
    std::vector<bool> done(size_t(count), false);
    int claimed = 0;
    int consumedCount = 0;

    // Pieces are claimed in order, so the oldest one not yet consumed is always claimed by a worker that may
    // start it: the wait for room ahead never blocks the piece the calling thread waits for.
    const auto work = [&] {
        for (;;) {
            int piece = 0;
            {
                std::unique_lock lock(mutex);
                if (claimed == count)
                    return;
                piece = claimed++;
                consumed.wait(lock, [&] { return piece < consumedCount + ahead; });
            }
            produce(piece);
            {
                const std::lock_guard lock(mutex);
                done[size_t(piece)] = true;
            }
            produced.notify_one();
        }
    };
    std::vector<std::thread> workers(size_t(std::clamp(QThread::idealThreadCount(), 1, count)));
    for (std::thread& worker : workers)
        worker = std::thread(work);

    for (int piece = 0; piece < count; ++piece) {
        {
            std::unique_lock lock(mutex);
            produced.wait(lock, [&] { return bool(done[size_t(piece)]); });
        }
        consume(piece);
        {
            const std::lock_guard lock(mutex);
            consumedCount = piece + 1;
        }
        consumed.notify_all();
    }
    for (std::thread& worker : workers)
        worker.join();
}

} // namespace OrderedWork
