#include "request_log.h"

namespace sim {

void RequestLog::add(LoggedRequest entry)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        entries_.push_back(std::move(entry));
    }
    grown_.notify_all();
}

void RequestLog::addBadFrames(size_t count)
{
    std::lock_guard<std::mutex> lock(mutex_);
    badFrames_ += count;
}

std::vector<LoggedRequest> RequestLog::entries() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return entries_;
}

size_t RequestLog::size() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return entries_.size();
}

size_t RequestLog::badFrames() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return badFrames_;
}

void RequestLog::clear()
{
    std::lock_guard<std::mutex> lock(mutex_);
    entries_.clear();
    badFrames_ = 0;
}

bool RequestLog::waitFor(size_t count, std::chrono::milliseconds timeout) const
{
    std::unique_lock<std::mutex> lock(mutex_);
    return grown_.wait_for(lock, timeout, [&] { return entries_.size() >= count; });
}

} // namespace sim
