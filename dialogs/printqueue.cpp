#include "dialogs/printqueue.h"

#include <array>
#include <cups/cups.h>
#include <cups/ipp.h>
#include <memory>

namespace vt {

namespace {

struct IppDeleter {
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using IppPtr = std::unique_ptr<ipp_t, IppDeleter>;

QString Text(const char* text) {
    return text ? QString::fromUtf8(text) : QString();
}

QString AttributeText(ipp_t* response, const char* name) {
    ipp_attribute_t* attribute = ippFindAttribute(response, name, IPP_TAG_ZERO);
    return attribute ? Text(ippGetString(attribute, 0, nullptr)) : QString();
}

QStringList Keywords(ipp_t* response, const char* name) {
    QStringList keywords;
    ipp_attribute_t* attribute = ippFindAttribute(response, name, IPP_TAG_KEYWORD);
    for (int i = 0, n = attribute ? ippGetCount(attribute) : 0; i < n; ++i) {
        const QString word = Text(ippGetString(attribute, i, nullptr));
        if (!word.isEmpty() && word != QLatin1String("none"))
            keywords << word;
    }
    return keywords;
}

void AskFor(ipp_t* request, const std::initializer_list<const char*>& names) {
    const std::vector<const char*> list(names);
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  int(list.size()), nullptr, list.data());
}

void AddUser(ipp_t* request) {
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
}

// A request answered with success; nullptr otherwise.
IppPtr Ask(ipp_t* request) {
    IppPtr response(cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/"));
    if (!response || ippGetStatusCode(response.get()) > IPP_STATUS_OK_CONFLICTING)
        return nullptr;
    return response;
}

QString DefaultQueue() {
    return Text(cupsGetDefault2(CUPS_HTTP_DEFAULT));
}

QueueState QueryQueue(const QString& queue) {
    QueueState state;
    if (queue.isEmpty())
        return state;
    std::array<char, HTTP_MAX_URI> uri{};
    const QByteArray name = queue.toUtf8();
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri.data(), int(uri.size()), "ipp", nullptr, "localhost",
                     ippPort(), "/printers/%s", name.constData());
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.data());
    AddUser(request);
    AskFor(request, {"printer-is-accepting-jobs", "printer-state", "printer-state-message",
                     "printer-state-reasons"});
    const IppPtr response = Ask(request);
    if (!response)
        return state;
    state.found = true;
    ipp_attribute_t* accepting =
        ippFindAttribute(response.get(), "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
    state.accepting = accepting && ippGetBoolean(accepting, 0);
    ipp_attribute_t* printerState = ippFindAttribute(response.get(), "printer-state", IPP_TAG_ENUM);
    state.stopped = printerState && ippGetInteger(printerState, 0) == IPP_PSTATE_STOPPED;
    state.message = AttributeText(response.get(), "printer-state-message");
    state.reasons = Keywords(response.get(), "printer-state-reasons");
    return state;
}

JobSubmission SubmitPdf(const QString& queue, const QString& jobName, const QByteArray& pdf) {
    const QByteArray name = queue.toUtf8();
    const QByteArray title = jobName.toUtf8();
    JobSubmission job;
    job.id = cupsCreateJob(CUPS_HTTP_DEFAULT, name.constData(), title.constData(), 0, nullptr);
    if (job.id <= 0) {
        job.id = 0;
        job.error = Text(cupsLastErrorString());
        return job;
    }
    bool sent = cupsStartDocument(CUPS_HTTP_DEFAULT, name.constData(), job.id, title.constData(),
                                  CUPS_FORMAT_PDF, 1) == HTTP_STATUS_CONTINUE;
    constexpr qsizetype kChunk = 64 * 1024;
    for (qsizetype at = 0; sent && at < pdf.size(); at += kChunk)
        sent =
            cupsWriteRequestData(CUPS_HTTP_DEFAULT, pdf.constData() + at,
                                 size_t(std::min(kChunk, pdf.size() - at))) == HTTP_STATUS_CONTINUE;
    // The document is finished even after a failed write, so that the
    // connection is left in order.
    const bool finished =
        cupsFinishDocument(CUPS_HTTP_DEFAULT, name.constData()) <= IPP_STATUS_OK_CONFLICTING;
    if (!sent || !finished) {
        job.error = Text(cupsLastErrorString());
        cupsCancelJob2(CUPS_HTTP_DEFAULT, name.constData(), job.id, 0);
        job.id = 0;
    }
    return job;
}

JobState StateOf(int ippState) {
    switch (ippState) {
    case IPP_JSTATE_PENDING:
        return JobState::Pending;
    case IPP_JSTATE_HELD:
        return JobState::Held;
    case IPP_JSTATE_PROCESSING:
        return JobState::Processing;
    case IPP_JSTATE_STOPPED:
        return JobState::Stopped;
    case IPP_JSTATE_CANCELED:
        return JobState::Cancelled;
    case IPP_JSTATE_ABORTED:
        return JobState::Aborted;
    case IPP_JSTATE_COMPLETED:
        return JobState::Completed;
    default:
        return JobState::Unknown;
    }
}

JobStatus QueryJob(int id) {
    JobStatus status;
    if (id <= 0)
        return status;
    std::array<char, HTTP_MAX_URI> uri{};
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri.data(), int(uri.size()), "ipp", nullptr, "localhost",
                     ippPort(), "/jobs/%d", id);
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.data());
    AddUser(request);
    AskFor(request, {"job-state", "job-state-reasons", "job-printer-state-message"});
    const IppPtr response = Ask(request);
    if (!response)
        return status;
    ipp_attribute_t* state = ippFindAttribute(response.get(), "job-state", IPP_TAG_ENUM);
    status.state = state ? StateOf(ippGetInteger(state, 0)) : JobState::Unknown;
    status.message = AttributeText(response.get(), "job-printer-state-message");
    status.reasons = Keywords(response.get(), "job-state-reasons");
    return status;
}

} // namespace

PrintSystem CupsPrintSystem() {
    return {DefaultQueue, QueryQueue, SubmitPdf, QueryJob};
}

} // namespace vt
