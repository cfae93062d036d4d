// The print system as the report sees it: the user's default queue, whether a
// queue takes jobs, a PDF document sent as a job, and the state of that job.
// PrintSystem bundles the calls so that the report's printing can be tried
// without a print server; CupsPrintSystem() is the real one.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

namespace vt {

struct QueueState {
    bool found = false;     // the print server knows the queue
    bool accepting = false; // it takes new jobs
    bool stopped = false;   // it holds its jobs until it is started again
    QString message;        // the server's text for its state, e.g. "Rejecting Jobs"
    QStringList reasons;    // its state keywords, e.g. "paused" ("none" left out)
};

enum class JobState { Unknown, Pending, Held, Processing, Stopped, Cancelled, Aborted, Completed };

struct JobStatus {
    JobState state = JobState::Unknown;
    QString message;     // the printer's last word on the job, if any
    QStringList reasons; // job state keywords ("none" left out)
};

struct JobSubmission {
    int id = 0;    // 0 when the job was not taken
    QString error; // the server's reason when it was not
};

struct PrintSystem {
    // The user's default queue (the LPDEST or PRINTER variable, the user's
    // default, the server's default); empty when there is none.
    std::function<QString()> defaultQueue;
    std::function<QueueState(const QString& queue)> queryQueue;
    // Sends a PDF document as one job.
    std::function<JobSubmission(const QString& queue, const QString& jobName,
                                const QByteArray& pdf)>
        submitPdf;
    std::function<JobStatus(int job)> queryJob;
};

// The local print server (libcups).
PrintSystem CupsPrintSystem();

} // namespace vt
