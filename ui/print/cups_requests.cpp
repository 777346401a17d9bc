#include "ui/print/cups_requests.h"

#include <cups/cups.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>
#include <string_view>
#include <thread>

namespace zk {

namespace {

using Clock = std::chrono::steady_clock;

// How often a wait looks at its deadline and at the cancellation.
constexpr double PollSeconds = 0.1;
// How often a job whose answer did not come is looked up.
constexpr std::chrono::milliseconds LookupPause{200};
// The document goes out in pieces of this size.
constexpr size_t DocumentPiece = 32768;

const char* const PrinterAttributes[] = {
    "printer-name",    "printer-resolution-default", "printer-resolution-supported",
    "media-default",   "media-supported",            "member-names",                 "printer-type",
};

struct HttpClose {
    void operator()(http_t* connection) const { httpClose(connection); }
};
using Connection = std::unique_ptr<http_t, HttpClose>;

struct IppDelete {
    void operator()(ipp_t* message) const { ippDelete(message); }
};
using Ipp = std::unique_ptr<ipp_t, IppDelete>;

bool Expired(const RequestBounds& bounds)
{
    return bounds.cancelled->load() || Clock::now() >= bounds.deadline;
}

// libcups asks this whenever a wait has gone PollSeconds without news.
int KeepWaiting(http_t*, void* bounds)
{
    return Expired(*static_cast<const RequestBounds*>(bounds)) ? 0 : 1;
}

// A password would be asked for on the terminal the program may have been
// started from, blocking the worker for good: none is given.
const char* NoPassword(const char*, http_t*, const char*, const char*, void*)
{
    return nullptr;
}

Connection Connect(const RequestBounds& bounds)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(bounds.deadline - Clock::now()).count();
    if (left <= 0 || bounds.cancelled->load()) {
        return nullptr;
    }
    // The server as the environment and the client configuration name it now.
    cupsSetServer(nullptr);
    cupsSetPasswordCB2(NoPassword, nullptr);
    Connection connection(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                       static_cast<int>(std::min<long long>(left, INT_MAX)), nullptr));
    if (connection != nullptr) {
        httpSetTimeout(connection.get(), PollSeconds, KeepWaiting, const_cast<RequestBounds*>(&bounds));
    }
    return connection;
}

// Why no connection came: the deadline passed, or no server listens.
PrintSystemAnswer NotConnected(const RequestBounds& bounds)
{
    return Expired(bounds) ? PrintSystemAnswer::NoAnswer : PrintSystemAnswer::Unreachable;
}

// Why a request got no answer: the print system is out of reach or too
// slow, or it refused.
PrintSystemAnswer Failure(http_t* connection, const RequestBounds& bounds)
{
    if (Expired(bounds) || httpError(connection) != 0 || cupsLastError() == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE) {
        return PrintSystemAnswer::NoAnswer;
    }
    return PrintSystemAnswer::Refused;
}

PrintSystemAnswer AnswerFor(ipp_status_t status)
{
    if (status <= IPP_STATUS_OK_CONFLICTING) {
        return PrintSystemAnswer::Done;
    }
    switch (status) {
        case IPP_STATUS_ERROR_NOT_FOUND:
            return PrintSystemAnswer::NoSuchPrinter;
        case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
            return PrintSystemAnswer::NotAccepting;
        case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
            return PrintSystemAnswer::NoAnswer;
        default:
            return PrintSystemAnswer::Refused;
    }
}

std::string PrinterUri(const std::string& name)
{
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), "/printers/%s",
                     name.c_str());
    return uri;
}

PrinterResolution ResolutionOf(ipp_attribute_t* attribute, int index)
{
    int down = 0;
    ipp_res_t units = IPP_RES_PER_INCH;
    const int across = ippGetResolution(attribute, index, &down, &units);
    if (units == IPP_RES_PER_CM) {
        return {static_cast<int>(std::lround(across * 2.54)), static_cast<int>(std::lround(down * 2.54))};
    }
    return {across, down};
}

