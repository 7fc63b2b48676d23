#pragma once
// One run of qbx-pinyin (Romaniser.h): the runs of Chinese characters are written to it and its
// answer is read back while the caller goes on; finished() brings it, on the thread the job lives
// in. A helper that is missing, fails or takes longer than ten seconds answers each run with
// itself, and the log says why.
//
//   auto job = std::make_unique<qbx::PinyinJob>(helper, QStringList{QStringLiteral("音乐")});
//   QObject::connect(job.get(), &qbx::PinyinJob::finished, ctx,
//                    [](const QStringList& runs, const QStringList& syllables) { ... }); // "yin le"
//   job->start();             // or start() then waitForFinished() to have the answer now

#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QTimer>

namespace qbx {

class PinyinJob : public QObject {
    Q_OBJECT
public:
    PinyinJob(QString helper, QStringList runs, QObject* parent = nullptr);
    // A helper still running is stopped; finished() is not emitted then.
    ~PinyinJob() override;

    void start();
    // Blocks until finished() has been emitted.
    void waitForFinished();

signals:
    // `syllables[i]` is ICU's reading of `runs[i]`, syllables separated by blanks.
    void finished(const QStringList& runs, const QStringList& syllables);

private:
    void done();

    QString helper_;
    QStringList runs_;
    QProcess process_;
    QTimer patience_;
    bool failedToStart_ = false;
    bool done_ = false;
};

} // namespace qbx
