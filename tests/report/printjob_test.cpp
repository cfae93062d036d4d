// A print job from the report to the print system and back: what the queue's
// and the job's states mean for the user, and how the job is followed (a
// bounded time, the user interface kept alive), tried on a print system that
// plays back the states given to it.
#include "dialogs/printqueue.h"
#include "dialogs/reportprinter.h"
#include "tests/report/pdftools.h"
#include "tests/report/reportsupport.h"
#include "tests/support/programtest.h"

#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <vector>

namespace vt::test {
namespace {

using namespace std::chrono_literals;

const QString kQueue = QStringLiteral("Office");

QueueState Ready() {
    return {true, true, false, {}, {}};
}

TEST(QueueRefusal, OnlyAKnownAcceptingQueueTakesTheReport) {
    const struct {
        const char* name;
        QueueState state;
        QString refusal;
    } cases[] = {
        {"ready", Ready(), {}},
        {"stopped but accepting: the job waits",
         {true, true, true, QStringLiteral("Paused"), {}},
         {}},
        {"unknown",
         {},
         QStringLiteral("The report could not be printed on \"Office\": the printer was not "
                        "found.")},
        {"rejecting with the server's words",
         {true, false, false, QStringLiteral("Rejecting Jobs"), {}},
         QStringLiteral("The report could not be printed on \"Office\": the printer does not "
                        "accept jobs (Rejecting Jobs).")},
        {"rejecting with keywords only",
         {true, false, false, {}, {QStringLiteral("media-empty"), QStringLiteral("door-open")}},
         QStringLiteral("The report could not be printed on \"Office\": the printer does not "
                        "accept jobs (media-empty, door-open).")},
        {"rejecting without a reason",
         {true, false, false, {}, {}},
         QStringLiteral("The report could not be printed on \"Office\": the printer does not "
                        "accept jobs.")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QueueRefusal(kQueue, c.state), c.refusal) << c.name;
}

TEST(JudgeJob, EachStateOfTheJobAndTheQueue) {
    const QueueState stopped{
        true, true, true, QStringLiteral("Paused"), {QStringLiteral("paused")}};
    const struct {
        const char* name;
        JobStatus job;
        QueueState queue;
        bool timeIsUp;
        bool final;
        bool printed;
        QString problem;
        QString notice;
    } cases[] = {
        {"completed", {JobState::Completed, {}, {}}, Ready(), false, true, true, {}, {}},
        {"pending, time left", {JobState::Pending, {}, {}}, Ready(), false, false, true, {}, {}},
        {"processing, time left",
         {JobState::Processing, {}, {}},
         Ready(),
         false,
         false,
         true,
         {},
         {}},
        {"unknown, time left", {}, Ready(), false, false, true, {}, {}},
        {"processing, time up: on its way",
         {JobState::Processing, {}, {}},
         Ready(),
         true,
         true,
         true,
         {},
         {}},
        {"pending, time up", {JobState::Pending, {}, {}}, Ready(), true, true, true, {}, {}},
        {"cancelled with a message",
         {JobState::Cancelled, QStringLiteral("Canceled by the operator"), {}},
         Ready(),
         false,
         true,
         false,
         QStringLiteral("The report could not be printed on \"Office\": the print job was "
                        "cancelled (Canceled by the operator)."),
         {}},
        {"cancelled with keywords",
         {JobState::Cancelled, {}, {QStringLiteral("job-canceled-by-user")}},
         Ready(),
         false,
         true,
         false,
         QStringLiteral("The report could not be printed on \"Office\": the print job was "
                        "cancelled (job-canceled-by-user)."),
         {}},
        {"aborted",
         {JobState::Aborted, QStringLiteral("Filter failed"), {}},
         Ready(),
         false,
         true,
         false,
         QStringLiteral("The report could not be printed on \"Office\": the print job was "
                        "aborted (Filter failed)."),
         {}},
        {"aborted without a reason",
         {JobState::Aborted, {}, {}},
         Ready(),
         true,
         true,
         false,
         QStringLiteral("The report could not be printed on \"Office\": the print job was "
                        "aborted."),
         {}},
        {"pending on a stopped queue",
         {JobState::Pending, {}, {}},
         stopped,
         false,
         true,
         true,
         {},
         QStringLiteral("The printer \"Office\" is stopped (Paused): the report waits in its "
                        "queue as job 42 and is printed when the printer is started again.")},
        {"the job stopped with its printer",
         {JobState::Stopped, {}, {}},
         {true, true, false, {}, {QStringLiteral("paused")}},
         false,
         true,
         true,
         {},
         QStringLiteral("The printer \"Office\" is stopped (paused): the report waits in its "
                        "queue as job 42 and is printed when the printer is started again.")},
        {"held",
         {JobState::Held, {}, {QStringLiteral("job-hold-until-specified")}},
         Ready(),
         false,
         true,
         true,
         {},
         QStringLiteral("The report waits in the queue of \"Office\" as job 42: the job is held "
                        "(job-hold-until-specified) until it is released.")},
        {"completed on a queue stopped since",
         {JobState::Completed, {}, {}},
         stopped,
         false,
         true,
         true,
         {},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const JobVerdict verdict = JudgeJob(kQueue, 42, c.job, c.queue, c.timeIsUp);
        EXPECT_EQ(verdict.final, c.final);
        EXPECT_EQ(verdict.result.printed, c.printed);
        EXPECT_EQ(verdict.result.problem, c.problem);
        EXPECT_EQ(verdict.result.notice, c.notice);
    }
}

// A print system that answers from scripts and records what it was asked.
struct ScriptedSystem {
    QueueState queue = Ready();
    JobSubmission submission{7, {}};
    std::vector<JobStatus> jobStates; // one per look; the last one repeats
    std::function<void()> onLook;     // runs at each look at the job

    int submitted = 0;
    int looks = 0;
    QString jobName;
    QByteArray pdf;

    PrintSystem system() {
        PrintSystem s;
        s.defaultQueue = [] { return kQueue; };
        s.queryQueue = [this](const QString& name) {
            return name == kQueue ? queue : QueueState{};
        };
        s.submitPdf = [this](const QString&, const QString& name, const QByteArray& document) {
            ++submitted;
            jobName = name;
            pdf = document;
            return submission;
        };
        s.queryJob = [this](int id) {
            EXPECT_EQ(id, submission.id);
            ++looks;
            if (onLook)
                onLook();
            if (jobStates.empty())
                return JobStatus{};
            return jobStates[std::min<std::size_t>(std::size_t(looks - 1), jobStates.size() - 1)];
        };
        return s;
    }
};

class PrintJobTest : public ProgramTest {};

ReportPage ReportOf(frmPrint* dialog) {
    return dialog->page();
}

TEST_F(PrintJobTest, FromQueueCheckToTheJobsEnd) {
    const JobStatus pending{JobState::Pending, {}, {}};
    const JobStatus processing{JobState::Processing, {}, {}};
    const JobStatus completed{JobState::Completed, {}, {}};
    const struct {
        const char* name;
        QueueState queue;
        JobSubmission submission;
        std::vector<JobStatus> states;
        int submits;
        int looks; // -1: more than one, bounded by the time allowed
        bool printed;
        QString problem;
    } cases[] = {
        {"printed after three looks",
         Ready(),
         {7, {}},
         {pending, processing, completed},
         1,
         3,
         true,
         {}},
        {"refused before anything is sent",
         {true, false, false, QStringLiteral("Rejecting Jobs"), {}},
         {7, {}},
         {},
         0,
         0,
         false,
         QStringLiteral("The report could not be printed on \"Office\": the printer does not "
                        "accept jobs (Rejecting Jobs).")},
        {"refused when sent",
         Ready(),
         {0, QStringLiteral("Destination \"Office\" is not accepting jobs.")},
         {},
         1,
         0,
         false,
         QStringLiteral("The report could not be printed on \"Office\": Destination \"Office\" "
                        "is not accepting jobs.")},
        {"not taken, no reason",
         Ready(),
         {0, {}},
         {},
         1,
         0,
         false,
         QStringLiteral("The report could not be printed on \"Office\": the printer did not take "
                        "the job.")},
        {"aborted while printing",
         Ready(),
         {7, {}},
         {processing, {JobState::Aborted, QStringLiteral("Filter failed"), {}}},
         1,
         2,
         false,
         QStringLiteral("The report could not be printed on \"Office\": the print job was "
                        "aborted (Filter failed).")},
        {"never finishes: printed when the time is up",
         Ready(),
         {7, {}},
         {processing},
         1,
         -1,
         true,
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        frmPrint* dialog = OpenReport(FilledRequest());
        ASSERT_NE(dialog, nullptr);
        QTest::keyClicks(Child<QLineEdit>(dialog, "txtTitle"), QStringLiteral("North block"));
        ScriptedSystem scripted;
        scripted.queue = c.queue;
        scripted.submission = c.submission;
        scripted.jobStates = c.states;
        const PrintResult result =
            PrintOnQueue(ReportOf(dialog), kQueue, scripted.system(), {200ms, 10ms});
        EXPECT_EQ(result.printed, c.printed);
        EXPECT_EQ(result.problem, c.problem);
        EXPECT_EQ(scripted.submitted, c.submits);
        if (c.looks >= 0) {
            EXPECT_EQ(scripted.looks, c.looks);
        } else {
            EXPECT_GT(scripted.looks, 1);
            EXPECT_LE(scripted.looks, 21); // one look per 10 ms in 200 ms, and the last
        }
        if (c.submits > 0) {
            EXPECT_EQ(scripted.jobName, QStringLiteral("North block"));
            EXPECT_TRUE(scripted.pdf.startsWith("%PDF-"));
        }
        dialog->close();
        flushDeletes();
    }
}

// What goes to the printer is the page as a PDF document: one page, with the
// report's text.
TEST_F(PrintJobTest, TheJobIsTheReportAsAOnePagePdf) {
    if (!HavePdfTools())
        GTEST_SKIP() << "pdfinfo and pdftotext (poppler-utils) are needed";
    frmPrint* dialog = OpenReport(FilledRequest());
    ASSERT_NE(dialog, nullptr);
    QTest::keyClicks(Child<QLineEdit>(dialog, "txtTitle"), QStringLiteral("Sent as a job"));
    ScriptedSystem scripted;
    scripted.jobStates = {{JobState::Completed, {}, {}}};
    ASSERT_TRUE(PrintOnQueue(ReportOf(dialog), kQueue, scripted.system()).printed);
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString file = folder.filePath(QStringLiteral("job.pdf"));
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(scripted.pdf);
    out.close();
    EXPECT_EQ(PdfInfoField(file, QStringLiteral("Pages")), QStringLiteral("1"));
    EXPECT_EQ(PdfInfoField(file, QStringLiteral("Title")), QStringLiteral("Sent as a job"));
    const QString text = PdfText(file);
    EXPECT_TRUE(text.contains(QStringLiteral("Sent as a job")));
    EXPECT_TRUE(text.contains(FilledRequest().stressSource));
    EXPECT_FALSE(text.contains(QStringLiteral("Print hardcopy")));
}

// While the job is followed the program goes on: timers fire and windows
// repaint; the dialog is on paper meanwhile.
TEST_F(PrintJobTest, FollowingTheJobKeepsTheUserInterfaceAlive) {
    frmPrint* dialog = OpenReport(FilledRequest());
    ASSERT_NE(dialog, nullptr);
    bool ticked = false;
    QTimer::singleShot(20ms, [&ticked] { ticked = true; });
    ScriptedSystem scripted;
    scripted.jobStates = {{JobState::Processing, {}, {}}};
    bool tickedWhileFollowing = false;
    scripted.onLook = [&] { tickedWhileFollowing = tickedWhileFollowing || ticked; };
    ReportOutput output;
    output.findPrinter = [] { return kQueue; };
    output.print = [&](const ReportPage& page, const QString& printer) {
        EXPECT_FALSE(Child<QPushButton>(dialog, "cmdPrint")->isVisible());
        return PrintOnQueue(page, printer, scripted.system(), {300ms, 10ms});
    };
    dialog->setOutput(output);
    QPointer<frmPrint> guard(dialog);
    QTest::mouseClick(Child<QPushButton>(dialog, "cmdPrint"), Qt::LeftButton);
    EXPECT_TRUE(tickedWhileFollowing);
    EXPECT_TRUE(messages.shown.empty());
    flushDeletes();
    EXPECT_TRUE(guard.isNull()); // on its way: counted as printed
}

// A close that reaches the dialog while its job is followed (the window
// manager's close button) waits for the job's end; a failed job is still
// reported (and its PDF offered) before the dialog goes.
TEST_F(PrintJobTest, ACloseWhilePrintingWaitsForTheJob) {
    for (const bool fails : {false, true}) {
        SCOPED_TRACE(fails ? "job aborted" : "job completed");
        messages.shown.clear();
        messages.asked.clear();
        frmPrint* dialog = OpenReport(FilledRequest());
        ASSERT_NE(dialog, nullptr);
        ScriptedSystem scripted;
        scripted.jobStates = {{JobState::Processing, {}, {}},
                              {fails ? JobState::Aborted : JobState::Completed, {}, {}}};
        bool stillThere = false;
        QPointer<frmPrint> guard(dialog);
        scripted.onLook = [&] {
            if (scripted.looks == 1) {
                dialog->close();
                QTest::keyClick(dialog, Qt::Key_Escape);
            }
            if (scripted.looks == 2)
                stillThere = !guard.isNull() && dialog->isVisible();
        };
        ReportOutput output;
        output.findPrinter = [] { return kQueue; };
        output.print = [&](const ReportPage& page, const QString& printer) {
            return PrintOnQueue(page, printer, scripted.system(), {1000ms, 10ms});
        };
        dialog->setOutput(output);
        QTest::mouseClick(Child<QPushButton>(dialog, "cmdPrint"), Qt::LeftButton);
        EXPECT_TRUE(stillThere);
        EXPECT_EQ(messages.shown.size(), fails ? 1u : 0u);
        EXPECT_EQ(messages.asked.size(), fails ? 1u : 0u);
        flushDeletes();
        EXPECT_TRUE(guard.isNull());
    }
}

// The printer's notice that the job waits is shown, and the dialog goes: the
// page is in the queue.
TEST_F(PrintJobTest, AStoppedQueueGivesANoticeAndTheDialogCloses) {
    frmPrint* dialog = OpenReport(FilledRequest());
    ASSERT_NE(dialog, nullptr);
    ScriptedSystem scripted;
    scripted.queue = {true, true, true, QStringLiteral("Paused"), {QStringLiteral("paused")}};
    scripted.submission = {15, {}};
    scripted.jobStates = {{JobState::Pending, {}, {}}};
    ReportOutput output;
    output.findPrinter = [] { return kQueue; };
    output.print = [&](const ReportPage& page, const QString& printer) {
        return PrintOnQueue(page, printer, scripted.system(), {1000ms, 10ms});
    };
    dialog->setOutput(output);
    QPointer<frmPrint> guard(dialog);
    QTest::mouseClick(Child<QPushButton>(dialog, "cmdPrint"), Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0],
              (RecordedMessage{QStringLiteral("The printer \"Office\" is stopped (Paused): the "
                                              "report waits in its queue as job 15 and is printed "
                                              "when the printer is started again."),
                               QStringLiteral("Printing")}));
    EXPECT_EQ(scripted.looks, 1); // no waiting for a stopped printer
    EXPECT_TRUE(messages.asked.empty());
    flushDeletes();
    EXPECT_TRUE(guard.isNull());
}

} // namespace
} // namespace vt::test