// Sizes the print system can't measure (rolls, names of its own) are left
// out, and so are the bounds of a printer's custom sizes, which are no paper.
std::optional<PrinterMedia> MediaOf(const char* keyword)
{
    if (keyword == nullptr || std::string_view(keyword).starts_with("custom_min_") ||
        std::string_view(keyword).starts_with("custom_max_")) {
        return std::nullopt;
    }
    const pwg_media_t* size = pwgMediaForPWG(keyword);
    if (size == nullptr) {
        size = pwgMediaForLegacy(keyword);
    }
    if (size == nullptr || size->width <= 0 || size->length <= 0) {
        return std::nullopt;
    }
    return PrinterMedia{keyword, size->ppd != nullptr ? size->ppd : keyword, size->width, size->length};
}

void ReadAttribute(ipp_attribute_t* attribute, PrinterDescription& printer)
{
    const std::string name = ippGetName(attribute);
    const int count = ippGetCount(attribute);
    const bool resolution = ippGetValueTag(attribute) == IPP_TAG_RESOLUTION;
    if (name == "printer-name") {
        printer.name = ippGetString(attribute, 0, nullptr);
    } else if (name == "printer-resolution-default" && resolution) {
        printer.defaultResolution = ResolutionOf(attribute, 0);
    } else if (name == "printer-resolution-supported" && resolution) {
        for (int index = 0; index < count; ++index) {
            printer.resolutions.push_back(ResolutionOf(attribute, index));
        }
    } else if (name == "media-default") {
        printer.defaultMedia = MediaOf(ippGetString(attribute, 0, nullptr));
    } else if (name == "printer-type") {
        printer.isClass = (ippGetInteger(attribute, 0) & CUPS_PRINTER_CLASS) != 0;
    } else if (name == "member-names") {
        for (int index = 0; index < count; ++index) {
            printer.members.emplace_back(ippGetString(attribute, index, nullptr));
        }
    } else if (name == "media-supported") {
        for (int index = 0; index < count; ++index) {
            if (auto media = MediaOf(ippGetString(attribute, index, nullptr))) {
                printer.media.push_back(std::move(*media));
            }
        }
    }
}

// The printers of an answer, one attribute group each.
std::vector<PrinterDescription> PrintersOf(ipp_t* answer)
{
    std::vector<PrinterDescription> printers;
    bool inGroup = false;
    for (ipp_attribute_t* attribute = ippFirstAttribute(answer); attribute != nullptr;
         attribute = ippNextAttribute(answer)) {
        if (ippGetGroupTag(attribute) != IPP_TAG_PRINTER || ippGetName(attribute) == nullptr) {
            inGroup = false;
            continue;
        }
        if (!inGroup) {
            printers.emplace_back();
            inGroup = true;
        }
        ReadAttribute(attribute, printers.back());
    }
    std::erase_if(printers, [](const PrinterDescription& printer) { return printer.name.empty(); });
    return printers;
}

// A class answers neither resolution nor paper: it has its printers', when they all agree.
void DescribeByMembers(PrinterDescription& destination, const std::vector<const PrinterDescription*>& members)
{
    if (members.empty()) {
        return;
    }
    const PrinterDescription& first = *members.front();
    for (const PrinterDescription* member : members) {
        if (member->resolutions != first.resolutions || member->defaultResolution != first.defaultResolution ||
            member->media != first.media || member->defaultMedia != first.defaultMedia) {
            destination.membersDiffer = true;
            return;
        }
    }
    destination.resolutions = first.resolutions;
    destination.defaultResolution = first.defaultResolution;
    destination.media = first.media;
    destination.defaultMedia = first.defaultMedia;
}

// Classes described by their printers as the same list names them.
void DescribeClasses(std::vector<PrinterDescription>& printers)
{
    for (PrinterDescription& destination : printers) {
        std::vector<const PrinterDescription*> members;
        for (const std::string& name : destination.members) {
            const auto member = std::find_if(printers.begin(), printers.end(), [&name](const PrinterDescription& printer) {
                return printer.name == name;
            });
            if (member == printers.end()) {
                // Described when it is printed to.
                members.clear();
                break;
            }
            members.push_back(&*member);
        }
        DescribeByMembers(destination, members);
    }
}

