#pragma once
// A disk that fills up in the middle of a write: while a WriteLimit lives, no file of this
// process may grow past `bytes`. A write that crosses the limit writes what fits and the rest
// fails (EFBIG), so error paths after a half-done write can be tested on real files.
//
// Windows has no such limit: a test that needs one starts with QBX_NEEDS_WRITE_LIMIT() and is
// skipped there.

#include <gtest/gtest.h>

#ifdef _WIN32
#define QBX_NEEDS_WRITE_LIMIT() GTEST_SKIP() << "Windows has no per-process file size limit"

namespace qbx::testing {

class WriteLimit {
public:
    explicit WriteLimit(unsigned long long) {}
};

} // namespace qbx::testing
#else
#include <csignal>
#include <sys/resource.h>

#define QBX_NEEDS_WRITE_LIMIT() static_cast<void>(0)

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
#endif
