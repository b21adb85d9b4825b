// Work split into numbered pieces that may be made on any thread but must be taken in order on one: the pieces
// are made on worker threads, as many as the processor runs at once, while the calling thread takes the finished
// ones in turn. Suits reading many files whose contents are then entered into one structure in a fixed order.
#pragma once

#include <functional>

namespace OrderedWork {

// Calls produce(i) for every i in [0, count) on worker threads and consume(i) on the calling thread for
// i = 0, 1, ... in turn, each once produce(i) has returned; returns when every piece is consumed. At most ahead
// pieces (at least 1) are produced and not yet consumed, so piece i may keep its result in slot i % ahead of a
// ring of that many: produce(i) starts only after consume(i - ahead) has returned. produce must touch nothing
// that consume or another produce writes. An exception from either side stops the work: no new piece starts,
// every worker is joined, and the first exception is rethrown here on the calling thread.
void run(int count, int ahead, const std::function<void(int)>& produce, const std::function<void(int)>& consume);

} // namespace OrderedWork