ipp_t* NewRequest(ipp_op_t operation)
{
    ipp_t* request = ippNewRequest(operation);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    return request;
}

void AskForPrinterAttributes(ipp_t* request)
{
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  static_cast<int>(std::size(PrinterAttributes)), nullptr, PrinterAttributes);
}

// The default printer in the order the print system's own tools follow:
// the environment, the user's and the system's print options, the server.
// False when the print system did not answer; name is empty when it has
// no default printer.
bool DefaultPrinterName(http_t* connection, const RequestBounds& bounds, std::string& name)
{
    name.clear();
    cups_dest_t* dest = cupsGetNamedDest(connection, nullptr, nullptr);
    if (dest == nullptr) {
        return Failure(connection, bounds) != PrintSystemAnswer::NoAnswer;
    }
    name = dest->name;
    cupsFreeDests(1, dest);
    return true;
}

ipp_t* NewJobRequest(ipp_op_t operation, const std::string& uri, int jobId)
{
    ipp_t* request = NewRequest(operation);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
    ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", jobId);
    return request;
}

struct Created {
    PrintSystemAnswer answer = PrintSystemAnswer::NoAnswer;
    std::string detail;
    int jobId = 0;
};

// The job, without its document yet: its number lets the job be looked up
// when the answer to the document does not come.
Created CreateJob(http_t* connection, const PrintJob& job, const std::string& uri, const std::string& resource,
                  const RequestBounds& bounds)
{
    ipp_t* request = NewRequest(IPP_OP_CREATE_JOB);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, job.title.c_str());
    if (job.media) {
        ippAddString(request, IPP_TAG_JOB, IPP_TAG_KEYWORD, "media", nullptr, job.media->c_str());
    }
    if (job.resolution) {
        ippAddResolution(request, IPP_TAG_JOB, "printer-resolution", IPP_RES_PER_INCH, job.resolution->x,
                         job.resolution->y);
    }
    // The page is drawn at the printer's size: filters must not fit it to the paper.
    ippAddString(request, IPP_TAG_JOB, IPP_TAG_KEYWORD, "print-scaling", nullptr, "none");
    Created created;
    const Ipp answer(cupsDoRequest(connection, request, resource.c_str()));
    created.detail = cupsLastErrorString();
    if (answer == nullptr) {
        created.answer = Failure(connection, bounds);
        return created;
    }
    created.answer = AnswerFor(ippGetStatusCode(answer.get()));
    ipp_attribute_t* id = ippFindAttribute(answer.get(), "job-id", IPP_TAG_INTEGER);
    if (created.answer == PrintSystemAnswer::Done && id == nullptr) {
        created.answer = PrintSystemAnswer::Refused;
    }
    created.jobId = id != nullptr ? ippGetInteger(id, 0) : 0;
    return created;
}

struct Sent {
    PrintSystemAnswer answer = PrintSystemAnswer::NoAnswer;
    std::string detail;
    // The whole document went out: the server may have queued the job even without an answer.
    bool documentOut = false;
};

Sent SendDocument(http_t* connection, const std::string& uri, const std::string& resource, int jobId,
                  const std::string& document, const RequestBounds& bounds)
{
    const Ipp request(NewJobRequest(IPP_OP_SEND_DOCUMENT, uri, jobId));
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr, "application/pdf");
    ippAddBoolean(request.get(), IPP_TAG_OPERATION, "last-document", 1);
    Sent sent;
    http_status_t status =
        cupsSendRequest(connection, request.get(), resource.c_str(), ippLength(request.get()) + document.size());
    for (size_t at = 0; status == HTTP_STATUS_CONTINUE && at < document.size(); at += DocumentPiece) {
        status = cupsWriteRequestData(connection, document.data() + at, std::min(DocumentPiece, document.size() - at));
    }
    sent.documentOut = status == HTTP_STATUS_CONTINUE;
    const Ipp answer(sent.documentOut ? cupsGetResponse(connection, resource.c_str()) : nullptr);
    sent.detail = cupsLastErrorString();
    sent.answer = answer != nullptr ? AnswerFor(ippGetStatusCode(answer.get())) : Failure(connection, bounds);
    return sent;
}

