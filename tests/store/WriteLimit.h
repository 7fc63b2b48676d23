#pragma once
// A disk that fills up in the middle of a write: while a WriteLimit lives, no file of this
// process may grow past `bytes`. A write that crosses the limit writes what fits and the rest
// fails (EFBIG), so error paths after a half-done write can be tested on real files.

#include <csignal>
#include <sys/resource.h>

namespace qbx::testing {

class WriteLimit {
public:
    explicit WriteLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN); // the failure is reported, not a signal
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~WriteLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    WriteLimit(const WriteLimit&) = delete;
    WriteLimit& operator=(const WriteLimit&) = delete;

private:
    rlimit saved_{};
    void (*oldHandler_)(int) = SIG_DFL;
};

} // namespace qbx::testing
