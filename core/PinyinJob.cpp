// Romanising runs of Chinese characters in qbx-pinyin without waiting for it.

#include "PinyinJob.h"

#include "platform/Logging.h"

namespace qbx {
namespace {

constexpr int kHelperWaitMs = 10000;

} // namespace

PinyinJob::PinyinJob(QString helper, QStringList runs, QObject* parent)
    : QObject(parent), helper_(std::move(helper)), runs_(std::move(runs))
{
    patience_.setSingleShot(true);
    patience_.setInterval(kHelperWaitMs);
    connect(&patience_, &QTimer::timeout, this, [this] {
        qCWarning(lcStart) << helper_ << "did not answer in" << kHelperWaitMs << "ms";
        process_.kill();
    });
    connect(&process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return; // the others end in finished()
        failedToStart_ = true;
        done();
    });
    connect(&process_, &QProcess::finished, this, &PinyinJob::done);
}

PinyinJob::~PinyinJob()
{
    process_.disconnect(this);
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished();
    }
}

void PinyinJob::start()
{
    process_.start(helper_, {});
    if (done_)
        return;
    process_.write(runs_.join(QLatin1Char('\n')).toUtf8() + '\n');
    process_.closeWriteChannel();
    patience_.start();
}

void PinyinJob::waitForFinished()
{
    if (!done_ && !process_.waitForFinished(kHelperWaitMs) && !done_) {
        process_.kill();
        process_.waitForFinished();
    }
    if (!done_)
        done();
}

void PinyinJob::done()
{
    if (std::exchange(done_, true))
        return;
    patience_.stop();
    QStringList syllables;
    if (!failedToStart_ && process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0)
        syllables = QString::fromUtf8(process_.readAllStandardOutput()).split(QLatin1Char('\n'));
    if (syllables.size() < runs_.size()) {
        qCWarning(lcStart) << "the find box's pinyin could not be made by" << helper_
                           << process_.errorString() << process_.readAllStandardError().trimmed()
                           << "answered" << syllables.size() << "lines for" << runs_.size()
                           << "- Chinese names are found by their characters only";
        syllables = runs_;
    }
    syllables.resize(runs_.size());
    emit finished(runs_, syllables);
}

} // namespace qbx