enum class JobFate { Queued, NotQueued, Unknown };

// Waits a little while the deadline and the cancellation allow.
void Pause(const RequestBounds& bounds)
{
    const auto until = std::min(bounds.deadline, Clock::now() + LookupPause);
    while (!Expired(bounds) && Clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

// Whether the server queued the job with its document, asked again until
// it says or the deadline passes.
JobFate LookUpJob(const std::string& uri, int jobId, const RequestBounds& bounds)
{
    static const char* const wanted[] = {"job-state", "number-of-documents"};
    while (!Expired(bounds)) {
        if (const Connection connection = Connect(bounds)) {
            ipp_t* request = NewJobRequest(IPP_OP_GET_JOB_ATTRIBUTES, uri, jobId);
            ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                          static_cast<int>(std::size(wanted)), nullptr, wanted);
            const Ipp answer(cupsDoRequest(connection.get(), request, "/"));
            if (answer != nullptr && ippGetStatusCode(answer.get()) <= IPP_STATUS_OK_CONFLICTING) {
                ipp_attribute_t* documents = ippFindAttribute(answer.get(), "number-of-documents", IPP_TAG_INTEGER);
                ipp_attribute_t* state = ippFindAttribute(answer.get(), "job-state", IPP_TAG_ENUM);
                // A server may drop a job's documents once it is done, and count none then.
                const int jobState = state != nullptr ? ippGetInteger(state, 0) : 0;
                if ((documents != nullptr && ippGetInteger(documents, 0) > 0) || jobState == IPP_JSTATE_COMPLETED) {
                    return JobFate::Queued;
                }
                if (jobState >= IPP_JSTATE_CANCELED) {
                    return JobFate::NotQueued;
                }
            }
        }
        Pause(bounds);
    }
    return JobFate::Unknown;
}

void CancelJob(const std::string& uri, int jobId, const RequestBounds& bounds)
{
    if (jobId <= 0) {
        return;
    }
    if (const Connection connection = Connect(bounds)) {
        const Ipp answer(cupsDoRequest(connection.get(), NewJobRequest(IPP_OP_CANCEL_JOB, uri, jobId), "/jobs/"));
    }
}

PrinterLookup AskPrinter(http_t* connection, const std::string& name, const RequestBounds& bounds)
{
    PrinterLookup lookup;
    ipp_t* request = NewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, PrinterUri(name).c_str());
    AskForPrinterAttributes(request);
    const Ipp answer(cupsDoRequest(connection, request, "/"));
    lookup.printer.name = name;
    lookup.detail = cupsLastErrorString();
    if (answer == nullptr) {
        lookup.answer = Failure(connection, bounds);
        return lookup;
    }
    lookup.answer = AnswerFor(ippGetStatusCode(answer.get()));
    if (lookup.answer == PrintSystemAnswer::Done) {
        std::vector<PrinterDescription> printers = PrintersOf(answer.get());
        if (!printers.empty()) {
            lookup.printer = std::move(printers.front());
        }
        lookup.printer.name = name;
    }
    return lookup;
}

}  // namespace

PrinterList ListPrinters(const RequestBounds& bounds)
{
    PrinterList list;
    const Connection connection = Connect(bounds);
    if (connection == nullptr) {
        list.answer = NotConnected(bounds);
        return list;
    }
    if (!DefaultPrinterName(connection.get(), bounds, list.defaultPrinter)) {
        return list;
    }
    ipp_t* request = NewRequest(IPP_OP_CUPS_GET_PRINTERS);
    AskForPrinterAttributes(request);
    const Ipp answer(cupsDoRequest(connection.get(), request, "/"));
    if (answer == nullptr) {
        list.answer = Failure(connection.get(), bounds);
        return list;
    }
    // A print system without printers answers "not found".
    const ipp_status_t status = ippGetStatusCode(answer.get());
    list.answer = status == IPP_STATUS_ERROR_NOT_FOUND ? PrintSystemAnswer::Done : AnswerFor(status);
    if (list.answer == PrintSystemAnswer::Done) {
        list.printers = PrintersOf(answer.get());
        DescribeClasses(list.printers);
    }
    return list;
}

PrinterLookup DescribePrinter(const std::string& name, const RequestBounds& bounds)
{
    PrinterLookup lookup;
    const Connection connection = Connect(bounds);
    if (connection == nullptr) {
        lookup.answer = NotConnected(bounds);
        return lookup;
    }
    std::string printer = name;
    if (printer.empty()) {
        if (!DefaultPrinterName(connection.get(), bounds, printer)) {
            lookup.detail = cupsLastErrorString();
            return lookup;
        }
        if (printer.empty()) {
            lookup.answer = PrintSystemAnswer::NoDefaultPrinter;
            return lookup;
        }
    }
    lookup = AskPrinter(connection.get(), printer, bounds);
    if (lookup.answer == PrintSystemAnswer::Done && lookup.printer.isClass && lookup.printer.members.empty()) {
        lookup.answer = PrintSystemAnswer::EmptyClass;
    }
    if (lookup.answer != PrintSystemAnswer::Done || lookup.printer.members.empty()) {
        return lookup;
    }
    std::vector<PrinterLookup> members;
    for (const std::string& member : lookup.printer.members) {
        members.push_back(AskPrinter(connection.get(), member, bounds));
        if (members.back().answer != PrintSystemAnswer::Done) {
            lookup.answer = members.back().answer;
            lookup.detail = members.back().detail;
            return lookup;
        }
    }
    std::vector<const PrinterDescription*> descriptions;
    for (const PrinterLookup& member : members) {
        descriptions.push_back(&member.printer);
    }
    DescribeByMembers(lookup.printer, descriptions);
    if (lookup.printer.membersDiffer) {
        lookup.answer = PrintSystemAnswer::MembersDiffer;
    }
    return lookup;
}

JobAnswer SubmitJob(const PrintJob& job, const RequestBounds& bounds, const RequestBounds& lookupBounds)
{
    JobAnswer result;
    const std::string uri = PrinterUri(job.printer);
    int jobId = 0;
    bool documentOut = false;
    {
        const Connection connection = Connect(bounds);
        if (connection == nullptr) {
            result.answer = NotConnected(bounds);
            return result;
        }
        const std::string resource = uri.substr(uri.find("/printers/"));
        const Created created = CreateJob(connection.get(), job, uri, resource, bounds);
        if (created.answer != PrintSystemAnswer::Done) {
            result.answer = created.answer;
            result.detail = created.detail;
            return result;
        }
        jobId = created.jobId;
        const Sent sent = SendDocument(connection.get(), uri, resource, jobId, job.pdf, bounds);
        result.answer = sent.answer;
        result.detail = sent.detail;
        documentOut = sent.documentOut;
        // The connection closes here: a document cut short is dropped by the server.
    }
    if (result.answer == PrintSystemAnswer::NoAnswer && documentOut) {
        switch (LookUpJob(uri, jobId, lookupBounds)) {
            case JobFate::Queued:
                result.answer = PrintSystemAnswer::Done;
                return result;
            case JobFate::NotQueued:
                break;
            case JobFate::Unknown:
                result.answer = PrintSystemAnswer::MayHavePrinted;
                return result;
        }
    }
    if (result.answer != PrintSystemAnswer::Done) {
        // A job the server made but got no whole document for would wait there until it gives up on it.
        CancelJob(uri, jobId, lookupBounds);
    }
    return result;
}

}  // namespace zk
